#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/bank_file_style.h"
#include "stylefiles/sty_format.h"
#include "stylefiles/style_file_kind.h"

namespace orb {

// One bank of a bank file: the bank number byte its table entries carry, and its styles in
// slot order, each with its slot (1 to 16).
struct StyleFileBank {
    int bankNumber = 0;
    std::vector<BankFileStyle> styles;
};

struct StyleFileContents {
    StyleFileKind kind = StyleFileKind::Unknown;
    // For a Pa bank file at least one bank, in the order the table first names each bank
    // number; a file whose table is empty gives one empty bank numbered 0. Empty otherwise.
    std::vector<StyleFileBank> banks;
};

// Reads a bank file from `in`, front to back. `fileName` names the file in error messages.
// Most files hold one bank; some hold two (32 styles, each bank with its own bank number and
// slots 0 to 15), and the table's bank numbers tell them apart.
// Throws StyleFileError for an empty, truncated or damaged file; never allocates more than
// what the stream still holds.
StyleFileContents readStyleFile(std::istream& in, const std::string& fileName,
                                const sty::EventPump& letEventsRun = {});

}  // namespace orb
