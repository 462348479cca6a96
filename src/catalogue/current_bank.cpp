#include "catalogue/current_bank.h"

#include "core/ascii_text.h"
#include "core/text.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {

void LoadBankStyles(const BankRow& bank, Database& connection, KORFStyles& bankStyles) {
    StyleStore styles(connection);
    bankStyles.clear();
    for (const std::int32_t styleNumber : bank.BankStyle) {
        AddBankStyle(bankStyles, styles, styleNumber);
    }
}

void AddBankStyle(KORFStyles& bankStyles, StyleStore& styles, std::int32_t styleNumber) {
    if (styleNumber == 0) {
        return;
    }
    // A slot naming a deleted style shows no name rather than another slot's.
    const std::optional<StyleRow> style = styles.findWithoutBlocks(styleNumber);
    bankStyles.Add(styleNumber, style ? style->StyleName1 : std::string(), "", 0, 0, "", "");
}

bool LoadCurrentBank(AppState& state, std::int32_t bankProg) {
    const std::optional<BankRow> found = BankStore(state.connection).find(bankProg);
    if (!found) {
        return false;
    }
    KORFStyles styles;
    LoadBankStyles(*found, state.connection, styles);
    TakeStoredBank(state, *found);
    state.currentBank.styles = std::move(styles);
    return true;
}

void TakeStoredBank(AppState& state, const BankRow& bank) {
    state.currentBank.number = bank.BankProg;
    state.currentBank.name = bank.BankName;
    state.currentBank.description = trimmed(bank.BankDesc);
}

std::optional<BankRow> StoredBankGiven(Database& connection, const std::string& numberOrName) {
    BankStore banks(connection);
    if (const auto number = wholeNumber<std::int32_t>(numberOrName)) {
        if (std::optional<BankRow> bank = banks.find(*number)) {
            return bank;
        }
    }
    return banks.findByName(numberOrName);
}

}  // namespace orb
