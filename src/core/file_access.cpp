#include "core/file_access.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

#include "core/file_sync.h"

namespace orb {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTemporaryPrefix = ".orb-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryDigits = 16;
// As many as the kernel follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;

// Files older than this run may be removed as left over; a file a running writer still uses
// is newer.
const fs::file_time_type kRunStart = fs::file_time_type::clock::now();

// The file a chain of symbolic links ends at (the path itself when it is none); nullopt for a
// chain that goes round in a loop or is too long to end anywhere.
std::optional<fs::path> followLinks(fs::path path) {
    for (int depth = 0; depth < kMostLinksFollowed; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return path;
        }
        const fs::path link = fs::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return std::nullopt;
}

fs::path temporaryPathIn(const fs::path& folder) {
    return folder / newTemporaryFileName();
}

// Left-over files are housekeeping, not safety: a folder scanned a moment ago is not scanned
// again, so that writing thousands of files into one folder does not read it thousands of times.
// After a while it is, since a drive (a floppy, a stick) may have been changed meanwhile.
bool scannedRecently(const fs::path& folder) {
    static std::mutex mutex;
    static std::map<fs::path, std::chrono::steady_clock::time_point> lastScans;
    const auto now = std::chrono::steady_clock::now();
    const std::lock_guard lock(mutex);
    auto [last, added] = lastScans.try_emplace(folder, now);
    if (!added && now - last->second < std::chrono::seconds(10)) {
        return true;
    }
    last->second = now;
    return false;
}

void removeLeftOverTemporaryFiles(const fs::path& folder) {
    if (scannedRecently(folder)) {
        return;
    }
    std::error_code error;
    std::vector<fs::path> leftOver;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (isTemporaryFileName(it->path().filename().string()) &&
            it->is_regular_file(entryError) && it->last_write_time(entryError) < kRunStart &&
            !entryError) {
            leftOver.push_back(it->path());
        }
    }
    for (const fs::path& path : leftOver) {
        fs::remove(path, error);
    }
}

}  // namespace

std::string newTemporaryFileName() {
    static std::mt19937_64 random{std::random_device{}()};
    constexpr char kHex[] = "0123456789abcdef";
    std::string name(kTemporaryPrefix);
    std::uint64_t bits = random();
    for (std::size_t i = 0; i < kTemporaryDigits; ++i, bits >>= 4) {
        name += kHex[bits & 0xF];
    }
    return name + std::string(kTemporarySuffix);
}

bool isLinkLoop(const fs::path& path) {
    return !followLinks(path).has_value();
}

bool hasExtensionInAnyCase(const fs::path& file, std::string_view extension) {
    std::string actual = file.extension().string();
    std::transform(actual.begin(), actual.end(), actual.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return actual == extension;
}

bool isTemporaryFileName(const std::string& fileName) {
    const std::size_t length = kTemporaryPrefix.size() + kTemporaryDigits + kTemporarySuffix.size();
    if (fileName.size() != length || !fileName.starts_with(kTemporaryPrefix) ||
        !fileName.ends_with(kTemporarySuffix)) {
        return false;
    }
    for (std::size_t i = kTemporaryPrefix.size(); i < kTemporaryPrefix.size() + kTemporaryDigits;
         ++i) {
        const char c = fileName[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

void requireRegularFile(const fs::path& path, const std::string& label) {
    const std::string name = label + " " + path.string();
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        throw FileAccessError(name + " does not exist.");
    }
    if (error) {
        throw FileAccessError(name + " cannot be read: " + error.message() + ".");
    }
    if (fs::is_directory(status)) {
        throw FileAccessError(name + " cannot be read: it is a folder.");
    }
    if (!fs::is_regular_file(status)) {
        throw FileAccessError(name + " cannot be read: it is not a regular file.");
    }
}

std::ifstream openRegularFile(const fs::path& path, const std::string& label) {
    requireRegularFile(path, label);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw FileAccessError(label + " " + path.string() + " cannot be opened (no permission?).");
    }
    return in;
}

void replaceFileSafely(const fs::path& target, const std::string& label,
                       const std::function<void(std::ostream&)>& write) {
    const std::string prefix = label + " " + target.string() + " cannot be written: ";
    const std::optional<fs::path> followed = followLinks(target);
    if (!followed) {
        throw FileAccessError(prefix + "it is a symbolic link that goes round in a loop.");
    }
    const fs::path& file = *followed;
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (fs::is_directory(status)) {
        throw FileAccessError(prefix + "it is a folder.");
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        throw FileAccessError(prefix + "it is not a regular file.");
    }
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        throw FileAccessError(prefix + "it is read-only.");
    }
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, error)) {
        throw FileAccessError(prefix + "the folder " + folder.string() + " does not exist.");
    }
    removeLeftOverTemporaryFiles(folder);

    const fs::path temporary = temporaryPathIn(folder);
    try {
        {
            // The buffer must outlive the stream, which flushes into it when it closes.
            std::vector<char> buffer(1 << 20);
            std::ofstream out;
            out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            out.open(temporary, std::ios::binary | std::ios::trunc);
            if (!out) {
                throw FileAccessError(prefix +
                                      "no file can be created in its folder (no permission, or "
                                      "the drive is not ready).");
            }
            write(out);
            out.close();
            if (!out) {
                throw FileAccessError(prefix +
                                      "it could not be written completely (is the disk "
                                      "full or gone?).");
            }
        }
        if (const std::string syncError = syncFileToDisk(temporary); !syncError.empty()) {
            throw FileAccessError(prefix + "it could not be written to the disk (" + syncError +
                                  ").");
        }
        if (fs::exists(status)) {
            // Keep the old file's permissions rather than the default ones of a new file.
            fs::permissions(temporary, status.permissions(), error);
        }
        fs::rename(temporary, file, error);
        if (error) {
            throw FileAccessError(prefix + "it cannot be replaced (" + error.message() + ").");
        }
        syncFolderToDisk(folder);
    } catch (...) {
        fs::remove(temporary, error);
        throw;
    }
}

}  // namespace orb
