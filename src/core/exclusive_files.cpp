#include "core/exclusive_files.h"

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orb {
namespace {

#ifdef _WIN32
constexpr int kNoFollow = 0;
constexpr int kNonBlock = 0;
constexpr int kBinary = _O_BINARY;
int syncDescriptor(int fd) {
    return _commit(fd);
}
#else
constexpr int kNoFollow = O_NOFOLLOW;
constexpr int kNonBlock = O_NONBLOCK;
constexpr int kBinary = 0;
int syncDescriptor(int fd) {
    return ::fsync(fd);
}
#endif

std::string reason() {
    return std::strerror(errno);
}

// A descriptor for reading a regular file: no link followed unless asked, no wait on a FIFO.
int openForReading(const std::filesystem::path& file, bool followLink, std::string& failure) {
    const int fd =
        ::open(file.c_str(), O_RDONLY | kBinary | kNonBlock | (followLink ? 0 : kNoFollow)
#ifndef _WIN32
                                 | O_CLOEXEC
#endif
        );
    if (fd < 0) {
        failure = errno == ELOOP ? "it is a link" : reason();
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = "it is not a regular file";
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

NewFile::NewFile(NewFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

NewFile::~NewFile() {
    close();
}

NewFile::Outcome NewFile::create(const std::filesystem::path& file, NewFile& made,
                                 std::string& failure) {
    const int fd = ::open(file.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | kNoFollow | kBinary
#ifndef _WIN32
                              | O_CLOEXEC
#endif
                          ,
                          0644);
    if (fd < 0) {
        if (errno == EEXIST) {
            return Outcome::NameTaken;
        }
        failure = reason();
        return Outcome::Failed;
    }
    made.close();
    made.fd_ = fd;
    made.path_ = file;
    return Outcome::Created;
}

std::string NewFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto written =
            ::write(fd_, bytes.data(),
                    static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return reason();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::string NewFile::copyFrom(const std::filesystem::path& source, bool followLink) {
    std::string failure;
    const int from = openForReading(source, followLink, failure);
    if (from < 0) {
        return failure;
    }
#ifndef _WIN32
    // The kernel copies without the data passing through here when it can.
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, fd_, nullptr, 1 << 30, 0);
        if (copied == 0) {
            ::close(from);
            return {};
        }
        if (copied < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
                failure = reason();
                ::close(from);
                return failure;
            }
            break;  // not offered here: read and write instead
        }
    }
#endif
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const auto got = ::read(from, buffer.data(), static_cast<unsigned>(buffer.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            failure = got < 0 ? reason() : std::string();
            break;
        }
        failure = write(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        if (!failure.empty()) {
            break;
        }
    }
    ::close(from);
    return failure;
}

std::string NewFile::sync() {
    return syncDescriptor(fd_) == 0 ? std::string() : reason();
}

std::string NewFile::close() {
    if (fd_ < 0) {
        return {};
    }
    const int rc = ::close(std::exchange(fd_, -1));
    return rc == 0 ? std::string() : reason();
}

std::optional<std::string> readRegularFileNoFollow(const std::filesystem::path& file,
                                                   std::uintmax_t limit, std::string& failure) {
    const int fd = openForReading(file, false, failure);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const auto got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            failure = reason();
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
        if (contents.size() > limit) {
            failure = "it is larger than " + std::to_string(limit) + " bytes";
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return contents;
}

std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(file, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    return error ? std::nullopt : std::optional(size);
}

}  // namespace orb
