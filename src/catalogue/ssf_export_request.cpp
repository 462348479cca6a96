#include "catalogue/ssf_export_request.h"

#include "catalogue/current_bank.h"
#include "catalogue/styles_controller.h"

namespace orb {

SsfExportRequest ssfStylesExportRequest(const StylesController& styles) {
    SsfExportRequest request;
    const StyleList& rows = styles.styleList();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const auto index = static_cast<int>(row);
        if (index >= styles.selectedRowFirst() && index <= styles.selectedRowLast()) {
            request.selectedStyles.push_back(rows[row].StyleProg);
        }
        request.allStyles.push_back(rows[row].StyleProg);
    }
    return request;
}

SsfExportRequest ssfBankExportRequest(const StylesController& styles, const CurrentBank& bank) {
    SsfExportRequest request = ssfStylesExportRequest(styles);
    request.forBank = true;
    request.bankName = bank.name();
    for (const BankSlot& slot : bank.styles()) {
        request.bankStyles.push_back(slot.style.value);
    }
    return request;
}

}  // namespace orb
