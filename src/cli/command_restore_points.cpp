#include <ostream>

#include "app/undo.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/ascii_text.h"
#include "state/app_state.h"

namespace orb {
namespace {

int runRestorePoints(CliContext& context, const CommandArguments&) {
    int number = 0;
    for (const RestorePoint& point : restorePointsOfCatalogue(context.state)) {
        context.out << ++number << '\t' << point.time << '\t' << point.action << '\t'
                    << point.styles << '\t' << point.banks << '\t' << point.songs << '\t'
                    << point.size << '\n';
    }
    return kExitOk;
}

int runUndo(CliContext& context, const CommandArguments& args) {
    const bool yes = args.has("yes");
    const auto given = args.numbers();
    const int number = given && !given->empty() ? given->front() : 1;
    if (!given || number < 1) {
        return usageError(context);
    }
    const std::vector<RestorePoint> points = restorePointsOfCatalogue(context.state);
    if (static_cast<std::size_t>(number) > points.size()) {
        context.err << "There is no restore point " << number
                    << " of this catalogue; orb restore-points lists them.\n";
        return kExitFailure;
    }
    const auto last = static_cast<std::size_t>(number) - 1;
    if (yes) {
        context.dialogs.setAssumeYes(true);
    } else if (context.terminal != nullptr) {
        context.dialogs.askOn(*context.terminal);
    } else {
        context.err << "Undoing changes the catalogue, and there is no terminal to ask on: give "
                       "--yes. Nothing was changed.\n";
        return kExitFailure;
    }
    if (!context.dialogs.question(undoQuestion(points, last))) {
        return kExitFailure;
    }
    undoToRestorePoint(context.state, points, last);
    context.out << undoneMessage(points, last) << '\n';
    return kExitOk;
}

}  // namespace

CliCommand makeRestorePointsCommand() {
    return CliCommand{"restore-points", "",
                      "Lists the restore points of the catalogue, newest first, one tab-separated "
                      "line each: number, time, what was about to happen, the counts of "
                      "styles, banks and songs, and the bytes the point takes.",
                      CliCommand::DatabaseUse::OpenExisting, runRestorePoints};
}

CliCommand makeUndoCommand() {
    return CliCommand{"undo", "[N] [--yes]",
                      "Undoes the steps of restore points 1 to N (default 1, the newest), newest "
                      "first in one step, after a question (asked on the terminal unless --yes), "
                      "keeping a restore point of the undo first. Later changes to the same rows "
                      "refuse the undo, which then changes nothing.",
                      CliCommand::DatabaseUse::OpenExisting, runUndo};
}

}  // namespace orb
