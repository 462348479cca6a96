#pragma once

#include <string>

#include "backup/dump_reader.h"

namespace orb {

class AppState;
class UserDialogs;

// What the backup window shows besides its fields: the progress bar and the "CHECKING" label.
class BackupView {
public:
    virtual ~BackupView() = default;
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressRange(long long maximum) = 0;
    virtual void setProgressValue(long long value) = 0;
    virtual void setCheckingVisible(bool visible) = 0;
};

// frmBckpRstr: writes the whole catalogue to a dump file and restores it from one.
class BackupController {
public:
    BackupController(AppState& state, UserDialogs& dialogs, BackupView* view = nullptr);

    // The two path fields (txtField 0: backup to, 1: restore from).
    std::string backupPath;
    std::string restorePath;

    // Form_Load: both fields show the configured dump path.
    void load();
    // cmdSearch(index): fills the field of that index from the open-file dialog.
    void search(int index);
    // cmbBackup; true when the dump was written.
    bool backup();
    // cmbRestore; true when the catalogue was replaced.
    bool restore();
    // The check of a dump file on disk (not found or unreadable counts as failed).
    static DumpCheck checkFile(const std::string& path);

private:
    void showProgress(long long maximum);
    void hideProgress();
    DumpProgress progressUpdater();

    AppState& state_;
    UserDialogs& dialogs_;
    BackupView* view_;
};

}  // namespace orb
