#pragma once

#include <optional>
#include <string>

namespace orb {

class UserDialogs;

// A file given to `orb FILE` (a double-click in the file manager) and the window it opens in.
struct FileToOpen {
    enum class Kind {
        Bank,         // .STY: the styles window's import, on that file
        SingleStyle,  // .SSF: the single style import, on that file
        Dump,         // .ODD: the backup window, restore field, checked
    };
    Kind kind;
    std::string path;
};

// The kind told by the file's extension (any letter case); nothing for another file.
std::optional<FileToOpen::Kind> fileKindOf(const std::string& path);

// The file to open, or nothing after the usual message when it cannot be read (missing, a
// folder, no permission) or is of a kind ORB does not open.
std::optional<FileToOpen> fileToOpen(const std::string& path, UserDialogs& dialogs);

}  // namespace orb
