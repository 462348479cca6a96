#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace orb::test {

// A folder of the test's own under the system temporary folder, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The home folder (HOME) set to `home`, made if missing, for as long as the object lives.
class ScopedHome {
public:
    explicit ScopedHome(const std::filesystem::path& home);
    ~ScopedHome();
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    std::string old_;
    bool hadOne_ = false;
};

// Writes `bytes` to `path`, creating its folders.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file as bytes.
std::string readFile(const std::filesystem::path& path);
// The names in a folder, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder);
// Every file below `folder` by its path inside it, with its bytes.
std::map<std::string, std::string> filesIn(const std::filesystem::path& folder);

}  // namespace orb::test
