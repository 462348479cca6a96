#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/text_gate.h"

namespace orb {

class Database;

// One row of KORFSongs.
struct SongRow {
    std::int32_t SongCode = 0;
    std::string SongTitle;
    std::string SongPerformer;

    bool operator==(const SongRow&) const = default;
};

// One row of the songs grid: a song with one of its links, or a song without links (style 0,
// empty style texts). A link to a style that is gone shows style 0 and an empty name.
struct SongGridRow {
    std::int32_t SongCode = 0;
    std::string SongTitle;
    std::string SongPerformer;
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleTempo;
    std::string StyleTranspose;
    std::string SongNote;

    bool operator==(const SongGridRow&) const = default;
};

// The columns the songs grid sorts by, in the order of its header buttons.
enum class SongGridColumn { Title = 0, Performer, Style, Tempo, Transpose, Notes };

// The grid's order: one column, ascending or descending; none keeps the statement's own order.
struct SongGridOrder {
    std::optional<SongGridColumn> column;
    bool descending = false;
    bool operator==(const SongGridOrder&) const = default;
};

// The songs grid's statement in `order`, as the grid runs it (the benchmark runs it in the
// sqlite3 shell too).
std::string songGridStatement(const SongGridOrder& order);

// Table KORFSongs. A cheap object made on the connection; every statement on the table is
// here. Failures throw StoreError; every text written passes the text gate.
class SongStore {
public:
    explicit SongStore(Database& connection) : connection_(connection) {}

    std::optional<SongRow> find(std::int32_t songCode);
    // The duplicate test of the song import: true when a song with this title and performer is
    // stored (letter case aside). A performer that is empty or blanks only is never a duplicate,
    // and the database is not asked.
    bool holds(std::string_view title, std::string_view performer);
    // The largest code plus 1, or 1 for an empty table.
    std::int32_t next();
    long long count();
    // Code and title of every song whose title matches the LIKE `pattern` ("%" alone: every
    // song), in title order.
    std::vector<SongRow> titlesLike(const std::string& pattern);
    // The songs grid in `order`; style names without the code-0 characters that pad them in bank
    // files.
    std::vector<SongGridRow> grid(const SongGridOrder& order);

    // Stores `song` under its own code.
    void insert(const SongRow& song, const TextPlace& place = TextPlace::newRow("song"));
    // Several songs in one statement, each text checked at its place; a refusal stores none.
    void insertMany(std::span<const SongRow> songs, std::span<const TextPlace> places);
    // The text gate alone, for a song to be stored later.
    static void requireStorable(const SongRow& song, const TextPlace& place);
    // Writes title and performer; false when there is no such song.
    bool update(const SongRow& song);
    // Deletes the song (nothing when there is none); its links are the caller's.
    void remove(std::int32_t songCode);

private:
    Database& connection_;
};

}  // namespace orb
