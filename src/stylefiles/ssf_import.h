#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/job_progress.h"
#include "core/observable.h"

namespace orb {

class AppState;
class Database;
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

// The last line of a folder import: what became of its files, e.g. "3 styles imported, 2 already
// stored passed over, 1 file could not be read, 4 files not read."; parts that are nought are
// left out, except the styles imported.
struct SsfFolderCounts {
    long long imported = 0;
    long long present = 0;     // already stored and passed over
    long long unreadable = 0;  // no single style file, or damaged
    long long notRead = 0;     // after the file the import stopped at
};
std::string ssfFolderSummary(const SsfFolderCounts& counts);

// One file of a run and what became of it.
struct SsfImportedFile {
    std::filesystem::path path;
    SsfFileOutcome outcome;
};

// What an import of single style files came to.
struct SsfImport {
    // The files read, in order (the one it stopped at last); none when nothing of the run was
    // stored because it was cancelled or the database failed.
    std::vector<SsfImportedFile> files;
    // True when it neither stopped nor met a file it could not read: every file was imported,
    // or passed over as already stored when that was asked for.
    bool allImported = false;
};

// What a folder import does at a style already stored.
enum class SsfPresentStyle { Stop, PassOver };

// The imports the import window and `orb ssf-import` both run; each shows how it ended.
// Imports the style of the single style file `file`.
SsfImport ImportSsfFile(Database& connection, UserDialogs& dialogs,
                        const std::filesystem::path& file);
// Imports every .SSF file of `folder` in name order, in one transaction: kept when it stops at a
// file, undone whole when it is cancelled through `job` or the database fails.
SsfImport ImportSsfFolder(Database& connection, UserDialogs& dialogs, JobProgress& job,
                          const std::filesystem::path& folder, SsfPresentStyle present);
// Reads one file and stores its style unless an identical one is stored.
SsfFileOutcome ReadSsfFile(Database& connection, const std::filesystem::path& file);

// The "Import from SSF" window: adds the style of one single style file, or of every such file
// of a folder, unless the catalogue holds one with identical parts. Each style is stored as soon
// as its file has been read; a folder import is one transaction, kept when it stops at a file
// and undone whole when it is cancelled.
class SsfImportController : public Observable {
public:
    static constexpr const char* kCaption = "Import from SSF";
    static constexpr const char* kFilter = "Single Style File (*.SSF)|*.SSF|All files (*)|*";
    static constexpr const char* kNotFound = "SSF file not found";
    static constexpr const char* kEnded = "SSF file import ended without errors";
    static constexpr const char* kAborted = "SSF file import aborted: style already present";
    // The check box that lets a folder import go past styles already stored.
    static constexpr const char* kSkipPresentCaption = "Pass over styles already stored";
    static constexpr const char* kCancelled =
        "SSF file import cancelled: nothing of this run was stored.";

    // The window's two options: "Selected SSF file only" and "All SSF files in folder".
    enum class Choice { File = 0, Folder = 1 };

    SsfImportController(AppState& state, UserDialogs& dialogs);

    // The window opens: an empty path, one file chosen.
    void load();

    const std::string& path() const { return path_; }
    Choice choice() const { return choice_; }
    bool controlsEnabled() const { return controlsEnabled_; }
    bool progressVisible() const { return progressVisible_; }
    // The folder import's progress, its Cancel and its summary line.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }
    // The files of the last run, in the order read (the one it stopped at last); none when it
    // was cancelled.
    const std::vector<SsfImportedFile>& files() const { return files_; }
    // True when the last run neither stopped nor met a file it could not read: every file was
    // imported, or passed over as already stored when that was asked for.
    bool allImported() const { return allImported_; }
    // A folder import goes past styles already stored instead of stopping at the first.
    bool skipPresent() const { return skipPresent_; }
    bool skipPresentEnabled() const { return controlsEnabled_ && choice_ == Choice::Folder; }
    // True when some style was stored since the window opened.
    bool importedAny() const { return importedAny_; }

    void setPath(const std::string& text);
    void setChoice(Choice choice);
    void setSkipPresent(bool skip);
    // Search: the full path of the file chosen in the open dialog.
    void search();
    // "Start Import Process": nothing when the path is blank; else ImportSsfFile or
    // ImportSsfFolder. True when every file given was imported.
    bool run();

    AppState& state_;
    UserDialogs& dialogs_;
    std::string path_;
    Choice choice_ = Choice::File;
    bool controlsEnabled_ = true;
    bool progressVisible_ = false;
    JobProgress job_;
    std::vector<SsfImportedFile> files_;
    bool allImported_ = false;
    bool importedAny_ = false;
    bool skipPresent_ = false;
};

}  // namespace orb
