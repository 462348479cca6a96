#pragma once

#include <chrono>
#include <memory>

#include "app/app_state.h"
#include "app/clock.h"
#include "app/settings_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace orb::test {

// Everything one test needs, all of its own: a temporary folder, a settings file in it, a
// fixed clock (2026/12/06), scripted dialogs and the application state.
class TestEnvironment {
public:
    TestEnvironment();

    // Creates ORB.MDB in the temporary folder and opens the state's connection on it, with the
    // schema step run, as start-up does.
    void openFreshDatabase();

    TempDir dir;
    QtSettingsStore settings;
    FixedClock clock;
    ScriptedDialogs dialogs;
    AppState state;
};

}  // namespace orb::test
