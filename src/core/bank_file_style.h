#pragma once

#include <cstdint>
#include <string>

namespace orb {

// One style as a bank file holds it: its slot in the bank and two parts, each a name, a length
// and its whole chunk (8-byte chunk header included). Contents are bytes, one char per byte,
// never interpreted. The part fields carry the names of the catalogue columns they are stored in.
struct BankFileStyle {
    // 1 to 16 within its bank as read from a file. The writer fills slots by position instead.
    int slot = 0;
    std::string StyleName1{};
    std::string StyleName2{};
    // Byte count of the matching content; 0 when the part is absent.
    std::int32_t StyleLength1 = 0;
    std::int32_t StyleLength2 = 0;
    std::string StyleContent1{};
    std::string StyleContent2{};

    bool operator==(const BankFileStyle&) const = default;
};

}  // namespace orb
