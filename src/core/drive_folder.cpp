#include "core/drive_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <utility>

#include "core/file_replacement.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

using IdentityKey = std::pair<std::uint64_t, std::uint64_t>;

std::string errorText(int error) {
    return std::strerror(error);
}

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::optional<FileIdentity> identityOfPath(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return identityOf(status);
}

// The mount a file belongs to: two folders of one file system bound at two places share a
// device but not a mount. Zero where the kernel cannot tell, which leaves the device test.
std::uint64_t mountOf(int folderDescriptor, const char* name) {
#if defined(STATX_MNT_ID)
    struct statx status {};
    if (::statx(folderDescriptor, name, AT_SYMLINK_NOFOLLOW | AT_EMPTY_PATH, STATX_MNT_ID,
                &status) == 0 &&
        (status.stx_mask & STATX_MNT_ID) != 0) {
        return status.stx_mnt_id;
    }
#else
    (void)folderDescriptor;
    (void)name;
#endif
    return 0;
}

// The home folders a wipe must spare: the one $HOME names when it is a whole path, and the one
// the password database names, which stays the person's home when $HOME is unset or odd.
std::vector<fs::path> homeFolders() {
    std::vector<fs::path> homes;
    for (const char* name : {"HOME", "USERPROFILE"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && fs::path(value).is_absolute()) {
            homes.emplace_back(value);
            break;
        }
    }
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && fs::path(found->pw_dir).is_absolute()) {
        homes.emplace_back(found->pw_dir);
    }
    return homes;
}

// The folder `path` stands in and every folder above it, by identity.
void addFoldersAbove(const fs::path& path, std::set<IdentityKey>& out) {
    std::error_code error;
    fs::path folder = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error) {
        folder = fs::absolute(path, error).lexically_normal();
    }
    for (;;) {
        if (const auto identity = identityOfPath(folder)) {
            out.insert({identity->device, identity->inode});
        }
        if (folder == folder.root_path() || !folder.has_parent_path()) {
            return;
        }
        folder = folder.parent_path();
    }
}

// A name that stays inside its folder: no separator, and neither "." nor "..".
void requirePlainName(const fs::path& folder, const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        throw FileAccessError("The name \"" + name + "\" cannot be used inside " + folder.string() +
                              ": a name must not be empty, \".\", \"..\" or hold a \"/\".");
    }
}

// What the refusals compare against: the root, the home folder and the folders above it, and
// the files in use with the folders above them (each naming the file it protects).
struct Protected {
    FileIdentity root;
    std::set<IdentityKey> homeAndAbove;
    std::map<IdentityKey, std::string> keepFiles;
    std::map<IdentityKey, std::string> keepFolders;
};

IdentityKey keyOf(const FileIdentity& identity) {
    return {identity.device, identity.inode};
}

Protected protectedPlaces(const std::vector<fs::path>& keep) {
    Protected places;
    places.root = identityOfPath("/").value_or(FileIdentity{});
    for (const fs::path& home : homeFolders()) {
        addFoldersAbove(home, places.homeAndAbove);
    }
    for (const fs::path& file : keep) {
        if (file.empty()) {
            continue;
        }
        if (const auto identity = identityOfPath(file)) {
            places.keepFiles.try_emplace(keyOf(*identity), file.string());
        }
        std::set<IdentityKey> above;
        addFoldersAbove(file.has_parent_path() ? file.parent_path() : fs::path("."), above);
        for (const IdentityKey& folder : above) {
            places.keepFolders.try_emplace(folder, file.string());
        }
    }
    return places;
}

// The names in an open folder. The duplicate descriptor shares the folder's read position,
// which an earlier listing left at the end, so the listing starts from the top.
std::vector<std::string> namesIn(int fd, const fs::path& path) {
    const int listing = ::dup(fd);
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (dir == nullptr) {
        const int error = errno;
        if (listing >= 0) {
            ::close(listing);
        }
        throw FileAccessError("The folder " + path.string() +
                              " cannot be listed: " + errorText(error) + ".");
    }
    ::rewinddir(dir);
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* item = ::readdir(dir)) {
        const std::string name = item->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    const int listError = errno;
    ::closedir(dir);
    if (listError != 0) {
        throw FileAccessError("The folder " + path.string() +
                              " cannot be listed: " + errorText(listError) + ".");
    }
    return names;
}

