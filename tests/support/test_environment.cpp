#include "support/test_environment.h"

#include <sstream>

#include "app/startup.h"
#include "cli/cli.h"

namespace orb::test {

TestEnvironment::TestEnvironment()
    : settings(dir / "settings.ini"),
      clock(std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12},
                                        std::chrono::day{6}}),
      state(settings, clock) {
    state.RestorePointFolder = dir / "restore-points";
}

void TestEnvironment::openFreshDatabase() {
    const auto path = dir / "ORB.MDB";
    {
        Database creator;
        creator.open(path, Database::OpenMode::CreateIfMissing);
    }
    state.DatabasePath = path.string();
    OpenDatabase(state);
}

CliRun TestEnvironment::runCli(const std::vector<std::string>& args, std::istream* terminal) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(args, state, out, err, terminal);
    return {status, out.str(), err.str()};
}

}  // namespace orb::test
