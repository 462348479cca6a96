#include "catalogue/bank_collection.h"

#include "core/user_dialogs.h"
#include "db/bank_store.h"
#include "db/style_store.h"

namespace orb {

KORFStyles LoadBankContents(Database& connection, const KORFStyles& bankStyles) {
    StyleStore styles(connection);
    KORFStyles complete;
    for (const KORFStyle& slot : bankStyles) {
        KORFStyle& record = complete.Add(slot);
        record.StyleLength1 = 0;
        record.StyleLength2 = 0;
        if (std::optional<StyleRow> stored = styles.find(slot.StyleProg)) {
            record = static_cast<KORFStyle&&>(std::move(*stored));
        }
    }
    return complete;
}

bool CollectStoredBank(Database& connection, UserDialogs& dialogs, std::int32_t bankProg,
                       KORFStyles& styles) {
    styles.clear();
    const std::optional<BankRow> bank = BankStore(connection).find(bankProg);
    if (!bank) {
        return false;
    }
    StyleStore store(connection);
    for (const std::int32_t prog : bank->BankStyle) {
        if (prog != 0) {
            if (std::optional<StyleRow> stored = store.find(prog)) {
                styles.Add(static_cast<KORFStyle&&>(std::move(*stored)));
            }
        }
        dialogs.processEvents();
    }
    return true;
}

}  // namespace orb
