#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orb {

class Database;

// One row of the songs grid: a song with one of its links, or a song without links (style 0,
// empty style texts). A link to a style that is gone shows style 0 and an empty name.
struct SongGridRow {
    std::int32_t SongCode = 0;
    std::string SongTitle;
    std::string SongPerformer;
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleTempo;
    std::string StyleTranspose;
    std::string SongNote;

    bool operator==(const SongGridRow&) const = default;
};

// The song list statement, with " ORDER BY " and `order` when `order` is not empty.
std::string songGridStatement(const std::string& order);

// The rows of the song list statement in its order; the style name without the code-0
// characters that pad it in bank files. Throws DbError.
std::vector<SongGridRow> FillSongGrid(Database& connection, const std::string& order);

}  // namespace orb
