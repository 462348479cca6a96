#pragma once

#include <charconv>
#include <concepts>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

// The letter in capitals when it is one of a to z; every other byte, UTF-8 ones included, stays
// as it is. The locale's toupper would change bytes of a multi-byte character under some locales.
constexpr char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperAscii(std::string text);

enum class Sign { Refused, MinusAllowed };

// The whole text as a decimal number: digits only (a leading minus when the caller allows it), no
// blanks, no plus, nothing after; nothing when it is not one or does not fit the type.
template <std::integral Number>
std::optional<Number> wholeNumber(std::string_view text, Sign sign = Sign::Refused) {
    if (text.empty() || (text.front() == '-' && sign == Sign::Refused)) {
        return std::nullopt;
    }
    Number value{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

}  // namespace orb
