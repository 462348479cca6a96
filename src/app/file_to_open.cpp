#include "app/file_to_open.h"

#include "core/file_access.h"
#include "core/user_dialogs.h"

namespace orb {

std::optional<FileToOpen::Kind> fileKindOf(const std::string& path) {
    if (hasExtensionInAnyCase(path, ".STY")) {
        return FileToOpen::Kind::Bank;
    }
    if (hasExtensionInAnyCase(path, ".SSF")) {
        return FileToOpen::Kind::SingleStyle;
    }
    if (hasExtensionInAnyCase(path, ".ODD")) {
        return FileToOpen::Kind::Dump;
    }
    return std::nullopt;
}

std::optional<FileToOpen> fileToOpen(const std::string& path, UserDialogs& dialogs) {
    const std::optional<FileToOpen::Kind> kind = fileKindOf(path);
    if (!kind) {
        dialogs.message("ORB does not open " + path + ": it opens .STY, .SSF and .ODD files.",
                        UserDialogs::Icon::Critical);
        return std::nullopt;
    }
    try {
        // Opened once to learn that it can be read; the window reads it when asked to.
        openRegularFile(path, "The file");
    } catch (const FileAccessError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return std::nullopt;
    }
    return FileToOpen{*kind, path};
}

}  // namespace orb
