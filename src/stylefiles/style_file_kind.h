#pragma once

#include <string>
#include <string_view>

namespace orb {

// What a file given to the bank reader turned out to be.
enum class StyleFileKind : int {
    PaBank = 0,
    KorgI3 = 1,    // "KORG9": i3, i2, i1, i4s
    KorgI5 = 2,    // "KORG<": i5
    KorgIS40 = 3,  // "KORGM": iS40, iS50
    KorgI30 = 4,   // "KORGI": i30
    Unknown = 5,
};

// The kind of a file that lacks the bank signature, told by its first five bytes.
StyleFileKind recogniseOtherKorgFile(std::string_view firstBytes);

// The line the import writes to its log for a file that is not a Pa bank (kind 1 to 5),
// without the line end: the short name followed by what the file is.
std::string notABankLogLine(std::string_view shortName, StyleFileKind kind);

}  // namespace orb
