#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

// Layout of a Pa60/Pa80 bank file (.STY). Every number is a big-endian 32-bit value.
//
//   0  header (28 bytes): 01 00 01 14, file size - 8, 02 00 00 18, 12, 0B 00 00 00 00 00 00,
//      "KORF", 00
//  28  table chunk: 05 00 00 18, T = 24 x E, then E entries of 24 bytes
//      entry: name (11 bytes, NUL-padded), 7 zero bytes, part type (2 first, 7 second),
//             bank number, slot 0..15, 00 00 00 (first part) or 00 02 00 (second part)
//      then one content chunk per entry, in entry order: tag, length D, D bytes
//      then the index chunk: FE 00 00 18, 16 + 4 x E, "KBEG", 28, E chunk offsets, "KEND", E + 1
namespace orb::sty {

inline constexpr std::size_t kHeaderSize = 28;
inline constexpr std::size_t kSignatureOffset = 23;
inline constexpr std::string_view kSignature = "KORF";
inline constexpr std::size_t kChunkHeaderSize = 8;
inline constexpr std::size_t kEntrySize = 24;
inline constexpr std::size_t kNameSize = 11;
inline constexpr std::size_t kTypeOffset = 18;
inline constexpr std::size_t kBankOffset = 19;
inline constexpr std::size_t kSlotOffset = 20;
inline constexpr int kFirstPartType = 2;
inline constexpr int kSecondPartType = 7;
inline constexpr int kSlotsPerBank = 16;
// Size of the file around the contents: header, table chunk header, index chunk without its
// offsets. Each entry adds 24 bytes of table and 4 bytes of index.
inline constexpr std::uint64_t kFixedSize = 60;
inline constexpr std::uint64_t kSizePerEntry = 28;
// Lengths are read into signed 32-bit numbers.
inline constexpr std::uint64_t kLargestLength = 0x7FFFFFFF;

// Called after every content chunk read or written, so that windows stay painted during long
// imports and bank writing. May be empty.
using EventPump = std::function<void()>;

}  // namespace orb::sty
