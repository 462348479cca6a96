#pragma once

#include <array>
#include <string_view>

#include "core/errors.h"

namespace orb {

// The longest text each sized column takes, in characters. The schema's guard triggers hold the
// database to these sizes, and the input boxes that fill the columns read them from here.
struct ColumnSize {
    std::string_view table;
    std::string_view column;
    int size;
};

inline constexpr std::array<ColumnSize, 15> kColumnSizes = {{
    {"KORFBanks", "BankName", 50},
    {"KORFBanks", "BankDesc", 200},
    {"KORFStyles", "StyleName1", 11},
    {"KORFStyles", "StyleName2", 11},
    {"KORFStyles", "StyleDate", 10},
    {"KORFStyles", "StyleDesc", 250},
    {"KORFStyles", "StyleCat", 20},
    {"KORFStyles", "StyleFamily", 20},
    {"KORFStyles", "StyleFile", 20},
    {"KORFStyles", "StyleAuthor", 50},
    {"KORFSongs", "SongTitle", 200},
    {"KORFSongs", "SongPerformer", 200},
    {"KORFSonSty", "StyleTempo", 10},
    {"KORFSonSty", "StyleTranspose", 10},
    {"KORFSonSty", "SongNote", 200},
}};

// The size of one column; a column without a size is a fault of the caller (and, in a constant
// expression, does not compile).
constexpr int columnSize(std::string_view table, std::string_view column) {
    for (const ColumnSize& entry : kColumnSizes) {
        if (entry.table == table && entry.column == column) {
            return entry.size;
        }
    }
    throw InvalidArgumentError("The column has no size");
}

}  // namespace orb
