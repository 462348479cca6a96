#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace orb {

// The descriptive columns a person filters and sorts the style list by, in the order of the
// filter window's fields.
enum class StyleColumn { Name = 0, Description, Family, Group, File, Author };
inline constexpr std::size_t kStyleColumnCount = 6;

struct StyleSortKey {
    StyleColumn column = StyleColumn::Name;
    bool descending = false;
    bool operator==(const StyleSortKey&) const = default;
};

// What the style list shows: a filter text per column and the sort keys in order. A text holding
// "%" matches as a pattern (LIKE), any other text exactly; letter case does not count, and a
// name matches with the blanks and code-0 characters that pad it in bank files. An empty text
// filters nothing. With no sort key the list is in style-number order. The texts are taken as
// given; the filter window trims and upper-cases what the person typed.
struct StyleQuery {
    static constexpr std::size_t kMaxSortKeys = 6;

    std::array<std::string, kStyleColumnCount> filters;
    std::vector<StyleSortKey> order;

    std::string& filter(StyleColumn column) { return filters[static_cast<std::size_t>(column)]; }
    const std::string& filter(StyleColumn column) const {
        return filters[static_cast<std::size_t>(column)];
    }
    // True when some filter text is set.
    bool filtered() const {
        return std::any_of(filters.begin(), filters.end(),
                           [](const std::string& text) { return !text.empty(); });
    }
    bool operator==(const StyleQuery&) const = default;
};

}  // namespace orb
