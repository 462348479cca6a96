#include "core/drive_folder.h"

#include <cstdlib>
#include <fstream>

namespace orb {
namespace {

namespace fs = std::filesystem;

fs::path canonicalOrSame(const fs::path& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path.lexically_normal() : canonical;
}

// True when `folder` is `path` or one of the folders above it.
bool isSameOrAbove(const fs::path& folder, const fs::path& path) {
    auto f = folder.begin();
    auto p = path.begin();
    for (; f != folder.end(); ++f, ++p) {
        if (f->empty()) {
            continue;  // a trailing separator
        }
        if (p == path.end() || *f != *p) {
            return false;
        }
    }
    return true;
}

fs::path homeFolder() {
    for (const char* name : {"HOME", "USERPROFILE"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return canonicalOrSame(value);
        }
    }
    return {};
}

}  // namespace

bool driveReady(const fs::path& folder) {
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) {
        return false;
    }
    // Permissions alone do not tell (a read-only mount, another owner): try to make a file.
    const fs::path probe = folder / ".orb-drive-probe";
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out) {
            return false;
        }
    }
    fs::remove(probe, error);
    return true;
}

void createDriveFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        return;
    }
    fs::create_directories(folder, error);
    if (error) {
        throw FileAccessError("The folder " + folder.string() +
                              " cannot be created: " + error.message() + ".");
    }
}

std::string wipeRefusal(const fs::path& folder, const std::vector<fs::path>& keep) {
    const fs::path target = canonicalOrSame(folder);
    const std::string start = "ORB does not wipe " + folder.string() + ": ";
    const std::string end = ". Nothing was deleted.";
    if (target == target.root_path()) {
        return start + "it is the root of the file system" + end;
    }
    const fs::path home = homeFolder();
    if (!home.empty() && isSameOrAbove(target, home)) {
        return start + "it is the home folder or a folder above it" + end;
    }
    for (const fs::path& file : keep) {
        if (!file.empty() && isSameOrAbove(target, canonicalOrSame(file))) {
            return start + "it holds " + file.string() + ", which ORB is using" + end;
        }
    }
    return {};
}

void wipeDriveFolder(const fs::path& folder, const std::vector<fs::path>& keep) {
    const std::string refusal = wipeRefusal(folder, keep);
    if (!refusal.empty()) {
        throw FileAccessError(refusal);
    }
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        throw FileAccessError("The folder " + folder.string() +
                              " cannot be listed: " + error.message() + ".");
    }
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : entries) {
        found.push_back(entry.path());
    }
    for (const fs::path& path : found) {
        fs::remove_all(path, error);
        if (error) {
            throw FileAccessError(path.string() + " cannot be deleted: " + error.message() + ".");
        }
    }
}

}  // namespace orb
