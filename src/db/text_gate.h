#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/column_sizes.h"
#include "db/store_error.h"

namespace orb {

// Where a text is to be stored, as a refusal names it: "style 12", "the new style", "the song
// on line 7". An empty place names the field alone.
class TextPlace {
public:
    TextPlace() = default;
    explicit TextPlace(std::string words) : words_(std::move(words)) {}

    static TextPlace style(std::int32_t styleProg);
    static TextPlace bank(std::int32_t bankProg);
    static TextPlace song(std::int32_t songCode);
    static TextPlace link(std::int32_t songCode, std::int32_t styleProg);
    // A row not stored yet: "the new style".
    static TextPlace newRow(std::string_view what);
    // "the song on line 7".
    static TextPlace onLine(std::string_view what, long long line);

    const std::string& words() const { return words_; }
    bool empty() const { return words_.empty(); }

private:
    std::string words_;
};

// The one gate every text passes on its way into the catalogue, whichever door it came through.
// A text is refused when it is not valid UTF-8, holds a control character (a line break, a tab,
// code 0 or any other below 32, or DEL; a style name may end in code-0 padding, as bank files pad
// names), holds a character that the keyboard's Windows-1252 files cannot carry, or has more
// characters than its column takes. The refusal names the field and its place: "The
// description of style 12 holds a line break." Nothing when the column takes the text.
std::optional<std::string> textRefusal(const ColumnSize& column, std::string_view text,
                                       const TextPlace& place);

// Throws StoreError with the refusal of textRefusal.
void requireStorableText(const ColumnSize& column, std::string_view text, const TextPlace& place);

}  // namespace orb
