#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace orb {
class Database;
}

namespace orb::test {

// One row of KORFSonSty: song, style, tempo, transposition, note.
using LinkRow = std::tuple<std::int32_t, std::int32_t, std::string, std::string, std::string>;

// Stores a link as given, written directly so that an empty tempo stays empty.
void addLinkRow(Database& db, const LinkRow& link);

// Every link, ordered by song and style.
std::vector<LinkRow> linkRows(Database& db);

}  // namespace orb::test
