#include "catalogue/bank_operations.h"

#include "core/text.h"
#include "core/windows1252.h"
#include "db/setup_store.h"
#include "db/store_error.h"
#include "db/text_gate.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {

std::optional<std::string> bankNameRefusal(const std::string& name) {
    const std::size_t length = utf8Length(name);
    if (length <= static_cast<std::size_t>(kBankNameLength)) {
        return std::nullopt;
    }
    return "The bank name " + name + " has " + std::to_string(length) +
           " characters; a bank name takes at most " + std::to_string(kBankNameLength) + ".";
}

BankSaving SaveBank(AppState& state, const BankToSave& bank, SameNamedBank sameName) {
    Database& connection = state.connection;
    using Result = BankSaving::Result;
    const std::string name = trimmed(bank.name);
    if (name.empty()) {
        return {Result::NoName, {}, kNoBankName};
    }
    // A new name is refused rather than cut: a cut name could name, and overwrite, another
    // bank. A stored bank keeps the name it has.
    if (const auto refusal = bank.bankProg == 0 ? bankNameRefusal(bank.name) : std::nullopt) {
        return {Result::Refused, {}, *refusal + " Nothing was stored."};
    }
    const TextPlace place =
        bank.bankProg == 0 ? TextPlace::newRow("bank") : TextPlace::bank(bank.bankProg);
    for (const auto& [column, text] :
         {std::pair{"BankName", &bank.name}, {"BankDesc", &bank.description}}) {
        if (auto refusal = textRefusal(textColumn("KORFBanks", column), *text, place)) {
            return {Result::Refused, {}, *refusal};
        }
    }
    BankRow row;
    row.BankProg = bank.bankProg;
    row.BankName = bank.name;
    row.BankDesc = bank.description;
    row.BankStyle = bank.styles;
    try {
        // Saving over a stored bank keeps what it held; a new bank replaces nothing.
        std::optional<StepPoint> point;
        if (bank.bankProg != 0 || sameName == SameNamedBank::Overwrite) {
            point.emplace(state.restorePoints(), connection,
                          bank.bankProg != 0
                              ? "saving bank " + std::to_string(bank.bankProg) + " " + name
                              : "saving over the bank " + name);
        }
        BankStore banks(connection);
        WriteTransaction transaction(connection);
        if (row.BankProg == 0) {
            if (std::optional<BankRow> existing = banks.findByName(name)) {
                if (sameName == SameNamedBank::Keep) {
                    return {Result::NameTaken, std::move(*existing), ""};
                }
                row.BankProg = existing->BankProg;
            }
        }
        if (row.BankProg == 0) {
            row.BankProg = banks.insert(row);
        } else if (!banks.update(row)) {
            return {Result::Gone,
                    {},
                    "Bank " + name + " is no longer stored; it could not be updated."};
        }
        transaction.commit();
    } catch (const StoreError& e) {
        return {e.kind() == StoreError::Kind::Text ? Result::Refused : Result::Failed,
                {},
                failureMessage(e, "Bank " + name + " could not be stored: ", "")};
    } catch (const RestorePointError& e) {
        return {Result::Failed, {}, e.what()};
    }
    return {Result::Stored, std::move(row), ""};
}

BankDeletion DeleteBank(AppState& state, std::int32_t bankProg) {
    Database& connection = state.connection;
    BankDeletion deletion;
    try {
        BankStore banks(connection);
        std::optional<BankRow> bank = banks.find(bankProg);
        if (!bank) {
            deletion.refusal = "There is no bank " + std::to_string(bankProg) + ".";
            return deletion;
        }
        deletion.bank = std::move(*bank);
        deletion.setups = SetupStore(connection).namesUsing(bankProg);
        const StepPoint point(
            state.restorePoints(), connection,
            "deleting bank " + std::to_string(bankProg) + " " + trimmed(deletion.bank.BankName));
        WriteTransaction transaction(connection);
        // Gone meanwhile: nothing to delete, and nothing deleted.
        if (!banks.find(bankProg)) {
            deletion.refusal = "There is no bank " + std::to_string(bankProg) + ".";
            return deletion;
        }
        banks.remove(bankProg);
        transaction.commit();
    } catch (const RestorePointError& e) {
        deletion.refusal = e.what();
        return deletion;
    } catch (const StoreError& e) {
        deletion.refusal =
            failureMessage(e, "Bank " + trimmed(deletion.bank.BankName) + " could not be deleted (",
                           "); nothing was deleted.");
        return deletion;
    }
    deletion.deleted = true;
    return deletion;
}

std::vector<BankHolding> WhereIs(Database& connection, std::int32_t styleProg) {
    std::vector<BankHolding> holdings;
    BankStore(connection).holding(styleProg, [&](const BankWithStyles& bank) {
        BankHolding holding{bank.BankProg, bank.BankName, bank.BankDesc, bank.BankStyle, {}};
        for (int slot = 1; slot <= kBankSlotCount; ++slot) {
            if (bank.BankStyle[static_cast<std::size_t>(slot - 1)].StyleProg == styleProg) {
                holding.slotsHolding.push_back(slot);
            }
        }
        holdings.push_back(std::move(holding));
    });
    return holdings;
}

}  // namespace orb
