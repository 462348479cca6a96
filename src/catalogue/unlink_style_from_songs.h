#pragma once

#include <cstdint>

namespace orb {

class Database;

// Makes every song link of the style point at no style (style number 0), without tempo and
// transposition. A song that already holds a link without a style keeps that one and loses the
// style's link, since a song holds at most one link per style number. Failures reach the
// caller as DbError.
void UnlinkStyleFromSongs(Database& database, std::int32_t styleProg);

}  // namespace orb
