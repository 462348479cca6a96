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

// "The file P cannot be opened as an ORB database (<code> <text>)." for a database the engine
// refuses; a lock that did not clear in time says that another program is using the file.
std::string cannotOpenMessage(const std::string& path, const DbError& error);

// The text of a database whose lock held longer than the busy timeout.
std::string inUseMessage(const std::string& path, const DbError& error);
bool isLockError(const DbError& error);

// Deletes every style, bank, song and link, in the caller's transaction.
void deleteCatalogue(Database& connection);

}  // namespace orb
