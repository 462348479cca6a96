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
class Database;
class UserDialogs;

// What the export window is opened with: the style numbers of the grid's selected rows and of
// all its rows, and whether it was opened for the current bank (whose styles it then reads
// from the application state).
struct SsfExportRequest {
    std::vector<std::int32_t> selectedStyles;
    std::vector<std::int32_t> allStyles;
    bool forBank = false;
    // The current bank's styles in slot order and its name, for a bank's export.
    std::vector<std::int32_t> bankStyles{};
    std::string bankName{};
};

// A style the export did not write, and why.
struct SsfLeftOut {
    std::int32_t styleProg = 0;
    std::string name;
    std::string reason;
    bool operator==(const SsfLeftOut&) const = default;
};

struct SsfExportResult {
    enum class Outcome {
        Done,       // every style written or left out
        Stopped,    // a file could not be written or a style read; the files written stay
        Cancelled,  // stopped by a cancel; the files written stay
    };
    Outcome outcome = Outcome::Done;
    std::vector<std::filesystem::path> written;
    std::vector<SsfLeftOut> leftOut;
};

// Writes one single style file per style of `styles`, in that order, into the existing folder
// `folder`, named as SsfFileNames gives; a style no longer stored or one that no single style
// file can hold is left out and listed. `job` shows the progress and stops it on a cancel. Shows
// how it ended: `doneNotice`, the failure that stopped it or the cancel, with how many files were
// written. The export window and `orb ssf-export` both write through it.
SsfExportResult ExportSsfFiles(Database& connection, UserDialogs& dialogs, JobProgress& job,
                               const std::vector<std::int32_t>& styles,
                               const std::filesystem::path& folder, const std::string& doneNotice);

// The notice that ends the export of the stored or current bank `bankName`.
std::string ssfBankExportDone(const std::string& bankName);

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

// The SSF export window: writes one single style file per style, for the selected styles, all
// styles of the grid, or the styles of the current bank.
class SsfExportController : public Observable {
public:
    static constexpr const char* kStylesCaption = "Styles export to SSF";
    static constexpr const char* kBankCaption = "Bank export to SSF";
    static constexpr const char* kSelectedDone =
        "Styles export to SSF file terminated without errors!";
    static constexpr const char* kAllDone = "All styles successfully exported to SSF files!";
    static constexpr const char* kFileLabel = "The single style file";

    // "Selected styles only" and "All styles"; None is how the window opens for the bank.
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
    // The export's progress, its Cancel and its summary line.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }
    const SsfExportResult& result() const { return result_; }

    void setFolder(const std::string& text);
    void setChoice(Choice choice);
    // Search: the folder of the file chosen in the save dialog.
    void search();
    // "Start Export Process": the export of the chosen styles (ExportSsfFiles): the selected
    // styles, all styles of the grid, or the current bank's; true when it ran through, so that
    // the window closes, and the styles left out are listed. Nothing when the folder is blank.
    bool run();
    // The window closes: a folder that is not blank is remembered.
    void close();

private:
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
