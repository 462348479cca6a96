#pragma once

#include <string>

namespace orb {

class SettingsStore;
class UserDialogs;

// The kinds of file a person picks; each kind remembers the folder last used for it, so that
// the next dialog for that kind starts there. The names are the keys of section LASTFOLDER.
enum class FileKind { Styles, SingleStyles, Dump, Pdf, SongList };

// File and folder dialogs that start where the person last was for that kind of file (else in
// the home folder) and give a typed name without extension the one the filter names first.
class FileChoice {
public:
    static constexpr const char* kSection = "LASTFOLDER";

    FileChoice(UserDialogs& dialogs, SettingsStore& settings)
        : dialogs_(dialogs), settings_(settings) {}

    // The chosen file, or "" when cancelled.
    std::string openFile(FileKind kind, const std::string& filter);
    // `proposal` is a file name, or a path whose folder is used when it exists. A name that
    // gets its extension here and then names a file already there is replaced only after a
    // question ("" when the person says No).
    std::string saveFile(FileKind kind, const std::string& filter, const std::string& proposal);
    // Starts at `current` when that folder exists; the chosen folder, or "" when cancelled.
    std::string folder(FileKind kind, const std::string& current);

    // The folder a dialog for `kind` starts in.
    std::string startFolder(FileKind kind) const;
    static const char* key(FileKind kind);

private:
    void remember(FileKind kind, const std::string& folder);

    UserDialogs& dialogs_;
    SettingsStore& settings_;
};

// The folder `path` stands in when that folder exists (the path itself when it is a folder),
// else the home folder: where a dialog about that path starts.
std::string folderToStartIn(const std::string& path);

// `path` with the extension of the filter's first pattern ("Styles (*.STY)|*.STY" gives ".STY")
// when its name has none; otherwise unchanged.
std::string withFilterExtension(const std::string& path, const std::string& filter);

// Offers to create a missing folder that ORB is about to write into. True when the folder
// exists (already, or now); false when the person declined or it could not be made (said).
bool ensureFolderExists(const std::string& folder, UserDialogs& dialogs);

}  // namespace orb