struct WalkResult {
    WipePlan plan;
    std::string refusal;  // empty when the folder may be wiped
};

// Counts the entries below an open folder without following links; stops at the first entry
// that must not be deleted and says why.
void walk(int fd, const fs::path& path, const FileIdentity& top, std::uint64_t topMount,
          const Protected& places, WalkResult& result) {
    const std::vector<std::string> names = namesIn(fd, path);
    for (const std::string& name : names) {
        struct stat status {};
        if (::fstatat(fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            throw FileAccessError((path / name).string() +
                                  " cannot be examined: " + errorText(errno) + ".");
        }
        const FileIdentity identity = identityOf(status);
        if (const auto kept = places.keepFiles.find(keyOf(identity));
            kept != places.keepFiles.end()) {
            result.refusal = "it holds " + (path / name).string() + ", which is " + kept->second +
                             " under another name";
            return;
        }
        if (!S_ISDIR(status.st_mode)) {
            result.plan.fileSizes.push_back(static_cast<std::uintmax_t>(status.st_size));
            continue;
        }
        const std::uint64_t mount = mountOf(fd, name.c_str());
        if (identity.device != top.device || (topMount != 0 && mount != 0 && mount != topMount)) {
            result.refusal = "another file system is mounted on " + (path / name).string();
            return;
        }
        if (places.homeAndAbove.contains(keyOf(identity))) {
            result.refusal = "it holds the home folder at " + (path / name).string();
            return;
        }
        if (const auto kept = places.keepFolders.find(keyOf(identity));
            kept != places.keepFolders.end()) {
            result.refusal =
                "it holds " + (path / name).string() + ", where " + kept->second + " is kept";
            return;
        }
        const int child =
            ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0) {
            throw FileAccessError("The folder " + (path / name).string() +
                                  " cannot be opened: " + errorText(errno) + ".");
        }
        walk(child, path / name, top, topMount, places, result);
        ::close(child);
        if (!result.refusal.empty()) {
            return;
        }
        ++result.plan.folders;
    }
}

std::string refusalOf(const DriveFolder& folder, const Protected& places, WipePlan* plan) {
    const FileIdentity identity = folder.identity();
    if (identity == places.root) {
        return "it is the root of the file system";
    }
    if (places.homeAndAbove.contains(keyOf(identity))) {
        return "it is the home folder or a folder above it";
    }
    if (const auto kept = places.keepFolders.find(keyOf(identity));
        kept != places.keepFolders.end()) {
        return "it holds " + kept->second + ", which ORB is using";
    }
    WalkResult result;
    walk(folder.descriptor(), folder.path(), identity, mountOf(folder.descriptor(), ""), places,
         result);
    if (plan != nullptr) {
        *plan = result.plan;
    }
    return result.refusal;
}

std::string refusalMessage(const fs::path& folder, const std::string& reason) {
    return "ORB does not wipe " + folder.string() + ": " + reason + ". Nothing was deleted.";
}

