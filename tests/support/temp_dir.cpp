#include "support/temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orb::test {

TempDir::TempDir() {
    std::string name = (std::filesystem::temp_directory_path() / "orb-test-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = name;
}

ScopedHome::ScopedHome(const std::filesystem::path& home) {
    if (const char* old = std::getenv("HOME")) {
        old_ = old;
        hadOne_ = true;
    }
    std::filesystem::create_directories(home);
    ::setenv("HOME", home.c_str(), 1);
}

ScopedHome::~ScopedHome() {
    if (hadOne_) {
        ::setenv("HOME", old_.c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
}

TempDir::~TempDir() {
    std::error_code error;
    // Read-only files and folders made by a test must not stop the clean-up.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> filesIn(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[std::filesystem::relative(entry.path(), folder).string()] =
                readFile(entry.path());
        }
    }
    return files;
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace orb::test
