#include <ostream>

#include "catalogue/catalogue_check.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "state/app_state.h"

namespace orb {
namespace {

void print(std::ostream& out, const CheckReport& report) {
    for (const CheckFinding& finding : report.findings) {
        out << finding.text << '\n';
        for (const std::string& detail : finding.details) {
            out << '\t' << detail << '\n';
        }
    }
    out << report.summary() << '\n';
}

int runCheck(CliContext& context, const CommandArguments& args) {
    const bool repair = args.has("repair");
    const CheckReport report = checkCatalogue(context.state.connection);
    if (!repair || report.damaged() || report.repairableCount() == 0) {
        print(context.out, report);
        return report.exitStatus();
    }
    context.out << repairCatalogue(context.state).summary() << '\n';
    const CheckReport after = checkCatalogue(context.state.connection);
    print(context.out, after);
    return after.exitStatus();
}

}  // namespace

CliCommand makeCheckCommand() {
    return CliCommand{
        "check",
        "[--repair]",
        "Checks the catalogue: the file's integrity, bank slots and song links naming "
        "styles that are gone, stored lengths that differ from the blocks, texts the "
        "keyboard's files cannot carry, styles stored twice; one line each with what "
        "to do. --repair mends what it can without losing a style, after a restore "
        "point. Exit 0 healthy, 1 findings, 2 a damaged file.",
        CliCommand::DatabaseUse::OpenExisting,
        runCheck,
        kExitDamaged};
}

}  // namespace orb
