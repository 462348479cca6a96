#include "songs/song_grid.h"

#include <algorithm>

#include "db/database.h"

namespace orb {

std::string songGridStatement(const std::string& order) {
    std::string sql =
        "SELECT KORFSongs.SongCode, KORFSongs.SongTitle, KORFSongs.SongPerformer, "
        "KORFStyles.StyleProg, KORFStyles.StyleName1, KORFSonSty.SongNote, KORFSonSty.StyleTempo, "
        "KORFSonSty.StyleTranspose, KORFSonSty.SongNote FROM (KORFSongs LEFT JOIN KORFSonSty ON "
        "KORFSongs.SongCode = KORFSonSty.SongCode) LEFT JOIN KORFStyles ON KORFSonSty.StyleProg = "
        "KORFStyles.StyleProg";
    if (!order.empty()) {
        sql += " ORDER BY " + order;
    }
    return sql;
}

std::vector<SongGridRow> FillSongGrid(Database& connection, const std::string& order) {
    std::vector<SongGridRow> grid;
    Rows rows = connection.query(songGridStatement(order));
    while (rows.next()) {
        SongGridRow row;
        row.SongCode = static_cast<std::int32_t>(rows.integer(0));
        row.SongTitle = rows.text(1);
        row.SongPerformer = rows.text(2);
        row.StyleProg = rows.isNull(3) ? 0 : static_cast<std::int32_t>(rows.integer(3));
        row.StyleName1 = rows.text(4);
        std::erase(row.StyleName1, '\0');
        row.StyleTempo = rows.text(6);
        row.StyleTranspose = rows.text(7);
        row.SongNote = rows.text(8);
        grid.push_back(std::move(row));
    }
    return grid;
}

}  // namespace orb
