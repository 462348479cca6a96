#include "state/restore_point_step.h"

#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

bool keepRestorePointOrSay(AppState& state, UserDialogs& dialogs, const std::string& action) {
    try {
        state.restorePoints().keep(state.connection, action);
    } catch (const RestorePointError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

}  // namespace orb
