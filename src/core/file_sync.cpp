#include "core/file_sync.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orb {

#ifdef _WIN32

std::string syncFileToDisk(const std::filesystem::path& file) {
    const int fd = _wopen(file.c_str(), _O_RDWR | _O_BINARY);
    if (fd < 0) {
        return std::strerror(errno);
    }
    const bool synced = _commit(fd) == 0;
    const std::string reason = synced ? "" : std::strerror(errno);
    _close(fd);
    return reason;
}

std::string syncFolderToDisk(const std::filesystem::path&) {
    return "";  // folder entries are written with the file there
}

#else

namespace {

std::string openAndSync(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) {
        return std::strerror(errno);
    }
    const bool synced = ::fsync(fd) == 0;
    const std::string reason = synced ? "" : std::strerror(errno);
    ::close(fd);
    return reason;
}

}  // namespace

std::string syncFileToDisk(const std::filesystem::path& file) {
    return openAndSync(file, 0);
}

std::string syncFolderToDisk(const std::filesystem::path& folder) {
    return openAndSync(folder, O_DIRECTORY);
}

#endif

}  // namespace orb
