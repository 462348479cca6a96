#pragma once

#include <string>

namespace orb {

class Database;
class DbError;
class SettingsStore;

// The layout of the tables this program makes, kept in the database file itself.
inline constexpr int kSchemaVersion = 3;
// Pragmas take no parameters; the number is kSchemaVersion.
inline constexpr const char* kRecordSchemaVersion = "PRAGMA user_version = 3";

// The start-up schema step: creates the tables that are missing, drops the obsolete KORFConfs,
// makes sure of the view QUERY1, the look-up indexes and the text-size guards (replacing those of
// an older schema version), and records the schema version in the file and the program's
// version in the settings. All of it in one transaction; a refusal throws DataPathError naming
// the file, and nothing is changed.
void CreateTables(Database& database, SettingsStore& settings);

// The schema version recorded in the file; 0 for a file this program has not prepared.
int schemaVersionOf(Database& database);

// The message of a schema step the database refused.
std::string schemaFailureMessage(const std::string& path, const DbError& error);

// The table statements, as CreateTables runs them.
std::string createBanksStatement();
std::string createStylesStatement();
std::string createSongsStatement();
std::string createSonStyStatement();
std::string createQuery1Statement();
std::string createStyleKeyIndexStatement();

}  // namespace orb
