#include "backup/backup_controller.h"

#include "backup/catalogue_backup.h"
#include "core/file_choice.h"
#include "core/text.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kDumpFilter = "ORB Database Dump (*.ODD)|*.ODD";

}  // namespace

BackupController::BackupController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs), job_(dialogs) {
    job_.onChange([this] {
        // The bar shows from the start of a job until the job has said how it ended.
        if (job_.running()) {
            progressVisible_ = true;
        }
        changed();
    });
}

void BackupController::setBackupPath(const std::string& text) {
    if (backupPath_ != text) {
        backupPath_ = text;
        changed();
    }
}

void BackupController::setRestorePath(const std::string& text) {
    if (restorePath_ != text) {
        restorePath_ = text;
        changed();
    }
}

void BackupController::load() {
    backupPath_ = state_.BackupPath;
    restorePath_ = state_.BackupPath;
    progressVisible_ = false;
    job_.reset();
    changed();
}

void BackupController::search(int index) {
    // The dump to write may not exist yet, so the backup field takes a save dialog.
    FileChoice choice(dialogs_, state_.settings);
    const std::string chosen =
        index == 0 ? choice.saveFile(FileKind::Dump, kDumpFilter, trimmed(backupPath_))
                   : choice.openFile(FileKind::Dump, kDumpFilter);
    if (chosen.empty()) {
        return;
    }
    (index == 0 ? backupPath_ : restorePath_) = chosen;
    changed();
}

void BackupController::hideProgress() {
    if (progressVisible_) {
        progressVisible_ = false;
        changed();
    }
}

bool BackupController::backup() {
    const bool written = BackupCatalogue(state_.connection, dialogs_, job_, backupPath_);
    hideProgress();
    return written;
}

bool BackupController::restore() {
    const bool restored =
        RestoreCatalogue(state_, dialogs_, job_, restorePath_, [this](bool checking) {
            checkingVisible_ = checking;
            changed();
        });
    hideProgress();
    return restored;
}

}  // namespace orb
