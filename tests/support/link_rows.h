#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "db/database.h"

namespace orb::test {

// One row of KORFSonSty: song, style, tempo, transposition, note.
using LinkRow = std::tuple<std::int32_t, std::int32_t, std::string, std::string, std::string>;

// Stores a link as given, written directly so that an empty tempo stays empty.
inline void addLinkRow(Database& db, const LinkRow& link) {
    const auto& [song, style, tempo, transpose, note] = link;
    db.execute(
        "INSERT INTO KORFSonSty (SongCode,StyleProg,StyleTempo,StyleTranspose,SongNote) "
        "VALUES (pSongCode,pStyleProg,pStyleTempo,pStyleTranspose,pSongNote)",
        {song, style, tempo, transpose, note});
}

// Every link, ordered by song and style.
inline std::vector<LinkRow> linkRows(Database& db) {
    std::vector<LinkRow> all;
    Rows rows = db.query(
        "SELECT SongCode, StyleProg, StyleTempo, StyleTranspose, SongNote FROM KORFSonSty "
        "ORDER BY SongCode, StyleProg");
    while (rows.next()) {
        all.emplace_back(static_cast<std::int32_t>(rows.integer(0)),
                         static_cast<std::int32_t>(rows.integer(1)), rows.text(2), rows.text(3),
                         rows.text(4));
    }
    return all;
}

}  // namespace orb::test
