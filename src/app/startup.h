#pragma once

#include <filesystem>

namespace orb {

class AppState;
class UserDialogs;

enum class StartupOutcome { Ready, Quit };

// The database file of a first run: ORB.MDB in the per-user data folder.
std::filesystem::path defaultDatabasePath();

// Start-up: finds the database (creating the default one on a first run, asking for a path
// when the stored one cannot be opened), reads the settings and opens the connection.
// Quit when the person declines to give a path.
StartupOutcome Main(AppState& state, UserDialogs& dialogs,
                    const std::filesystem::path& firstRunDatabasePath);

// Opens the connection on state.DatabasePath, prepares the access objects, runs the schema step
// and clears the style filter. Throws DbError when the file cannot be opened as a database.
void OpenDatabase(AppState& state);

// Reads the four paths of section "PARAMETERS" into the state.
void ReadParameters(AppState& state);

// Releases the long-lived objects, closes the connection and asks the program to end.
void CloseAndExit(AppState& state, UserDialogs& dialogs);

}  // namespace orb
