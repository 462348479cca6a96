#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "catalogue/current_bank.h"
#include "core/bank_file_style.h"
#include "core/observable.h"
#include "stylefiles/keyboard_layout.h"

namespace orb {

class AppState;
class Database;
class UserDialogs;

// Where the current bank is written.
struct BankTarget {
    enum class Kind {
        ChosenFile,    // a file the person names
        FloppyByName,  // the bank's name, without blanks, in the floppy folder
        FloppyWork,    // USER01.STY in the floppy folder, outside the keyboard's layout
        FloppyLayout,  // user bank `bank` (0 to 2) of the keyboard floppy's layout
        HardDisk,      // user bank `bank` (0 to 8) of the keyboard hard disk's layout
    };
    Kind kind = Kind::ChosenFile;
    int bank = 0;

    static constexpr BankTarget floppy(int bank) { return {Kind::FloppyLayout, bank}; }
    static constexpr BankTarget hardDisk(int bank) { return {Kind::HardDisk, bank}; }
    bool operator==(const BankTarget&) const = default;
};

// The "Make .STY file" window: writes the current (stored, unchanged) bank to one target: a
// file the person names, a file on the floppy, or one user bank of the floppy or hard-disk
// layout.
class MakeBankController : public Observable {
public:
    // The targets in the order the window offers them.
    static constexpr std::array<BankTarget, 15> kTargets = {{
        {BankTarget::Kind::ChosenFile, 0},
        {BankTarget::Kind::FloppyByName, 0},
        {BankTarget::Kind::FloppyWork, 0},
        BankTarget::floppy(0),
        BankTarget::floppy(1),
        BankTarget::floppy(2),
        BankTarget::hardDisk(0),
        BankTarget::hardDisk(1),
        BankTarget::hardDisk(2),
        BankTarget::hardDisk(3),
        BankTarget::hardDisk(4),
        BankTarget::hardDisk(5),
        BankTarget::hardDisk(6),
        BankTarget::hardDisk(7),
        BankTarget::hardDisk(8),
    }};
    static constexpr const char* kCaption = "Make .STY file from bank";
    static constexpr const char* kFilter = "Styles (*.STY)|*.STY|All files (*)|*";

    MakeBankController(AppState& state, UserDialogs& dialogs, const CurrentBank& bank,
                       DriveRoomReader room = roomOf);

    std::string caption(BankTarget target) const;
    // The hard disk's banks need the keyboard's hard disk.
    bool enabled(BankTarget target) const;
    BankTarget selected() const { return selected_; }
    void select(BankTarget target);

    // The file name a chosen file is proposed under and FloppyByName writes: the bank name
    // without blanks.
    std::string bankFileName() const;
    // The file of every target but a chosen file.
    std::filesystem::path targetOf(BankTarget target) const;

    // Writes the bank to the selected target; true when done and the window closes. A chosen
    // file is asked for first; a bank file already there is replaced only after a question.
    bool make();
    // Writes the bank to the chosen file `file`, without the save dialog.
    bool makeAs(const std::filesystem::path& file);

private:
    bool write(BankTarget target, const std::filesystem::path& file);
    // Where a target other than a chosen file puts the file on its drive.
    DriveFile driveFileOf(BankTarget target) const;

    AppState& state_;
    UserDialogs& dialogs_;
    const CurrentBank& bank_;
    DriveRoomReader room_;
    BankTarget selected_;
};

// The question asked in the window before a bank file already there is replaced: the file and
// what it holds now, "PATH already exists and holds a bank of 2 styles (ROCK1, TANGO), stored as
// bank 12 ROCKSET. Do you want to replace it?" ("not stored as a bank", "an empty bank", "no bank
// ORB can read").
std::string replaceBankQuestion(Database& connection, UserDialogs& dialogs,
                                const std::filesystem::path& file);

// Writes the bank `bankName` of `bankStyles` (the style numbers in slot order; a style no longer
// stored leaves its slot empty) as one bank file to `target`, whose file is `file`, and reads it
// back from the disk. A drive that is not ready, too little room, a refused wipe or a failed
// write is shown and changes nothing; a file that does not read back as written is shown,
// naming the file and the bank. True when the file was written and read back, which is shown
// too. The make-bank window and `orb make-sty` both write through it.
bool WriteBankFile(AppState& state, UserDialogs& dialogs, const std::string& bankName,
                   const std::vector<BankSlot>& slots, BankTarget target,
                   const std::filesystem::path& file, const DriveRoomReader& room = roomOf);

}  // namespace orb
