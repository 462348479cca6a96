#include <ostream>
#include <string>

#include "backup/catalogue_backup.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/job_progress.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/song_store.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

// "2 banks, 1 song, 3 links and 120 styles restored": what the catalogue now holds.
std::string restoredSummary(Database& connection) {
    const auto count = [](long long n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    return count(BankStore(connection).count(), "bank", "banks") + ", " +
           count(SongStore(connection).count(), "song", "songs") + ", " +
           count(LinkStore(connection).count(), "link", "links") + " and " +
           count(StyleStore(connection).count(), "style", "styles") + " restored";
}

}  // namespace

// The same backup and restore as the backup window; the console answers their questions Yes.
CliCommand makeBackupCommand() {
    return CliCommand{
        "backup", "FILE",
        "Writes the whole catalogue to the dump file FILE (replacing it when it exists).",
        CliCommand::DatabaseUse::OpenExisting,
        [](CliContext& context, const CommandArguments& args) {
            context.dialogs.setAssumeYes(true);
            JobProgress job(context.dialogs);
            return BackupCatalogue(context.state.connection, context.dialogs, job,
                                   args.positional()[0])
                       ? kExitOk
                       : kExitFailure;
        }};
}

CliCommand makeRestoreCommand() {
    return CliCommand{
        "restore", "FILE [--yes]",
        "Replaces the whole catalogue with the dump file FILE. Without --yes it only checks "
        "the file and says whether it would restore.",
        CliCommand::DatabaseUse::OpenExisting,
        [](CliContext& context, const CommandArguments& args) {
            const std::string& path = args.positional()[0];
            if (!args.has("yes")) {
                const DumpCheck check = checkDumpFile(path);
                if (!check.ok) {
                    context.err << path
                                << " is not an ORB dump file or is damaged: " << check.problem
                                << "\n";
                    return kExitFailure;
                }
                context.out << path << " is an ORB dump file of " << check.totalRows
                            << " rows and would restore; add --yes to replace the catalogue "
                               "with it.\n";
                return kExitOk;
            }
            context.dialogs.setAssumeYes(true);
            JobProgress job(context.dialogs);
            if (!RestoreCatalogue(context.state, context.dialogs, job, path)) {
                return kExitFailure;
            }
            context.out << restoredSummary(context.state.connection) << "\n";
            return kExitOk;
        }};
}

}  // namespace orb
