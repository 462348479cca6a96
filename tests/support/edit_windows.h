#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "catalogue/style_edit.h"
#include "catalogue/style_group.h"
#include "state/app_state.h"

namespace orb {

// The style edit as the styles window runs it, with `window` in the edit window's place: the
// style to show, the window, then the values it handed back written.
inline std::optional<StyleEditValues> EditStyle(
    AppState& state, std::int32_t styleProg, UserDialogs& dialogs,
    const std::function<std::optional<StyleEditValues>(const StyleRow&)>& window) {
    const std::optional<StyleRow> style = StyleToEdit(state, styleProg, dialogs);
    if (!style) {
        return std::nullopt;
    }
    const std::optional<StyleEditValues> edited = window(*style);
    return edited ? StoreStyleEdit(state, styleProg, dialogs, *edited) : std::nullopt;
}

// The group update as the styles window runs it, with `window` in the group edit window's place,
// shown over the values the styles propose.
inline bool RunGroupUpdate(
    AppState& state, UserDialogs& dialogs, const std::vector<std::int32_t>& styles,
    const std::function<std::optional<StyleColumnChanges>(const GroupValues&)>& window) {
    const std::optional<StyleColumnChanges> changes =
        window(CollectGroupValues(state.connection, styles));
    return changes && RunGroupUpdate(state, dialogs, styles, *changes);
}

}  // namespace orb
