#pragma once

#include "stylefiles/ssf_export.h"

namespace orb {

class StylesController;

// What the export window opens with from the styles window: the style numbers of the selected
// block of grid rows and of every grid row, in grid order.
SsfExportRequest ssfStylesExportRequest(const StylesController& styles);
// The same for the current bank's export, whose styles the window reads from the state.
SsfExportRequest ssfBankExportRequest(const StylesController& styles);

}  // namespace orb
