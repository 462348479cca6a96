#include "core/read_back.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orb {
namespace {

namespace fs = std::filesystem;

std::string readFailure(const fs::path& path, const std::string& why) {
    return "The file " + path.string() + " cannot be read: " + why + ".";
}

}  // namespace

std::optional<std::string> readDriveFile(const DriveFolder& drive, const DriveFile& file,
                                         bool pastPageCache) {
    std::optional<DriveFolder> folder;
    for (const std::string& name : file.folders) {
        const DriveFolder& parent = folder ? *folder : drive;
        if (parent.entry(name).kind == DriveEntry::Kind::Missing) {
            return std::nullopt;
        }
        folder = parent.subFolder(name, false);
    }
    const DriveFolder& parent = folder ? *folder : drive;
    const fs::path path = parent.path() / file.name;
    switch (parent.entry(file.name).kind) {
        case DriveEntry::Kind::Missing:
            return std::nullopt;
        case DriveEntry::Kind::File:
            break;
        case DriveEntry::Kind::Link:
            throw FileAccessError(readFailure(path, "it is a symbolic link"));
        case DriveEntry::Kind::Folder:
        case DriveEntry::Kind::Other:
            throw FileAccessError(readFailure(path, "it is not a regular file"));
    }
    const int fd =
        ::openat(parent.descriptor(), file.name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        throw FileAccessError(readFailure(path, std::strerror(errno)));
    }
    if (pastPageCache) {
        // Only pages that are on the medium can be dropped; the flush makes sure they are.
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    }
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw FileAccessError(readFailure(path, std::strerror(error)));
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

std::optional<std::string> readBackFromDisk(const DriveFolder& drive, const DriveFile& file) {
    return readDriveFile(drive, file, true);
}

std::optional<ReadBackFault> firstReadBackFault(const DriveFolder& drive,
                                                const std::vector<DriveFile>& files,
                                                const DiskReader& read) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::optional<std::string> found;
        try {
            found = read(drive, files[i]);
        } catch (const FileAccessError& failure) {
            std::string why = failure.what();
            if (why.ends_with('.')) {
                why.pop_back();
            }
            return ReadBackFault{i, "cannot be read back (" + why + ")"};
        }
        if (!found) {
            return ReadBackFault{i, "is no longer there when it is read back"};
        }
        if (*found != files[i].bytes) {
            return ReadBackFault{i, "does not read back as it was written"};
        }
    }
    return std::nullopt;
}

std::string readBackFailure(const fs::path& file, const std::string& what,
                            const std::string& problem) {
    return "The bank file " + file.string() + " of " + what + " " + problem +
           ". The floppy or stick may be failing: write it again, or use another one before the "
           "keyboard needs it.";
}

std::string readBackVerified(std::size_t files) {
    return std::to_string(files) + (files == 1 ? " bank file" : " bank files") +
           " read back from the disk and verified.";
}

}  // namespace orb
