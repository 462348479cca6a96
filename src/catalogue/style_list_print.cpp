#include "catalogue/style_list_print.h"

#include "core/windows1252.h"

namespace orb {
namespace {

constexpr const char* kTitleFont = "ARIAL";
constexpr int kTitleSize = 12;
// A fixed-pitch font keeps the columns aligned.
constexpr const char* kListFont = "Courier New";
constexpr int kListSize = 8;
constexpr std::size_t kNameWidth = 11;
constexpr std::size_t kDescriptionWidth = 40;
constexpr std::size_t kFamilyWidth = 20;
constexpr std::size_t kGap = 2;

// The text cut to `width` characters and padded with blanks to `width` plus the gap.
std::string column(const std::string& text, std::size_t width) {
    std::string cell = utf8Left(text, width);
    cell.append(width + kGap - utf8Length(cell), ' ');
    return cell;
}

std::string listLine(const StyleListRow& row) {
    return column(row.name, kNameWidth) + column(row.description, kDescriptionWidth) +
           column(row.family, kFamilyWidth) + row.group;
}

}  // namespace

std::vector<PrintLine> StyleListLines(const std::vector<StyleListRow>& rows) {
    std::vector<PrintLine> lines;
    lines.push_back({"Styles (" + std::to_string(rows.size()) + ")", kTitleFont, kTitleSize});
    lines.push_back({"", kListFont, kListSize});
    lines.push_back({listLine({"Name", "Description", "Family", "Group"}), kListFont, kListSize});
    for (const StyleListRow& row : rows) {
        lines.push_back({listLine(row), kListFont, kListSize});
    }
    return lines;
}

bool PrintStyleList(PrintService& printer, const std::vector<StyleListRow>& rows) {
    return printer.print(StyleListLines(rows));
}

}  // namespace orb
