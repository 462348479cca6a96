#pragma once

#include <string>
#include <vector>

#include "core/observable.h"
#include "db/restore_points.h"

namespace orb {

class AppState;
class UserDialogs;

// The "Undo last change" window: the restore points of the open catalogue, newest first, one of
// which the person brings back.
class UndoController : public Observable {
public:
    static constexpr const char* kCaption = "Undo last change";
    static constexpr const char* kNoPoints =
        "ORB has kept no restore point of this catalogue yet: one is kept before every step "
        "that deletes or replaces styles, banks or songs.";

    UndoController(AppState& state, UserDialogs& dialogs);

    // Each opening: the list afresh, the newest selected.
    void load();
    const std::vector<std::string>& rows() const { return rows_; }
    int selected() const { return selected_; }
    void select(int row);
    bool undoEnabled() const { return selected_ >= 0; }

    // After its question, brings the selected point back; true when done (the window closes).
    // Every failure is shown and leaves the catalogue as it was.
    bool undo();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    std::vector<RestorePoint> points_;
    std::vector<std::string> rows_;
    int selected_ = -1;
};

}  // namespace orb
