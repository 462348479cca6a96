#pragma once

#include <cstdint>

#include "core/korf_styles.h"

namespace orb {

class Database;
class UserDialogs;

// The bank's styles with their stored names, lengths and blocks, ready for the bank writer.
// `bankStyles` is the current bank (number and name per slot); a style no longer stored keeps
// its zero lengths and so gives no entry in the file. A failing read throws StoreError.
KORFStyles LoadBankContents(Database& connection, const KORFStyles& bankStyles);

// Fills `styles` with the full styles of stored bank `bankProg`, slots in order, empty slots
// and styles no longer stored left out; pending window events run after each slot. False,
// `styles` empty, when the bank is no longer stored; a failing read throws StoreError.
bool CollectStoredBank(Database& connection, UserDialogs& dialogs, std::int32_t bankProg,
                       KORFStyles& styles);

}  // namespace orb