// Deletes what is inside `fd`, counting as it goes; the counts stay right when it throws.
void removeInside(int fd, const fs::path& path, const FileIdentity& top, std::uint64_t topMount,
                  const EntryRemover& remove, std::size_t& files, std::size_t& folders) {
    const std::vector<std::string> names = namesIn(fd, path);
    for (const std::string& name : names) {
        struct stat status {};
        if (::fstatat(fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) {
                continue;  // gone meanwhile
            }
            throw FileAccessError((path / name).string() +
                                  " cannot be examined: " + errorText(errno) + ".");
        }
        int flags = 0;
        if (S_ISDIR(status.st_mode)) {
            const std::uint64_t mount = mountOf(fd, name.c_str());
            if (status.st_dev != static_cast<dev_t>(top.device) ||
                (topMount != 0 && mount != 0 && mount != topMount)) {
                throw FileAccessError("another file system was mounted on " +
                                      (path / name).string() + " meanwhile");
            }
            const int child =
                ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                throw FileAccessError((path / name).string() +
                                      " cannot be opened: " + errorText(errno) + ".");
            }
            try {
                removeInside(child, path / name, top, topMount, remove, files, folders);
            } catch (...) {
                ::close(child);
                throw;
            }
            ::close(child);
            flags = AT_REMOVEDIR;
        }
        if (remove(fd, name.c_str(), flags) != 0) {
            throw FileAccessError((path / name).string() +
                                  " cannot be deleted: " + errorText(errno) + ".");
        }
        ++(flags == AT_REMOVEDIR ? folders : files);
    }
}

