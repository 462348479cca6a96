#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orb {

// Big-endian number fields of the bank files. Bytes travel as std::string, one char per byte.

// Reads up to four bytes as a big-endian number, a shorter text as if padded on the right with
// zero bytes. Throws OrbError when the value does not fit a signed 32-bit integer.
std::int32_t BytesToLong(std::string_view bytes);

// The value in big-endian order, padded on the left with NUL bytes to exactly `width` bytes;
// 0 and negative values give `width` NULs, high bytes beyond the width are lost.
std::string LongToBytes(std::int32_t value, int width);

// Code of the first byte (0 to 255); 0 for the empty text.
int FirstCharCode(std::string_view bytes);

}  // namespace orb
