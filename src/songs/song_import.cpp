#include "songs/song_import.h"

#include <algorithm>

#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/link_store.h"
#include "db/page_cache.h"
#include "db/song_store.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {

std::string songImportEnding(const SongImportSummary& summary) {
    return "Song import ended: " + counted(summary.songs, "song", "songs") + " and " +
           counted(summary.links, "link", "links") + " stored, " +
           counted(static_cast<long long>(summary.unmatchedStyles.size()), "line", "lines") +
           " naming no stored style.";
}
namespace {

constexpr const char* kNothingStored = "Nothing of the song list has been stored.";

// Runs one store of line `index`; a refusal names the line: the text gate's sentence names it
// already, the database's refusal follows "Line N: <what> cannot be stored: ". `what` is only
// worded when a store fails.
template <typename Describe, typename Store>
void storeOfLine(std::size_t index, Describe&& what, Store&& store) {
    try {
        store();
    } catch (const StoreError& e) {
        if (e.inUse()) {
            throw;
        }
        throw SongImportError(failureMessage(
            e, "Line " + std::to_string(index + 1) + ": " + what() + " cannot be stored: ",
            ". " + std::string(kNothingStored), kNothingStored));
    }
}

}  // namespace

SongImportSummary ImportSongLines(AppState& state, UserDialogs& dialogs,
                                  const std::vector<std::string>& lines,
                                  const SongImportOptions& options,
                                  const SongImportProgress& progress) {
    SongImportSummary summary;
    WriteTransaction transaction(state.connection);
    // Each line looks its styles up by name: the name index of a large catalogue outgrows the
    // default cache.
    const LargerPageCache cache(state.connection);
    SongStore songs(state.connection);
    LinkStore links(state.connection);
    StyleStore styles(state.connection);
    // Inside the transaction only this run adds songs, so the next free code is counted on
    // instead of read again for every line.
    std::int32_t nextCode = songs.next();
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (progress) {
            progress(static_cast<long long>(index), static_cast<long long>(lines.size()));
        }
        const SongLine values = splitSongLine(lines[index], options.separator, options.fields);
        if (trimmed(values.title).empty()) {
            continue;
        }
        if (songs.holds(values.title, values.artist)) {
            const bool insert =
                options.duplicates == DuplicateSongs::Insert ||
                (options.duplicates == DuplicateSongs::Ask &&
                 dialogs.question("Song " + values.title +
                                  " already inside database. Would you like to insert it anyway?"));
            if (!insert) {
                continue;
            }
        }
        const TextPlace place = TextPlace::onLine("song", static_cast<long long>(index) + 1);
        const SongRow song{nextCode++, values.title, values.artist};
        storeOfLine(
            index, [&] { return "the song \"" + values.title + "\""; },
            [&] { songs.insert(song, place); });
        ++summary.songs;
        if (trimmed(values.style).empty()) {
            continue;
        }
        const std::vector<std::int32_t> named = styles.numbersNamed(values.style);
        if (named.empty()) {
            summary.unmatchedStyles.push_back("line " + std::to_string(index + 1) + ": " +
                                              trimmed(values.style));
        }
        for (const std::int32_t style : named) {
            const LinkRow link{song.SongCode, style, values.tempo, values.transpose, values.notes};
            storeOfLine(
                index,
                [&] {
                    return "the link of \"" + values.title + "\" to style " + std::to_string(style);
                },
                [&] { links.insert(link, place); });
            ++summary.links;
        }
    }
    transaction.commit();
    if (progress) {
        progress(static_cast<long long>(lines.size()), static_cast<long long>(lines.size()));
    }
    return summary;
}

}  // namespace orb
