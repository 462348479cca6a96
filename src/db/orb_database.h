#pragma once

#include <filesystem>
#include <string>

#include "db/database.h"

namespace orb {

// What opening makes of a missing file.
enum class MissingDatabase { Refuse, Create };

// Opens `path` on `connection` as an ORB database, without writing to it: a missing file is
// created (with its folder) or refused; a file that holds tables but none of the four ORB
// tables is refused as another program's database. Throws DataPathError with
// cannotOpenMessage's text. The schema step (CreateTables) comes after.
void openOrbDatabase(Database& connection, const std::filesystem::path& path,
                     MissingDatabase missing);

// "The file P cannot be opened as an ORB database (<engine text>)." for a database the engine
// refuses; a lock that did not clear in time gives the in-use text.
std::string cannotOpenMessage(const std::string& path, const DbError& error);

// Deletes every style, bank, song, link and set-up, all at once or not at all (within the caller's
// transaction when one is open).
void deleteCatalogue(Database& connection);

}  // namespace orb
