#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/bank_file_style.h"
#include "core/job_progress.h"
#include "core/observable.h"
#include "stylefiles/bank_file.h"
#include "stylefiles/style_confirmation.h"

namespace orb {

class AppState;
class StoreError;
class StyleStore;
class UserDialogs;

// What the import does with a style already in the catalogue; each value numbers one of the
// window's three options for duplicates.
enum class DuplicateMode {
    ImportEverything = 0,  // "Do not check for duplicated styles, but import everything"
    OverwriteByName = 1,   // "... but overwrite styles with same name"
    SkipSameContent = 2,   // "Do not import duplicated styles, regardless their name"
};

// What the import is asked to do. The window starts from the source alone; the command line
// gives everything.
struct ImportRequest {
    // The old values are kept: 0 a folder, 1 one file; 2 a list of files (the new styles found
    // on a disk).
    enum class Source { Folder = 0, File = 1, Files = 2 };
    Source source = Source::Folder;
    // The path box: the folder to scan or the file to read; for Source::Files, what they are on.
    std::string path;
    // Source::Files: the bank files to read, in this order.
    std::vector<std::string> files;
    // The three value boxes: family, group and author attached to each style.
    std::array<std::string, 3> values;
    DuplicateMode mode = DuplicateMode::SkipSameContent;
    bool saveBankStructure = true;   // "Save bank structure"
    bool confirmEachStyle = false;   // "Confirm import for each style in each bank"
    bool includeSubFolders = false;  // "Subfolders"
    bool operator==(const ImportRequest&) const = default;
};

// What the window hands back when it closes.
enum class ImportOutcome {
    NothingImported = -1,  // no run was started since the window opened
    RunStarted = 99,       // at least one run was started, so the catalogue may have changed
};

// What one run did, for the command line's closing line.
struct ImportTally {
    int stylesImported = 0;
    int stylesReplaced = 0;  // overwritten by name
    int duplicatesSkipped = 0;
    int banksStored = 0;
    bool operator==(const ImportTally&) const = default;
};

// "12 styles imported, 3 skipped as duplicates, 2 banks stored" (", 1 style replaced" when the
// run overwrote styles by name).
std::string importSummary(const ImportTally& tally);

// The windows the import opens over its own. The command line has none and runs without them.
class ImportWindows {
public:
    virtual ~ImportWindows() = default;
    // Shows the style selection dialog modally over `confirmation`; its result, or nothing when
    // it was closed without "Import Selected Styles".
    virtual std::optional<StyleSelection> confirmStyles(StyleConfirmation& confirmation) = 0;
    // Shows the import log in the log file viewer, modally, with an empty caption.
    virtual void showLog(const std::string& log) = 0;
};

// The name a bank read from a file gets in the catalogue: the first five characters of the
// short name without its extension, upper-cased, then the bank's number with at least three
// digits (USER01.STY stored as bank 7 gives USER0007).
std::string importedBankName(const std::string& shortName, std::int32_t bankProg);

// What a window follows of an import run: `started` once the checks have passed, `reading` with
// the file, style and folder being read (the window's three status lines) and whether the files
// are counted, so that the bar can show, and `ended` as the run ends, before it says how.
struct StyleImportListener {
    std::function<void()> started;
    std::function<void(const std::array<std::string, 3>& status, bool counted)> reading;
    std::function<void(const std::array<std::string, 3>& status)> ended;
};

struct StyleImportResult {
    bool started = false;    // the checks passed and a run began
    bool committed = false;  // the run was stored
    ImportTally tally;       // what it stored; nothing when it was not committed
    std::string log;         // the log of a run that was not committed
};

// One import run of `request`, in one transaction: the import window and `orb import` both run
// it. A typed value the catalogue cannot hold is refused first; an import that overwrites by name
// keeps a restore point before it starts. Any failure or a cancel through `job` undoes the whole
// run and is shown. It ends with the log question when there is a log, then with the summary
// line. `windows` may be none: then every style is taken as listed and no log is shown.
StyleImportResult ImportStyles(AppState& state, UserDialogs& dialogs, JobProgress& job,
                               ImportWindows* windows, const ImportRequest& request,
                               const StyleImportListener& listener = {});

// The style import window: brings the styles of one .STY bank file, or of every .STY file of a
// folder (and, on request, of its sub-folders), into the catalogue. One run is one transaction.
class StyleImportController : public Observable {
public:
    static constexpr const char* kCaption = "Styles import";
    static constexpr const char* kLogQuestion =
        "Import process terminated. Should I show you the import log?";
    static constexpr const char* kLogQuestionTitle = "ORB Style import";
    static constexpr const char* kFileFilter = "Styles (*.STY)|*.STY";
    static constexpr const char* kCancelled =
        "Style import cancelled: nothing of this run was stored.";
    static constexpr const char* kFailed = "Style import failed: nothing of this run was stored.";

    StyleImportController(AppState& state, UserDialogs& dialogs, ImportWindows* windows = nullptr);

    // Starts afresh from `request`.
    void load(const ImportRequest& request);
    // The window opens for `source`: the typed values, the path and the sub-folder box
    // stay as they were, the other options return to their defaults.
    void reopen(ImportRequest::Source source);

    // What the person set.
    const ImportRequest& request() const { return request_; }
    void setValue(std::size_t index, const std::string& text);
    void setPath(const std::string& text);
    void setMode(DuplicateMode mode);
    void setSaveBankStructure(bool save);
    void setConfirmEachStyle(bool confirm);
    void setIncludeSubFolders(bool include);

    // What the window shows.
    bool folderMode() const { return request_.source == ImportRequest::Source::Folder; }
    // The path box's label: "Folder to scan" or "File to search".
    std::string pathCaption() const;
    bool subFoldersVisible() const { return folderMode(); }
    bool statusVisible() const { return statusVisible_; }
    // The three status lines: 0 the file, 1 the style, 2 the folder.
    const std::string& status(int index) const;
    // The start, Exit and Search buttons and the three check boxes, disabled during a run.
    bool controlsEnabled() const { return controlsEnabled_; }
    bool progressVisible() const { return progressVisible_; }
    // The run's progress, its Cancel and its summary line.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }
    const std::string& log() const { return log_; }
    // What the last run stored; a run that failed stored nothing.
    const ImportTally& tally() const { return tally_; }

    // Search: a file chosen in the open-file dialog gives the path (its folder in folder mode).
    void search();
    // "Start Import Process": runs the import (ImportStyles); true when it was committed.
    bool run();
    // "Exit" or the window frame: true when the window may close, which it may not
    // while a run is going on.
    bool exit() const { return controlsEnabled_; }
    // What the window hands back.
    ImportOutcome outcome() const {
        return runStarted_ ? ImportOutcome::RunStarted : ImportOutcome::NothingImported;
    }

private:
    AppState& state_;
    UserDialogs& dialogs_;
    ImportWindows* windows_;

    ImportRequest request_;
    bool runStarted_ = false;
    bool statusVisible_ = false;
    bool controlsEnabled_ = true;
    bool progressVisible_ = false;
    JobProgress job_;
    std::array<std::string, 3> status_;
    std::string log_;
    ImportTally tally_;
};

}  // namespace orb
