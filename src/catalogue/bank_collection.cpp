#include "catalogue/bank_collection.h"

#include "core/user_dialogs.h"
#include "db/bank_store.h"
#include "db/style_store.h"

namespace orb {

std::vector<BankFileStyle> LoadBankContents(Database& connection,
                                            const std::vector<BankSlot>& slots) {
    StyleStore styles(connection);
    std::vector<BankFileStyle> complete;
    for (const BankSlot& slot : slots) {
        const int position = static_cast<int>(complete.size()) + 1;
        if (std::optional<StyleRow> stored = styles.find(slot.style.value)) {
            complete.push_back(bankFileStyleOf(*stored, position));
        } else {
            complete.push_back({.slot = position, .StyleName1 = slot.name});
        }
    }
    return complete;
}

std::optional<std::vector<BankFileStyle>> CollectStoredBank(Database& connection,
                                                            UserDialogs& dialogs,
                                                            std::int32_t bankProg) {
    const std::optional<BankRow> bank = BankStore(connection).find(bankProg);
    if (!bank) {
        return std::nullopt;
    }
    StyleStore store(connection);
    std::vector<BankFileStyle> styles;
    for (const std::int32_t prog : bank->BankStyle) {
        if (prog != 0) {
            if (std::optional<StyleRow> stored = store.find(prog)) {
                styles.push_back(bankFileStyleOf(*stored, static_cast<int>(styles.size()) + 1));
            }
        }
        dialogs.processEvents();
    }
    return styles;
}

}  // namespace orb
