#pragma once

#include <iosfwd>
#include <span>
#include <string>

#include "core/bank_file_style.h"
#include "stylefiles/sty_format.h"

namespace orb {

// Writes `styles` as one bank file to `out`: the style at index i fills slot i (counted from 0,
// whatever its `slot` says) and
// carries `bankNumber` in its entries; a part of length 0 is left out. Names are written in
// Windows-1252, cut or NUL-padded to 11 bytes; contents exactly as they are.
// Everything is checked before the first byte is written: a bank number outside 0 to 255,
// more than 256 styles, a length that differs from its content's byte count, or a file of
// 2 GB or more throw StyleFileError. A failing stream throws StyleFileError too.
// `fileName` names the file in error messages.
void writeStyleFile(std::ostream& out, std::span<const BankFileStyle> styles, int bankNumber,
                    const std::string& fileName, const sty::EventPump& letEventsRun = {});

}  // namespace orb
