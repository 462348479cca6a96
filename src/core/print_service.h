#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/windows1252.h"

namespace orb {

// One printed line and the font it is printed in.
struct PrintLine {
    std::string text;
    std::string fontName;
    int fontSize = 10;

    bool operator==(const PrintLine&) const = default;
};

// A column of a printed list: the text cut to `width` characters and padded with blanks to
// `width` plus a gap of two, so that the next column starts aligned in a fixed-pitch font.
inline std::string printColumn(std::string_view text, std::size_t width) {
    constexpr std::size_t kGap = 2;
    std::string cell = utf8Left(text, width);
    cell.append(width + kGap - utf8Length(cell), ' ');
    return cell;
}

// The printer: prints lines one under the other, starting a new page when one is full, and
// ends the document. The windows supply the real printer; tests record or print to PDF.
class PrintService {
public:
    virtual ~PrintService() = default;
    // `title` names the document: the printer's job, or the PDF file proposed when there is no
    // printer. False when nothing was printed (no output chosen, or the printer failed); the
    // implementation has told the person why.
    virtual bool print(const std::vector<PrintLine>& lines, const std::string& title) = 0;
};

}  // namespace orb
