#pragma once

#include <cstdint>

namespace orb {

class AppState;
class DbKORFStyle;

// Fills state.BankStyles from the slots of the current bank (state.BankAccess, loaded by the
// caller): one record per occupied slot, in slot order, without gaps, each holding the style's
// number and name only. Throws OrbError when no database has been opened.
void LoadBankStyles(AppState& state);

// Appends style `styleNumber` to state.BankStyles, its name read through `styleAccess`;
// 0 (an empty slot) adds nothing. A style that is no longer stored is added with an empty name.
void AddBankStyle(AppState& state, DbKORFStyle& styleAccess, std::int32_t styleNumber);

}  // namespace orb
