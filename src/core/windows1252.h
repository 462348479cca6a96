#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orb {

// The single-byte files (bank tables, SSF fields, dumps, song lists) hold Windows-1252 text;
// in memory and in the database text is UTF-8. Every byte value round-trips: the five bytes
// that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 ... and back.

std::string windows1252ToUtf8(std::string_view bytes);

// A character that Windows-1252 cannot hold becomes "?". Invalid UTF-8 bytes are taken as
// Windows-1252 bytes of their own, so nothing is lost.
std::string utf8ToWindows1252(std::string_view text);

// True when every character of the UTF-8 text has a Windows-1252 byte, so that a file can carry
// the text exactly. Bytes that are not UTF-8 count as Windows-1252 bytes of their own.
bool fitsWindows1252(std::string_view text);

// The first character of the UTF-8 text that Windows-1252 cannot hold, as UTF-8; empty when
// every character fits.
std::string firstCharacterOutsideWindows1252(std::string_view text);

// The UTF-8 text of UTF-16 `bytes` (without byte-order mark), little- or big-endian; nothing
// when they are not UTF-16 (an odd number of bytes, a surrogate without its partner).
std::optional<std::string> utf16ToUtf8(std::string_view bytes, bool bigEndian);

// True when `bytes` is well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string utf8Left(std::string_view text, std::size_t count);

}  // namespace orb
