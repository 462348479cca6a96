#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/observable.h"
#include "core/style_number.h"
#include "db/bank_store.h"

namespace orb {

class Database;

// The state of the current bank; the value is also the mode the bank dialog opens in.
enum class BankState {
    Empty = 0,          // new or empty, nothing stored for it
    Stored = 1,         // equals a stored bank
    NewChanged = 2,     // holds changes and has no stored counterpart
    StoredChanged = 3,  // a stored bank that holds changes
};

// One occupied slot of the current bank: the catalogue style it holds and the name shown for it
// (empty for a style no longer stored).
struct BankSlot {
    StyleNumber style;
    std::string name;

    bool operator==(const BankSlot&) const = default;
};

// The bank the styles window edits: its styles in slot order without gaps, the stored bank it
// was loaded from or saved as (number 0 before it was), its name and description, and its state.
// Every change notifies the listener.
class CurrentBank : public Observable {
public:
    static constexpr int kSlotCount = kBankSlotCount;

    const std::vector<BankSlot>& styles() const { return slots_; }
    int count() const { return static_cast<int>(slots_.size()); }
    bool holds(StyleNumber style) const;
    std::int32_t storedNumber() const { return storedNumber_; }
    const std::string& name() const { return name_; }
    const std::string& description() const { return description_; }
    BankState state() const { return state_; }
    bool hasChanges() const;
    // The slots as a stored bank keeps them: style numbers in slot order, 0 after the last.
    BankSlots styleNumbers() const;

    // Appends a style; a bank that was empty or stored now holds changes.
    void append(BankSlot slot);
    // A bank that was empty or stored now holds changes, even when an insert added nothing.
    void markChanged();
    // Removes the style at `index` (from 0). An unchanged bank stays unchanged (empty when none
    // is left); a changed one stays changed.
    void removeAt(int index);
    // Exchanges the styles at two indexes (from 0); the state stays as it is.
    void swap(int first, int second);
    // Empties the bank, which then stands for no stored bank.
    void clear();
    // Stored bank `bank`, with the names of its styles read through `connection`, becomes the
    // current bank, unchanged.
    void load(const BankRow& bank, Database& connection);
    // The slots were just stored as `bank`: the number, name and description follow it.
    void markStored(const BankRow& bank);
    // The stored counterpart was deleted: the styles stay, and the next save stores them anew.
    void forgetStoredBank();

private:
    std::vector<BankSlot> slots_;
    std::int32_t storedNumber_ = 0;
    std::string name_;
    std::string description_;
    BankState state_ = BankState::Empty;
};

// The slots of stored bank `bank`: one per occupied slot, in slot order, without gaps, each with
// the style's number and stored name.
std::vector<BankSlot> StoredBankSlots(const BankRow& bank, Database& connection);

// The stored bank given as on the command line: by its number, else by its name.
std::optional<BankRow> StoredBankGiven(Database& connection, const std::string& numberOrName);

}  // namespace orb
