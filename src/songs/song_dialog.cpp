#include "songs/song_dialog.h"

#include <tuple>

#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/column_sizes.h"
#include "db/db_korf_songs.h"
#include "state/app_state.h"

namespace orb {

std::string songTextRefusal(const char* table, const char* column, const std::string& name,
                            const std::string& value) {
    const int length = columnSize(table, column);
    if (utf8Length(value) > static_cast<std::size_t>(length)) {
        return "The " + name + " may be at most " + std::to_string(length) + " characters long.";
    }
    if (!fitsWindows1252(value)) {
        return "The " + name + " may hold only characters of the Windows-1252 character set.";
    }
    return {};
}

SongDialogController::SongDialogController(AppState& state, UserDialogs& dialogs,
                                           SongDialogRequest request)
    : state_(state), dialogs_(dialogs), fields_(std::move(request)) {}

std::string SongDialogController::okCaption() const {
    return fields_.mode == SongDialogMode::Add ? "Insert" : "Update";
}

bool SongDialogController::ok() {
    for (const auto& [column, name, value] :
         {std::tuple{"SongTitle", "title", &fields_.SongTitle},
          std::tuple{"SongPerformer", "performer", &fields_.SongPerformer}}) {
        const std::string refusal = songTextRefusal("KORFSongs", column, name, *value);
        if (!refusal.empty()) {
            dialogs_.message(refusal, UserDialogs::Icon::Critical);
            return false;
        }
    }
    DbKORFSongs& songs = *state_.SongAccess;
    songs.SongCode = fields_.SongCode;
    songs.SongTitle = fields_.SongTitle;
    songs.SongPerformer = fields_.SongPerformer;
    const bool stored =
        fields_.mode == SongDialogMode::Add ? songs.InsKORFSongs() : songs.UpdKORFSongs();
    if (!stored) {
        dialogs_.message(
            "The song cannot be stored: " + (songs.clsKORFSongsError.empty()
                                                 ? std::string("it is no longer there.")
                                                 : songs.clsKORFSongsError),
            UserDialogs::Icon::Critical);
    }
    return stored;
}

}  // namespace orb
