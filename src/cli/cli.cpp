#include "cli/cli.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/file_to_open.h"
#include "app/startup.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/settings_store.h"
#include "core/version.h"
#include "db/database.h"
#include "db/orb_database.h"
#include "state/app_state.h"

namespace orb {
namespace {

void printUsage(std::ostream& out) {
    out << "Usage: orb [--db PATH] COMMAND [ARGUMENTS]\n"
           "       orb            (no command: opens the windows)\n"
           "       orb --version\n"
           "\n"
           "ORB, the style librarian for Korg Pa60 and Pa80 arrangers.\n"
           "--db PATH uses that database instead of the one in the settings.\n"
           "\n"
           "Commands:\n";
    for (const CliCommand& command : cliCommands()) {
        out << "  " << command.name << (command.usage.empty() ? "" : " ") << command.usage
            << "\n      " << command.summary << "\n";
    }
}

// Opens the database the command works on; a message and the exit status when that fails.
std::optional<int> openCommandDatabase(AppState& state, const CliCommand& command,
                                       CliCommand::DatabaseUse use, std::ostream& err) {
    std::error_code error;
    if (use != CliCommand::DatabaseUse::OpenOrCreate &&
        !std::filesystem::is_regular_file(state.DatabasePath, error)) {
        err << "The database file " << state.DatabasePath << " was not found.\n";
        return kExitFailure;
    }
    try {
        OpenDatabase(state, use == CliCommand::DatabaseUse::OpenOrCreate ? MissingDatabase::Create
                                                                         : MissingDatabase::Refuse);
        return std::nullopt;
    } catch (const DbError& e) {
        err << e.what() << "\n";
        return isMalformedCode(e.code()) ? command.malformedDatabaseStatus : kExitFailure;
    } catch (const StoreError& e) {
        err << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace

int usageError(CliContext& context, const std::string& note) {
    std::string line = usageLine(context.command);
    if (!note.empty()) {
        line.insert(line.size() - 1, " " + note);
    }
    context.err << line;
    return kExitUsage;
}

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands = {
        makeInitCommand(),        makeBackupCommand(),      makeRestoreCommand(),
        makeStyInfoCommand(),     makeStyRewriteCommand(),  makeImportCommand(),
        makeStylesCommand(),      makeStyleUpdateCommand(), makeStyleDeleteCommand(),
        makeSongsCommand(),       makeSongImportCommand(),  makeSongDeleteCommand(),
        makeBanksCommand(),       makeBankSaveCommand(),    makeBankDeleteCommand(),
        makeWhereIsCommand(),     makeMakeStyCommand(),     makeFloppyCommand(),
        makeHdTransferCommand(),  makeSetupsCommand(),      makeSetupSaveCommand(),
        makeSetupDeleteCommand(), makeSetupWriteCommand(),  makeIdentifyCommand(),
        makeSsfExportCommand(),   makeSsfImportCommand(),   makeRestorePointsCommand(),
        makeUndoCommand(),        makeCheckCommand(),       makeLookalikesCommand(),
    };
    return commands;
}

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

bool stdinIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdin)) != 0;
#else
    return isatty(fileno(stdin)) != 0;
#endif
}

std::optional<std::string> fileForWindows(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].starts_with("-") || !fileKindOf(args[0])) {
        return std::nullopt;
    }
    for (const CliCommand& command : cliCommands()) {
        if (command.name == args[0]) {
            return std::nullopt;
        }
    }
    return args[0];
}

bool wantsCommandLine(const std::vector<std::string>& args) {
    if (fileForWindows(args)) {
        return false;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        // A --db without its path is a usage error of the command line, not a start of the
        // windows.
        if (args[i] == "--db" && i + 1 < args.size()) {
            ++i;
            continue;
        }
        return true;
    }
    return false;
}

int runCommandLine(const std::vector<std::string>& args, AppState& state, std::ostream& out,
                   std::ostream& err, std::istream* terminal) {
    const GlobalReading global = GlobalReading::read(args);
    if (!global.usageError.empty()) {
        err << global.usageError;
        return kExitUsage;
    }
    if (global.help) {
        printUsage(out);
        return kExitOk;
    }
    if (global.version) {
        out << "orb " << kVersion << "\n";
        return kExitOk;
    }
    if (global.command.empty()) {
        printUsage(err);
        return kExitUsage;
    }
    const std::string& word = global.command.front();
    const auto found = std::find_if(cliCommands().begin(), cliCommands().end(),
                                    [&word](const CliCommand& c) { return c.name == word; });
    if (found == cliCommands().end()) {
        err << "Unknown command \"" << word << "\". Try orb --help.\n";
        return kExitUsage;
    }
    const CliCommand* command = &*found;
    const CommandLineReading reading = CommandLineReading::read(
        *command, std::vector<std::string>(global.command.begin() + 1, global.command.end()));
    if (reading.help) {
        out << "Usage: orb [--db PATH] " << usageLine(*command).substr(11) << command->summary
            << "\n";
        return kExitOk;
    }
    if (!reading.usageError.empty()) {
        err << reading.usageError;
        return kExitUsage;
    }
    if (global.database && reading.database) {
        err << "The option --db is given more than once.\n";
        return kExitUsage;
    }
    const bool hasOverride = global.database || reading.database;
    const std::string databaseOverride = global.database.value_or(reading.database.value_or(""));

    ConsoleDialogs dialogs(out, err, false);
    if (command->database != CliCommand::DatabaseUse::None) {
        state.DatabasePath =
            hasOverride ? databaseOverride : state.settings.get("PATH", "DATABASE", "");
        if (state.DatabasePath.empty()) {
            state.DatabasePath = defaultDatabasePath().string();
        }
        ReadParameters(state);
        const bool firstRun = !hasOverride && state.settings.get("PATH", "DATABASE", "").empty();
        const auto use = firstRun ? CliCommand::DatabaseUse::OpenOrCreate : command->database;
        if (const auto failed = openCommandDatabase(state, *command, use, err)) {
            return *failed;
        }
    }
    CliContext context{*command, state, dialogs, out, err, terminal};
    try {
        const int status = command->run(context, *reading.arguments);
        state.connection.close();
        return status;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace orb
