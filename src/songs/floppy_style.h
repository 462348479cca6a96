#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/drive_writing.h"

namespace orb {

class AppState;
class UserDialogs;

// A name for a bank file table: padded with blanks to 11 characters, or cut to its first 11.
std::string elevenCharacterName(const std::string& name);

// "Save to .STY for DIRECT FD": writes style `styleProg` alone, under a name the person types
// (proposed: the first 11 characters of `title` without blanks), as USER01.STY of the floppy
// layout in FloppyPath, with bank number 17. A floppy without ORB.SET is wiped first, after
// the question; a USER01.STY already there is replaced only after a question. Every failure is
// reported, naming the path; true when the file was written.
bool SaveStyleToFloppy(AppState& state, UserDialogs& dialogs, std::int32_t styleProg,
                       const std::string& title, const DriveRoomReader& room = roomOf);

}  // namespace orb
