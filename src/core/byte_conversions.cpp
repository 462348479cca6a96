#include "core/byte_conversions.h"

namespace orb {

NumberOverflowError::NumberOverflowError(std::uint32_t value)
    : OrbError("Overflow: a number field holds " + std::to_string(value) +
               ", which is 2^31 or more."),
      value(value) {}

std::int32_t BytesToLong(std::string_view bytes) {
    if (bytes.size() > 4) {
        throw OrbError("A number field is longer than four bytes.");
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint64_t byte = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
        value = (value << 8) | byte;
    }
    if (value > 0x7FFFFFFFu) {
        throw NumberOverflowError(static_cast<std::uint32_t>(value));
    }
    return static_cast<std::int32_t>(value);
}

std::string LongToBytes(std::int32_t value, int width) {
    if (width <= 0) {
        return {};
    }
    std::string result(static_cast<std::size_t>(width), '\0');
    if (value <= 0) {
        return result;
    }
    std::uint32_t rest = static_cast<std::uint32_t>(value);
    for (int i = width - 1; i >= 0 && rest > 0; --i) {
        result[static_cast<std::size_t>(i)] = static_cast<char>(rest & 0xFFu);
        rest >>= 8;
    }
    return result;
}

}  // namespace orb
