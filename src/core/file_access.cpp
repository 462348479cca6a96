#include "core/file_access.h"

#include <optional>
#include <random>

#include "core/ascii_text.h"

namespace orb {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kTemporaryPrefix = ".orb-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryDigits = 16;
// As many as the kernel follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;

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

std::optional<fs::path> linkTarget(const fs::path& path) {
    return followLinks(path);
}

bool hasExtensionInAnyCase(const fs::path& file, std::string_view extension) {
    return upperAscii(file.extension().string()) == extension;
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

}  // namespace orb
