#pragma once

#include <string>

namespace orb {

class Database;
class SettingsStore;

// The start-up schema step: creates the tables that are missing, drops the obsolete KORFConfs,
// makes sure of the view QUERY1, the look-up indexes and the text-size guards, and records the
// version. Failures of single statements are ignored: an existing table is not an error, and a
// real fault shows at the first access.
void CreateTables(Database& database, SettingsStore& settings);

// The table statements, as CreateTables runs them.
std::string createBanksStatement();
std::string createStylesStatement();
std::string createSongsStatement();
std::string createSonStyStatement();
std::string createQuery1Statement();

}  // namespace orb
