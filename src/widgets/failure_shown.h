#pragma once

#include <functional>

#include "core/errors.h"
#include "core/user_dialogs.h"

namespace orb {

// Runs what a window's control asked for. A failure that its controller let through is shown as
// a critical message instead of leaving the event loop; the window stays as it is.
inline void runShowingFailure(UserDialogs& dialogs, const std::function<void()>& work) {
    try {
        work();
    } catch (const OrbError& error) {
        dialogs.message(error.what(), UserDialogs::Icon::Critical);
    }
}

}  // namespace orb
