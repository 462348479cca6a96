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

std::string listLine(const std::string& name, const std::string& description,
                     const std::string& family, const std::string& group) {
    return printColumn(name, kNameWidth) + printColumn(description, kDescriptionWidth) +
           printColumn(family, kFamilyWidth) + group;
}

}  // namespace

std::vector<PrintLine> StyleListLines(const StyleList& rows) {
    std::vector<PrintLine> lines;
    lines.push_back({"Styles (" + std::to_string(rows.size()) + ")", kTitleFont, kTitleSize});
    lines.push_back({"", kListFont, kListSize});
    lines.push_back({listLine("Name", "Description", "Family", "Group"), kListFont, kListSize});
    for (const StyleListRow& row : rows) {
        lines.push_back(
            {listLine(withoutNulls(row.StyleName1), row.StyleDesc, row.StyleFamily, row.StyleCat),
             kListFont, kListSize});
    }
    return lines;
}

bool PrintStyleList(PrintService& printer, const StyleList& rows) {
    return printer.print(StyleListLines(rows), "Styles");
}

}  // namespace orb
