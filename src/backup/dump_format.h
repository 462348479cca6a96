#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/errors.h"
#include "db/catalogue_dump.h"

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
    CatalogueTable source;  // the table the section holds
    const char* table;      // "KORFBanks"
    const char* header;     // "TABLE KORFBANKS"
    int columns;            // values (lines) per row
    const char* kinds;      // per column: N a number, T a text, B a style block
    // The columns in file order, separated by blanks, as the catalogue names them.
    const char* names;
};

// The four sections in file order. The style section's rows are read by length, not by lines.
inline constexpr std::array<Section, 4> kSections = {{
    {CatalogueTable::Banks, "KORFBanks", "TABLE KORFBANKS", 19, "NTTNNNNNNNNNNNNNNNN",
     "BankProg BankName BankDesc BankStyle01 BankStyle02 BankStyle03 BankStyle04 BankStyle05 "
     "BankStyle06 BankStyle07 BankStyle08 BankStyle09 BankStyle10 BankStyle11 BankStyle12 "
     "BankStyle13 BankStyle14 BankStyle15 BankStyle16"},
    {CatalogueTable::Songs, "KORFSongs", "TABLE KORFSONGS", 3, "NTT",
     "SongCode SongTitle SongPerformer"},
    {CatalogueTable::Links, "KORFSonSty", "TABLE KORFSONSTY", 5, "NNTTT",
     "SongCode StyleProg StyleTempo StyleTranspose SongNote"},
    {CatalogueTable::Styles, "KORFStyles", "TABLE KORFSTYLES", 14, "NTTNNBBBTTTTTT",
     "StyleProg StyleName1 StyleName2 StyleLength1 StyleLength2 StyleContent1 StyleContent2 "
     "StyleSeek StyleDate StyleDesc StyleCat StyleFamily StyleFile StyleAuthor"},
}};

// The keyboard set-ups follow the styles, and only when there are any, so that a catalogue
// without set-ups dumps as it always did.
inline constexpr Section kSetupSection = {CatalogueTable::Setups,
                                          "KORFSetups",
                                          "TABLE KORFSETUPS",
                                          14,
                                          "TTNNNNNNNNNNNN",
                                          "SetupName SetupDesc SetupFD01 SetupFD02 SetupFD03 "
                                          "SetupHD01 SetupHD02 SetupHD03 SetupHD04 SetupHD05 "
                                          "SetupHD06 SetupHD07 SetupHD08 SetupHD09"};

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
