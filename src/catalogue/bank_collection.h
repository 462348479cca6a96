#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "catalogue/current_bank.h"
#include "core/bank_file_style.h"

namespace orb {

class Database;
class UserDialogs;

// The bank's styles with their stored names, lengths and blocks, ready for the bank writer, one
// per slot of `slots`; a style no longer stored keeps zero lengths and so gives no entry in the
// file. A failing read throws StoreError.
std::vector<BankFileStyle> LoadBankContents(Database& connection,
                                            const std::vector<BankSlot>& slots);

// The full styles of stored bank `bankProg`, slots in order, empty slots and styles no longer
// stored left out; pending window events run after each slot. Nothing when the bank is no
// longer stored; a failing read throws StoreError.
std::optional<std::vector<BankFileStyle>> CollectStoredBank(Database& connection,
                                                            UserDialogs& dialogs,
                                                            std::int32_t bankProg);

}  // namespace orb
