#pragma once

#include <cstdint>
#include <string>

namespace orb {

// One style as a bank file holds it: two parts, each a name, a length and its whole chunk
// (8-byte chunk header included). Contents are bytes, one char per byte, never interpreted.
struct KORFStyle {
    // Slot (1..16) when read from a file, the catalogue's number when built from the database.
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleName2;
    // Byte count of the matching content; 0 when the part is absent.
    std::int32_t StyleLength1 = 0;
    std::int32_t StyleLength2 = 0;
    std::string StyleContent1;
    std::string StyleContent2;

    bool operator==(const KORFStyle&) const = default;
};

}  // namespace orb
