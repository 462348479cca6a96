#pragma once

#include <istream>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "cli/cli.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "state/app_state.h"
#include "support/scripted_dialogs.h"
#include "support/table_snapshot.h"
#include "support/temp_dir.h"

namespace orb::test {

// What one run of the command line printed and returned.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Everything one test needs, all of its own: a temporary folder, a settings file in it, a
// fixed clock (2026/12/06), scripted dialogs and the application state.
class TestEnvironment {
public:
    TestEnvironment()
        : settings(dir / "settings.ini"),
          clock(std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{12},
                                            std::chrono::day{6}}),
          state(settings, clock) {
        state.RestorePointFolder = dir / "restore-points";
    }

    // Creates ORB.MDB in the temporary folder and opens the state's connection on it, with the
    // schema step run, as start-up does.
    void openFreshDatabase() {
        const auto path = dir / "ORB.MDB";
        Database().open(path, Database::OpenMode::CreateIfMissing);
        state.DatabasePath = path.string();
        OpenDatabase(state);
    }

    // Runs `orb ARGS...` headless on this environment's state and settings; questions are read
    // from `terminal` when a command may ask.
    CliRun runCli(const std::vector<std::string>& args, std::istream* terminal = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runCommandLine(args, state, out, err, terminal);
        return {status, out.str(), err.str()};
    }

    TempDir dir;
    QtSettingsStore settings;
    FixedClock clock;
    ScriptedDialogs dialogs;
    AppState state;
};

}  // namespace orb::test
