#include "app/bank_styles.h"

#include "app/app_state.h"
#include "app/errors.h"

namespace orb {

void LoadBankStyles(AppState& state) {
    if (!state.BankAccess) {
        throw OrbError("No database is open, so there is no current bank.");
    }
    DbKORFStyle styleAccess(state.connection);
    state.BankStyles.clear();
    for (int slot = 1; slot <= DbKORFBank::kSlotCount; ++slot) {
        AddBankStyle(state, styleAccess, state.BankAccess->BankStyle(slot));
    }
}

void AddBankStyle(AppState& state, DbKORFStyle& styleAccess, std::int32_t styleNumber) {
    if (styleNumber == 0) {
        return;
    }
    styleAccess.StyleProg = styleNumber;
    // Without this test a slot naming a deleted style would show the previous slot's name.
    std::string name;
    if (styleAccess.GetKORFStylesNoContent()) {
        name = styleAccess.StyleName1;
    }
    state.BankStyles.Add(styleNumber, std::move(name), "", 0, 0, "", "");
}

}  // namespace orb
