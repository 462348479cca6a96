#pragma once

#include <filesystem>
#include <string>

#include "db/orb_database.h"

namespace orb {

class AppState;
class UserDialogs;

enum class StartupOutcome { Ready, Quit };

// The database file of a first run: ORB.MDB in the per-user data folder.
std::filesystem::path defaultDatabasePath();

// The path prompt of start-up, with an example path under the home folder.
std::string databasePathPrompt();

// For a path that names no file: asks whether to create a new, empty ORB database there and
// does so on Yes (a failure is shown). True when the file now exists.
bool offerNewDatabase(UserDialogs& dialogs, const std::string& path);

// Start-up: finds the database (creating the default one on a first run, asking for a path
// when the stored one cannot be opened), reads the settings and opens the connection.
// Quit when the person declines to give a path.
StartupOutcome Main(AppState& state, UserDialogs& dialogs,
                    const std::filesystem::path& firstRunDatabasePath);

// Opens the connection on state.DatabasePath (creating the file when asked), runs the schema
// step, clears the style filter and forgets which stored bank the current one came from. Throws
// DataPathError, whose text is meant for the person, when the file cannot be opened as an ORB
// database; the connection is then closed.
void OpenDatabase(AppState& state, MissingDatabase missing = MissingDatabase::Refuse);

// Where restore points are kept: "Restore points" in the per-user data folder.
std::filesystem::path defaultRestorePointFolder();

// Reads the four paths of section "PARAMETERS" and the number of restore points to keep into
// the state; a state without a restore point folder gets the default one.
void ReadParameters(AppState& state);

// How many restore points of a catalogue are kept (RESTOREPOINTS): 1 to kMostRestorePoints;
// anything else gives the default of 10.
inline constexpr int kMostRestorePoints = 1000;
int restorePointLimitOf(const std::string& setting);

// Forgets the current bank, closes the connection and asks the program to end.
void CloseAndExit(AppState& state, UserDialogs& dialogs);

}  // namespace orb
