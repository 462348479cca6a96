#include "songs/song_dialog.h"

#include "core/user_dialogs.h"
#include "db/song_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {

SongDialogController::SongDialogController(AppState& state, UserDialogs& dialogs,
                                           SongDialogRequest request)
    : state_(state), dialogs_(dialogs), fields_(std::move(request)) {}

std::string SongDialogController::okCaption() const {
    return fields_.mode == SongDialogMode::Add ? "Insert" : "Update";
}

bool SongDialogController::ok() {
    const bool adding = fields_.mode == SongDialogMode::Add;
    const SongRow song{fields_.SongCode, fields_.SongTitle, fields_.SongPerformer};
    try {
        SongStore songs(state_.connection);
        if (adding) {
            songs.insert(song);
        } else {
            const StepPoint point(state_.restorePoints(), state_.connection,
                                  "updating song " + std::to_string(song.SongCode));
            WriteTransaction transaction(state_.connection);
            if (!songs.update(song)) {
                dialogs_.message("The song cannot be stored: it is no longer there.",
                                 UserDialogs::Icon::Critical);
                return false;
            }
            transaction.commit();
        }
    } catch (const StoreError& e) {
        dialogs_.message(failureMessage(e, "The song cannot be stored: ", ""),
                         UserDialogs::Icon::Critical);
        return false;
    } catch (const RestorePointError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

}  // namespace orb
