#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/errors.h"

namespace orb {

// The dump file (.ODD): CRLF lines of Windows-1252 text; the style blocks are written byte for
// byte and read back by their lengths. An empty line is an empty text or a null number; an empty
// line ended by a line feed alone is a null text (files that hold no null text never contain
// one, so older dumps read as they always did).
namespace dump {

inline constexpr const char* kMarker = "ORB BACKUP";
inline constexpr const char* kCountPrefix = "##NR";
inline constexpr const char* kLineEnd = "\r\n";
inline constexpr const char* kNullTextLine = "\n";

struct Section {
    const char* table;         // "KORFBanks"
    const char* header;        // "TABLE KORFBANKS"
    const char* countQuery;    // counts the rows to write
    const char* orderedQuery;  // reads them in file order
    int columns;               // values (lines) per row
    const char* kinds;         // per column: N a number, T a text, B a style block
};

// The four sections in file order. The style section's rows are read by length, not by lines.
inline constexpr std::array<Section, 4> kSections = {{
    {"KORFBanks", "TABLE KORFBANKS", "SELECT * FROM KORFBANKS",
     "SELECT * FROM KORFBANKS ORDER BY BANKPROG, BANKNAME", 19, "NTTNNNNNNNNNNNNNNNN"},
    {"KORFSongs", "TABLE KORFSONGS", "SELECT * FROM KORFSONGS",
     "SELECT * FROM KORFSONGS ORDER BY SONGCODE", 3, "NTT"},
    {"KORFSonSty", "TABLE KORFSONSTY", "SELECT * FROM KORFSONSTY",
     "SELECT * FROM KORFSONSTY ORDER BY SONGCODE, STYLEPROG", 5, "NNTTT"},
    {"KORFStyles", "TABLE KORFSTYLES", "SELECT * FROM KORFSTYLES",
     "SELECT * FROM KORFSTYLES ORDER BY STYLEPROG", 14, "NTTNNBBBTTTTTT"},
}};

inline constexpr int kStyleSeekLength = 250;

}  // namespace dump

// A dump that cannot be written, or a file that is not a dump or is damaged.
class DumpError : public OrbError {
public:
    explicit DumpError(const std::string& message) : OrbError(message) {}
};

// Called after every row with the number of rows done so far.
using DumpProgress = std::function<void(long long rowsDone)>;

}  // namespace orb
