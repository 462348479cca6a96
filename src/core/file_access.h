#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"

namespace orb {

// A file that cannot be read or written; the message names the file and the reason.
class FileAccessError : public OrbError {
public:
    explicit FileAccessError(const std::string& message) : OrbError(message) {}
};

// Throws FileAccessError unless `path` names a regular file (after following links), so that a
// FIFO or a device, which would block or never end, is refused before it is opened.
// `label` starts the message ("The file", "The dump file").
void requireRegularFile(const std::filesystem::path& path, const std::string& label);

// Opens a file for reading in binary mode. Only regular files are opened: a FIFO or a device
// would block or never end, so it is refused at once, as is a folder or a missing file.
// `label` starts the message ("The file", "The dump file").
std::ifstream openRegularFile(const std::filesystem::path& path, const std::string& label);

// True when `path` is a symbolic link whose chain goes round in a loop (or never ends).
bool isLinkLoop(const std::filesystem::path& path);
// The file a chain of symbolic links ends at (the path itself when it is no link); nullopt for
// a chain that goes round in a loop.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& path);

// True when the file's extension is `extension` (".STY", upper case) in any letter case.
bool hasExtensionInAnyCase(const std::filesystem::path& file, std::string_view extension);

// A fresh name for a temporary file that a writer makes beside its target and renames over it.
std::string newTemporaryFileName();
// True for a name that newTemporaryFileName gives.
bool isTemporaryFileName(const std::string& fileName);

}  // namespace orb
