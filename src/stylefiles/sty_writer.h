#pragma once

#include <iosfwd>
#include <string>

#include "core/korf_styles.h"
#include "stylefiles/sty_format.h"

namespace orb {

// Writes `styles` as one bank file to `out`: the record at position i fills slot i - 1 and
// carries `bankNumber` in its entries; a part of length 0 is left out. Names are written in
// Windows-1252, cut or NUL-padded to 11 bytes; contents exactly as they are.
// Everything is checked before the first byte is written: a bank number outside 0 to 255,
// more than 256 records, a length that differs from its content's byte count, or a file of
// 2 GB or more throw StyleFileError. A failing stream throws StyleFileError too.
// `fileName` names the file in error messages.
void writeStyleFile(std::ostream& out, const KORFStyles& styles, int bankNumber,
                    const std::string& fileName, const sty::EventPump& letEventsRun = {});

}  // namespace orb
