#include "app/undo_controller.h"

#include "app/undo.h"
#include "core/user_dialogs.h"
#include "db/database.h"

namespace orb {

UndoController::UndoController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs) {}

void UndoController::load() {
    points_ = restorePointsOfCatalogue(state_);
    rows_.clear();
    for (const RestorePoint& point : points_) {
        rows_.push_back(describeRestorePoint(point));
    }
    selected_ = points_.empty() ? -1 : 0;
    changed();
}

void UndoController::select(int row) {
    if (row >= -1 && row < static_cast<int>(rows_.size()) && row != selected_) {
        selected_ = row;
        changed();
    }
}

bool UndoController::undo() {
    if (selected_ < 0) {
        return false;
    }
    const std::vector<RestorePoint> points = points_;
    const auto last = static_cast<std::size_t>(selected_);
    if (!dialogs_.question(undoQuestion(points, last))) {
        return false;
    }
    try {
        WaitCursor wait(dialogs_);
        undoToRestorePoint(state_, points, last);
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        load();
        return false;
    }
    dialogs_.message(undoneMessage(points, last), UserDialogs::Icon::Information);
    load();
    return true;
}

}  // namespace orb
