#include "app/startup.h"

#include <QDir>
#include <QStandardPaths>
#include <optional>

#include "core/ascii_text.h"
#include "core/settings_store.h"
#include "core/user_dialogs.h"
#include "db/database.h"
#include "db/orb_database.h"
#include "db/schema.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kTryAgain = "A database path is needed or ORB cannot continue. Try again?";

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// Creates an empty database file (with its folder) at `path`; the schema step fills it.
void createEmptyDatabase(const std::filesystem::path& path) {
    Database database;
    openOrbDatabase(database, path, MissingDatabase::Create);
}

// The path prompt: asks until the person names an existing file, agrees to create one, or
// gives up. Returns the path, or nothing when the person declines to go on.
std::optional<std::string> askForDatabasePath(UserDialogs& dialogs, std::string proposal) {
    while (true) {
        const std::string answer =
            dialogs.inputBox(databasePathPrompt(), "ORB", proposal).value_or("");
        if (answer.empty()) {
            if (dialogs.messageBox(kTryAgain, "ORB", UserDialogs::Icon::Critical,
                                   UserDialogs::Buttons::YesNo,
                                   UserDialogs::Answer::No) != UserDialogs::Answer::Yes) {
                return std::nullopt;
            }
            proposal.clear();
            continue;
        }
        if (fileExists(answer)) {
            return answer;
        }
        if (offerNewDatabase(dialogs, answer)) {
            return answer;
        }
        proposal = answer;
    }
}

}  // namespace

std::string databasePathPrompt() {
    const std::filesystem::path example =
        std::filesystem::path(QDir::homePath().toStdString()) / "ORB" / "ORB.MDB";
    return "Please insert database path (Example: " + example.string() + ")";
}

bool offerNewDatabase(UserDialogs& dialogs, const std::string& path) {
    if (!dialogs.question("There is no database at " + path +
                          ". Create a new, empty ORB database there?")) {
        return false;
    }
    try {
        createEmptyDatabase(path);
        return true;
    } catch (const StoreError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
}

std::filesystem::path defaultDatabasePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return std::filesystem::path(folder.toStdString()) / "ORB.MDB";
}

std::filesystem::path defaultRestorePointFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return std::filesystem::path(folder.toStdString()) / "Restore points";
}

void ReadParameters(AppState& state) {
    state.KorgUtilityPath = state.settings.get("PARAMETERS", "KORGPROG", "");
    state.FloppyPath = state.settings.get("PARAMETERS", "FLOPPYDRIVE", "");
    state.PaHardDiskPath = state.settings.get("PARAMETERS", "PAHDDRIVE", "");
    state.BackupPath = state.settings.get("PARAMETERS", "ORBBACKUP", "");
    state.RestorePointLimit = restorePointLimitOf(state.settings.get(
        "PARAMETERS", "RESTOREPOINTS", std::to_string(RestorePoints::kDefaultLimit)));
    if (state.RestorePointFolder.empty()) {
        state.RestorePointFolder = defaultRestorePointFolder();
    }
}

int restorePointLimitOf(const std::string& setting) {
    const auto limit = wholeNumber<int>(setting);
    return limit && *limit >= 1 && *limit <= kMostRestorePoints ? *limit
                                                                : RestorePoints::kDefaultLimit;
}

StartupOutcome Main(AppState& state, UserDialogs& dialogs,
                    const std::filesystem::path& firstRunDatabasePath) {
    state.currentBank.styles.clear();

    state.DatabasePath = state.settings.get("PATH", "DATABASE", "");
    if (state.DatabasePath.empty()) {
        // A first run: the default database is made without a question.
        state.DatabasePath = firstRunDatabasePath.string();
        if (!fileExists(firstRunDatabasePath)) {
            try {
                createEmptyDatabase(firstRunDatabasePath);
            } catch (const StoreError& e) {
                dialogs.message(e.what(), UserDialogs::Icon::Critical);
            }
        }
        if (fileExists(firstRunDatabasePath)) {
            state.settings.set("PATH", "DATABASE", state.DatabasePath);
        }
    }

    ReadParameters(state);

    while (true) {
        std::string problem;
        if (!fileExists(state.DatabasePath)) {
            problem = "The database file " + state.DatabasePath + " was not found.";
        } else {
            try {
                OpenDatabase(state);
                return StartupOutcome::Ready;
            } catch (const StoreError& e) {
                problem = e.what();
            }
        }
        dialogs.message(problem, UserDialogs::Icon::Critical);
        const std::optional<std::string> chosen = askForDatabasePath(dialogs, state.DatabasePath);
        if (!chosen) {
            return StartupOutcome::Quit;
        }
        state.DatabasePath = *chosen;
        state.settings.set("PATH", "DATABASE", state.DatabasePath);
    }
}

void OpenDatabase(AppState& state, MissingDatabase missing) {
    openOrbDatabase(state.connection, state.DatabasePath, missing);
    try {
        CreateTables(state.connection, state.settings);
    } catch (const StoreError&) {
        // Nothing may work on tables that are not there.
        state.connection.close();
        throw;
    }
    state.styleQuery = {};
    // The stored bank the current one came from belongs to the database that was open; the
    // styles being edited stay.
    state.currentBank.number = 0;
    state.currentBank.name.clear();
    state.currentBank.description.clear();
}

void CloseAndExit(AppState& state, UserDialogs& dialogs) {
    state.currentBank = {};
    state.connection.close();
    dialogs.processEvents();
    state.exitRequested = true;
}

}  // namespace orb
