#include "stylefiles/short_name.h"

#include <string_view>

#include "core/ascii_text.h"
#include "core/windows1252.h"

namespace orb {
namespace {

bool isAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Characters a DOS name may hold besides letters and digits. The apostrophe is left out: the
// short name stands between quotes in SQL texts.
bool isShortNameChar(char c) {
    return isAsciiAlnum(c) || std::string_view("!#$%&()-@^_`{}~").find(c) != std::string_view::npos;
}

bool allShortNameChars(std::string_view text) {
    for (char c : text) {
        if (!isShortNameChar(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string shortFileName(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::size_t dot = name.rfind('.');
    const std::string_view base =
        std::string_view(name).substr(0, dot == std::string::npos ? name.size() : dot);
    const std::string_view extension =
        dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot + 1);

    if (!base.empty() && base.size() <= 8 && extension.size() <= 3 && allShortNameChars(base) &&
        allShortNameChars(extension) && (dot == std::string::npos || !extension.empty())) {
        return upperAscii(name);
    }
    std::string result;
    for (char c : base) {
        if (result.size() == 6) {
            break;
        }
        if (isAsciiAlnum(c)) {
            result += upperAscii(c);
        }
    }
    result += "~1";
    if (!extension.empty()) {
        result += '.';
        result += upperAscii(utf8Left(extension, 3));
    }
    return result;
}

}  // namespace orb
