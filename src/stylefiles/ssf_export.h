#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/job_progress.h"
#include "core/observable.h"
#include "db/style_store.h"

namespace orb {

class AppState;
class UserDialogs;

// What the export window is opened with: the style numbers of the grid's selected rows and of
// all its rows, and whether it was opened for the current bank (whose styles it then reads
// from the application state).
struct SsfExportRequest {
    std::vector<std::int32_t> selectedStyles;
    std::vector<std::int32_t> allStyles;
    bool forBank = false;
};

// A style the export did not write, and why.
struct SsfLeftOut {
    std::int32_t styleProg = 0;
    std::string name;
    std::string reason;
    bool operator==(const SsfLeftOut&) const = default;
};

struct SsfExportResult {
    std::vector<std::filesystem::path> written;
    std::vector<SsfLeftOut> leftOut;
};

// The window the export opens over its own; the command line has none.
class SsfExportWindows {
public:
    virtual ~SsfExportWindows() = default;
    // Shows the list of the styles left out, modally.
    virtual void showLeftOut(const std::string& log) = 0;
};

// The file names of one export: each style's reduced first name and ".SSF"; a name that
// reduces to nothing gives "STYLE" and the style's number; a name already given in this
// export gets "_2", "_3" ... before the extension, so that no style replaces another.
class SsfFileNames {
public:
    std::string next(const StyleRow& style);

private:
    std::set<std::string> given_;
};

// frmSSFExport: writes one single style file per style, for the selected styles, all styles
// of the grid, or the styles of the current bank.
class SsfExportController : public Observable {
public:
    static constexpr const char* kStylesCaption = "Styles export to SSF";
    static constexpr const char* kBankCaption = "Bank export to SSF";
    static constexpr const char* kSelectedDone =
        "Styles export to SSF file terminated without errors!";
    static constexpr const char* kAllDone = "All styles successfully exported to SSF files!";
    static constexpr const char* kFileLabel = "The single style file";

    // opStyle(0) and (1); None is how the window opens for the bank.
    enum class Choice { None = -1, SelectedStyles = 0, AllStyles = 1 };

    SsfExportController(AppState& state, UserDialogs& dialogs, SsfExportWindows* windows = nullptr);

    // The window opens: the remembered folder, "Selected styles only" chosen (no choice for
    // the bank), the bar hidden.
    void load(const SsfExportRequest& request);

    const std::string& caption() const { return caption_; }
    const std::string& folder() const { return folder_; }
    Choice choice() const { return choice_; }
    bool controlsEnabled() const { return controlsEnabled_; }
    bool progressVisible() const { return progressVisible_; }
    long long progressValue() const { return job_.value(); }
    long long progressMaximum() const { return job_.maximum(); }
    // The export's progress, its Cancel and its summary line.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }
    const SsfExportResult& result() const { return result_; }

    void setFolder(const std::string& text);
    void setChoice(Choice choice);
    // cmdSearch: the folder of the file chosen in the save dialog.
    void search();
    // cmdOk: the export of the chosen styles; true when it ran through, so that the window
    // closes. Nothing when the folder is blank; a file that cannot be written or a database
    // failure stops it with a message (the files written so far stay), and so does a cancel,
    // which says how many files were written.
    bool run();
    // The window closes: a folder that is not blank is remembered.
    void close();

    // The three exports; each ends with its notice and the list of styles left out.
    void ExportSelectedStyles();
    void ExportAllStyles();
    void ExportBankStyles();

private:
    void exportStyles(const std::vector<std::int32_t>& styles, bool withProgress);
    void finish(const std::string& notice);
    // "3 single style files", of the run so far.
    std::string writtenCount() const;

    AppState& state_;
    UserDialogs& dialogs_;
    SsfExportWindows* windows_;
    SsfExportRequest request_;
    std::string caption_ = kStylesCaption;
    std::string folder_;
    Choice choice_ = Choice::SelectedStyles;
    bool controlsEnabled_ = true;
    bool progressVisible_ = false;
    JobProgress job_;
    SsfExportResult result_;
};

// The list of the styles left out, one line each, as the export shows it at the end.
std::string ssfLeftOutLog(const std::vector<SsfLeftOut>& leftOut);

}  // namespace orb
