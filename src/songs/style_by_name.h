#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orb {

class Database;

// The numbers of the styles whose StyleName1 is `name`, letter case and the blanks and code-0
// characters that pad stored names to 11 characters aside ("Rock1" finds "ROCK1" followed by
// six blanks). Blanks around `name` do not count. Uses the index on StyleName1: the catalogue
// is never scanned. Throws DbError.
std::vector<std::int32_t> StylesNamed(Database& connection, const std::string& name);

}  // namespace orb
