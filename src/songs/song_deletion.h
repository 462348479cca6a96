#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orb {

class AppState;

// What deleting songs did: all of them with their links, or none and why.
struct SongDeletion {
    bool deleted = false;
    std::string refusal;  // for the person; empty when the songs were deleted
};

// Deletes the songs numbered `codes` (a number may come more than once) and every link of theirs in
// one transaction: all of them, or, when one is not stored or the database refuses, none. The songs
// window and `orb song-delete` both delete through it and show the same refusal. A restore point of
// what it deletes is kept first.
SongDeletion DeleteSongs(AppState& state, const std::vector<std::int32_t>& codes);

}  // namespace orb
