#include "stylefiles/style_values.h"

#include "core/windows1252.h"

namespace orb {

std::string styleValueRefusal(std::size_t index, const std::string& value) {
    const std::string name = kStyleValueNames.at(index);
    const int length = kStyleValueLengths.at(index);
    if (utf8Length(value) > static_cast<std::size_t>(length)) {
        return "The " + name + " may be at most " + std::to_string(length) + " characters long.";
    }
    if (!fitsWindows1252(value)) {
        return "The " + name + " may hold only characters of the Windows-1252 character set.";
    }
    return {};
}

}  // namespace orb
