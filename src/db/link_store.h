#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/text_gate.h"

namespace orb {

class Database;

// One row of KORFSonSty: a song played with a style, with the tempo, transposition and note to
// use. The store writes a single blank in place of an empty tempo, transposition or note, so
// that these columns never hold an empty text; reads give the blank back.
struct LinkRow {
    std::int32_t SongCode = 0;
    std::int32_t StyleProg = 0;
    std::string StyleTempo;
    std::string StyleTranspose;
    std::string SongNote;

    bool operator==(const LinkRow&) const = default;
};

// A link as the linking windows list it: the other side's number and name (the style's for a
// song's links, the song's for a style's links) and the link's values.
struct NamedLink {
    std::int32_t number = 0;
    std::string name;
    std::string SongNote;
    std::string StyleTempo;
    std::string StyleTranspose;

    bool operator==(const NamedLink&) const = default;
};

// Table KORFSonSty. A cheap object made on the connection; every statement on the table is
// here. Failures throw StoreError; every text written passes the text gate.
class LinkStore {
public:
    explicit LinkStore(Database& connection) : connection_(connection) {}

    std::optional<LinkRow> find(std::int32_t songCode, std::int32_t styleProg);
    long long count();
    // The links of a song with their styles' names, in style-name order (a style that is gone
    // has an empty name).
    std::vector<NamedLink> stylesOf(std::int32_t songCode);
    // The links of a style with their songs' titles, in title order.
    std::vector<NamedLink> songsOf(std::int32_t styleProg);

    // A second link of the same song and style is refused by the table's key.
    void insert(const LinkRow& link, const TextPlace& place);
    void insert(const LinkRow& link) {
        insert(link, TextPlace::link(link.SongCode, link.StyleProg));
    }
    // Several links in one statement: a song list's import stores thousands, and a statement
    // each costs more than their rows. Each text is checked at its place; a refusal stores none.
    void insertMany(std::span<const LinkRow> links, std::span<const TextPlace> places);
    // The text gate alone, for a link to be stored later.
    static void requireStorable(const LinkRow& link, const TextPlace& place);
    void remove(std::int32_t songCode, std::int32_t styleProg);
    // Every link of the song.
    void removeOfSong(std::int32_t songCode);
    // Replaces the stored links of a song, or of a style, with `links`, all at once.
    void replaceOfSong(std::int32_t songCode, const std::vector<LinkRow>& links);
    void replaceOfStyle(std::int32_t styleProg, const std::vector<LinkRow>& links);
    // Points every link of a deleted style at no style (number 0), without tempo and
    // transposition. A song that already holds a link without style keeps that one and loses the
    // style's link, since a song holds at most one link per style number.
    void unlinkStyle(std::int32_t styleProg);
    // Moves every link of style `from` to style `to`, keeping its tempo, transposition and note.
    // A song already linked to `to` keeps that link and loses the one of `from`. How many links
    // were moved.
    int moveStyle(std::int32_t from, std::int32_t to);
    // How many links each style has (styles without links are left out).
    std::unordered_map<std::int32_t, int> countsByStyle();

private:
    Database& connection_;
};

}  // namespace orb
