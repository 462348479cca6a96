#pragma once

#include <iosfwd>
#include <string>

#include "db/style_store.h"

namespace orb {

// Writes `style` as a single style file to `out`: the signature and the twelve fields, texts
// in Windows-1252 with their byte counts as lengths, the date as "dd/mm/yyyy". A style that
// cannot be written (see ssfRefusal) throws StyleFileError before the first byte; so does a
// failing stream. `fileName` names the file in error messages.
void writeSsf(std::ostream& out, const StyleRow& style, const std::string& fileName);

}  // namespace orb
