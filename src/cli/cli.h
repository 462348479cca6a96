#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace orb {

class AppState;
class CommandArguments;
class ConsoleDialogs;

// Exit statuses of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitNotABank = 2;  // the file given is no Pa bank file
inline constexpr int kExitDamaged = 2;   // orb check: the database file is damaged
inline constexpr int kExitUsage = 64;

struct CliCommand;

struct CliContext {
    const CliCommand& command;
    AppState& state;
    ConsoleDialogs& dialogs;
    std::ostream& out;
    std::ostream& err;
    // The person's terminal, or nullptr when nobody can be asked.
    std::istream* terminal = nullptr;
};

struct CliCommand {
    enum class DatabaseUse { None, OpenExisting, OpenOrCreate };

    std::string name;
    // The arguments after the command word: options ("--mode content|name|all", "--floppy B1
    // [B2 [B3]]"), arguments ("PATH", "[N]", "STYLE..."). The command's parser, its --help, the
    // manual page and the completion are all made from it.
    std::string usage;
    std::string summary;  // one paragraph for --help
    DatabaseUse database = DatabaseUse::OpenExisting;
    // Runs with the arguments read against `usage` (unknown options, options given twice and
    // too few or too many arguments are refused before); returns the exit status.
    std::function<int(CliContext&, const CommandArguments&)> run;
    // The exit status when the database file cannot be opened because SQLite finds it
    // malformed: `check` tells a damaged file apart from a failure.
    int malformedDatabaseStatus = kExitFailure;
};

// Prints the running command's usage line ("Usage: orb NAME USAGE", then `note` after a blank)
// and gives the exit status of wrong usage.
int usageError(CliContext& context, const std::string& note = "");

// Every command of the command line, in the order --help lists them.
const std::vector<CliCommand>& cliCommands();

// True when the arguments ask for the command line (a command word or --help) rather than the
// windows.
bool wantsCommandLine(const std::vector<std::string>& args);

// The file to open in the windows when the only argument names a file ORB opens (`orb
// FILE.STY`, as a file manager starts it) rather than a command.
std::optional<std::string> fileForWindows(const std::vector<std::string>& args);

inline constexpr const char* kNoDisplayMessage =
    "ORB cannot open its windows: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is "
    "set). Run it on a desktop, or give a command; orb --help lists them.";

// True when the windows can be shown: a display is named, or QT_QPA_PLATFORM chooses a
// platform of its own (offscreen, for example). Without one Qt would abort.
bool hasDisplay();

// True when standard input is a terminal a person can answer on.
bool stdinIsTerminal();

// Runs `orb [--db PATH] COMMAND ...` headless on the same logic as the windows: settings are
// read as at start-up and --db overrides the database path. `terminal` is where a command that
// may ask reads the answers (nullptr: nobody to ask). Returns the exit status.
int runCommandLine(const std::vector<std::string>& args, AppState& state, std::ostream& out,
                   std::ostream& err, std::istream* terminal = nullptr);

// The command implementations, one file each.
CliCommand makeInitCommand();
CliCommand makeBackupCommand();
CliCommand makeRestoreCommand();
CliCommand makeStyInfoCommand();
CliCommand makeStyRewriteCommand();
CliCommand makeImportCommand();
CliCommand makeStylesCommand();
CliCommand makeStyleUpdateCommand();
CliCommand makeStyleDeleteCommand();
CliCommand makeSongsCommand();
CliCommand makeSongImportCommand();
CliCommand makeSongDeleteCommand();
CliCommand makeBanksCommand();
CliCommand makeBankSaveCommand();
CliCommand makeBankDeleteCommand();
CliCommand makeWhereIsCommand();
CliCommand makeSsfExportCommand();
CliCommand makeSsfImportCommand();
CliCommand makeMakeStyCommand();
CliCommand makeFloppyCommand();
CliCommand makeHdTransferCommand();
CliCommand makeSetupsCommand();
CliCommand makeSetupSaveCommand();
CliCommand makeSetupDeleteCommand();
CliCommand makeSetupWriteCommand();
CliCommand makeIdentifyCommand();
CliCommand makeRestorePointsCommand();
CliCommand makeUndoCommand();
CliCommand makeCheckCommand();
CliCommand makeLookalikesCommand();

}  // namespace orb
