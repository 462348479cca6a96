#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/setups.h"
#include "core/job_progress.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The set-ups window: the stored keyboard set-ups, one row each with its places; the selected
// one is renamed, described, deleted, written in one step or, when the bank dialog opened the
// list, loaded into its queues.
class SetupListController : public Observable {
public:
    static constexpr const char* kCaption = "Keyboard set-ups";
    static constexpr const char* kNone =
        "No keyboard set-up is stored yet. Queue banks for DIRECT FD and DIRECT HD in the bank "
        "dialog (Load bank) and save them as a set-up.";

    // `loading`: opened from the bank dialog, whose queues take the set-up picked.
    SetupListController(AppState& state, UserDialogs& dialogs, bool loading,
                        DriveRoomReader room = roomOf);

    // Reads the set-ups again, keeping the selected one when it is still there.
    void load();
    const std::vector<KeyboardSetup>& setups() const { return setups_; }
    int selected() const { return selected_; }
    void select(int row);
    const KeyboardSetup* selectedSetup() const;

    bool loadShown() const { return loading_; }
    // Every button but Exit needs a set-up and no writing going on.
    bool actionsEnabled() const;

    // "Rename ...", "Describe ...", "Delete": each asks, then changes the set-up (SaveSetup's
    // siblings) and reads the list again.
    void rename();
    void describe();
    void remove();
    // "Write set-up": lists the files the writing would make (plan()), then writes the
    // set-up to the floppy and hard disk folders of the parameters (WriteSetup) and says how it
    // went. True when everything was written and read back.
    bool write();
    // The files the last "Write set-up" was to make, "path<TAB>unchanged|changed|new".
    const std::vector<std::string>& plan() const { return plan_; }
    // "Load into the queues": the selected set-up, for the bank dialog's queues; the window then
    // closes.
    std::optional<KeyboardSetup> pick() const;

    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }

private:
    void showChange(const SetupChange& change);

    AppState& state_;
    UserDialogs& dialogs_;
    bool loading_;
    DriveRoomReader room_;
    std::vector<KeyboardSetup> setups_;
    int selected_ = -1;
    std::vector<std::string> plan_;
    JobProgress job_;
};

}  // namespace orb
