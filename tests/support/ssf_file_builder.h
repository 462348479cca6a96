#pragma once

#include <algorithm>
#include <array>
#include <string>

namespace orb::test {

// The twelve values of a single style file as the bytes on disk, in file order: names,
// lengths, parts, author, group, family, description, source file, date.
using SsfFields = std::array<std::string, 12>;

inline std::string fiveDigits(std::size_t value) {
    const std::string digits = std::to_string(value);
    return std::string(5 - std::min<std::size_t>(5, digits.size()), '0') + digits;
}

// The values of a style: the lengths written as five digits from the parts' sizes.
inline SsfFields ssfFields(const std::string& name1, const std::string& name2,
                           const std::string& content1, const std::string& content2,
                           const std::array<std::string, 5>& texts, const std::string& date) {
    SsfFields fields{name1,    name2,   fiveDigits(content1.size()), fiveDigits(content2.size()),
                     content1, content2};
    std::copy(texts.begin(), texts.end(), fields.begin() + 6);
    fields[11] = date;
    return fields;
}

// A single style file built on its own, not by the program's writer: `signature`, then each
// field as its length in five digits and its bytes. `lengthOverride` replaces the digits of
// field `overridden` (from 0) when given.
inline std::string ssfBytes(const SsfFields& fields,
                            const std::string& signature = "SSF_ORB_Quillmar", int overridden = -1,
                            const std::string& lengthOverride = "") {
    std::string bytes = signature;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        bytes += static_cast<int>(i) == overridden ? lengthOverride : fiveDigits(fields[i].size());
        bytes += fields[i];
    }
    return bytes;
}

}  // namespace orb::test
