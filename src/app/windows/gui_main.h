#pragma once

namespace orb {

class AppState;

// Runs the windows: start-up with Qt dialogs, then the main window until it closes.
// Returns the process exit status.
int runWindows(AppState& state);

}  // namespace orb
