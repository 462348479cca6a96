#pragma once

#include <filesystem>
#include <string>

#include "core/observable.h"
#include "stylefiles/keyboard_layout.h"

namespace orb {

class AppState;
class UserDialogs;

// frmMakeBank: writes the current (stored, unchanged) bank to one target: a file the person
// names, a file on the floppy, or one user bank of the floppy or hard-disk layout.
class MakeBankController : public Observable {
public:
    static constexpr int kOptionCount = 15;
    static constexpr const char* kCaption = "Make .STY file from bank";
    static constexpr const char* kFilter = "Styles (*.STY)|*.STY|All files (*)|*";

    MakeBankController(AppState& state, UserDialogs& dialogs, DriveRoomReader room = roomOf);

    std::string optionCaption(int option) const;
    // Options 6 to 14 need the keyboard's hard disk.
    bool optionEnabled(int option) const;
    int selectedOption() const { return selected_; }
    void selectOption(int option);

    // The file name option 0 proposes and option 1 writes: the bank name without blanks.
    std::string bankFileName() const;
    // The target of option 1 to 14.
    std::filesystem::path targetOf(int option) const;

    // Writes the bank to the selected option's target; true when done and the window closes.
    // Option 0 asks for the file first.
    bool make();
    // Writes the bank to `target` as option 0 does, without the save dialog.
    bool makeAs(const std::filesystem::path& target);

private:
    bool write(int option, const std::filesystem::path& target);
    // The folder whose readiness decides, and the message when it is not ready.
    std::filesystem::path driveOf(int option, const std::filesystem::path& target) const;
    // Where option 1 to 14 puts the file on its drive, and the bank number it carries.
    DriveFile driveFileOf(int option) const;
    static int bankNumberOf(int option);
    // Option 0: the file the person chose, anywhere, after the room test of its folder.
    void writeChosenFile(const DriveFolder& folder, const std::filesystem::path& target,
                         const std::string& bytes) const;

    AppState& state_;
    UserDialogs& dialogs_;
    DriveRoomReader room_;
    int selected_ = 0;
};

}  // namespace orb
