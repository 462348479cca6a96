#pragma once

#include <filesystem>
#include <string>

namespace orb {

// The operating system's own calls that the standard library lacks, kept in one place.

// Writes the file's data through to the disk; "" when done, else the system's reason.
std::string syncFileToDisk(const std::filesystem::path& file);

// Makes a rename inside the folder last through a power cut; failures are not reported,
// since the file itself is already safe.
void syncFolderToDisk(const std::filesystem::path& folder);

}  // namespace orb
