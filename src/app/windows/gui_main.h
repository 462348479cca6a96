#pragma once

#include <optional>
#include <string>

#include "app/windows/main_window.h"

namespace orb {

class AppState;
class UserDialogs;

// The windows the main window opens, as far as this build has them.
MainWindowFactories mainWindowFactories(AppState& state, UserDialogs& dialogs);

// Runs the windows: start-up with Qt dialogs, then the main window until it closes; a file given
// (`orb FILE.STY`) opens in its window once the main window is up.
// Returns the process exit status.
int runWindows(AppState& state, const std::optional<std::string>& file = std::nullopt);

}  // namespace orb
