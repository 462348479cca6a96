#pragma once

#include "stylefiles/ssf_export.h"

namespace orb {

class CurrentBank;
class StylesController;

// What the export window opens with from the styles window: the style numbers of the selected
// block of grid rows and of every grid row, in grid order.
SsfExportRequest ssfStylesExportRequest(const StylesController& styles);
// The same for the current bank's export, with the bank's styles in slot order and its name.
SsfExportRequest ssfBankExportRequest(const StylesController& styles, const CurrentBank& bank);

}  // namespace orb
