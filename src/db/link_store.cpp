#include "db/link_store.h"

#include <array>

#include "db/column_sizes.h"
#include "db/database.h"
#include "db/store_support.h"
#include "db/write_transaction.h"

namespace orb {
namespace {

constexpr const char* kSelectSql =
    "SELECT * FROM KORFSonSty WHERE SongCode = pSongCode AND StyleProg = pStyleProg";

constexpr const char* kStylesOfSongSql =
    "SELECT KORFSONSTY.STYLEPROG, KORFSTYLES.STYLENAME1,KORFSONSTY.SONGNOTE,KORFSONSTY.STYLETEMPO,"
    "KORFSONSTY.STYLETRANSPOSE FROM KORFSONSTY LEFT OUTER JOIN KORFSTYLES ON KORFSONSTY.STYLEPROG "
    "= KORFSTYLES.STYLEPROG WHERE KORFSONSTY.SONGCODE = pSongCode ORDER BY KORFSTYLES.STYLENAME1";
constexpr const char* kSongsOfStyleSql =
    "SELECT KORFSONGS.SONGCODE, KORFSONGS.SONGTITLE,KORFSONSTY.SONGNOTE,KORFSONSTY.STYLETEMPO,"
    "KORFSONSTY.STYLETRANSPOSE FROM KORFSONSTY LEFT OUTER JOIN KORFSONGS ON KORFSONSTY.SONGCODE = "
    "KORFSONGS.SONGCODE WHERE KORFSONSTY.STYLEPROG = pStyleProg ORDER BY KORFSONGS.SONGTITLE";

// A tempo, transposition or note is never stored empty.
std::string_view blankForEmpty(const std::string& text) {
    return text.empty() ? std::string_view(" ") : std::string_view(text);
}

constexpr const ColumnSize& kStyleTempoColumn = textColumn("KORFSonSty", "StyleTempo");
constexpr const ColumnSize& kStyleTransposeColumn = textColumn("KORFSonSty", "StyleTranspose");
constexpr const ColumnSize& kSongNoteColumn = textColumn("KORFSonSty", "SongNote");

void checkTexts(const LinkRow& link, const TextPlace& place) {
    requireStorableText(kStyleTempoColumn, link.StyleTempo, place);
    requireStorableText(kStyleTransposeColumn, link.StyleTranspose, place);
    requireStorableText(kSongNoteColumn, link.SongNote, place);
}

// A link's parameters in the order of its columns.
std::array<SqlParam, 5> valuesOf(const LinkRow& link) {
    return {link.SongCode, link.StyleProg, blankForEmpty(link.StyleTempo),
            blankForEmpty(link.StyleTranspose), blankForEmpty(link.SongNote)};
}

std::vector<NamedLink> readNamed(Rows rows) {
    std::vector<NamedLink> links;
    while (rows.next()) {
        std::string name = rows.text(1);
        std::erase(name, '\0');
        links.push_back({static_cast<std::int32_t>(rows.integer(0)), std::move(name), rows.text(2),
                         rows.text(3), rows.text(4)});
    }
    return links;
}

}  // namespace

std::optional<LinkRow> LinkStore::find(std::int32_t songCode, std::int32_t styleProg) {
    Rows rows = connection_.query(kSelectSql, {songCode, styleProg});
    if (!rows.next()) {
        return std::nullopt;
    }
    return LinkRow{static_cast<std::int32_t>(rows.integer("SongCode")),
                   static_cast<std::int32_t>(rows.integer("StyleProg")), rows.text("StyleTempo"),
                   rows.text("StyleTranspose"), rows.text("SongNote")};
}

long long LinkStore::count() {
    return countOf(connection_, "SELECT COUNT(*) FROM KORFSonSty");
}

std::vector<NamedLink> LinkStore::stylesOf(std::int32_t songCode) {
    return readNamed(connection_.query(kStylesOfSongSql, {songCode}));
}

std::vector<NamedLink> LinkStore::songsOf(std::int32_t styleProg) {
    return readNamed(connection_.query(kSongsOfStyleSql, {styleProg}));
}

void LinkStore::insert(const LinkRow& link, const TextPlace& place) {
    checkTexts(link, place);
    connection_.execute(
        "INSERT INTO KORFSonSty (SongCode,StyleProg,StyleTempo,StyleTranspose,SongNote) "
        "VALUES (pSongCode,pStyleProg,pStyleTempo,pStyleTranspose,pSongNote)",
        valuesOf(link));
}

void LinkStore::requireStorable(const LinkRow& link, const TextPlace& place) {
    checkTexts(link, place);
}

void LinkStore::insertMany(std::span<const LinkRow> links, std::span<const TextPlace> places) {
    insertRows(connection_, "KORFSonSty",
               {"SongCode", "StyleProg", "StyleTempo", "StyleTranspose", "SongNote"}, links, places,
               checkTexts, valuesOf);
}

void LinkStore::remove(std::int32_t songCode, std::int32_t styleProg) {
    connection_.execute(
        "DELETE FROM KORFSONSTY WHERE SONGCODE = pSongCode AND STYLEPROG = pStyleProg",
        {songCode, styleProg});
}

void LinkStore::removeOfSong(std::int32_t songCode) {
    connection_.execute("DELETE FROM KORFSONSTY WHERE SONGCODE = pSongCode", {songCode});
}

void LinkStore::replaceOfSong(std::int32_t songCode, const std::vector<LinkRow>& links) {
    WriteTransaction transaction(connection_);
    removeOfSong(songCode);
    for (const LinkRow& link : links) {
        insert(link);
    }
    transaction.commit();
}

void LinkStore::replaceOfStyle(std::int32_t styleProg, const std::vector<LinkRow>& links) {
    WriteTransaction transaction(connection_);
    connection_.execute("DELETE FROM KORFSonSty WHERE StyleProg = pStyleProg", {styleProg});
    for (const LinkRow& link : links) {
        insert(link);
    }
    transaction.commit();
}

void LinkStore::unlinkStyle(std::int32_t styleProg) {
    if (styleProg == 0) {
        return;  // such links point at no style already
    }
    WriteTransaction transaction(connection_);
    // The pair of song and style is the link's key: a link that would become a second
    // style-less link of its song is dropped instead.
    connection_.execute(
        "DELETE FROM KORFSONSTY WHERE STYLEPROG = pStyleProg AND SONGCODE IN "
        "(SELECT SONGCODE FROM KORFSONSTY WHERE STYLEPROG = pNoStyle)",
        {styleProg, std::int32_t{0}});
    connection_.execute(
        "UPDATE KORFSONSTY SET STYLEPROG= pNoStyle, STYLETEMPO = pStyleTempo, "
        "STYLETRANSPOSE = pStyleTranspose WHERE STYLEPROG = pStyleProg",
        {std::int32_t{0}, "", "", styleProg});
    transaction.commit();
}

int LinkStore::moveStyle(std::int32_t from, std::int32_t to) {
    if (from == to) {
        return 0;
    }
    WriteTransaction transaction(connection_);
    // A song holds one link per style: where it has one to `to` already, that one stays.
    connection_.execute(
        "DELETE FROM KORFSONSTY WHERE STYLEPROG = pFrom AND SONGCODE IN "
        "(SELECT SONGCODE FROM KORFSONSTY WHERE STYLEPROG = pTo)",
        {from, to});
    connection_.execute("UPDATE KORFSONSTY SET STYLEPROG = pTo WHERE STYLEPROG = pFrom",
                        {to, from});
    const int moved = connection_.changes();
    transaction.commit();
    return moved;
}

std::unordered_map<std::int32_t, int> LinkStore::countsByStyle() {
    std::unordered_map<std::int32_t, int> counts;
    Rows rows = connection_.query(
        "SELECT STYLEPROG, COUNT(*) FROM KORFSONSTY WHERE STYLEPROG IS NOT NULL AND STYLEPROG <> "
        "0 GROUP BY STYLEPROG");
    while (rows.next()) {
        counts[static_cast<std::int32_t>(rows.integer(0))] = static_cast<int>(rows.integer(1));
    }
    return counts;
}

}  // namespace orb
