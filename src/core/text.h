#pragma once

#include <string>
#include <string_view>

namespace orb {

// The text without blanks, tabs and line ends at either end: what a person meant to type into
// a path or name field.
inline std::string trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

}  // namespace orb
