#include <ostream>

#include "catalogue/disk_identify.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/job_progress.h"
#include "state/app_state.h"

namespace orb {
namespace {

int runIdentify(CliContext& context, const CommandArguments& args) {
    const DiskContents contents =
        IdentifyDisk(context.state.connection, context.dialogs, args.positional()[0]);
    for (const std::string& line : identifyLines(contents)) {
        context.out << line << '\n';
    }
    if (const std::string none = noBankFileText(contents); !none.empty()) {
        context.err << none << "\n";
        return kExitFailure;
    }
    if (!args.has("import-new")) {
        return kExitOk;
    }
    JobProgress job(context.dialogs);
    const StyleImportResult imported =
        ImportNewStyles(context.state, context.dialogs, job, nullptr, contents);
    return !imported.started || imported.committed ? kExitOk : kExitFailure;
}

}  // namespace

CliCommand makeIdentifyCommand() {
    return CliCommand{"identify", "PATH [--import-new]",
                      "Tells what the bank file PATH, or every bank file under the folder PATH "
                      "(a floppy, a stick, the keyboard's disk), holds against the catalogue: a "
                      "line per bank (path, bank number, the stored bank it equals or \"no "
                      "stored bank\"), then a line per style starting with a tab (slot, name, "
                      "the stored style of the same content, \"new\", or \"same name, different "
                      "content\" and the stored style's number). Stores nothing unless "
                      "--import-new, which imports the new styles only.",
                      CliCommand::DatabaseUse::OpenExisting, runIdentify};
}

}  // namespace orb
