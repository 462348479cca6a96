#include "db/text_gate.h"

#include "core/windows1252.h"
#include "db/store_error.h"

namespace orb {
namespace {

constexpr char kDelete = 0x7F;

// The first control character of the text, or npos. A padded name may end in a run of blanks
// and code-0 characters.
std::size_t firstControl(std::string_view text, bool paddedName) {
    std::size_t end = text.size();
    if (paddedName) {
        const std::size_t last = text.find_last_not_of(std::string_view(" \0", 2));
        end = last == std::string_view::npos ? 0 : last + 1;
    }
    for (std::size_t i = 0; i < end; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code < 0x20 || text[i] == kDelete) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string controlName(char c) {
    switch (c) {
        case '\n':
        case '\r':
            return "a line break";
        case '\t':
            return "a tab";
        case '\0':
            return "a code-0 character";
        default:
            return "a control character (code " + std::to_string(static_cast<unsigned char>(c)) +
                   ")";
    }
}

// Printable ASCII within the column's size: the common text, taken without decoding it.
bool plainShortText(const ColumnSize& column, std::string_view text) {
    if (text.size() > static_cast<std::size_t>(column.size)) {
        return false;
    }
    for (const char c : text) {
        if (c < 0x20 || c >= kDelete) {
            return false;
        }
    }
    return true;
}

std::string reasonOf(const ColumnSize& column, std::string_view text) {
    if (plainShortText(column, text)) {
        return {};
    }
    if (!isValidUtf8(text)) {
        return "is not valid UTF-8 text";
    }
    if (const std::size_t control = firstControl(text, column.paddedName);
        control != std::string_view::npos) {
        return "holds " + controlName(text[control]);
    }
    if (const std::string outside = firstCharacterOutsideWindows1252(text); !outside.empty()) {
        return "holds \"" + outside +
               "\", which the keyboard's files cannot carry (Windows-1252 only)";
    }
    if (const std::size_t length = utf8Length(text);
        length > static_cast<std::size_t>(column.size)) {
        return "has " + std::to_string(length) + " characters; it takes at most " +
               std::to_string(column.size);
    }
    return {};
}

}  // namespace

TextPlace TextPlace::style(std::int32_t styleProg) {
    return TextPlace("style " + std::to_string(styleProg));
}

TextPlace TextPlace::bank(std::int32_t bankProg) {
    return TextPlace("bank " + std::to_string(bankProg));
}

TextPlace TextPlace::song(std::int32_t songCode) {
    return TextPlace("song " + std::to_string(songCode));
}

TextPlace TextPlace::link(std::int32_t songCode, std::int32_t styleProg) {
    return TextPlace("the link of song " + std::to_string(songCode) + " to style " +
                     std::to_string(styleProg));
}

TextPlace TextPlace::newRow(std::string_view what) {
    return TextPlace("the new " + std::string(what));
}

TextPlace TextPlace::onLine(std::string_view what, long long line) {
    return TextPlace("the " + std::string(what) + " on line " + std::to_string(line));
}

std::optional<std::string> textRefusal(const ColumnSize& column, std::string_view text,
                                       const TextPlace& place) {
    const std::string reason = reasonOf(column, text);
    if (reason.empty()) {
        return std::nullopt;
    }
    return "The " + std::string(column.label) + (place.empty() ? "" : " of " + place.words()) +
           " " + reason + ".";
}

void requireStorableText(const ColumnSize& column, std::string_view text, const TextPlace& place) {
    if (std::optional<std::string> refusal = textRefusal(column, text, place)) {
        throw StoreError(*refusal, StoreError::Kind::Text);
    }
}

}  // namespace orb
