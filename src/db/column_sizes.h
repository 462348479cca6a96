#pragma once

#include <array>
#include <string_view>

#include "core/errors.h"

namespace orb {

// Every text column of the catalogue: the longest text it takes, in characters, and what a
// person calls it. The text gate measures against these sizes, the schema's guard triggers hold
// the database to them, and the input boxes that fill the columns read them from here.
struct ColumnSize {
    std::string_view table;
    std::string_view column;
    int size;
    std::string_view label;
    // A style name as the keyboard's bank files give it: it may end in code-0 padding.
    bool paddedName = false;
};

inline constexpr std::array<ColumnSize, 17> kColumnSizes = {{
    {"KORFBanks", "BankName", 50, "name"},
    {"KORFBanks", "BankDesc", 200, "description"},
    {"KORFStyles", "StyleName1", 11, "name", true},
    {"KORFStyles", "StyleName2", 11, "second name", true},
    {"KORFStyles", "StyleDate", 10, "date"},
    {"KORFStyles", "StyleDesc", 250, "description"},
    {"KORFStyles", "StyleCat", 20, "group"},
    {"KORFStyles", "StyleFamily", 20, "family"},
    {"KORFStyles", "StyleFile", 20, "file name"},
    {"KORFStyles", "StyleAuthor", 50, "author"},
    {"KORFSongs", "SongTitle", 200, "title"},
    {"KORFSongs", "SongPerformer", 200, "performer"},
    {"KORFSonSty", "StyleTempo", 10, "tempo"},
    {"KORFSonSty", "StyleTranspose", 10, "transposition"},
    {"KORFSonSty", "SongNote", 200, "note"},
    {"KORFSetups", "SetupName", 30, "name"},
    {"KORFSetups", "SetupDesc", 200, "description"},
}};

// One text column; a column that is not in the table is a fault of the caller (and, in a
// constant expression, does not compile).
constexpr const ColumnSize& textColumn(std::string_view table, std::string_view column) {
    for (const ColumnSize& entry : kColumnSizes) {
        if (entry.table == table && entry.column == column) {
            return entry;
        }
    }
    throw InvalidArgumentError("The column has no size");
}

// The size of one text column.
constexpr int columnSize(std::string_view table, std::string_view column) {
    return textColumn(table, column).size;
}

}  // namespace orb
