#pragma once

#include <filesystem>
#include <string>

namespace orb {

// The operating system's own calls that the standard library lacks, kept in one place.

// Writes the file's data through to the disk; "" when done, else the system's reason.
std::string syncFileToDisk(const std::filesystem::path& file);
// Writes the folder's entries (new names, renames) through to the disk; "" or the reason.
std::string syncFolderToDisk(const std::filesystem::path& folder);

}  // namespace orb
