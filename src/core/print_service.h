#pragma once

#include <string>
#include <vector>

namespace orb {

// One printed line and the font it is printed in.
struct PrintLine {
    std::string text;
    std::string fontName;
    int fontSize = 10;

    bool operator==(const PrintLine&) const = default;
};

// The printer: prints lines one under the other, starting a new page when one is full, and
// ends the document. The windows supply the real printer; tests record or print to PDF.
class PrintService {
public:
    virtual ~PrintService() = default;
    // False when nothing was printed (no output chosen, or the printer failed); the
    // implementation has told the person why.
    virtual bool print(const std::vector<PrintLine>& lines) = 0;
};

}  // namespace orb
