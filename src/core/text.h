#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A style name as a person reads it: without the blanks and code-0 characters that pad it to
// eleven characters in the bank files.
inline std::string withoutPadding(std::string_view name) {
    const auto end = name.find_last_not_of(std::string_view(" \0", 2));
    return end == std::string_view::npos ? std::string() : std::string(name.substr(0, end + 1));
}

// "1 style", "3 styles".
inline std::string counted(long long count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// "12", "12 and 40", "12, 40 and 77".
inline std::string listedNumbers(const std::vector<std::int32_t>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += (i == 0                    ? ""
                 : i + 1 == numbers.size() ? " and "
                                           : ", ") +
                std::to_string(numbers[i]);
    }
    return text;
}

}  // namespace orb
