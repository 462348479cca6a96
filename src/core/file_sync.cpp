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

std::string syncFileToDisk(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    const bool synced = ::fsync(fd) == 0;
    const std::string reason = synced ? "" : std::strerror(errno);
    ::close(fd);
    return reason;
}

std::string syncFolderToDisk(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    const bool synced = ::fsync(fd) == 0;
    const std::string reason = synced ? "" : std::strerror(errno);
    ::close(fd);
    return reason;
}

#endif

}  // namespace orb
