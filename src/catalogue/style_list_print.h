#pragma once

#include <vector>

#include "catalogue/style_list.h"
#include "core/print_service.h"

namespace orb {

// The style list as printed: a title, a heading and one line per style in list order with the
// columns the grid shows (name without code-0 characters, description, family, group), in
// columns of fixed width (a description longer than its column is cut, as the grid cuts it).
std::vector<PrintLine> StyleListLines(const StyleList& rows);

// "Print": the style list on the printer.
bool PrintStyleList(PrintService& printer, const StyleList& rows);

}  // namespace orb
