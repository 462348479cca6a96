#pragma once

#include <array>
#include <string>

namespace orb::test {

// The twelve values of a single style file as the bytes on disk, in file order: names,
// lengths, parts, author, group, family, description, source file, date.
using SsfFields = std::array<std::string, 12>;

// The values of a style: the lengths written as five digits from the parts' sizes.
SsfFields ssfFields(const std::string& name1, const std::string& name2, const std::string& content1,
                    const std::string& content2, const std::array<std::string, 5>& texts,
                    const std::string& date);

// A single style file built on its own, not by the program's writer: `signature`, then each
// field as its length in five digits and its bytes. `lengthOverride` replaces the digits of
// field `overridden` (from 0) when given.
std::string ssfBytes(const SsfFields& fields, const std::string& signature = "SSF_ORB_Quillmar",
                     int overridden = -1, const std::string& lengthOverride = "");

}  // namespace orb::test
