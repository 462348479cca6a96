#include <algorithm>
#include <optional>
#include <ostream>

#include "catalogue/bank_queues.h"
#include "catalogue/bank_store.h"
#include "catalogue/make_bank.h"
#include "cli/cli.h"
#include "cli/console_dialogs.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kFloppyUsage = "BANK [BANK [BANK]] [--to DIR] [--yes]";
constexpr const char* kTransferUsage = "BANK... [--to DIR]";
constexpr const char* kEmptyEntry = "-";

// The banks of a queue command, "-" for an entry left empty, and its options.
struct QueueArguments {
    std::vector<std::string> banks;
    std::optional<std::string> folder;
    bool yes = false;
    bool usageError = false;
};

QueueArguments parseQueueArguments(const std::vector<std::string>& args, bool allowYes) {
    QueueArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--to" && i + 1 < args.size()) {
            parsed.folder = args[++i];
        } else if (args[i] == "--yes" && allowYes) {
            parsed.yes = true;
        } else if (args[i].starts_with("--")) {
            parsed.usageError = true;
        } else {
            parsed.banks.push_back(args[i]);
        }
    }
    return parsed;
}

// Puts each bank into its entry through `place`; false, with the message, for a bank that is
// not stored.
template <typename Place>
bool placeBanks(CliContext& context, const std::vector<std::string>& banks, Place place) {
    for (std::size_t i = 0; i < banks.size(); ++i) {
        if (banks[i] == kEmptyEntry) {
            continue;
        }
        const auto bank = StoredBankGiven(context.state.connection, banks[i]);
        if (!bank) {
            context.err << "There is no bank " << banks[i] << ".\n";
            return false;
        }
        place(static_cast<int>(i), bank->BankProg, bank->BankName);
    }
    return true;
}

bool onlyEmptyEntries(const std::vector<std::string>& banks) {
    return std::all_of(banks.begin(), banks.end(),
                       [](const std::string& bank) { return bank == kEmptyEntry; });
}

int runMakeSty(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 2) {
        context.err << "Usage: orb make-sty BANK OUT\n";
        return kExitUsage;
    }
    const auto bank = StoredBankGiven(context.state.connection, args[0]);
    if (!bank || !LoadCurrentBank(context.state, bank->BankProg)) {
        context.err << "There is no bank " << args[0] << ".\n";
        return kExitFailure;
    }
    MakeBankController make(context.state, context.dialogs);
    return make.makeAs(args[1]) ? kExitOk : kExitFailure;
}

int runFloppy(CliContext& context, const std::vector<std::string>& args) {
    const QueueArguments parsed = parseQueueArguments(args, true);
    if (parsed.usageError || parsed.banks.empty() ||
        parsed.banks.size() > static_cast<std::size_t>(kFloppyBankCount) ||
        onlyEmptyEntries(parsed.banks)) {
        context.err << "Usage: orb floppy " << kFloppyUsage << "\n";
        return kExitUsage;
    }
    AppState& state = context.state;
    state.FloppyPath = parsed.folder.value_or(state.FloppyPath);
    if (state.FloppyPath.empty()) {
        context.err << "No floppy folder is set: give --to DIR.\n";
        return kExitFailure;
    }
    BankQueues queues(state, context.dialogs);
    if (!placeBanks(context, parsed.banks,
                    [&](int entry, std::int32_t prog, const std::string& name) {
                        queues.setFloppyEntry(entry, prog, name);
                    })) {
        return kExitFailure;
    }
    if (parsed.yes) {
        context.dialogs.setAssumeYes(true);
    } else if (context.terminal != nullptr) {
        context.dialogs.askOn(*context.terminal);
    } else {
        context.err << "Writing the floppy deletes everything in " << state.FloppyPath
                    << " first, and there is no terminal to ask on: give --yes. Nothing was "
                       "deleted.\n";
        return kExitFailure;
    }
    return queues.makeFloppy() ? kExitOk : kExitFailure;
}

int runHdTransfer(CliContext& context, const std::vector<std::string>& args) {
    const QueueArguments parsed = parseQueueArguments(args, false);
    if (parsed.usageError || parsed.banks.empty() ||
        parsed.banks.size() > static_cast<std::size_t>(kHardDiskBankCount) ||
        onlyEmptyEntries(parsed.banks)) {
        context.err << "Usage: orb hd-transfer " << kTransferUsage << " (at most 9 banks)\n";
        return kExitUsage;
    }
    AppState& state = context.state;
    state.PaHardDiskPath = parsed.folder.value_or(state.PaHardDiskPath);
    if (state.PaHardDiskPath.empty()) {
        context.err << "No hard disk folder is set: give --to DIR.\n";
        return kExitFailure;
    }
    BankQueues queues(state, context.dialogs);
    if (!placeBanks(context, parsed.banks,
                    [&](int entry, std::int32_t prog, const std::string& name) {
                        queues.setHardDiskEntry(entry, prog, name);
                    })) {
        return kExitFailure;
    }
    return queues.transfer() ? kExitOk : kExitFailure;
}

}  // namespace

CliCommand makeMakeStyCommand() {
    return CliCommand{"make-sty", "BANK OUT",
                      "Writes the stored bank BANK (number or name) as the bank file OUT with "
                      "bank number 17.",
                      CliCommand::DatabaseUse::OpenExisting, runMakeSty};
}

CliCommand makeFloppyCommand() {
    return CliCommand{"floppy", kFloppyUsage,
                      "Writes a keyboard floppy into DIR (default: the floppy folder of the "
                      "parameters): deletes everything in it (asked on the terminal unless "
                      "--yes), then ORB.SET/STYLE/USER01.STY to USER03.STY from the banks in "
                      "order; \"-\" leaves that bank file out.",
                      CliCommand::DatabaseUse::OpenExisting, runFloppy};
}

CliCommand makeHdTransferCommand() {
    return CliCommand{"hd-transfer", kTransferUsage,
                      "Writes up to nine banks into DIR (default: the Pa hard disk folder of "
                      "the parameters) in the hard-disk layout, !123.SET/STYLE/USER01.STY "
                      "first; \"-\" leaves that bank file out.",
                      CliCommand::DatabaseUse::OpenExisting, runHdTransfer};
}

}  // namespace orb
