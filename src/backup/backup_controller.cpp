#include "backup/backup_controller.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "backup/dump_writer.h"
#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/store_error.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kDumpFilter = "ORB Database Dump (*.ODD)|*.ODD";
constexpr const char* kNoPath = "Please insert ODD file path!";

bool endsWithOddInAnyCase(const std::string& path) {
    if (path.size() < 3) {
        return false;
    }
    std::string last = path.substr(path.size() - 3);
    std::transform(last.begin(), last.end(), last.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return last == "ODD";
}

}  // namespace

BackupController::BackupController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs), job_(dialogs) {
    job_.onChange([this] { changed(); });
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

void BackupController::showProgress(const std::string& activity, long long maximum) {
    progressVisible_ = true;
    job_.start(activity, maximum);
}

void BackupController::hideProgress() {
    progressVisible_ = false;
    changed();
}

DumpProgress BackupController::progressUpdater() {
    return [this](long long done) { job_.setValue(done); };
}

bool BackupController::backup() {
    const std::string path = trimmed(backupPath_);
    if (path.empty()) {
        dialogs_.message(kNoPath, UserDialogs::Icon::Critical);
        return false;
    }
    if (!endsWithOddInAnyCase(path) &&
        !dialogs_.question("File extension is not ODD. Confirm backup file name?")) {
        return false;
    }
    if (!dialogs_.question("Confirm database backup?")) {
        return false;
    }
    try {
        {
            WaitCursor wait(dialogs_);
            showProgress("Writing " + path, countDumpRows(state_.connection));
            writeDumpFile(state_.connection, path, progressUpdater());
        }
        job_.finish("Backup ended: " + std::to_string(job_.maximum()) + " rows written to " + path +
                    ".");
        dialogs_.message("ORB database backup completed without errors!", UserDialogs::Icon::None);
        hideProgress();
        return true;
    } catch (const JobCancelled&) {
        // The dump was being written to a temporary file, which is gone: an older dump stays.
        hideProgress();
        job_.finish(kBackupCancelled);
        dialogs_.message(kBackupCancelled, UserDialogs::Icon::Information);
        return false;
    } catch (const OrbError& e) {
        job_.finish("Backup failed: no dump file has been written.");
        hideProgress();
        dialogs_.message(failureMessage(e, "The backup to " + path + " failed: ",
                                        "\nNo dump file has been written."),
                         UserDialogs::Icon::Critical);
        return false;
    }
}

DumpCheck BackupController::checkFile(const std::string& path) {
    std::ifstream in;
    try {
        in = openRegularFile(path, "The file");
    } catch (const FileAccessError& error) {
        DumpCheck failed;
        failed.problem = error.what();
        return failed;
    }
    return checkDump(in);
}

bool BackupController::restore() {
    const std::string path = trimmed(restorePath_);
    if (path.empty()) {
        dialogs_.message(kNoPath, UserDialogs::Icon::Critical);
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        dialogs_.message("Can't find restore file!", UserDialogs::Icon::Critical);
        return false;
    }
    checkingVisible_ = true;
    changed();
    dialogs_.processEvents();
    const DumpCheck check = checkFile(path);
    checkingVisible_ = false;
    changed();
    if (!check.ok) {
        dialogs_.message(
            path + " is not a ORB backup files or is corrupted! Restore process aborted!",
            UserDialogs::Icon::Critical);
        return false;
    }
    if (!dialogs_.question(
            "Restore file has been correctly checked. Confirm restore to ORB database?")) {
        return false;
    }
    if (!dialogs_.question(
            "Warning: current data will be lost! Confirm restore to ORB database?")) {
        return false;
    }
    try {
        state_.restorePoints().keep(
            state_.connection,
            "restoring the backup " + std::filesystem::path(path).filename().string());
    } catch (const RestorePointError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    try {
        {
            WaitCursor wait(dialogs_);
            std::vector<char> buffer(1 << 20);  // outlives the stream that uses it
            requireRegularFile(path, "The file");
            std::ifstream in;
            in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            in.open(path, std::ios::binary);
            if (!in) {
                throw DumpError("The file cannot be opened.");
            }
            showProgress("Restoring from " + path, check.totalRows);
            restoreDump(state_.connection, in, progressUpdater());
        }
        job_.finish("Restore ended: " + std::to_string(check.totalRows) + " rows restored from " +
                    path + ".");
        dialogs_.message("ORB database restore completed without errors!", UserDialogs::Icon::None);
        hideProgress();
        return true;
    } catch (const JobCancelled&) {
        // The restore's transaction has rolled back.
        hideProgress();
        job_.finish(kRestoreCancelled);
        dialogs_.message(kRestoreCancelled, UserDialogs::Icon::Information);
        return false;
    } catch (const OrbError& e) {
        job_.finish("Restore failed: the database has been left as it was.");
        hideProgress();
        dialogs_.message(failureMessage(e, "The restore from " + path + " failed: ",
                                        "\nThe database has been left as it was."),
                         UserDialogs::Icon::Critical);
        return false;
    }
}

}  // namespace orb
