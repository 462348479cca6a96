#include "songs/song_import.h"

#include <algorithm>
#include <functional>
#include <span>

#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/database.h"
#include "db/known_songs.h"
#include "db/link_store.h"
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

// Rows of the lines read so far, stored a statement at a time: a statement per row costs more
// than the row. Nothing in the run reads them back from the table (the duplicate test keeps the
// run's songs itself), so they may wait until the statement is full or the list ends. Their texts
// pass the gate as their line is read, so that the first refused line is the one named.
template <typename Row>
class PendingRows {
public:
    static constexpr std::size_t kPerStatement = 64;
    using StoreMany = std::function<void(std::span<const Row>, std::span<const TextPlace>)>;
    using StoreOne = std::function<void(const Row&, const TextPlace&)>;
    // What a refusal calls the row of line `index`: "the song \"Volare\"".
    using Describe = std::function<std::string(const Row&, std::size_t index)>;

    // `rows` names them all in a refusal that ended the transaction: "the links".
    PendingRows(Database& connection, std::string rows, StoreMany storeMany, StoreOne storeOne,
                StoreOne check, Describe describe)
        : connection_(connection),
          rowsName_(std::move(rows)),
          storeMany_(std::move(storeMany)),
          storeOne_(std::move(storeOne)),
          check_(std::move(check)),
          describe_(std::move(describe)) {}

    void add(std::size_t index, Row row, TextPlace place) {
        storeOfLine(
            index, [&] { return describe_(row, index); }, [&] { check_(row, place); });
        rows_.push_back(std::move(row));
        places_.push_back(std::move(place));
        lines_.push_back(index);
        if (rows_.size() == kPerStatement) {
            store();
        }
    }

    void store() {
        try {
            storeMany_(rows_, places_);
        } catch (const StoreError& e) {
            if (e.inUse()) {
                throw;
            }
            // A refusal may end the whole transaction (a trigger's ROLLBACK, some full-disk and
            // I/O errors): one at a time, the rows would then be stored outside it.
            if (!connection_.inTransaction()) {
                const std::string rows =
                    rows_.size() == 1 ? "Line " + std::to_string(lines_.front() + 1) + ": " +
                                            describe_(rows_.front(), lines_.front())
                                      : "Lines " + std::to_string(lines_.front() + 1) + " to " +
                                            std::to_string(lines_.back() + 1) + ": " + rowsName_;
                throw SongImportError(failureMessage(
                    e, rows + " cannot be stored: ", ". " + std::string(kNothingStored),
                    kNothingStored));
            }
            // The statement stored none of them: one at a time, the refused one names its line.
            for (std::size_t i = 0; i < rows_.size(); ++i) {
                storeOfLine(
                    lines_[i], [&] { return describe_(rows_[i], lines_[i]); },
                    [&] { storeOne_(rows_[i], places_[i]); });
            }
        }
        rows_.clear();
        places_.clear();
        lines_.clear();
    }

private:
    Database& connection_;
    std::string rowsName_;
    StoreMany storeMany_;
    StoreOne storeOne_;
    StoreOne check_;
    Describe describe_;
    std::vector<Row> rows_;
    std::vector<TextPlace> places_;
    std::vector<std::size_t> lines_;
};

}  // namespace

SongImportSummary ImportSongLines(AppState& state, UserDialogs& dialogs,
                                  const std::vector<std::string>& lines,
                                  const SongImportOptions& options,
                                  const SongImportProgress& progress) {
    SongImportSummary summary;
    WriteTransaction transaction(state.connection);
    // The default page cache holds the name index's covering pages well enough: into 100,000
    // styles, an 8 MB cache made this import a third slower (the style import keeps its larger
    // one).
    SongStore songs(state.connection);
    LinkStore links(state.connection);
    StyleStore styles(state.connection);
    KnownSongs known(state.connection, songs, lines.size());
    const auto titleOf = [&](std::size_t index) {
        return splitSongLine(lines[index], options.separator, options.fields).title;
    };
    PendingRows<SongRow> pendingSongs(
        state.connection, "the songs",
        [&](auto rows, auto places) { songs.insertMany(rows, places); },
        [&](const SongRow& song, const TextPlace& place) { songs.insert(song, place); },
        &SongStore::requireStorable,
        [](const SongRow& song, std::size_t) { return "the song \"" + song.SongTitle + "\""; });
    PendingRows<LinkRow> pendingLinks(
        state.connection, "the links",
        [&](auto rows, auto places) { links.insertMany(rows, places); },
        [&](const LinkRow& link, const TextPlace& place) { links.insert(link, place); },
        &LinkStore::requireStorable,
        [&](const LinkRow& link, std::size_t index) {
            return "the link of \"" + titleOf(index) + "\" to style " +
                   std::to_string(link.StyleProg);
        });
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
        const std::int32_t songCode = nextCode++;
        pendingSongs.add(index, {songCode, values.title, values.artist}, place);
        known.stored(values.title, values.artist);
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
            pendingLinks.add(index, {songCode, style, values.tempo, values.transpose, values.notes},
                             place);
            ++summary.links;
        }
    }
    pendingSongs.store();
    pendingLinks.store();
    transaction.commit();
    if (progress) {
        progress(static_cast<long long>(lines.size()), static_cast<long long>(lines.size()));
    }
    return summary;
}

}  // namespace orb
