#include "app/database_wipe.h"

#include "core/user_dialogs.h"
#include "db/orb_database.h"
#include "state/app_state.h"
#include "state/restore_point_step.h"

namespace orb {
namespace {

constexpr const char* kPasswordPrompt = "WARNING: insert password for complete database deletion";
constexpr const char* kAreYouSure =
    "WARNING: All data inside ORB database will be deleted. Are you sure?";
constexpr const char* kWiped =
    "ORB database successfully initialized: every style, bank, song and link was deleted. "
    "\"Undo last change ...\" in the File menu brings them back.";
constexpr const char* kNotWiped = "ORB database was not initialized: ";

}  // namespace

bool IsWipeGesture(MouseButton button, int shiftState) {
    return button == MouseButton::Left && shiftState == (kShiftKey | kCtrlKey | kAltKey);
}

WipeOutcome PictureMouseDown(AppState& state, UserDialogs& dialogs, MouseButton button,
                             int shiftState) {
    if (!IsWipeGesture(button, shiftState)) {
        return WipeOutcome::NotAsked;
    }
    return WipeDatabase(state, dialogs);
}

WipeOutcome WipeDatabase(AppState& state, UserDialogs& dialogs) {
    // A wrong password says nothing: the gesture stays a secret to whoever does not know it.
    if (dialogs.secretInputBox(kPasswordPrompt, "ORB") != kWipePassword) {
        return WipeOutcome::Declined;
    }
    if (!dialogs.question(kAreYouSure)) {
        return WipeOutcome::Declined;
    }
    // Kept before anything is deleted: the wipe is the one step a wrong click cannot take back
    // by other means.
    if (!keepRestorePointOrSay(state, dialogs, "emptying the database")) {
        return WipeOutcome::Failed;
    }
    try {
        deleteCatalogue(state.connection);
    } catch (const StoreError& e) {
        dialogs.message(
            failureMessage(e,
                           std::string(kNotWiped) + "the database " + state.DatabasePath +
                               " refused the deletion; the catalogue is as it was (",
                           ")."),
            UserDialogs::Icon::Critical);
        return WipeOutcome::Failed;
    }
    dialogs.message(kWiped, UserDialogs::Icon::Information);
    return WipeOutcome::Wiped;
}

}  // namespace orb
