#pragma once

#include <functional>
#include <string>

#include "backup/dump_reader.h"

namespace orb {

class AppState;
class Database;
class JobProgress;
class UserDialogs;

// The backup and the restore of the whole catalogue, as the backup window and the commands
// `backup` and `restore` both run them. Each asks its questions and shows how it ended through
// `dialogs`, and runs its progress and Cancel through `job`.

inline constexpr const char* kBackupCancelled = "Backup cancelled: no dump file has been written.";
inline constexpr const char* kRestoreCancelled =
    "Restore cancelled: the database has been left as it was.";

// Writes the catalogue to the dump file `path` (trimmed) after the questions: a name that does
// not end in ODD is confirmed first. A cancel or a failure leaves an older dump as it was. True
// when the dump was written.
bool BackupCatalogue(Database& connection, UserDialogs& dialogs, JobProgress& job,
                     const std::string& path);

// The check of a dump file on disk (not found or unreadable counts as failed).
DumpCheck checkDumpFile(const std::string& path);

// Checks the dump file `path` (trimmed; `checking` is told true before and false after), asks
// twice, keeps a restore point and replaces the catalogue with the dump in one transaction. True
// when the catalogue was replaced; otherwise it is as it was.
bool RestoreCatalogue(AppState& state, UserDialogs& dialogs, JobProgress& job,
                      const std::string& path,
                      const std::function<void(bool checking)>& checking = {});

}  // namespace orb
