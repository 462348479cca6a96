#include "songs/song_import.h"

#include <algorithm>

#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/known_songs.h"
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

std::string linkOfLine(const std::string& title, std::int32_t style) {
    return "the link of \"" + title + "\" to style " + std::to_string(style);
}

// The links of the lines read so far, stored a statement at a time: a statement per link costs
// more than its row. Nothing in the run reads links back, so they may wait until the statement
// is full or the list ends. Their texts pass the gate as their line is read, so that the first
// refused line is the one named.
class PendingLinks {
public:
    static constexpr std::size_t kPerStatement = 64;

    explicit PendingLinks(LinkStore& links) : links_(links) {}

    void add(std::size_t index, LinkRow link, TextPlace place, const std::string& title) {
        storeOfLine(
            index, [&] { return linkOfLine(title, link.StyleProg); },
            [&] { LinkStore::requireStorable(link, place); });
        rows_.push_back(std::move(link));
        places_.push_back(std::move(place));
        lines_.push_back({index, title});
        if (rows_.size() == kPerStatement) {
            store();
        }
    }

    void store() {
        try {
            links_.insertMany(rows_, places_);
        } catch (const StoreError& e) {
            if (e.inUse()) {
                throw;
            }
            // The statement stored none of them: one at a time, the refused one names its line.
            for (std::size_t i = 0; i < rows_.size(); ++i) {
                storeOfLine(
                    lines_[i].index,
                    [&] { return linkOfLine(lines_[i].title, rows_[i].StyleProg); },
                    [&] { links_.insert(rows_[i], places_[i]); });
            }
        }
        rows_.clear();
        places_.clear();
        lines_.clear();
    }

private:
    struct Line {
        std::size_t index;
        std::string title;
    };

    LinkStore& links_;
    std::vector<LinkRow> rows_;
    std::vector<TextPlace> places_;
    std::vector<Line> lines_;
};

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
    KnownSongs known(state.connection, songs, lines.size());
    PendingLinks pending(links);
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
        if (options.duplicates != DuplicateSongs::Insert &&
            known.holds(values.title, values.artist)) {
            if (options.duplicates == DuplicateSongs::Skip ||
                !dialogs.question(
                    "Song " + values.title +
                    " already inside database. Would you like to insert it anyway?")) {
                continue;
            }
        }
        const TextPlace place = TextPlace::onLine("song", static_cast<long long>(index) + 1);
        const SongRow song{nextCode++, values.title, values.artist};
        storeOfLine(
            index, [&] { return "the song \"" + values.title + "\""; },
            [&] { songs.insert(song, place); });
        known.stored(song.SongTitle, song.SongPerformer);
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
            pending.add(index, {song.SongCode, style, values.tempo, values.transpose, values.notes},
                        place, values.title);
            ++summary.links;
        }
    }
    pending.store();
    transaction.commit();
    if (progress) {
        progress(static_cast<long long>(lines.size()), static_cast<long long>(lines.size()));
    }
    return summary;
}

}  // namespace orb
