#include "support/ssf_file_builder.h"

#include <cstdio>

namespace orb::test {
namespace {

std::string fiveDigits(std::size_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05zu", value);
    return digits;
}

}  // namespace

SsfFields ssfFields(const std::string& name1, const std::string& name2, const std::string& content1,
                    const std::string& content2, const std::array<std::string, 5>& texts,
                    const std::string& date) {
    return {name1,
            name2,
            fiveDigits(content1.size()),
            fiveDigits(content2.size()),
            content1,
            content2,
            texts[0],
            texts[1],
            texts[2],
            texts[3],
            texts[4],
            date};
}

std::string ssfBytes(const SsfFields& fields, const std::string& signature, int overridden,
                     const std::string& lengthOverride) {
    std::string bytes = signature;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        bytes += static_cast<int>(i) == overridden ? lengthOverride : fiveDigits(fields[i].size());
        bytes += fields[i];
    }
    return bytes;
}

}  // namespace orb::test
