#include "db/song_store.h"

#include <algorithm>
#include <array>

#include "db/column_sizes.h"
#include "db/database.h"
#include "db/store_support.h"

namespace orb {
namespace {

constexpr const char* kMaxSql = "SELECT MAX(SongCode) AS MAXPROG FROM KORFSongs";

constexpr const char* kSelectSql = "SELECT * FROM KORFSongs WHERE SongCode = pSongCode";

// Title and performer are bound, so that an apostrophe in them is looked up like any other
// character.
constexpr const char* kSelectByTitlePerformerSql =
    "SELECT * FROM KORFSongs WHERE SongTitle = pSongTitle AND  SongPerformer = pSongPerformer";

constexpr const char* kTitlesLikeSql =
    "SELECT KORFSONGS.SONGCODE, KORFSONGS.SONGTITLE From KORFSONGS WHERE KORFSONGS.SONGTITLE LIKE "
    "pFilter ORDER BY KORFSONGS.SONGTITLE";
constexpr const char* kAllTitlesSql =
    "SELECT KORFSONGS.SONGCODE, KORFSONGS.SONGTITLE From KORFSONGS ORDER BY KORFSONGS.SONGTITLE";

// What each header button sorts by, in the order of SongGridColumn. Tempo and transposition are
// kept as text but sort as the numbers they hold (80 before 100, -2 before +1), the text itself
// ordering what is not a number.
constexpr std::array<const char*, 6> kGridOrderColumns = {
    "KORFSongs.SongTitle",
    "KORFSongs.SongPerformer",
    "KORFStyles.StyleName1",
    "CAST(KORFSonSty.StyleTempo AS REAL)%, KORFSonSty.StyleTempo",
    "CAST(KORFSonSty.StyleTranspose AS REAL)%, KORFSonSty.StyleTranspose",
    "KORFSonSty.SongNote"};

constexpr const ColumnSize& kSongTitleColumn = textColumn("KORFSongs", "SongTitle");
constexpr const ColumnSize& kSongPerformerColumn = textColumn("KORFSongs", "SongPerformer");

void checkTexts(const SongRow& song, const TextPlace& place) {
    requireStorableText(kSongTitleColumn, song.SongTitle, place);
    requireStorableText(kSongPerformerColumn, song.SongPerformer, place);
}

// A song's parameters in the order of its columns.
std::array<SqlParam, 3> valuesOf(const SongRow& song) {
    return {song.SongCode, song.SongTitle, song.SongPerformer};
}

}  // namespace

std::string songGridStatement(const SongGridOrder& order) {
    std::string sql =
        "SELECT KORFSongs.SongCode, KORFSongs.SongTitle, KORFSongs.SongPerformer, "
        "KORFStyles.StyleProg, KORFStyles.StyleName1, KORFSonSty.SongNote, KORFSonSty.StyleTempo, "
        "KORFSonSty.StyleTranspose, KORFSonSty.SongNote FROM (KORFSongs LEFT JOIN KORFSonSty ON "
        "KORFSongs.SongCode = KORFSonSty.SongCode) LEFT JOIN KORFStyles ON KORFSonSty.StyleProg = "
        "KORFStyles.StyleProg";
    if (order.column) {
        // "%" marks where a key of several parts takes the direction as well as at its end.
        const std::string direction = order.descending ? " DESC" : "";
        std::string keys = kGridOrderColumns[static_cast<std::size_t>(*order.column)];
        for (auto mark = keys.find('%'); mark != std::string::npos; mark = keys.find('%')) {
            keys.replace(mark, 1, direction);
        }
        sql += " ORDER BY " + keys + direction;
    }
    return sql;
}

std::optional<SongRow> SongStore::find(std::int32_t songCode) {
    Rows rows = connection_.query(kSelectSql, {songCode});
    if (!rows.next()) {
        return std::nullopt;
    }
    return SongRow{static_cast<std::int32_t>(rows.integer("SongCode")), rows.text("SongTitle"),
                   rows.text("SongPerformer")};
}

bool SongStore::holds(std::string_view title, std::string_view performer) {
    if (performer.find_first_not_of(' ') == std::string_view::npos) {
        return false;
    }
    Rows rows = connection_.query(kSelectByTitlePerformerSql, {title, performer});
    return rows.next();
}

std::int32_t SongStore::next() {
    return nextNumber(connection_, kMaxSql);
}

long long SongStore::count() {
    return countOf(connection_, "SELECT COUNT(*) FROM KORFSongs");
}

std::vector<SongRow> SongStore::titlesLike(const std::string& pattern) {
    Rows rows = pattern == "%" ? connection_.query(kAllTitlesSql)
                               : connection_.query(kTitlesLikeSql, {pattern});
    std::vector<SongRow> songs;
    while (rows.next()) {
        songs.push_back({static_cast<std::int32_t>(rows.integer(0)), rows.text(1), ""});
    }
    return songs;
}

std::vector<SongGridRow> SongStore::grid(const SongGridOrder& order) {
    std::vector<SongGridRow> grid;
    Rows rows = connection_.query(songGridStatement(order));
    while (rows.next()) {
        SongGridRow row;
        row.SongCode = static_cast<std::int32_t>(rows.integer(0));
        row.SongTitle = rows.text(1);
        row.SongPerformer = rows.text(2);
        row.StyleProg = rows.isNull(3) ? 0 : static_cast<std::int32_t>(rows.integer(3));
        row.StyleName1 = rows.text(4);
        std::erase(row.StyleName1, '\0');
        row.StyleTempo = rows.text(6);
        row.StyleTranspose = rows.text(7);
        row.SongNote = rows.text(8);
        grid.push_back(std::move(row));
    }
    return grid;
}

void SongStore::insert(const SongRow& song, const TextPlace& place) {
    checkTexts(song, place);
    connection_.execute(
        "INSERT INTO KORFSongs (SongCode,SongTitle,SongPerformer) VALUES "
        "(pSongCode,pSongTitle,pSongPerformer)",
        valuesOf(song));
}

void SongStore::requireStorable(const SongRow& song, const TextPlace& place) {
    checkTexts(song, place);
}

void SongStore::insertMany(std::span<const SongRow> songs, std::span<const TextPlace> places) {
    insertRows(connection_, "KORFSongs", {"SongCode", "SongTitle", "SongPerformer"}, songs, places,
               checkTexts, valuesOf);
}

bool SongStore::update(const SongRow& song) {
    checkTexts(song, TextPlace::song(song.SongCode));
    // One statement, so that a refused performer does not leave a new title behind.
    connection_.execute(
        "UPDATE KORFSongs SET SongTitle = pSongTitle, SongPerformer = pSongPerformer WHERE "
        "SongCode = pSongCode",
        {song.SongTitle, song.SongPerformer, song.SongCode});
    return connection_.changes() > 0;
}

void SongStore::remove(std::int32_t songCode) {
    connection_.execute("DELETE FROM KORFSongs WHERE SongCode = pSongCode", {songCode});
}

}  // namespace orb
