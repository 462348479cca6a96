#pragma once

#include <cstdint>

#include "core/korf_styles.h"

namespace orb {

class Database;
class DbKORFBank;
class DbKORFStyle;

// Fills bankStyles from the slots of `bank`: one record per occupied slot, in slot order,
// without gaps, each holding the style's number and name only. The names are read through an
// access object of its own, so no long-lived one changes.
void LoadBankStyles(const DbKORFBank& bank, Database& connection, KORFStyles& bankStyles);

// Appends style `styleNumber` to bankStyles, its name read through `styleAccess`; 0 (an empty
// slot) adds nothing. A style that is no longer stored is added with an empty name.
void AddBankStyle(KORFStyles& bankStyles, DbKORFStyle& styleAccess, std::int32_t styleNumber);

}  // namespace orb
