#include <ostream>

#include "cli/cli.h"
#include "state/app_state.h"

namespace orb {

CliCommand makeInitCommand() {
    return CliCommand{
        "init", "",
        "Opens the database, creating it when it does not exist, brings its tables up to date "
        "and prints its path.",
        CliCommand::DatabaseUse::OpenOrCreate, [](CliContext& context, const CommandArguments&) {
            context.out << context.state.DatabasePath << "\n";
            return kExitOk;
        }};
}

}  // namespace orb
