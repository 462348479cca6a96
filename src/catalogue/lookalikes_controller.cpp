#include "catalogue/lookalikes_controller.h"

#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

LookalikesController::LookalikesController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs) {}

void LookalikesController::load() {
    rows_.clear();
    try {
        WaitCursor wait(dialogs_);
        int number = 0;
        for (const LookalikeGroup& group : findLookalikes(state_.connection)) {
            ++number;
            for (const LookalikeStyle& style : group.styles) {
                rows_.push_back({number, group.title, style});
            }
        }
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
    }
    selected_ = rows_.empty() ? -1 : 0;
    changed();
}

void LookalikesController::select(int row) {
    if (row >= -1 && row < static_cast<int>(rows_.size()) && row != selected_) {
        selected_ = row;
        changed();
    }
}

void LookalikesController::setDeleteOthers(bool deleteOthers) {
    if (deleteOthers != deleteOthers_) {
        deleteOthers_ = deleteOthers;
        changed();
    }
}

void LookalikesController::keepSelected() {
    if (selected_ < 0) {
        return;
    }
    const Row chosen = rows_[static_cast<std::size_t>(selected_)];
    std::vector<std::int32_t> others;
    for (const Row& row : rows_) {
        if (row.group == chosen.group && row.style.StyleProg != chosen.style.StyleProg) {
            others.push_back(row.style.StyleProg);
        }
    }
    if (!dialogs_.question(
            keepQuestion(chosen.style.StyleProg, chosen.style.StyleName1, others, deleteOthers_))) {
        return;
    }
    try {
        WaitCursor wait(dialogs_);
        const KeepOutcome outcome =
            keepLookalike(state_, chosen.style.StyleProg, others, deleteOthers_);
        dialogs_.message(outcome.summary(chosen.style.StyleProg), UserDialogs::Icon::Information);
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
    }
    load();
}

}  // namespace orb
