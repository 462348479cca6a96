#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/drive_folder.h"
#include "core/file_access.h"

namespace orb {

// The calls of a replacement that a file system may refuse. A test swaps them (see
// ScopedFileSystemCalls) to play a FAT stick that keeps no permissions or a disk whose sync fails;
// each returns 0 or -1 with errno set, as the system call does.
struct FileSystemCalls {
    std::function<int(int fd, unsigned mode)> changeMode;  // fchmod
    std::function<int(int fd)> syncFile;                   // fsync of one file or folder
    std::function<int(int folderFd)> syncFileSystem;       // syncfs: everything on that disk
};

// While it lives, every file replacement makes its calls through `calls`; a member left empty
// stays the system's call. Not for use by two threads at once.
class ScopedFileSystemCalls {
public:
    explicit ScopedFileSystemCalls(FileSystemCalls calls);
    ~ScopedFileSystemCalls();
    ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
    ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

private:
    FileSystemCalls previous_;
};

// New contents for one or many files. Each is written whole under a temporary name beside its
// target as it is added; `commit` then syncs them all at once (each file when they are few, the
// disk in one call when they are many) and only then renames each over its target and syncs the
// folders. A failure or a cancel before the renames leaves every older file as it was and no
// temporary file: whatever was not committed is removed when the replacement ends.
// An older file's permissions are kept where the file system can keep them; one that cannot
// (FAT) still gets the file. Before the first file of a folder, temporary files of ours that a
// killed run left there are removed, once a folder for a while, not for every file.
// Failures throw FileAccessError "<label> <path> cannot be written: <reason>".
class FileReplacement {
public:
    explicit FileReplacement(std::string label);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // `target` is a path a person chose: a symbolic link there is followed and the file it leads
    // to is replaced. A folder, a FIFO or a device, a read-only file and a missing folder are
    // refused. `write` fills the stream; what it throws reaches the caller, the file not kept.
    void add(const std::filesystem::path& target, const std::function<void(std::ostream&)>& write);
    // The file `name` of an open drive folder, which never follows a link (see DriveFolder).
    void add(const DriveFolder& folder, const std::string& name, std::string_view bytes);
    // Sets the label of the files added from now on.
    void setLabel(std::string label);

    std::size_t size() const;
    // Syncs, then renames. A failed sync throws with nothing replaced; a failed rename throws
    // naming the files already replaced. Then the targets, in the order added, are replaced().
    void commit();
    const std::vector<std::filesystem::path>& replaced() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Replaces `target` alone (see FileReplacement).
void replaceFileSafely(const std::filesystem::path& target, const std::string& label,
                       const std::function<void(std::ostream&)>& write);

}  // namespace orb
