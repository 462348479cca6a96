#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/drive_writing.h"

namespace orb {

// A bank file that reaches the keyboard is worth nothing if the medium did not keep it: a worn
// floppy or an old stick takes the bytes, says nothing and gives back others. So every bank
// file written for the keyboard is read back from the medium itself and compared.

// What `file` holds now on the opened drive, read relative to its descriptor without following
// a link; nullopt when there is no such file. With `pastPageCache` the file is flushed and its
// cached pages dropped first, so that the bytes come from the medium, not from memory. A link, a
// folder or a failed read throws FileAccessError naming the path.
std::optional<std::string> readDriveFile(const DriveFolder& drive, const DriveFile& file,
                                         bool pastPageCache);

// How a written file is read back: readDriveFile past the page cache, or a test's faulty medium.
using DiskReader =
    std::function<std::optional<std::string>(const DriveFolder& drive, const DriveFile& file)>;
std::optional<std::string> readBackFromDisk(const DriveFolder& drive, const DriveFile& file);

// The first of `files` (written onto `drive` and synced) that does not read back byte for byte,
// with what is wrong with it ("does not read back as it was written").
struct ReadBackFault {
    std::size_t file = 0;
    std::string problem;
};
std::optional<ReadBackFault> firstReadBackFault(const DriveFolder& drive,
                                                const std::vector<DriveFile>& files,
                                                const DiskReader& read);

// The message of a fault: "The bank file P of bank ROCK does not read back ...". `what` names
// what the file holds ("bank ROCK", "style BOSSA").
std::string readBackFailure(const std::filesystem::path& file, const std::string& what,
                            const std::string& problem);

// "3 bank files read back from the disk and verified."
std::string readBackVerified(std::size_t files);

}  // namespace orb
