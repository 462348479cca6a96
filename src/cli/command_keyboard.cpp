#include <algorithm>
#include <optional>
#include <ostream>

#include "catalogue/current_bank.h"
#include "catalogue/keyboard_drive.h"
#include "catalogue/make_bank.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/file_access.h"
#include "core/job_progress.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kEmptyEntry = "-";

bool onlyEmptyEntries(const std::vector<std::string>& banks) {
    return std::all_of(banks.begin(), banks.end(),
                       [](const std::string& bank) { return bank == kEmptyEntry; });
}

// The banks ("-" for an entry left empty) and the folder of a queue command of `places` entries:
// the folder from --to, else `defaultFolder`. Unset, with the message and the exit status, when
// any of that fails.
struct QueueWriting {
    DriveBanks banks;
    std::string folder;
};

std::optional<QueueWriting> queueWriting(CliContext& context, const CommandArguments& args,
                                         int places, const std::string& usageNote,
                                         const std::string& defaultFolder,
                                         const std::string& folderName, int& status) {
    const std::vector<std::string>& banks = args.positional();
    if (banks.size() > static_cast<std::size_t>(places) || onlyEmptyEntries(banks)) {
        status = usageError(context, usageNote);
        return std::nullopt;
    }
    QueueWriting writing;
    writing.folder = args.value("to").value_or(defaultFolder);
    if (writing.folder.empty()) {
        context.err << "No " << folderName << " folder is set: give --to DIR.\n";
        status = kExitFailure;
        return std::nullopt;
    }
    for (const std::string& given : banks) {
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

int runMakeSty(CliContext& context, const CommandArguments& args) {
    const std::string& given = args.positional()[0];
    const std::string& file = args.positional()[1];
    if (file.empty()) {
        return usageError(context);
    }
    if (isLinkLoop(file)) {
        context.err << "OUT " << file
                    << " is a symbolic link that goes round in a loop; name a file.\n";
        return kExitUsage;
    }
    const auto bank = StoredBankGiven(context.state.connection, given);
    if (!bank) {
        context.err << "There is no bank " << given << ".\n";
        return kExitFailure;
    }
    KORFStyles styles;
    LoadBankStyles(*bank, context.state.connection, styles);
    return WriteBankFile(context.state, context.dialogs, bank->BankName, styles,
                         {BankTarget::Kind::ChosenFile, 0}, file)
               ? kExitOk
               : kExitFailure;
}

int runFloppy(CliContext& context, const CommandArguments& args) {
    int status = kExitOk;
    const auto writing = queueWriting(context, args, kFloppyBankCount, "", context.state.FloppyPath,
                                      "floppy", status);
    if (!writing) {
        return status;
    }
    if (args.has("yes")) {
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

int runHdTransfer(CliContext& context, const CommandArguments& args) {
    int status = kExitOk;
    const auto writing = queueWriting(context, args, kHardDiskBankCount, "(at most 9 banks)",
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
    return CliCommand{"floppy", "BANK [BANK [BANK]] [--to DIR] [--yes]",
                      "Writes a keyboard floppy into DIR (default: the floppy folder of the "
                      "parameters): deletes everything in it (asked on the terminal unless "
                      "--yes), then ORB.SET/STYLE/USER01.STY to USER03.STY from the banks in "
                      "order; \"-\" leaves that bank file out.",
                      CliCommand::DatabaseUse::OpenExisting, runFloppy};
}

CliCommand makeHdTransferCommand() {
    return CliCommand{"hd-transfer", "BANK... [--to DIR]",
                      "Writes up to nine banks into DIR (default: the Pa hard disk folder of "
                      "the parameters) in the hard-disk layout, !123.SET/STYLE/USER01.STY "
                      "first; \"-\" leaves that bank file out.",
                      CliCommand::DatabaseUse::OpenExisting, runHdTransfer};
}

}  // namespace orb
