#include "core/file_choice.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/settings_store.h"
#include "core/user_dialogs.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

bool isFolder(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

std::string home() {
    for (const char* name : {"HOME", "USERPROFILE"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

}  // namespace

const char* FileChoice::key(FileKind kind) {
    switch (kind) {
        case FileKind::Styles:
            return "STY";
        case FileKind::SingleStyles:
            return "SSF";
        case FileKind::Dump:
            return "ODD";
        case FileKind::Pdf:
            return "PDF";
        case FileKind::SongList:
            return "SONGS";
    }
    return "OTHER";
}

std::string FileChoice::startFolder(FileKind kind) const {
    const std::string last = settings_.get(kSection, key(kind), "");
    return isFolder(last) ? last : home();
}

void FileChoice::remember(FileKind kind, const std::string& folder) {
    if (!folder.empty()) {
        settings_.set(kSection, key(kind), folder);
    }
}

std::string FileChoice::openFile(FileKind kind, const std::string& filter) {
    const std::string chosen = dialogs_.openFileDialog(filter, startFolder(kind));
    if (!chosen.empty()) {
        remember(kind, fs::path(chosen).parent_path().string());
    }
    return chosen;
}

std::string FileChoice::saveFile(FileKind kind, const std::string& filter,
                                 const std::string& proposal) {
    const fs::path proposed(proposal);
    const fs::path start = isFolder(proposed.parent_path())
                               ? proposed
                               : fs::path(startFolder(kind)) / proposed.filename();
    const std::string typed = dialogs_.saveFileDialog(filter, start.string());
    if (typed.empty()) {
        return typed;
    }
    const std::string chosen = withFilterExtension(typed, filter);
    // The dialog asked about replacing the name as typed, not the one with its extension.
    std::error_code error;
    if (chosen != typed && fs::exists(chosen, error) &&
        !dialogs_.question("The file " + chosen + " already exists. Replace it?")) {
        return {};
    }
    remember(kind, fs::path(chosen).parent_path().string());
    return chosen;
}

std::string FileChoice::folder(FileKind kind, const std::string& current) {
    const std::string chosen =
        dialogs_.folderDialog(isFolder(current) ? current : startFolder(kind));
    remember(kind, chosen);
    return chosen;
}

std::string folderToStartIn(const std::string& path) {
    if (isFolder(path)) {
        return path;
    }
    const fs::path parent = fs::path(path).parent_path();
    return isFolder(parent) ? parent.string() : home();
}

std::string withFilterExtension(const std::string& path, const std::string& filter) {
    const fs::path file(path);
    if (file.filename().empty() || file.has_extension()) {
        return path;
    }
    const auto bar = filter.find('|');
    if (bar == std::string::npos) {
        return path;
    }
    const std::string pattern =
        filter.substr(bar + 1, filter.find_first_of("|;", bar + 1) - bar - 1);
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
        pattern.find_first_of("*?", 2) != std::string::npos) {
        return path;
    }
    return path + pattern.substr(1);
}

bool ensureFolderExists(const std::string& folder, UserDialogs& dialogs) {
    if (isFolder(folder)) {
        return true;
    }
    if (!dialogs.question("The folder " + folder + " does not exist. Create it?")) {
        return false;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !isFolder(folder)) {
        dialogs.message("The folder " + folder + " could not be created" +
                            (error ? " (" + error.message() + ")." : "."),
                        UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

}  // namespace orb
