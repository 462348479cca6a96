#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_access.h"

namespace orb {

// A drive of the keyboard (a floppy, a stick, the keyboard's own disk) is the folder it is
// mounted on. Such a folder belongs to the person: ORB opens it once and does everything else
// relative to that descriptor, so a folder swapped for a link meanwhile is never followed, no
// link inside it is followed, and no file of a fixed name is ever made in it to test it.

// What a path names, whatever text leads to it: compared instead of path strings.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What a folder entry is, read without following a link.
struct DriveEntry {
    enum class Kind { Missing, File, Folder, Link, Other };
    Kind kind = Kind::Missing;
    std::uintmax_t size = 0;
    bool ownerWritable = false;
    unsigned mode = 0;  // the permission bits
};

// An open folder of a drive. Movable, closes its descriptor when destroyed.
class DriveFolder {
public:
    // Opens `folder`; nullopt when it is missing or no folder. A link at `folder` itself is
    // followed only when `followLink`: the person named that path, but a wipe never follows one.
    static std::optional<DriveFolder> open(const std::filesystem::path& folder,
                                           bool followLink = true);

    DriveFolder(DriveFolder&& other) noexcept;
    DriveFolder& operator=(DriveFolder&& other) noexcept;
    DriveFolder(const DriveFolder&) = delete;
    DriveFolder& operator=(const DriveFolder&) = delete;
    ~DriveFolder();

    const std::filesystem::path& path() const { return path_; }
    int descriptor() const { return fd_; }
    FileIdentity identity() const;

    // A file can be made in it: the folder grants writing and its file system is not mounted
    // read-only. Nothing is created to find out.
    bool writable() const;
    // The bytes an unprivileged program may still fill, and the size of one allocation block.
    std::uintmax_t freeBytes() const;
    std::uintmax_t blockSize() const;

    DriveEntry entry(const std::string& name) const;

    // The sub-folder `name`, made first when `create` and missing. A link, or anything else
    // that is no folder, throws FileAccessError naming the path: a link is never followed.
    DriveFolder subFolder(const std::string& name, bool create) const;

    // Throws FileAccessError, as replaceFile would, when the file `name` cannot be replaced;
    // else what stands under that name now.
    DriveEntry checkReplaceable(const std::string& name, const std::string& label) const;

    // Replaces or makes the file `name` with `bytes` (see FileReplacement): written under a
    // temporary name, synced, then renamed over the old file, so a failure leaves the old one. A
    // read-only file, a link, a folder or anything that is no regular file is refused, naming the
    // path; `label` starts the message ("The bank file").
    void replaceFile(const std::string& name, std::string_view bytes,
                     const std::string& label) const;

private:
    DriveFolder(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    int fd_ = -1;
    std::filesystem::path path_;
};

// What a wipe will delete: counted before anything is deleted.
struct WipePlan {
    std::vector<std::uintmax_t> fileSizes;
    std::size_t folders = 0;

    std::size_t files() const { return fileSizes.size(); }
    // The room the deleted entries free: each file rounded up to whole blocks, a block a folder.
    std::uintmax_t freedBytes(std::uintmax_t blockSize) const;
};

// Why wiping `folder` is refused, or the empty string when it may be wiped. Refused: the root
// of the file system, the home folder or a folder above it, a folder that holds one of `keep`
// (the open database, the settings file, the program) anywhere below it, a folder that is a
// link, and a folder with another file system (or a bound folder) mounted inside. Compared by
// device, inode and mount, never by path text. The home folder is both the one $HOME names
// and the one of the password database.
std::string wipeRefusal(const std::filesystem::path& folder,
                        const std::vector<std::filesystem::path>& keep);

// Looks through the opened folder without following links and counts what a wipe deletes.
// A refusal (see wipeRefusal) throws FileAccessError; nothing is deleted. The folder's path,
// opened again without following a link, must lead to the very folder held open (same device,
// inode and mount): a folder opened through a link, or swapped since, is refused.
WipePlan planWipe(const DriveFolder& folder, const std::vector<std::filesystem::path>& keep);

// How entries are deleted: unlinkat's signature, so that a test can make one fail.
using EntryRemover = std::function<int(int folderDescriptor, const char* name, int flags)>;

// Deletes every file and sub-folder of the opened folder, relative to its descriptor, never
// following a link and never entering another file system. A failure half-way throws
// FileAccessError naming the path and saying what was already deleted.
void wipeOpenedFolder(const DriveFolder& folder, const EntryRemover& remove = {});

// The program's own file, which no wipe may touch; empty where it cannot be told.
std::filesystem::path programFile();

}  // namespace orb
