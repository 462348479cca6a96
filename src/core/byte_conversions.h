#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/errors.h"

namespace orb {

// Big-endian number fields of the bank files. Bytes travel as std::string, one char per byte.

// A number field that holds 2^31 or more; `value` is what it holds.
class NumberOverflowError : public OrbError {
public:
    explicit NumberOverflowError(std::uint32_t value);
    std::uint32_t value;
};

// Reads up to four bytes as a big-endian number, a shorter text as if padded on the right with
// zero bytes. Throws NumberOverflowError when the value does not fit a signed 32-bit
// integer, OrbError for more than four bytes.
std::int32_t BytesToLong(std::string_view bytes);

// The value in big-endian order, padded on the left with NUL bytes to exactly `width` bytes;
// 0 and negative values give `width` NULs, high bytes beyond the width are lost.
std::string LongToBytes(std::int32_t value, int width);

}  // namespace orb
