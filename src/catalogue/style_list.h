#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

class AppState;

// One row of the style list: the columns the catalogue grid and the command line show.
struct StyleListRow {
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleDesc;
    std::string StyleFamily;
    std::string StyleCat;
    std::string StyleAuthor;
    std::string StyleDate;
};

using StyleList = std::vector<StyleListRow>;

inline constexpr const char* kStyleListSelect =
    "SELECT STYLEPROG, STYLENAME1, STYLEDESC, STYLEFAMILY, STYLECAT, STYLEAUTHOR, STYLEDATE FROM "
    "KORFSTYLES";

// The statement of the style list: the select, the condition when there is one, and the order
// (the style number when none is given).
std::string styleListStatement(const std::string& where, const std::string& order);

// The values bound to the condition's parameters: the filter texts that are not empty, in the
// order of the filter fields, as the filter builds its condition from them.
std::vector<std::string> styleListParameters(const AppState& state);

// The catalogue as the current filter and order of the run select it. Throws DbError.
StyleList GetAllStyles(AppState& state);

// A name as the person sees it: bank files pad names with code-0 characters, which are dropped.
std::string withoutNulls(std::string_view text);

}  // namespace orb
