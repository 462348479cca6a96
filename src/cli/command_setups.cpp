#include <optional>
#include <ostream>

#include "catalogue/current_bank.h"
#include "catalogue/setups.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/job_progress.h"
#include "core/text.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kEmptyPlace = "-";

int runSetups(CliContext& context, const CommandArguments&) {
    for (const KeyboardSetup& setup : ListSetups(context.state.connection)) {
        context.out << setup.name << '\t' << setup.description;
        for (const SetupPlace& place : setup.floppy) {
            context.out << '\t' << place.bankProg;
        }
        for (const SetupPlace& place : setup.hardDisk) {
            context.out << '\t' << place.bankProg;
        }
        context.out << '\n';
    }
    return kExitOk;
}

// The banks given for the places of one part ("-" for an empty place), by number or name.
// False, with the message, when one is not stored.
template <std::size_t N>
bool placesGiven(CliContext& context, const std::vector<std::string>& given,
                 std::array<std::int32_t, N>& places) {
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (given[i] == kEmptyPlace) {
            continue;
        }
        const auto bank = StoredBankGiven(context.state.connection, given[i]);
        if (!bank) {
            context.err << "There is no bank " << given[i] << "; the set-up was not stored.\n";
            return false;
        }
        places[i] = bank->BankProg;
    }
    return true;
}

int runSetupSave(CliContext& context, const CommandArguments& args) {
    const std::string& name = args.positional()[0];
    const std::vector<std::string> floppy = args.values("floppy");
    const std::vector<std::string> hardDisk = args.values("hd");
    if (floppy.size() > kSetupFloppyPlaces || hardDisk.size() > kSetupHardDiskPlaces) {
        return usageError(context);
    }
    const bool overwrite = args.has("overwrite");
    SetupToSave setup{name, args.value("description").value_or(""), {}, {}};
    if (!placesGiven(context, floppy, setup.floppy) ||
        !placesGiven(context, hardDisk, setup.hardDisk)) {
        return kExitFailure;
    }
    const SetupChange saving = SaveSetup(
        context.state, setup, overwrite ? SameNamedSetup::Overwrite : SameNamedSetup::Keep);
    if (saving.result == SetupChange::Result::NameTaken) {
        context.err << saving.message << " Give --overwrite to replace it.\n";
        return kExitFailure;
    }
    if (!saving.done()) {
        context.err << saving.message << "\n";
        return kExitFailure;
    }
    context.out << "Set-up " << FindSetup(context.state.connection, name)->name << " stored.\n";
    return kExitOk;
}

int runSetupDelete(CliContext& context, const CommandArguments& args) {
    const std::string& name = args.positional()[0];
    const std::optional<KeyboardSetup> setup = FindSetup(context.state.connection, name);
    const SetupChange deletion = DeleteSetup(context.state, name);
    if (!deletion.done()) {
        context.err << deletion.message << "\n";
        return kExitFailure;
    }
    context.out << "Set-up " << setup->name << " deleted.\n";
    return kExitOk;
}

int runSetupWrite(CliContext& context, const CommandArguments& args) {
    const std::string& name = args.positional()[0];
    const SetupFolders folders{args.value("floppy-to").value_or(context.state.FloppyPath),
                               args.value("hd-to").value_or(context.state.PaHardDiskPath)};
    if (args.has("dry-run")) {
        const SetupPlan plan = PlanSetupWrite(context.state, context.dialogs, name, folders);
        for (const std::string& line : planLines(plan)) {
            context.out << line << '\n';
        }
        return kExitOk;
    }
    // The floppy is emptied first: asked, unless the writing is refused anyway.
    const std::optional<KeyboardSetup> setup = FindSetup(context.state.connection, name);
    if (setup && setup->usesFloppy() && !trimmed(folders.floppy).empty()) {
        if (args.has("yes")) {
            context.dialogs.setAssumeYes(true);
        } else if (context.terminal != nullptr) {
            context.dialogs.askOn(*context.terminal);
        } else {
            context.err << "Writing the set-up's floppy deletes everything in " << folders.floppy
                        << " first, and there is no terminal to ask on: give --yes. Nothing was "
                           "deleted.\n";
            return kExitFailure;
        }
    }
    JobProgress job(context.dialogs);
    const DriveBanksWriting writing =
        WriteSetup(context.state, context.dialogs, job, name, folders);
    showDriveBanksWriting(context.dialogs, writing);
    return writing.written() ? kExitOk : kExitFailure;
}

}  // namespace

CliCommand makeSetupsCommand() {
    return CliCommand{"setups", "",
                      "Lists the keyboard set-ups in name order, one tab-separated line each: "
                      "name, description, then the three floppy and nine hard-disk bank numbers "
                      "(0 for an empty place).",
                      CliCommand::DatabaseUse::OpenExisting, runSetups};
}

CliCommand makeSetupSaveCommand() {
    return CliCommand{
        "setup-save",
        "NAME [--description D] [--floppy B1 [B2 [B3]]] [--hd B1 ... B9] [--overwrite]",
        "Stores the keyboard set-up NAME: the banks (number or name, \"-\" for an "
        "empty place) of the floppy's three places and the hard disk's nine; a "
        "taken name is refused unless --overwrite, a bank that is not stored is "
        "refused, and then nothing is stored.",
        CliCommand::DatabaseUse::OpenExisting, runSetupSave};
}

CliCommand makeSetupDeleteCommand() {
    return CliCommand{"setup-delete", "NAME", "Deletes the keyboard set-up NAME.",
                      CliCommand::DatabaseUse::OpenExisting, runSetupDelete};
}

CliCommand makeSetupWriteCommand() {
    return CliCommand{"setup-write", "NAME [--floppy-to DIR] [--hd-to DIR] [--yes] [--dry-run]",
                      "Writes the keyboard set-up NAME in one step: its floppy banks as `floppy` "
                      "writes them into DIR (default: the floppy folder; emptied first, asked on "
                      "the terminal unless --yes), its hard-disk banks as `hd-transfer` does "
                      "(default: the Pa hard disk folder), every file read back; --dry-run only "
                      "lists each file, a tab and unchanged, changed or new.",
                      CliCommand::DatabaseUse::OpenExisting, runSetupWrite};
}

}  // namespace orb
