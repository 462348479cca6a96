#pragma once

// A catalogue as a musician's grows: realistic styles, a bank for every 16 of them and a song
// for every 8, each song linked to one style. Shared by the benchmarks that need a full file.

#include <string>

#include "db/database.h"
#include "db/write_transaction.h"
#include "realistic_styles.h"

namespace orb::bench {

inline void fillRealisticCatalogue(Database& db, int styles) {
    WriteTransaction transaction(db);
    for (int prog = 1; prog <= styles; ++prog) {
        const BankFileStyle style = realisticStyle(static_cast<std::uint64_t>(prog));
        const std::string& c1 = style.StyleContent1;
        const std::string& c2 = style.StyleContent2;
        db.execute(
            "INSERT INTO KORFStyles VALUES (pProg, 'Style name ', 'Variation  ', pLength1, "
            "pLength2, pContent1, pContent2, pSeek, '2026/12/06', ' ', 'Group', 'Family', "
            "'USER01.STY', 'Author')",
            {prog, static_cast<std::int32_t>(c1.size()), static_cast<std::int32_t>(c2.size()),
             SqlParam::blob(c1), SqlParam::blob(c2),
             SqlParam::blob(std::string_view(c1).substr(0, 250))});
    }
    for (int bank = 1; bank <= styles / 16; ++bank) {
        std::string sql = "INSERT INTO KORFBanks VALUES (" + std::to_string(bank) + ", 'USER" +
                          std::to_string(bank) + "', ''";
        for (int slot = 0; slot < 16; ++slot) {
            sql += ", " + std::to_string((bank - 1) * 16 + slot + 1);
        }
        db.execute(sql + ")");
    }
    for (int song = 1; song <= styles / 8; ++song) {
        db.execute("INSERT INTO KORFSongs VALUES (pCode, 'Song', 'Singer')", {song});
        db.execute("INSERT INTO KORFSonSty VALUES (pCode, pStyle, '120', '0', ' ')",
                   {song, song * 8});
    }
    transaction.commit();
}

}  // namespace orb::bench
