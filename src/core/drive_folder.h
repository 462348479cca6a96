#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_access.h"

namespace orb {

// A drive of the keyboard (a floppy, a stick, the keyboard's own disk) is the folder it is
// mounted on. These rules are shared by everything that writes banks for the keyboard.

// Ready: the folder exists and a file can be made in it.
bool driveReady(const std::filesystem::path& folder);

// Creates the folder and its parents when missing; throws FileAccessError naming the folder.
void createDriveFolder(const std::filesystem::path& folder);

// Why wiping `folder` is refused, or the empty string when it may be wiped. Refused: the root of
// the file system, the home folder or a folder above it, and a folder that holds one of
// `keep` (the open database, the settings file) anywhere below it.
std::string wipeRefusal(const std::filesystem::path& folder,
                        const std::vector<std::filesystem::path>& keep);

// Deletes every file and sub-folder at the top of `folder`. A refusal (see wipeRefusal) throws
// FileAccessError before anything is deleted; a failed delete throws one naming the path.
void wipeDriveFolder(const std::filesystem::path& folder,
                     const std::vector<std::filesystem::path>& keep);

}  // namespace orb
