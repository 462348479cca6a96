#include "core/file_replacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <set>
#include <streambuf>
#include <tuple>

namespace orb {
namespace {

namespace fs = std::filesystem;

// Up to this many files are synced one by one; more are synced with one call for their disk,
// which costs one flush instead of one a file.
constexpr std::size_t kSyncedOneByOne = 16;
constexpr std::size_t kBufferSize = 1 << 16;

FileSystemCalls systemCalls() {
    return {[](int fd, unsigned mode) { return ::fchmod(fd, static_cast<mode_t>(mode)); },
            [](int fd) { return ::fsync(fd); },
            [](int folderFd) {
#ifdef __linux__
                return ::syncfs(folderFd);
#else
                return ::fsync(folderFd);
#endif
            }};
}

FileSystemCalls& currentCalls() {
    static FileSystemCalls calls = systemCalls();
    return calls;
}

std::string errorText(int error) {
    return std::strerror(error);
}

// A file system that keeps no Unix permissions (FAT, some network shares) says so in one of
// these ways; the file is written all the same.
bool cannotKeepPermissions(int error) {
    return error == ENOSYS || error == EPERM || error == ENOTSUP || error == EOPNOTSUPP;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A stream's buffer that writes into a descriptor; the first failure stops it and keeps errno.
class DescriptorBuffer : public std::streambuf {
public:
    DescriptorBuffer(int fd, char* buffer) : fd_(fd), buffer_(buffer) {
        setp(buffer_, buffer_ + kBufferSize);
    }
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        if (size < static_cast<std::streamsize>(kBufferSize)) {
            return std::streambuf::xsputn(data, size);
        }
        // A large block goes straight to the file instead of through the buffer.
        if (!drain() || !put(data, static_cast<std::size_t>(size))) {
            return 0;
        }
        return size;
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool put(const char* data, std::size_t size) {
        if (error_ == 0 && !writeAll(fd_, data, size)) {
            error_ = errno;
        }
        return error_ == 0;
    }
    bool drain() {
        const bool done = put(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer_, buffer_ + kBufferSize);
        return done;
    }
    int fd_;
    char* buffer_;
    int error_ = 0;
};

// The start of this run: a temporary file of ours older than that was left by a killed run; a
// newer one may be another writer's, still at work.
const std::timespec kRunStart = [] {
    std::timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}();

bool olderThanThisRun(const struct stat& status) {
    return std::tie(status.st_mtim.tv_sec, status.st_mtim.tv_nsec) <
           std::tie(kRunStart.tv_sec, kRunStart.tv_nsec);
}

// Left-over files are housekeeping, not safety: a folder cleaned a moment ago is not looked
// through again, so that a writer of thousands of files reads its folder once. After a while
// it is, since a drive (a floppy, a stick) may have been changed meanwhile.
bool cleanedRecently(const struct stat& folder, const fs::path& path) {
    static std::mutex mutex;
    static std::map<std::tuple<dev_t, ino_t, std::string>, std::chrono::steady_clock::time_point>
        lastCleaned;
    const auto now = std::chrono::steady_clock::now();
    const std::lock_guard lock(mutex);
    auto [last, added] = lastCleaned.try_emplace({folder.st_dev, folder.st_ino, path}, now);
    if (!added && now - last->second < std::chrono::seconds(10)) {
        return true;
    }
    last->second = now;
    return false;
}

// Removes the regular files of our temporary pattern that a killed run left in the folder.
// Failing to remove one leaves it for the next run: nothing depends on it.
void removeLeftOvers(int folderFd, const struct stat& folder, const fs::path& path) {
    if (cleanedRecently(folder, path)) {
        return;
    }
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* list = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (list == nullptr) {
        if (listFd >= 0) {
            ::close(listFd);
        }
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(list)) {
        if (isTemporaryFileName(entry->d_name)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(list);
    for (const std::string& name : names) {
        struct stat status {};
        if (::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && olderThanThisRun(status)) {
            ::unlinkat(folderFd, name.c_str(), 0);
        }
    }
}

}  // namespace

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls calls) : previous_(currentCalls()) {
    const FileSystemCalls system = systemCalls();
    currentCalls() = {calls.changeMode ? calls.changeMode : system.changeMode,
                      calls.syncFile ? calls.syncFile : system.syncFile,
                      calls.syncFileSystem ? calls.syncFileSystem : system.syncFileSystem};
}

ScopedFileSystemCalls::~ScopedFileSystemCalls() {
    currentCalls() = previous_;
}

struct FileReplacement::State {
    struct Folder {
        int fd = -1;
        fs::path path;
        struct stat status {};
    };
    struct Entry {
        std::size_t folder = 0;
        std::string temporary;  // empty once renamed
        std::string name;
        fs::path target;
        std::string label;
    };

    std::string label;
    std::vector<Folder> folders;
    std::vector<Entry> entries;
    std::vector<fs::path> replaced;
    std::unique_ptr<char[]> buffer;

    std::string prefix(const fs::path& target) const {
        return label + " " + target.string() + " cannot be written: ";
    }
    std::string prefix(const Entry& entry) const {
        return entry.label + " " + entry.target.string() + " cannot be written: ";
    }

    // The folder's place in `folders`, taking a descriptor of its own (closed at the end).
    std::size_t folderOf(int fd, const fs::path& path, const std::string& failurePrefix) {
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            const int error = errno;
            ::close(fd);
            throw FileAccessError(failurePrefix + "its folder cannot be examined (" +
                                  errorText(error) + ").");
        }
        for (std::size_t i = folders.size(); i-- > 0;) {
            if (folders[i].status.st_dev == status.st_dev &&
                folders[i].status.st_ino == status.st_ino && folders[i].path == path) {
                ::close(fd);
                return i;
            }
        }
        folders.push_back({fd, path, status});
        removeLeftOvers(fd, status, path);
        return folders.size() - 1;
    }

    // Writes one file under a temporary name of the folder; `fill` writes its bytes and
    // returns 0 or the error number of a failed write.
    void stage(std::size_t folder, const std::string& name, const fs::path& target,
               std::optional<unsigned> keptMode, const std::function<int(int)>& fill) {
        const int folderFd = folders[folder].fd;
        Entry entry{folder, newTemporaryFileName(), name, target, label};
        const int fd = ::openat(folderFd, entry.temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            throw FileAccessError(prefix(target) + "no file can be created in its folder (" +
                                  errorText(errno) + ").");
        }
        const auto fail = [&](const std::string& why) {
            ::close(fd);
            ::unlinkat(folderFd, entry.temporary.c_str(), 0);
            throw FileAccessError(prefix(target) + why);
        };
        int writeError = 0;
        try {
            writeError = fill(fd);
        } catch (...) {
            ::close(fd);
            ::unlinkat(folderFd, entry.temporary.c_str(), 0);
            throw;
        }
        if (writeError != 0) {
            fail("it could not be written completely (" + errorText(writeError) + ").");
        }
        // Keeping the older file's permissions is a courtesy that FAT cannot grant.
        if (keptMode && currentCalls().changeMode(fd, *keptMode) != 0 &&
            !cannotKeepPermissions(errno)) {
            fail("its permissions cannot be kept (" + errorText(errno) + ").");
        }
        if (::close(fd) != 0) {
            const int error = errno;
            ::unlinkat(folderFd, entry.temporary.c_str(), 0);
            throw FileAccessError(prefix(target) + "it could not be written to the disk (" +
                                  errorText(error) + ").");
        }
        entries.push_back(std::move(entry));
    }

    // Every staged file on the disk itself: each file when they are few, else each disk once.
    void sync() {
        FileSystemCalls& calls = currentCalls();
        if (entries.size() <= kSyncedOneByOne) {
            for (const Entry& entry : entries) {
                const int fd = ::openat(folders[entry.folder].fd, entry.temporary.c_str(),
                                        O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
                const bool synced = fd >= 0 && calls.syncFile(fd) == 0;
                const int error = errno;
                if (fd >= 0) {
                    ::close(fd);
                }
                if (!synced) {
                    throw FileAccessError(prefix(entry) + "it could not be written to the disk (" +
                                          errorText(error) + ").");
                }
            }
            return;
        }
        std::set<dev_t> synced;
        for (const Entry& entry : entries) {
            const Folder& folder = folders[entry.folder];
            if (synced.insert(folder.status.st_dev).second &&
                calls.syncFileSystem(folder.fd) != 0) {
                throw FileAccessError(prefix(entry) + "it could not be written to the disk (" +
                                      errorText(errno) + ").");
            }
        }
    }
};

FileReplacement::FileReplacement(std::string label) : state_(std::make_unique<State>()) {
    state_->label = std::move(label);
    state_->buffer.reset(new char[kBufferSize]);
}

FileReplacement::~FileReplacement() {
    for (const State::Entry& entry : state_->entries) {
        if (!entry.temporary.empty()) {
            ::unlinkat(state_->folders[entry.folder].fd, entry.temporary.c_str(), 0);
        }
    }
    for (const State::Folder& folder : state_->folders) {
        ::close(folder.fd);
    }
}

void FileReplacement::setLabel(std::string label) {
    state_->label = std::move(label);
}

std::size_t FileReplacement::size() const {
    return state_->entries.size();
}

const std::vector<fs::path>& FileReplacement::replaced() const {
    return state_->replaced;
}

void FileReplacement::add(const fs::path& target, const std::function<void(std::ostream&)>& write) {
    const std::string prefix = state_->prefix(target);
    const std::optional<fs::path> followed = linkTarget(target);
    if (!followed) {
        throw FileAccessError(prefix + "it is a symbolic link that goes round in a loop.");
    }
    const fs::path& file = *followed;
    struct stat status {};
    const bool exists = ::lstat(file.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) {
        throw FileAccessError(prefix + "it is a folder.");
    }
    if (exists && !S_ISREG(status.st_mode)) {
        throw FileAccessError(prefix + "it is not a regular file.");
    }
    if (exists && (status.st_mode & S_IWUSR) == 0) {
        throw FileAccessError(prefix + "it is read-only.");
    }
    const fs::path folderPath = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int folderFd = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw FileAccessError(prefix + "the folder " + folderPath.string() +
                                  " does not exist.");
        }
        throw FileAccessError(prefix + "no file can be created in its folder (" + errorText(errno) +
                              ").");
    }
    const std::size_t folder = state_->folderOf(folderFd, folderPath, prefix);
    std::optional<unsigned> keptMode;
    if (exists) {
        keptMode = status.st_mode & 07777;
    }
    state_->stage(folder, file.filename().string(), target, keptMode, [&](int fd) {
        DescriptorBuffer buffer(fd, state_->buffer.get());
        std::ostream out(&buffer);
        write(out);
        out.flush();
        return buffer.error() != 0 ? buffer.error() : (out ? 0 : EIO);
    });
}

void FileReplacement::add(const DriveFolder& folder, const std::string& name,
                          std::string_view bytes) {
    const DriveEntry old = folder.checkReplaceable(name, state_->label);
    const std::string prefix = state_->prefix(folder.path() / name);
    const int folderFd = ::dup(folder.descriptor());
    if (folderFd < 0) {
        throw FileAccessError(prefix + "its folder cannot be used (" + errorText(errno) + ").");
    }
    const std::size_t index = state_->folderOf(folderFd, folder.path(), prefix);
    std::optional<unsigned> keptMode;
    if (old.kind == DriveEntry::Kind::File) {
        keptMode = old.mode;
    }
    state_->stage(index, name, folder.path() / name, keptMode,
                  [&](int fd) { return writeAll(fd, bytes.data(), bytes.size()) ? 0 : errno; });
}

void FileReplacement::commit() {
    state_->sync();
    for (State::Entry& entry : state_->entries) {
        if (entry.temporary.empty()) {
            continue;
        }
        const int folderFd = state_->folders[entry.folder].fd;
        if (::renameat(folderFd, entry.temporary.c_str(), folderFd, entry.name.c_str()) != 0) {
            throw FileAccessError(state_->prefix(entry) + "it cannot be replaced (" +
                                  errorText(errno) + ").");
        }
        entry.temporary.clear();
        state_->replaced.push_back(entry.target);
    }
    // The renames last through a power cut once their folders are on the disk. Each file is
    // already whole under one name or the other, so a failure here only says so.
    for (const State::Folder& folder : state_->folders) {
        if (currentCalls().syncFile(folder.fd) != 0) {
            throw FileAccessError("The files were written, but the folder " + folder.path.string() +
                                  " could not be synced to the disk (" + errorText(errno) +
                                  "); they may not last a power cut.");
        }
    }
}

void replaceFileSafely(const fs::path& target, const std::string& label,
                       const std::function<void(std::ostream&)>& write) {
    FileReplacement replacement(label);
    replacement.add(target, write);
    replacement.commit();
}

}  // namespace orb
