#include "db/catalogue_health.h"

#include <array>

#include "db/database.h"

namespace orb {
namespace {

std::string twoDigits(int slot) {
    return (slot < 10 ? "0" : "") + std::to_string(slot);
}

// One select per slot column, joined: the slots of every bank whose style is gone. A slot
// holding null or 0 is empty.
std::string goneBankSlotsSql() {
    std::string sql;
    for (int slot = 1; slot <= 16; ++slot) {
        const std::string column = "B.BankStyle" + twoDigits(slot);
        sql += (slot == 1 ? "" : " UNION ALL ") + std::string("SELECT B.BankProg, B.BankName, ") +
               std::to_string(slot) + " AS Slot, " + column +
               " AS StyleProg FROM KORFBanks B WHERE " + column + " IS NOT NULL AND " + column +
               " <> 0 AND NOT EXISTS (SELECT 1 FROM KORFStyles S WHERE S.StyleProg = " + column +
               ")";
    }
    return sql + " ORDER BY 1, 3";
}

constexpr const char* kGoneLinkStylesSql =
    "SELECT L.SongCode, coalesce(G.SongTitle, ''), L.StyleProg FROM KORFSonSty L LEFT JOIN "
    "KORFSongs G ON G.SongCode = L.SongCode WHERE L.StyleProg IS NOT NULL AND L.StyleProg <> 0 "
    "AND NOT EXISTS (SELECT 1 FROM KORFStyles S WHERE S.StyleProg = L.StyleProg) "
    "ORDER BY L.SongCode, L.StyleProg";

// length() of a block reads its size from the row's header, not the block itself; only where
// the size differs is the block read, to see whether it is the blank that stands for an empty
// block.
constexpr const char* kWrongLengthsSql =
    "SELECT StyleProg, StyleName1, StyleLength1, StyleLength2, length(StyleContent1), "
    "length(StyleContent2) FROM KORFStyles WHERE NOT ("
    "(StyleLength1 = length(StyleContent1) OR (StyleLength1 = 0 AND StyleContent1 = x'20')) AND "
    "(StyleLength2 = length(StyleContent2) OR (StyleLength2 = 0 AND StyleContent2 = x'20'))) "
    "ORDER BY StyleProg";

// The text columns of each table after the columns of its key, and how a row is named.
struct TextTable {
    const char* sql;
    int keyColumns;
    std::array<const char*, 8> columns;
    TextPlace (*place)(const Rows& rows);
};

const std::array<TextTable, 4> kTextTables = {{
    {"SELECT StyleProg, StyleName1, StyleName2, StyleDate, StyleDesc, StyleCat, StyleFamily, "
     "StyleFile, StyleAuthor FROM KORFStyles ORDER BY StyleProg",
     1,
     {"StyleName1", "StyleName2", "StyleDate", "StyleDesc", "StyleCat", "StyleFamily", "StyleFile",
      "StyleAuthor"},
     [](const Rows& rows) { return TextPlace::style(static_cast<std::int32_t>(rows.integer(0))); }},
    {"SELECT BankProg, BankName, BankDesc FROM KORFBanks ORDER BY BankProg",
     1,
     {"BankName", "BankDesc"},
     [](const Rows& rows) { return TextPlace::bank(static_cast<std::int32_t>(rows.integer(0))); }},
    {"SELECT SongCode, SongTitle, SongPerformer FROM KORFSongs ORDER BY SongCode",
     1,
     {"SongTitle", "SongPerformer"},
     [](const Rows& rows) { return TextPlace::song(static_cast<std::int32_t>(rows.integer(0))); }},
    {"SELECT SongCode, StyleProg, StyleTempo, StyleTranspose, SongNote FROM KORFSonSty "
     "ORDER BY SongCode, StyleProg",
     2,
     {"StyleTempo", "StyleTranspose", "SongNote"},
     [](const Rows& rows) {
         return TextPlace::link(static_cast<std::int32_t>(rows.integer(0)),
                                static_cast<std::int32_t>(rows.integer(1)));
     }},
}};

std::string_view tableOf(const char* sql) {
    const std::string_view text(sql);
    const std::size_t from = text.find(" FROM ") + 6;
    return text.substr(from, text.find(' ', from) - from);
}

}  // namespace

std::vector<std::string> integrityProblems(Database& connection, int most) {
    std::vector<std::string> problems;
    Rows rows = connection.query("PRAGMA integrity_check(" + std::to_string(most) + ")");
    while (rows.next()) {
        if (std::string line = rows.text(0); line != "ok") {
            problems.push_back(std::move(line));
        }
    }
    return problems;
}

std::vector<GoneBankSlot> bankSlotsOfGoneStyles(Database& connection) {
    std::vector<GoneBankSlot> slots;
    Rows rows = connection.query(goneBankSlotsSql());
    while (rows.next()) {
        slots.push_back({static_cast<std::int32_t>(rows.integer(0)), rows.text(1),
                         static_cast<int>(rows.integer(2)),
                         static_cast<std::int32_t>(rows.integer(3))});
    }
    return slots;
}

std::vector<GoneLinkStyle> linksOfGoneStyles(Database& connection) {
    std::vector<GoneLinkStyle> links;
    Rows rows = connection.query(kGoneLinkStylesSql);
    while (rows.next()) {
        links.push_back({static_cast<std::int32_t>(rows.integer(0)), rows.text(1),
                         static_cast<std::int32_t>(rows.integer(2))});
    }
    return links;
}

std::vector<WrongStyleLengths> stylesWithWrongLengths(Database& connection) {
    std::vector<WrongStyleLengths> styles;
    Rows rows = connection.query(kWrongLengthsSql);
    while (rows.next()) {
        styles.push_back({static_cast<std::int32_t>(rows.integer(0)), rows.text(1), rows.integer(2),
                          rows.integer(3), rows.integer(4), rows.integer(5)});
    }
    return styles;
}

void forEachStoredText(Database& connection, const StoredTextVisitor& visit) {
    for (const TextTable& table : kTextTables) {
        const std::string_view tableName = tableOf(table.sql);
        Rows rows = connection.query(table.sql);
        while (rows.next()) {
            const TextPlace place = table.place(rows);
            for (int i = 0; i < static_cast<int>(table.columns.size()) && table.columns[i]; ++i) {
                const int column = table.keyColumns + i;
                if (!rows.isNull(column)) {
                    visit(textColumn(tableName, table.columns[i]), rows.bytes(column), place);
                }
            }
        }
    }
}

std::vector<std::string> healthStatements() {
    std::vector<std::string> statements = {"PRAGMA integrity_check(10)", goneBankSlotsSql(),
                                           kGoneLinkStylesSql, kWrongLengthsSql};
    for (const TextTable& table : kTextTables) {
        statements.emplace_back(table.sql);
    }
    return statements;
}

}  // namespace orb
