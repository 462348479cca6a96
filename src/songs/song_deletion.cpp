#include "songs/song_deletion.h"

#include <set>

#include "db/link_store.h"
#include "db/song_store.h"
#include "db/store_error.h"
#include "db/write_transaction.h"

namespace orb {

SongDeletion DeleteSongs(Database& database, const std::vector<std::int32_t>& codes) {
    try {
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
    }
    return {true, ""};
}

}  // namespace orb
