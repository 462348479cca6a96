#include "db/known_songs.h"

#include <cstdint>

#include "db/database.h"
#include "db/song_store.h"

namespace orb {
namespace {

// A text as SQLite's NOCASE compares it: ASCII letters folded, nothing after a code 0 looked at,
// and the whole length told apart (written as four bytes after a code 0).
void appendFolded(std::string& key, std::string_view text) {
    const std::string_view compared = text.substr(0, text.find('\0'));
    const std::size_t start = key.size();
    key.resize(start + compared.size() + 5);
    char* out = key.data() + start;
    for (const char c : compared) {
        *out++ = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    *out++ = '\0';
    const auto length = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        *out++ = static_cast<char>((length >> shift) & 0xFF);
    }
}

std::string pairKey(std::string_view title, std::string_view performer) {
    std::string key;
    key.reserve(title.size() + performer.size() + 10);
    appendFolded(key, title);
    appendFolded(key, performer);
    return key;
}

bool blank(std::string_view performer) {
    return performer.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

KnownSongs::KnownSongs(Database& connection, SongStore& songs, std::size_t lines) : songs_(songs) {
    const long long stored = songs.count();
    if (stored > static_cast<long long>(lines)) {
        return;
    }
    askTable_ = false;
    pairs_.reserve(static_cast<std::size_t>(stored) + lines);
    // A NULL or a blob never equals a text in the table's own test.
    for (Rows rows = connection.query(
             "SELECT SongTitle, SongPerformer FROM KORFSongs WHERE typeof(SongTitle) = 'text' AND "
             "typeof(SongPerformer) = 'text'");
         rows.next();) {
        pairs_.insert(pairKey(rows.bytes(0), rows.bytes(1)));
    }
}

bool KnownSongs::holds(std::string_view title, std::string_view performer) {
    if (blank(performer)) {
        return false;
    }
    return pairs_.contains(pairKey(title, performer)) ||
           (askTable_ && songs_.holds(title, performer));
}

void KnownSongs::stored(std::string_view title, std::string_view performer) {
    pairs_.insert(pairKey(title, performer));
}

}  // namespace orb
