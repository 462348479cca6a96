#pragma once

#include "app/windows/main_window.h"

namespace orb {

class AppState;
class UserDialogs;

// The windows the main window opens, as far as this build has them.
MainWindowFactories mainWindowFactories(AppState& state, UserDialogs& dialogs);

// Runs the windows: start-up with Qt dialogs, then the main window until it closes.
// Returns the process exit status.
int runWindows(AppState& state);

}  // namespace orb
