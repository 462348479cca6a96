#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/db_korf_bank.h"

namespace orb {

class AppState;

// Makes stored bank `bankProg` the current bank: its row into the long-lived bank access object
// and its styles into BankStyles. False, with both left as they were, when the bank is gone;
// a database failure is thrown as DbError.
bool LoadCurrentBank(AppState& state, std::int32_t bankProg);

// Deletes stored bank `bankProg` through an access object of its own, so the current bank's
// record stays as it is. A database failure is thrown as DbError.
void DeleteBank(Database& connection, std::int32_t bankProg);

// Every stored bank in name order.
std::vector<DbKORFBank> StoredBanks(Database& connection);

// The stored bank named `name` (letter case ignored); nullopt when there is none.
std::optional<DbKORFBank> StoredBankNamed(Database& connection, const std::string& name);

// The stored bank given as on the command line: by its number, else by its name.
std::optional<DbKORFBank> StoredBankGiven(Database& connection, const std::string& numberOrName);

}  // namespace orb
