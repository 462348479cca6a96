#pragma once

#include "app/database_wipe.h"

namespace orb {

class AppState;
class UserDialogs;

// The main window's logic: the wipe gesture on the picture and the two ways of ending the run.
class MainController {
public:
    MainController(AppState& state, UserDialogs& dialogs) : state_(state), dialogs_(dialogs) {}

    // A mouse button pressed on the picture; shiftState adds Shift 1, Ctrl 2, Alt 4.
    WipeOutcome pictureMouseDown(MouseButton button, int shiftState) {
        return PictureMouseDown(state_, dialogs_, button, shiftState);
    }

    // "Exit": releases everything and closes the connection.
    void exit();
    // The window closed by its frame: the run ends as with "Exit", once.
    void windowClosed();
    bool exitRequested() const;

private:
    AppState& state_;
    UserDialogs& dialogs_;
};

}  // namespace orb
