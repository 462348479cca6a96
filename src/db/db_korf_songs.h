#pragma once

#include <cstdint>
#include <string>

#include "db/database.h"

namespace orb {

// Access to table KORFSongs: one song row held in the column properties. The Boolean
// operations report a database failure only through their result and clsKORFSongsError
// ("<code> <message>"); NextKORFSong lets it through as DbError.
class DbKORFSongs {
public:
    DbKORFSongs() = default;
    explicit DbKORFSongs(Database& connection) : ActiveConnection(&connection) {}

    std::int32_t SongCode = 0;
    std::string SongTitle;
    std::string SongPerformer;

    Database* ActiveConnection = nullptr;
    std::string clsKORFSongsError;

    bool InsKORFSongs();
    // Writes title and performer of row SongCode; false without error text when there is no
    // such row.
    bool UpdKORFSongs();
    // Deletes row SongCode (true also when there was none); its links stay.
    bool DelKORFSongs();
    // Loads row SongCode; false without error text, properties unchanged, when there is none.
    bool GetKORFSongs();
    // The duplicate test: true when a song with this title and performer exists (letter case
    // ignored). A performer that is empty or blanks only gives false at once, without touching
    // the database or the error text. Loads nothing.
    bool GetKORFSongsTP();
    // The largest SongCode plus 1, or 1 for an empty table.
    std::int32_t NextKORFSong();
};

}  // namespace orb