std::string countText(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::optional<DriveFolder> DriveFolder::open(const fs::path& folder, bool followLink) {
    if (folder.empty()) {
        return std::nullopt;
    }
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::open(folder.c_str(), flags);
    if (fd < 0) {
        return std::nullopt;
    }
    return DriveFolder(fd, folder);
}

DriveFolder::DriveFolder(DriveFolder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

DriveFolder& DriveFolder::operator=(DriveFolder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

DriveFolder::~DriveFolder() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

FileIdentity DriveFolder::identity() const {
    struct stat status {};
    ::fstat(fd_, &status);
    return identityOf(status);
}

bool DriveFolder::writable() const {
    struct statvfs volume {};
    if (::fstatvfs(fd_, &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0) {
        return false;
    }
    return ::faccessat(fd_, ".", W_OK | X_OK, AT_EACCESS) == 0;
}

std::uintmax_t DriveFolder::freeBytes() const {
    struct statvfs volume {};
    if (::fstatvfs(fd_, &volume) != 0) {
        return 0;
    }
    return static_cast<std::uintmax_t>(volume.f_bavail) * volume.f_frsize;
}

std::uintmax_t DriveFolder::blockSize() const {
    struct statvfs volume {};
    if (::fstatvfs(fd_, &volume) != 0 || volume.f_frsize == 0) {
        return 512;
    }
    return volume.f_frsize;
}

DriveEntry DriveFolder::entry(const std::string& name) const {
    requirePlainName(path_, name);
    struct stat status {};
    if (::fstatat(fd_, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return {};
    }
    DriveEntry found;
    found.size = static_cast<std::uintmax_t>(status.st_size);
    found.ownerWritable = (status.st_mode & S_IWUSR) != 0;
    found.mode = status.st_mode & 07777;
    if (S_ISREG(status.st_mode)) {
        found.kind = DriveEntry::Kind::File;
    } else if (S_ISDIR(status.st_mode)) {
        found.kind = DriveEntry::Kind::Folder;
    } else if (S_ISLNK(status.st_mode)) {
        found.kind = DriveEntry::Kind::Link;
    } else {
        found.kind = DriveEntry::Kind::Other;
    }
    return found;
}

DriveFolder DriveFolder::subFolder(const std::string& name, bool create) const {
    requirePlainName(path_, name);
    const fs::path path = path_ / name;
    if (create && ::mkdirat(fd_, name.c_str(), 0777) != 0 && errno != EEXIST) {
        throw FileAccessError("The folder " + path.string() +
                              " cannot be created: " + errorText(errno) + ".");
    }
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP || entry(name).kind == DriveEntry::Kind::Link) {
            throw FileAccessError("The folder " + path.string() +
                                  " is a symbolic link, which ORB does not follow on a drive.");
        }
        if (error == ENOTDIR) {
            throw FileAccessError("The folder " + path.string() +
                                  " cannot be used: something that is no folder has its name.");
        }
        throw FileAccessError("The folder " + path.string() +
                              " cannot be opened: " + errorText(error) + ".");
    }
    return DriveFolder(fd, path);
}

DriveEntry DriveFolder::checkReplaceable(const std::string& name, const std::string& label) const {
    const std::string prefix = label + " " + (path_ / name).string() + " cannot be written: ";
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        throw FileAccessError(prefix +
                              "a file name must not be empty, \".\", \"..\" or hold a "
                              "\"/\".");
    }
    const DriveEntry found = entry(name);
    switch (found.kind) {
        case DriveEntry::Kind::Missing:
            break;
        case DriveEntry::Kind::File:
            if (!found.ownerWritable) {
                throw FileAccessError(prefix + "it is read-only.");
            }
            break;
        case DriveEntry::Kind::Folder:
            throw FileAccessError(prefix + "it is a folder.");
        case DriveEntry::Kind::Link:
            throw FileAccessError(prefix +
                                  "it is a symbolic link, which ORB does not follow on a drive.");
        case DriveEntry::Kind::Other:
            throw FileAccessError(prefix + "it is not a regular file.");
    }
    return found;
}

void DriveFolder::replaceFile(const std::string& name, std::string_view bytes,
                              const std::string& label) const {
    FileReplacement replacement(label);
    replacement.add(*this, name, bytes);
    replacement.commit();
}

std::uintmax_t WipePlan::freedBytes(std::uintmax_t blockSize) const {
    std::uintmax_t freed = folders * blockSize;
    for (const std::uintmax_t size : fileSizes) {
        freed += blockSize == 0 ? size : (size + blockSize - 1) / blockSize * blockSize;
    }
    return freed;
}

std::string wipeRefusal(const fs::path& folder, const std::vector<fs::path>& keep) {
    const auto opened = DriveFolder::open(folder, false);
    if (!opened) {
        struct stat status {};
        if (::lstat(folder.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
            return refusalMessage(folder, "it is a symbolic link; give the folder it leads to");
        }
        return refusalMessage(folder, "it is no folder that can be opened");
    }
    const std::string reason = refusalOf(*opened, protectedPlaces(keep), nullptr);
    return reason.empty() ? std::string() : refusalMessage(folder, reason);
}

WipePlan planWipe(const DriveFolder& folder, const std::vector<fs::path>& keep) {
    // The folder may have been opened through a link, or the link swapped for a folder since:
    // the path, opened without following a link, must lead to the very folder held open.
    const auto again = DriveFolder::open(folder.path(), false);
    if (!again) {
        struct stat status {};
        const bool link = ::lstat(folder.path().c_str(), &status) == 0 && S_ISLNK(status.st_mode);
        throw FileAccessError(refusalMessage(
            folder.path(), link ? "it is a symbolic link; give the folder it leads to"
                                : "it is no folder that can be opened"));
    }
    if (again->identity() != folder.identity() ||
        mountOf(again->descriptor(), "") != mountOf(folder.descriptor(), "")) {
        throw FileAccessError(refusalMessage(
            folder.path(), "it is no longer the folder ORB opened; something was swapped in"));
    }
    WipePlan plan;
    const std::string reason = refusalOf(folder, protectedPlaces(keep), &plan);
    if (!reason.empty()) {
        throw FileAccessError(refusalMessage(folder.path(), reason));
    }
    return plan;
}

void wipeOpenedFolder(const DriveFolder& folder, const EntryRemover& remove) {
    const EntryRemover removeEntry = remove ? remove : [](int fd, const char* name, int flags) {
        return ::unlinkat(fd, name, flags);
    };
    std::size_t files = 0;
    std::size_t folders = 0;
    try {
        removeInside(folder.descriptor(), folder.path(), folder.identity(),
                     mountOf(folder.descriptor(), ""), removeEntry, files, folders);
    } catch (const FileAccessError& failure) {
        std::string text = failure.what();
        if (files + folders == 0) {
            text += " Nothing was deleted.";
        } else {
            text += " Already deleted from " + folder.path().string() + ": " +
                    countText(files, "file", "files") + " and " +
                    countText(folders, "folder", "folders") + ".";
        }
        throw FileAccessError(text);
    }
}

fs::path programFile() {
    std::error_code error;
    fs::path file = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : file;
}

}  // namespace orb
