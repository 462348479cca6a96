#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace orb {

class SongStore;
class Database;

// The duplicate test of a run that stores many songs, as SongStore::holds answers it. The run's
// own songs are kept here, so that they may reach the table later. When the catalogue holds no
// more songs than the run reads lines, the stored titles and performers are read once too, and a
// long list does not ask the table once per line; otherwise each question goes to the table.
class KnownSongs {
public:
    KnownSongs(Database& connection, SongStore& songs, std::size_t lines);

    bool holds(std::string_view title, std::string_view performer);
    void stored(std::string_view title, std::string_view performer);

private:
    SongStore& songs_;
    bool askTable_ = true;
    // Pairs compared as the table's NOCASE columns compare them.
    std::unordered_set<std::string> pairs_;
};

}  // namespace orb
