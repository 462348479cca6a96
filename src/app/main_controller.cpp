#include "app/main_controller.h"

#include "app/startup.h"
#include "state/app_state.h"

namespace orb {

void MainController::exit() {
    if (!state_.exitRequested) {
        CloseAndExit(state_, dialogs_);
    }
}

void MainController::windowClosed() {
    exit();
}

bool MainController::exitRequested() const {
    return state_.exitRequested;
}

}  // namespace orb
