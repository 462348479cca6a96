#pragma once

#include <string>

#include "backup/dump_reader.h"
#include "core/job_progress.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The backup and restore window: writes the whole catalogue to a dump file and restores it
// from one.
class BackupController : public Observable {
public:
    BackupController(AppState& state, UserDialogs& dialogs);

    // The two path boxes: the first to back up to, the second to restore from.
    const std::string& backupPath() const { return backupPath_; }
    const std::string& restorePath() const { return restorePath_; }
    void setBackupPath(const std::string& text);
    void setRestorePath(const std::string& text);
    // The progress bar, in rows of the dump.
    bool progressVisible() const { return progressVisible_; }
    // The backup's or restore's progress, its Cancel and its summary line.
    const JobProgress& job() const { return job_; }
    JobProgress& job() { return job_; }
    // The "CHECKING" label, shown while a dump file is checked.
    bool checkingVisible() const { return checkingVisible_; }

    // Each opening of the window: both fields show the configured dump path.
    void load();
    // "Search" of field `index`: fills the field of that index from the open-file dialog.
    void search(int index);
    // cmbBackup: BackupCatalogue to the backup field's path; true when the dump was written.
    bool backup();
    // cmbRestore: RestoreCatalogue from the restore field's path; true when the catalogue was
    // replaced.
    bool restore();

private:
    void hideProgress();

    AppState& state_;
    UserDialogs& dialogs_;
    std::string backupPath_;
    std::string restorePath_;
    bool progressVisible_ = false;
    JobProgress job_;
    bool checkingVisible_ = false;
};

}  // namespace orb
