#include <algorithm>
#include <optional>
#include <ostream>

#include "catalogue/current_bank.h"
#include "catalogue/keyboard_drive.h"
#include "catalogue/make_bank.h"
#include "cli/cli.h"
#include "cli/console_dialogs.h"
#include "core/file_access.h"
#include "core/job_progress.h"
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

bool onlyEmptyEntries(const std::vector<std::string>& banks) {
    return std::all_of(banks.begin(), banks.end(),
                       [](const std::string& bank) { return bank == kEmptyEntry; });
}

// The banks and the folder of a queue command of `places` entries: the folder from --to, else
// `defaultFolder`. Unset, with the message and the exit status, when any of that fails.
struct QueueWriting {
    DriveBanks banks;
    std::string folder;
};

std::optional<QueueWriting> queueWriting(CliContext& context, const QueueArguments& parsed,
                                         int places, const std::string& usage,
                                         const std::string& defaultFolder,
                                         const std::string& folderName, int& status) {
    if (parsed.usageError || parsed.banks.empty() ||
        parsed.banks.size() > static_cast<std::size_t>(places) || onlyEmptyEntries(parsed.banks)) {
        context.err << "Usage: " << usage << "\n";
        status = kExitUsage;
        return std::nullopt;
    }
    QueueWriting writing;
    writing.folder = parsed.folder.value_or(defaultFolder);
    if (writing.folder.empty()) {
        context.err << "No " << folderName << " folder is set: give --to DIR.\n";
        status = kExitFailure;
        return std::nullopt;
    }
    for (const std::string& given : parsed.banks) {
        if (given == kEmptyEntry) {
            writing.banks.push_back(std::nullopt);
            continue;
        }
        const auto bank = StoredBankGiven(context.state.connection, given);
        if (!bank) {
            context.err << "There is no bank " << given << ".\n";
            status = kExitFailure;
            return std::nullopt;
        }
        writing.banks.push_back(DriveBank{bank->BankProg, bank->BankName});
    }
    return writing;
}

int runMakeSty(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 2 || args[1].empty()) {
        context.err << "Usage: orb make-sty BANK OUT\n";
        return kExitUsage;
    }
    if (isLinkLoop(args[1])) {
        context.err << "OUT " << args[1]
                    << " is a symbolic link that goes round in a loop; name a file.\n";
        return kExitUsage;
    }
    const auto bank = StoredBankGiven(context.state.connection, args[0]);
    if (!bank) {
        context.err << "There is no bank " << args[0] << ".\n";
        return kExitFailure;
    }
    return WriteBankFile(context.state, context.dialogs, bank->BankName,
                         StoredBankSlots(*bank, context.state.connection),
                         {BankTarget::Kind::ChosenFile, 0}, args[1])
               ? kExitOk
               : kExitFailure;
}

int runFloppy(CliContext& context, const std::vector<std::string>& args) {
    const QueueArguments parsed = parseQueueArguments(args, true);
    int status = kExitOk;
    const auto writing =
        queueWriting(context, parsed, kFloppyBankCount, std::string("orb floppy ") + kFloppyUsage,
                     context.state.FloppyPath, "floppy", status);
    if (!writing) {
        return status;
    }
    if (parsed.yes) {
        context.dialogs.setAssumeYes(true);
    } else if (context.terminal != nullptr) {
        context.dialogs.askOn(*context.terminal);
    } else {
        context.err << "Writing the floppy deletes everything in " << writing->folder
                    << " first, and there is no terminal to ask on: give --yes. Nothing was "
                       "deleted.\n";
        return kExitFailure;
    }
    JobProgress job(context.dialogs);
    const DriveBanksWriting written =
        WriteFloppy(context.state, context.dialogs, job, writing->banks, writing->folder);
    showDriveBanksWriting(context.dialogs, written);
    return written.written() ? kExitOk : kExitFailure;
}

int runHdTransfer(CliContext& context, const std::vector<std::string>& args) {
    int status = kExitOk;
    const auto writing =
        queueWriting(context, parseQueueArguments(args, false), kHardDiskBankCount,
                     std::string("orb hd-transfer ") + kTransferUsage + " (at most 9 banks)",
                     context.state.PaHardDiskPath, "hard disk", status);
    if (!writing) {
        return status;
    }
    JobProgress job(context.dialogs);
    const DriveBanksWriting written =
        TransferToHardDisk(context.state, context.dialogs, job, writing->banks, writing->folder);
    showDriveBanksWriting(context.dialogs, written);
    return written.written() ? kExitOk : kExitFailure;
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
