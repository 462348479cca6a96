#include "catalogue/setup_list.h"

#include "core/text.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

SetupListController::SetupListController(AppState& state, UserDialogs& dialogs, bool loading,
                                         DriveRoomReader room)
    : state_(state), dialogs_(dialogs), loading_(loading), room_(std::move(room)), job_(dialogs) {
    job_.onChange([this] { changed(); });
}

void SetupListController::load() {
    const std::string kept = selectedSetup() ? selectedSetup()->name : "";
    setups_ = ListSetups(state_.connection);
    selected_ = setups_.empty() ? -1 : 0;
    for (std::size_t i = 0; i < setups_.size(); ++i) {
        if (setups_[i].name == kept) {
            selected_ = static_cast<int>(i);
        }
    }
    changed();
}

void SetupListController::select(int row) {
    if (row >= 0 && row < static_cast<int>(setups_.size()) && row != selected_) {
        selected_ = row;
        plan_.clear();
        changed();
    }
}

const KeyboardSetup* SetupListController::selectedSetup() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(setups_.size())) {
        return nullptr;
    }
    return &setups_[static_cast<std::size_t>(selected_)];
}

bool SetupListController::actionsEnabled() const {
    return selectedSetup() != nullptr && !job_.running();
}

void SetupListController::showChange(const SetupChange& change) {
    if (!change.done()) {
        dialogs_.message(change.message, change.result == SetupChange::Result::NameTaken
                                             ? UserDialogs::Icon::Exclamation
                                             : UserDialogs::Icon::Critical);
    }
    load();
}

void SetupListController::rename() {
    if (!actionsEnabled()) {
        return;
    }
    const std::string name = selectedSetup()->name;
    const auto newName = dialogs_.inputBox("New name of set-up " + name, "ORB", name);
    if (!newName || *newName == name) {
        return;
    }
    const SetupChange change = RenameSetup(state_, name, *newName);
    if (change.done()) {
        // The renamed set-up stays selected.
        setups_[static_cast<std::size_t>(selected_)].name = trimmed(*newName);
    }
    showChange(change);
}

void SetupListController::describe() {
    if (!actionsEnabled()) {
        return;
    }
    const KeyboardSetup& setup = *selectedSetup();
    const auto description =
        dialogs_.inputBox("Description of set-up " + setup.name, "ORB", setup.description);
    if (!description) {
        return;
    }
    showChange(DescribeSetup(state_, setup.name, *description));
}

void SetupListController::remove() {
    if (!actionsEnabled()) {
        return;
    }
    const std::string name = selectedSetup()->name;
    if (!dialogs_.question("Deleting set-up " + name + " from database?")) {
        return;
    }
    showChange(DeleteSetup(state_, name));
}

bool SetupListController::write() {
    if (!actionsEnabled()) {
        return false;
    }
    const std::string name = selectedSetup()->name;
    const SetupFolders folders{state_.FloppyPath, state_.PaHardDiskPath};
    plan_.clear();
    try {
        plan_ = planLines(PlanSetupWrite(state_, dialogs_, name, folders));
    } catch (const OrbError& refusal) {
        changed();
        dialogs_.message(refusal.what(), UserDialogs::Icon::Critical);
        return false;
    }
    // The window shows what will be written before the floppy's question comes.
    changed();
    const DriveBanksWriting writing = WriteSetup(state_, dialogs_, job_, name, folders, room_);
    showDriveBanksWriting(dialogs_, writing);
    changed();
    return writing.written();
}

std::optional<KeyboardSetup> SetupListController::pick() const {
    if (!loading_ || !actionsEnabled()) {
        return std::nullopt;
    }
    return *selectedSetup();
}

}  // namespace orb
