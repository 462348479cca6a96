#include "catalogue/current_bank.h"

#include <algorithm>
#include <utility>

#include "core/ascii_text.h"
#include "core/text.h"
#include "db/style_store.h"

namespace orb {

bool CurrentBank::holds(StyleNumber style) const {
    return std::ranges::any_of(slots_,
                               [style](const BankSlot& slot) { return slot.style == style; });
}

bool CurrentBank::hasChanges() const {
    return state_ == BankState::NewChanged || state_ == BankState::StoredChanged;
}

BankSlots CurrentBank::styleNumbers() const {
    BankSlots numbers{};
    for (std::size_t i = 0; i < slots_.size() && i < numbers.size(); ++i) {
        numbers[i] = slots_[i].style.value;
    }
    return numbers;
}

void CurrentBank::append(BankSlot slot) {
    slots_.push_back(std::move(slot));
    markChanged();
}

void CurrentBank::markChanged() {
    if (state_ == BankState::Empty) {
        state_ = BankState::NewChanged;
    } else if (state_ == BankState::Stored) {
        state_ = BankState::StoredChanged;
    }
    changed();
}

void CurrentBank::removeAt(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    slots_.erase(slots_.begin() + index);
    if (state_ == BankState::Empty || state_ == BankState::Stored) {
        state_ = slots_.empty() ? BankState::Empty : BankState::Stored;
    }
    changed();
}

void CurrentBank::swap(int first, int second) {
    if (first < 0 || second < 0 || first >= count() || second >= count()) {
        return;
    }
    std::swap(slots_[static_cast<std::size_t>(first)], slots_[static_cast<std::size_t>(second)]);
    changed();
}

void CurrentBank::clear() {
    slots_.clear();
    storedNumber_ = 0;
    name_.clear();
    description_.clear();
    state_ = BankState::Empty;
    changed();
}

void CurrentBank::load(const BankRow& bank, Database& connection) {
    slots_ = StoredBankSlots(bank, connection);
    markStored(bank);
}

void CurrentBank::markStored(const BankRow& bank) {
    storedNumber_ = bank.BankProg;
    name_ = bank.BankName;
    description_ = trimmed(bank.BankDesc);
    state_ = BankState::Stored;
    changed();
}

void CurrentBank::forgetStoredBank() {
    storedNumber_ = 0;
    state_ = BankState::NewChanged;
    changed();
}

std::vector<BankSlot> StoredBankSlots(const BankRow& bank, Database& connection) {
    StyleStore styles(connection);
    std::vector<BankSlot> slots;
    for (const std::int32_t number : bank.BankStyle) {
        if (number == 0) {
            continue;
        }
        // A slot naming a deleted style shows no name rather than another slot's.
        const std::optional<StyleRow> style = styles.findWithoutBlocks(number);
        slots.push_back({StyleNumber{number}, style ? style->StyleName1 : std::string()});
    }
    return slots;
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
