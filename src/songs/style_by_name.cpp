#include "songs/style_by_name.h"

#include "db/database.h"

namespace orb {
namespace {

constexpr std::string_view kPadding{" \0", 2};

std::string withoutPadding(std::string_view name) {
    const auto first = name.find_first_not_of(kPadding);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(name.substr(first, name.find_last_not_of(kPadding) - first + 1));
}

}  // namespace

std::vector<std::int32_t> StylesNamed(Database& connection, const std::string& name) {
    const std::string wanted = withoutPadding(name);
    std::vector<std::int32_t> found;
    if (wanted.empty()) {
        return found;
    }
    // A padded name sorts from the bare name up to, but not including, the bare name followed by
    // "!", the first character after the blank; what lies between is checked to be padding.
    Rows rows = connection.query(
        "SELECT StyleProg, StyleName1 FROM KORFStyles WHERE StyleName1 >= pLow AND StyleName1 < "
        "pHigh ORDER BY StyleProg",
        {wanted, wanted + "!"});
    while (rows.next()) {
        const std::string_view stored = rows.bytes(1);
        if (stored.size() >= wanted.size() &&
            stored.substr(wanted.size()).find_first_not_of(kPadding) == std::string_view::npos) {
            found.push_back(static_cast<std::int32_t>(rows.integer(0)));
        }
    }
    return found;
}

}  // namespace orb
