#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "db/column_sizes.h"

namespace orb {

// The values the person attaches to imported styles and to their bank, always in this order:
// family, group, author, description. The import window edits the first three.
inline constexpr std::size_t kStyleValueCount = 4;
using StyleValues = std::array<std::string, kStyleValueCount>;
inline constexpr std::array<const char*, kStyleValueCount> kStyleValueNames = {
    "family", "group", "author", "description"};
// Longest text each may hold: the sizes of the columns they end up in (the description is
// the bank's).
inline constexpr std::array<int, kStyleValueCount> kStyleValueLengths = {
    columnSize("KORFStyles", "StyleFamily"), columnSize("KORFStyles", "StyleCat"),
    columnSize("KORFStyles", "StyleAuthor"), columnSize("KORFBanks", "BankDesc")};

// Why the value at `index` cannot be stored, empty when it can: longer than its column, or
// holding a character that the files, which keep Windows-1252 text, cannot carry.
std::string styleValueRefusal(std::size_t index, const std::string& value);

}  // namespace orb
