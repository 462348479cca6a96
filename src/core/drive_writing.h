#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/drive_folder.h"

namespace orb {

// One file to write on a drive: the folders below the drive that hold it, its name and its
// complete contents, made before anything on the drive is touched.
struct DriveFile {
    std::vector<std::string> folders;
    std::string name;
    std::string bytes;

    std::filesystem::path pathOn(const std::filesystem::path& drive) const;
};

// The room of a drive, as the writing counts it.
struct DriveRoom {
    std::uintmax_t freeBytes = 0;
    std::uintmax_t blockSize = 512;
};
using DriveRoomReader = std::function<DriveRoom(const DriveFolder&)>;

// The drive's own figures.
DriveRoom roomOf(const DriveFolder& drive);

// Files that do not fit: thrown before anything is deleted or written.
class NotEnoughRoomError : public FileAccessError {
public:
    NotEnoughRoomError(const std::string& message, std::filesystem::path file)
        : FileAccessError(message), file_(std::move(file)) {}
    // The first file that would not fit.
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};

struct DriveWriting {
    // Empty the drive first (after the refusals of planWipe, counted in the room).
    bool wipe = false;
    // The files a wipe must never touch.
    std::vector<std::filesystem::path> keep;
    DriveRoomReader room = roomOf;
    // How the wipe deletes (a test makes it fail); unlinkat when empty.
    EntryRemover remove;
    // Called after each file is written, with its position in the list.
    std::function<void(std::size_t)> afterEach;
    // Starts the message of a file that cannot be written.
    std::string label = "The bank file";
};

// Writes `files` in order onto the open drive. Everything that can be known first is checked
// before anything is deleted or written: the wipe's refusals, links or other things in place
// of the folders, and the room (the drive's free room, plus what the wipe frees and what each
// replaced file frees, must hold every file). A refusal throws and leaves the drive as it was;
// NotEnoughRoomError when the room is short. A failure half-way throws FileAccessError whose
// message also says what was already deleted and written.
void writeToDrive(const DriveFolder& drive, const std::vector<DriveFile>& files,
                  const DriveWriting& how);

}  // namespace orb
