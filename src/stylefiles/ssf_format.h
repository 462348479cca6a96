#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/style_store.h"

// Layout of a single style file (.SSF): the 16-byte signature, then twelve fields, each a
// length written as exactly five decimal digits followed by that many bytes of value:
//   first name, second name, first length, second length (each "00005" and five digits),
//   first part, second part (the style's blocks, as bytes), author, group, family,
//   description, source file (Windows-1252 text), date ("00010" and "dd/mm/yyyy").
namespace orb::ssf {

inline constexpr std::string_view kSignature = "SSF_ORB_Quillmar";
inline constexpr std::size_t kFieldCount = 12;
inline constexpr std::size_t kLengthDigits = 5;
// Five digits hold no larger length; a longer value would make a file nobody can read back.
inline constexpr std::size_t kLargestValue = 99999;
inline constexpr std::string_view kExtension = ".SSF";

// What each field holds, as messages name it.
inline constexpr const char* kFieldNames[kFieldCount] = {
    "first name", "second name", "first length", "second length", "first part",  "second part",
    "author",     "group",       "family",       "description",   "source file", "date"};

}  // namespace orb::ssf

namespace orb {

// "dd/mm/yyyy" for a stored "yyyy/mm/dd" date; nothing when the text is no such date.
std::optional<std::string> ssfDateOf(std::string_view storedDate);
// The stored form "yyyy/mm/dd" of a file's date: day, month and year of two, two and four
// digits, separated by "/" (or "." or "-", which other date settings write); nothing when
// it is no calendar date.
std::optional<std::string> storedDateOf(std::string_view ssfDate);

// Why `style` cannot be written as a single style file, empty when it can: a value of more
// than 99,999 bytes, a length that does not fit five digits or differs from its part's size,
// text that Windows-1252 cannot carry, or a date that is not "yyyy/mm/dd".
std::string ssfRefusal(const StyleRow& style);

// Why a part's length does not describe its bytes, empty when it does. A part stored empty
// is kept as one blank with length 0, and that form counts as agreeing.
std::string ssfLengthMismatch(const char* field, std::int64_t length, std::string_view part);

// The file name a style's first name gives, without extension: upper-cased, with every
// character other than A-Z, 0-9 and "_" dropped (blanks and accented letters included).
// Empty when nothing is left.
std::string ssfBaseName(std::string_view styleName1);

}  // namespace orb
