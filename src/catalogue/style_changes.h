#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "db/column_sizes.h"
#include "db/style_store.h"

namespace orb {

class Database;
class AppState;

// The labels under which a person types the six descriptive values of a style, and the columns
// of KORFStyles they are stored in (name, description, family, group, file, author).
inline constexpr std::array<const char*, 6> kStyleFieldLabels = {
    "Name", "Description", "Family", "Group", "STY file name", "Author"};
inline constexpr std::array<const ColumnSize*, 6> kStyleFieldColumns = {
    &textColumn("KORFStyles", "StyleName1"),  &textColumn("KORFStyles", "StyleDesc"),
    &textColumn("KORFStyles", "StyleFamily"), &textColumn("KORFStyles", "StyleCat"),
    &textColumn("KORFStyles", "StyleFile"),   &textColumn("KORFStyles", "StyleAuthor")};

// Writes the changes into every listed style that exists, all in one transaction: when the
// database or the text gate refuses any row, nothing changes and StoreError says why. Returns
// the number of styles written. A restore point of the changes is kept (RestorePointError when
// it cannot be, and nothing changes).
int ApplyGroupUpdate(AppState& state, const std::vector<std::int32_t>& styles,
                     const StyleColumnChanges& changes);

// Keeps a restore point, then deletes each listed style from the catalogue, takes it out of
// every bank (later slots move up) and out of every song link (which then points at no style),
// all in one transaction. When the restore point cannot be kept nothing is deleted and
// RestorePointError says why; on a refusal of the database nothing changes and StoreError says
// why.
void DeleteStylesEverywhere(AppState& state, const std::vector<std::int32_t>& styles);

// "deleting style 41", "deleting styles 41, 57 and 73", "deleting 240 styles": what a restore
// point kept before deleting them was for.
std::string styleDeletionAction(const std::vector<std::int32_t>& styles);

}  // namespace orb
