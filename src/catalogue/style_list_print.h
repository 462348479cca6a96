#pragma once

#include <string>
#include <vector>

#include "catalogue/print_service.h"

namespace orb {

// One style as the style grid shows it.
struct StyleListRow {
    std::string name;
    std::string description;
    std::string family;
    std::string group;
};

// The style list as printed: a title, a heading and one line per style in grid order, in
// columns of fixed width (a description longer than its column is cut, as the grid cuts it).
std::vector<PrintLine> StyleListLines(const std::vector<StyleListRow>& rows);

// "Print": the style list on the printer.
bool PrintStyleList(PrintService& printer, const std::vector<StyleListRow>& rows);

}  // namespace orb
