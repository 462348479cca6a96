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
// The columns they end up in (the description is the bank's), and the longest text each takes.
inline constexpr std::array<const ColumnSize*, kStyleValueCount> kStyleValueColumns = {
    &textColumn("KORFStyles", "StyleFamily"), &textColumn("KORFStyles", "StyleCat"),
    &textColumn("KORFStyles", "StyleAuthor"), &textColumn("KORFBanks", "BankDesc")};
inline constexpr std::array<int, kStyleValueCount> kStyleValueLengths = {
    kStyleValueColumns[0]->size, kStyleValueColumns[1]->size, kStyleValueColumns[2]->size,
    kStyleValueColumns[3]->size};

// Why the value at `index` cannot be stored, empty when it can: the text gate's refusal, the
// value named as one of the imported styles (the description as the imported bank's).
std::string styleValueRefusal(std::size_t index, const std::string& value);

}  // namespace orb
