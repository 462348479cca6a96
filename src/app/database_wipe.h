#pragma once

namespace orb {

class AppState;
class UserDialogs;

// The mouse button of a press on the main window's picture.
enum class MouseButton { Left, Right, Middle, Other };

// Keys held during a mouse press, added up: Shift 1, Ctrl 2, Alt 4.
inline constexpr int kShiftKey = 1;
inline constexpr int kCtrlKey = 2;
inline constexpr int kAltKey = 4;

inline constexpr const char* kWipePassword = "TAPE ON/OFF";

enum class WipeOutcome {
    NotAsked,  // not the gesture: nothing was shown
    Declined,  // wrong password, cancelled or No: nothing changed
    Wiped,     // the four tables are empty
    Failed,    // the database refused; every row is still there and the person was told
};

// The hidden gesture on the picture: a left press with exactly Shift, Ctrl and Alt held.
bool IsWipeGesture(MouseButton button, int shiftState);

// The picture's mouse-down: on the gesture, asks for the password and a confirmation, then
// deletes every style, bank, song and link in one transaction. Filters and settings stay.
WipeOutcome PictureMouseDown(AppState& state, UserDialogs& dialogs, MouseButton button,
                             int shiftState);

// The wipe itself, from the password prompt on.
WipeOutcome WipeDatabase(AppState& state, UserDialogs& dialogs);

}  // namespace orb
