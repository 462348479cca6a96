#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/korf_styles.h"
#include "db/bank_store.h"

namespace orb {

class AppState;
class Database;
class StyleStore;

// Fills bankStyles from the slots of `bank`: one record per occupied slot, in slot order,
// without gaps, each holding the style's number and name only.
void LoadBankStyles(const BankRow& bank, Database& connection, KORFStyles& bankStyles);

// Appends style `styleNumber` to bankStyles, its name read through `styles`; 0 (an empty slot)
// adds nothing. A style that is no longer stored is added with an empty name.
void AddBankStyle(KORFStyles& bankStyles, StyleStore& styles, std::int32_t styleNumber);

// Makes stored bank `bankProg` the current bank: its number, name and description and its
// styles. False, with the current bank left as it was, when the bank is gone. A database
// failure throws StoreError.
bool LoadCurrentBank(AppState& state, std::int32_t bankProg);

// Makes `bank`, just stored, the current bank's stored counterpart: its number, name and
// description (the styles are the current bank's already).
void TakeStoredBank(AppState& state, const BankRow& bank);

// The stored bank given as on the command line: by its number, else by its name.
std::optional<BankRow> StoredBankGiven(Database& connection, const std::string& numberOrName);

}  // namespace orb
