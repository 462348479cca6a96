#pragma once

// Style blocks as real banks have them, made from a seed: the same seed gives the same style.
// First parts are 2 to 30 KB, second parts 0.3 to 0.6 KB, chunk headers included.

#include <cstdint>
#include <string>

#include "core/bank_file_style.h"

namespace orb::bench {

// Fast, repeatable filler bytes (xorshift).
class ByteSource {
public:
    explicit ByteSource(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    void fill(std::string& out, std::size_t count) {
        while (count > 0) {
            std::uint64_t word = next();
            for (int i = 0; i < 8 && count > 0; ++i, --count) {
                out += static_cast<char>(word & 0xFF);
                word >>= 8;
            }
        }
    }

private:
    std::uint64_t state_;
};

// A chunk as a bank file holds it: a 4-byte tag shared by every style's chunk of that part, the
// big-endian data length, then the data.
inline std::string chunk(const char (&tag)[5], std::size_t dataSize, ByteSource& bytes) {
    std::string out(tag, 4);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((dataSize >> shift) & 0xFF);
    }
    out.reserve(8 + dataSize);
    bytes.fill(out, dataSize);
    return out;
}

// Style `seed` with both names set to `name`; different seeds give different contents.
inline BankFileStyle realisticStyle(std::uint64_t seed, const std::string& name = "Style name ") {
    ByteSource bytes(seed);
    const std::size_t size1 = 2048 + bytes.next() % (30 * 1024 - 2048 + 1);
    const std::size_t size2 = 300 + bytes.next() % 301;
    BankFileStyle style;
    style.StyleName1 = name;
    style.StyleName2 = name;
    style.StyleContent1 = chunk("\x03\x00\x00\x18", size1 - 8, bytes);
    style.StyleContent2 = chunk("\x04\x00\x00\x18", size2 - 8, bytes);
    style.StyleLength1 = static_cast<std::int32_t>(style.StyleContent1.size());
    style.StyleLength2 = static_cast<std::int32_t>(style.StyleContent2.size());
    return style;
}

}  // namespace orb::bench
