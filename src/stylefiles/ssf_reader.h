#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "db/style_store.h"

namespace orb {

// Reads a single style file from `in`. Nothing when it does not begin with the signature.
// Otherwise the style with its names, lengths, parts and descriptive texts (Windows-1252 on
// disk, UTF-8 here), StyleDate in the stored form "yyyy/mm/dd", StyleProg 0 and no search key.
// A damaged file throws StyleFileError "The file <fileName> is damaged: ...": a length that is
// not five digits, fewer bytes than a length announces, a length value that is no number or
// disagrees with its part, a date that is no date, or bytes after the date. Never allocates
// more than 99,999 bytes for one field.
std::optional<StyleRow> readSsf(std::istream& in, const std::string& fileName);

}  // namespace orb
