#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/bank_store.h"

namespace orb {

class AppState;
class Database;

// The bank operations that the bank dialog and the commands `bank-save`, `bank-delete` and
// `where-is` share: each one function, each write in one transaction, each telling a refusal in
// the same words wherever it is called from.

// What SaveBank stores: a new bank (bankProg 0) or the stored bank bankProg.
struct BankToSave {
    std::int32_t bankProg = 0;
    std::string name;
    std::string description;
    BankSlots styles{};
};

// What SaveBank does with a new bank whose name a stored bank has already.
enum class SameNamedBank {
    Keep,       // stores nothing and answers NameTaken, so that the caller may ask
    Overwrite,  // updates the stored bank, which keeps its number
};

struct BankSaving {
    enum class Result {
        Stored,
        NoName,     // the name is empty
        NameTaken,  // a new bank's name is taken and SameNamedBank::Keep was given
        Refused,    // a text cannot be stored (too long, a character the files cannot hold)
        Gone,       // the bank to update is no longer stored
        Failed,     // the database failed
    };
    Result result = Result::Failed;
    BankRow bank;         // Stored: the bank as stored; NameTaken: the bank of that name
    std::string message;  // for the person, unless Stored or NameTaken
};

inline constexpr const char* kNoBankName = "Please insert bank name!";
// What the name field takes; a longer name is refused, never cut.
inline constexpr int kBankNameLength = 11;

// Why `name` cannot name a bank, when it is longer than the name field takes.
std::optional<std::string> bankNameRefusal(const std::string& name);

// Stores `bank`, looking up a taken name and writing in one transaction.
BankSaving SaveBank(AppState& state, const BankToSave& bank, SameNamedBank sameName);

struct BankDeletion {
    bool deleted = false;
    BankRow bank;                     // the bank deleted
    std::vector<std::string> setups;  // the keyboard set-ups that use it, in name order
    std::string refusal;              // for the person when nothing was deleted
};

// Keeps a restore point, then deletes stored bank `bankProg`. A bank that is gone, a restore
// point that cannot be kept or a refusal of the database deletes nothing and says why. The
// set-ups that use the bank keep its number and show it as a gone bank.
BankDeletion DeleteBank(AppState& state, std::int32_t bankProg);

// A stored bank that holds the style looked for: the bank, every slot's style and the slots
// (1 to 16) where the style stands.
struct BankHolding {
    std::int32_t bankProg = 0;
    std::string name;
    std::string description;
    std::array<BankWithStyles::Slot, kBankSlotCount> slotStyles;
    std::vector<int> slotsHolding;

    bool operator==(const BankHolding&) const = default;
};

// The banks holding style `styleProg`, in name order; empty when no bank holds it.
std::vector<BankHolding> WhereIs(Database& connection, std::int32_t styleProg);

}  // namespace orb
