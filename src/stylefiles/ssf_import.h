#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// What reading one single style file came to.
struct SsfFileOutcome {
    enum class Kind {
        Imported,        // stored under `styleProg`
        AlreadyPresent,  // a stored style has both parts identical; nothing stored
        NotSsf,          // the file does not begin with the signature
        Unreadable,      // missing, unreadable or damaged; `problem` says why
        Refused,         // the database refused the style; `problem` says why
    };
    Kind kind = Kind::Imported;
    std::int32_t styleProg = 0;
    std::string name;
    std::string problem;
};

// One file of a run and what became of it.
struct SsfImportedFile {
    std::filesystem::path path;
    SsfFileOutcome outcome;
};

// frmSSFImport: adds the style of one single style file, or of every such file of a folder,
// unless the catalogue holds one with identical parts. Each style is stored as soon as its
// file has been read.
class SsfImportController : public Observable {
public:
    static constexpr const char* kCaption = "Import from SSF";
    static constexpr const char* kFilter = "Single Style File (*.SSF)|*.SSF|All files (*)|*";
    static constexpr const char* kNotFound = "SSF file not found";
    static constexpr const char* kEnded = "SSF file import ended without errors";
    static constexpr const char* kAborted = "SSF file import aborted: style already present";

    // opStyle(0) "Selected SSF file only" and (1) "All SSF files in folder".
    enum class Choice { File = 0, Folder = 1 };

    SsfImportController(AppState& state, UserDialogs& dialogs);

    // The window opens: an empty path, one file chosen.
    void load();

    const std::string& path() const { return path_; }
    Choice choice() const { return choice_; }
    bool controlsEnabled() const { return controlsEnabled_; }
    bool progressVisible() const { return progressVisible_; }
    long long progressValue() const { return progressValue_; }
    long long progressMaximum() const { return progressMaximum_; }
    // The files of the last run, in the order read (the one it stopped at last).
    const std::vector<SsfImportedFile>& files() const { return files_; }
    // True when the last run imported every file it was given.
    bool allImported() const { return allImported_; }
    // True when some style was stored since the window opened.
    bool importedAny() const { return importedAny_; }

    void setPath(const std::string& text);
    void setChoice(Choice choice);
    // cmdSearch: the full path of the file chosen in the open dialog.
    void search();
    // cmdOk: nothing when the path is blank; else ImportSsfFile or ImportSsfFolder. True when
    // every file given was imported.
    bool run();

    void ImportSsfFile();
    void ImportSsfFolder();
    // Reads one file and stores its style unless an identical one is stored.
    SsfFileOutcome ReadSsfFile(const std::filesystem::path& file);

private:
    SsfFileOutcome record(const std::filesystem::path& file, SsfFileOutcome outcome);

    AppState& state_;
    UserDialogs& dialogs_;
    std::string path_;
    Choice choice_ = Choice::File;
    bool controlsEnabled_ = true;
    bool progressVisible_ = false;
    long long progressValue_ = 0;
    long long progressMaximum_ = 0;
    std::vector<SsfImportedFile> files_;
    bool allImported_ = false;
    bool importedAny_ = false;
};

}  // namespace orb
