#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

// Files in a folder that other programs may write to as well (the restore points): a new file
// is made only under a name nobody holds, never through a link, and a file is read only when
// it is a regular file, without following a link or waiting on a FIFO.

// A file this run created. Closed (not removed) on destruction.
class NewFile {
public:
    enum class Outcome { Created, NameTaken, Failed };

    NewFile() = default;
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&& other) noexcept;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();

    // Creates `file` exclusively. NameTaken when anything (a file, a link, a FIFO) holds the
    // name; Failed with the system's reason in `failure` otherwise.
    static Outcome create(const std::filesystem::path& file, NewFile& made, std::string& failure);

    // Each answers "" when done, else the system's reason.
    std::string write(std::string_view bytes);
    // Appends the whole of `source`, which must be a regular file; `followLink` for a file the
    // person named (the database), not for one found in a shared folder.
    std::string copyFrom(const std::filesystem::path& source, bool followLink);
    std::string sync();
    std::string close();

    const std::filesystem::path& path() const { return path_; }

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

// The contents of `file` when it is a regular file of at most `limit` bytes, reached without a
// link and opened without waiting; nullopt otherwise, with the reason in `failure`.
std::optional<std::string> readRegularFileNoFollow(const std::filesystem::path& file,
                                                   std::uintmax_t limit, std::string& failure);

// The size of `file` when it is a regular file (not a link), else nullopt.
std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& file);

}  // namespace orb
