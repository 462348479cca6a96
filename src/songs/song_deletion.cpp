#include "songs/song_deletion.h"

#include <set>

#include "db/link_store.h"
#include "db/song_store.h"
#include "db/store_error.h"
#include "db/write_transaction.h"
#include "state/app_state.h"
#include "state/restore_point_step.h"

namespace orb {

SongDeletion DeleteSongs(AppState& state, const std::vector<std::int32_t>& codes) {
    Database& database = state.connection;
    try {
        const StepPoint point(state.restorePoints(), database,
                              numberedAction("deleting", "song", "songs", codes));
        SongStore songs(database);
        LinkStore links(database);
        WriteTransaction transaction(database);
        std::set<std::int32_t> done;
        for (const std::int32_t code : codes) {
            // A song with several links comes once per link.
            if (!done.insert(code).second) {
                continue;
            }
            if (!songs.find(code)) {
                return {false, "No song has the number " + std::to_string(code) +
                                   "; nothing was deleted."};
            }
            songs.remove(code);
            links.removeOfSong(code);
        }
        transaction.commit();
    } catch (const StoreError& e) {
        return {false,
                failureMessage(e, "The songs could not be deleted (", "); nothing was deleted.")};
    } catch (const RestorePointError& e) {
        return {false, e.what()};
    }
    return {true, ""};
}

}  // namespace orb
