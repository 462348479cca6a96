#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/korf_styles.h"
#include "db/column_sizes.h"
#include "stylefiles/korf_library.h"

namespace orb {

class AppState;
class DbKORFStyle;
class StyleConfirmation;
class UserDialogs;

// What the import does with a style already in the catalogue; the values are the indexes of
// the window's option buttons opImport(0..2).
enum class DuplicateMode {
    ImportEverything = 0,  // "Do not check for duplicated styles, but import everything"
    OverwriteByName = 1,   // "... but overwrite styles with same name"
    SkipSameContent = 2,   // "Do not import duplicated styles, regardless their name"
};

// What the import needs from the window that shows it. The command line has no window and
// runs without one.
class ImportViewHooks {
public:
    virtual ~ImportViewHooks() = default;
    // The controller's state changed (status labels, enabled controls, progress): show it.
    virtual void refresh() = 0;
    // Shows frmStyContent modally over `confirmation`, whose boxes and fields the person
    // edits; true when the dialog was left with "Import Selected Styles".
    virtual bool confirmStyles(StyleConfirmation& confirmation) = 0;
    // Shows the import log in frmLog, modally, with an empty caption.
    virtual void showLog(const std::string& log) = 0;
};

// The name a bank read from a file gets in the catalogue: the first five characters of the
// short name without its extension, upper-cased, then the bank's number with at least three
// digits (USER01.STY stored as bank 7 gives USER0007).
std::string importedBankName(const std::string& shortName, std::int32_t bankProg);

// frmStyImport: brings the styles of one .STY bank file, or of every .STY file of a folder
// (and, on request, of its sub-folders), into the catalogue. One run is one transaction.
class StyleImportController {
public:
    static constexpr const char* kCaption = "Styles import";
    static constexpr const char* kLogQuestion =
        "Import process terminated. Should I show you the import log?";
    static constexpr const char* kLogQuestionTitle = "ORB Style import";
    static constexpr const char* kFileFilter = "Styles (*.STY)|*.STY";
    // Longest family, group and author (txtField 0..2): the sizes of their columns.
    static constexpr std::array<int, 3> kFieldLengths = {columnSize("KORFStyles", "StyleFamily"),
                                                         columnSize("KORFStyles", "StyleCat"),
                                                         columnSize("KORFStyles", "StyleAuthor")};

    StyleImportController(AppState& state, UserDialogs& dialogs, ImportViewHooks* hooks = nullptr);

    // What the person sets: txtField(0..2), txtFolder, the option and the three check boxes.
    std::array<std::string, 3> fields;
    std::string path;
    DuplicateMode mode = DuplicateMode::SkipSameContent;
    bool saveBankStructure = true;   // chkBank
    bool confirmEachStyle = false;   // chkErrors
    bool includeSubFolders = false;  // chkSubFolders

    // What the window shows.
    bool folderMode() const { return folderMode_; }
    // Label1: "Folder to scan" or "File to search".
    std::string pathCaption() const;
    bool subFoldersVisible() const { return folderMode_; }
    bool statusVisible() const { return statusVisible_; }
    // lbStato(0) file, (1) style, (2) folder.
    const std::string& status(int index) const;
    // cmdOk, cmdCancel, cmdSearch, chkErrors, chkSubFolders and chkBank, disabled during a run.
    bool controlsEnabled() const { return controlsEnabled_; }
    bool progressVisible() const { return progressVisible_; }
    long long progressValue() const { return progressValue_; }
    long long progressMaximum() const { return progressMaximum_; }
    const std::string& log() const { return log_; }

    // Form_Load: reads ImportMode (0 folder, else one file) and resets the options.
    void load();
    // cmdSearch: a file chosen in the open-file dialog gives the path (its folder in folder
    // mode).
    void search();
    // cmdOk: runs the import; true when it was committed. Any failure undoes the whole run and
    // is shown to the person.
    bool run();
    // cmdCancel ("Exit"): ImportMode becomes 99 when a run was started since load, else -1.
    void exit();

private:
    struct FolderListing {
        std::filesystem::path folder;
        std::vector<std::filesystem::path> files;
    };

    void validateFields() const;
    void listFolder(const std::filesystem::path& folder, std::vector<FolderListing>& listings);
    void importFolder(const FolderListing& listing);
    void importFile(const std::filesystem::path& file, const std::string& shortName);
    void importBank(KORFStyles& styles, const std::string& shortName);
    void storeStyle(KORFStyle& record, const std::string& shortName, DbKORFStyle& found);
    void storeBank(const KORFStyles& styles, const std::string& shortName);
    void letEventsRun();
    void refresh();
    void endRun();

    // The message of a run the database refused, after the rollback.
    std::string runRefused(const std::string& refusal) const;

    AppState& state_;
    UserDialogs& dialogs_;
    ImportViewHooks* hooks_;
    KORFLibrary library_;

    bool folderMode_ = true;
    bool runStarted_ = false;
    bool statusVisible_ = false;
    bool controlsEnabled_ = true;
    bool progressVisible_ = false;
    long long progressValue_ = 0;
    long long progressMaximum_ = 0;
    std::array<std::string, 3> status_;
    std::string log_;
    std::string today_;
};

}  // namespace orb
