#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace orb {

class SongStore;
class Database;

// The duplicate test of a run that stores many songs: SongStore::holds, answered from memory
// when the catalogue holds no more songs than the run reads lines, so that a long list does not
// ask the table once per line. The stored titles and performers are then read once, and the
// run's own songs are added as they are stored. With more stored songs than lines, each question
// goes to the table, which sees the run's songs by itself.
class KnownSongs {
public:
    KnownSongs(Database& connection, SongStore& songs, std::size_t lines);

    bool holds(std::string_view title, std::string_view performer);
    void stored(std::string_view title, std::string_view performer);

private:
    SongStore& songs_;
    // Pairs compared as the table's NOCASE columns compare them.
    std::optional<std::unordered_set<std::string>> pairs_;
};

}  // namespace orb
