#include "backup/catalogue_backup.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "backup/dump_writer.h"
#include "core/ascii_text.h"
#include "core/file_access.h"
#include "core/job_progress.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/store_error.h"
#include "state/app_state.h"
#include "state/restore_point_step.h"

namespace orb {
namespace {

constexpr const char* kNoPath = "Please insert ODD file path!";

bool endsWithOddInAnyCase(const std::string& path) {
    if (path.size() < 3) {
        return false;
    }
    return upperAscii(path.substr(path.size() - 3)) == "ODD";
}

DumpProgress progressOn(JobProgress& job) {
    return [&job](long long done) { job.setValue(done); };
}

}  // namespace

bool BackupCatalogue(Database& connection, UserDialogs& dialogs, JobProgress& job,
                     const std::string& text) {
    const std::string path = trimmed(text);
    if (path.empty()) {
        dialogs.message(kNoPath, UserDialogs::Icon::Critical);
        return false;
    }
    if (!endsWithOddInAnyCase(path) &&
        !dialogs.question("File extension is not ODD. Confirm backup file name?")) {
        return false;
    }
    if (!dialogs.question("Confirm database backup?")) {
        return false;
    }
    try {
        {
            WaitCursor wait(dialogs);
            job.start("Writing " + path, countDumpRows(connection));
            writeDumpFile(connection, path, progressOn(job));
        }
        job.finish("Backup ended: " + std::to_string(job.maximum()) + " rows written to " + path +
                   ".");
        dialogs.message("ORB database backup completed without errors!", UserDialogs::Icon::None);
        return true;
    } catch (const JobCancelled&) {
        // The dump was being written to a temporary file, which is gone: an older dump stays.
        job.finish(kBackupCancelled);
        dialogs.message(kBackupCancelled, UserDialogs::Icon::Information);
        return false;
    } catch (const OrbError& e) {
        job.finish("Backup failed: no dump file has been written.");
        dialogs.message(failureMessage(e, "The backup to " + path + " failed: ",
                                       "\nNo dump file has been written."),
                        UserDialogs::Icon::Critical);
        return false;
    }
}

DumpCheck checkDumpFile(const std::string& path) {
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

bool RestoreCatalogue(AppState& state, UserDialogs& dialogs, JobProgress& job,
                      const std::string& text, const std::function<void(bool)>& checking) {
    const std::string path = trimmed(text);
    if (path.empty()) {
        dialogs.message(kNoPath, UserDialogs::Icon::Critical);
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        dialogs.message("Can't find restore file!", UserDialogs::Icon::Critical);
        return false;
    }
    if (checking) {
        checking(true);
    }
    dialogs.processEvents();
    const DumpCheck check = checkDumpFile(path);
    if (checking) {
        checking(false);
    }
    if (!check.ok) {
        dialogs.message(
            path + " is not a ORB backup files or is corrupted! Restore process aborted!\n" +
                check.problem,
            UserDialogs::Icon::Critical);
        return false;
    }
    if (!dialogs.question(
            "Restore file has been correctly checked. Confirm restore to ORB database?")) {
        return false;
    }
    if (!dialogs.question("Warning: current data will be lost! Confirm restore to ORB database?")) {
        return false;
    }
    if (!keepRestorePointOrSay(
            state, dialogs,
            "restoring the backup " + std::filesystem::path(path).filename().string())) {
        return false;
    }
    try {
        {
            WaitCursor wait(dialogs);
            std::vector<char> buffer(1 << 20);  // outlives the stream that uses it
            requireRegularFile(path, "The file");
            std::ifstream in;
            in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            in.open(path, std::ios::binary);
            if (!in) {
                throw DumpError("The file cannot be opened.");
            }
            job.start("Restoring from " + path, check.totalRows);
            restoreDump(state.connection, in, progressOn(job));
        }
        job.finish("Restore ended: " + std::to_string(check.totalRows) + " rows restored from " +
                   path + ".");
        dialogs.message("ORB database restore completed without errors!", UserDialogs::Icon::None);
        return true;
    } catch (const JobCancelled&) {
        // The restore's transaction has rolled back.
        job.finish(kRestoreCancelled);
        dialogs.message(kRestoreCancelled, UserDialogs::Icon::Information);
        return false;
    } catch (const OrbError& e) {
        job.finish("Restore failed: the database has been left as it was.");
        dialogs.message(failureMessage(e, "The restore from " + path + " failed: ",
                                       "\nThe database has been left as it was."),
                        UserDialogs::Icon::Critical);
        return false;
    }
}

}  // namespace orb
