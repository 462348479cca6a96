#include "stylefiles/style_confirmation.h"

#include "state/app_state.h"

namespace orb {

void StyleConfirmation::fill(const KORFStyles& styles, const std::string& shortName,
                             AppState& state) {
    labels = {};
    tags = {};
    checked = {};
    confirmed = false;
    int position = 0;
    for (const KORFStyle& style : styles) {
        if (position >= kSlots) {
            break;
        }
        labels[static_cast<std::size_t>(position)] = style.StyleName1;
        tags[static_cast<std::size_t>(position)] = position + 1;
        checked[static_cast<std::size_t>(position)] = true;
        ++position;
    }
    state.GroupDesc = "Imported from file " + shortName;
    fields = {state.GroupFamily, state.GroupCat, state.GroupAuthor, state.GroupDesc};
    caption = shortName;
}

void StyleConfirmation::selectAll() {
    for (int i = 0; i < kSlots; ++i) {
        checked[static_cast<std::size_t>(i)] = tags[static_cast<std::size_t>(i)] != 0;
    }
}

void StyleConfirmation::unselectAll() {
    checked = {};
}

void StyleConfirmation::importSelected(AppState& state) {
    for (int i = 0; i < kSlots; ++i) {
        state.SlotSelected[static_cast<std::size_t>(i)] = checked[static_cast<std::size_t>(i)];
    }
    state.GroupFamily = fields[0];
    state.GroupCat = fields[1];
    state.GroupAuthor = fields[2];
    state.GroupDesc = fields[3];
    confirmed = true;
}

}  // namespace orb
