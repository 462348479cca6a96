#include "db/bank_styles.h"

#include "db/db_korf_bank.h"
#include "db/db_korf_style.h"

namespace orb {

void LoadBankStyles(const DbKORFBank& bank, Database& connection, KORFStyles& bankStyles) {
    DbKORFStyle styleAccess(connection);
    bankStyles.clear();
    for (int slot = 1; slot <= DbKORFBank::kSlotCount; ++slot) {
        AddBankStyle(bankStyles, styleAccess, bank.BankStyle(slot));
    }
}

void AddBankStyle(KORFStyles& bankStyles, DbKORFStyle& styleAccess, std::int32_t styleNumber) {
    if (styleNumber == 0) {
        return;
    }
    styleAccess.StyleProg = styleNumber;
    // Without this test a slot naming a deleted style would show the previous slot's name.
    std::string name;
    if (styleAccess.GetKORFStylesNoContent()) {
        name = styleAccess.StyleName1;
    }
    bankStyles.Add(styleNumber, std::move(name), "", 0, 0, "", "");
}

}  // namespace orb
