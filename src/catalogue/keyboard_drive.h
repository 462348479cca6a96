#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/drive_writing.h"

namespace orb {

class AppState;
class JobProgress;
class UserDialogs;

// Writing stored banks as the keyboard's floppy or into its hard disk: the bank dialog's DIRECT
// FD and DIRECT HD queues and the commands `floppy` and `hd-transfer` both write through these.

// A stored bank for one user bank of the layout; the name is what a refusal calls it.
struct DriveBank {
    std::int32_t bankProg = 0;
    std::string name;
    bool operator==(const DriveBank&) const = default;
};
// Entry i is user bank i of the layout (USER0n.STY of its set folder); none leaves it out.
using DriveBanks = std::vector<std::optional<DriveBank>>;

struct DriveBanksWriting {
    enum class Result {
        Written,
        NotReady,   // the drive's folder is missing or cannot be written
        Declined,   // the person kept the floppy's contents
        Cancelled,  // stopped after a file; `files` are on the drive
        Failed,     // a gone bank, too little room, a refused wipe or a failed write
    };
    Result result = Result::Failed;
    std::vector<std::filesystem::path> files;  // the bank files on the drive, in writing order
    std::string message;                       // for the person; empty when Declined

    bool written() const { return result == Result::Written; }
};

// What a window follows of the writing: `started` once the banks are about to be made (after the
// drive check and the question), `written` after entry i's file is on the drive.
struct DriveBanksListener {
    std::function<void()> started;
    std::function<void(std::size_t entry)> written;
};

inline constexpr const char* kFloppyDone = "DIRECT FD floppy successfully created!";
inline constexpr const char* kHardDiskDone = "DIRECT HD styles successfully created!";
inline constexpr const char* kRebootKeyboard = "Please reboot your Pa60 / Pa80";

// Asks through `dialogs` whether `folder` may be emptied, then empties it and writes ORB.SET/STYLE
// with each bank as its USER0n.STY. Nothing is deleted when a bank is gone or the banks would not
// fit. `job` shows the progress and stops it on a cancel. Every file written is read back from
// the disk (through state.readBack) and compared: a difference fails the writing, naming the file
// and the bank.
DriveBanksWriting WriteFloppy(AppState& state, UserDialogs& dialogs, JobProgress& job,
                              const DriveBanks& banks, const std::string& folder,
                              const DriveRoomReader& room = roomOf,
                              const DriveBanksListener& listener = {});

// Writes each bank into its set folder of the hard disk `folder`, making the set folder when
// missing; nothing is deleted, and nothing is made when a bank is gone or the banks would not fit.
DriveBanksWriting TransferToHardDisk(AppState& state, UserDialogs& dialogs, JobProgress& job,
                                     const DriveBanks& banks, const std::string& folder,
                                     const DriveRoomReader& room = roomOf,
                                     const DriveBanksListener& listener = {});

// Shows the writing's message: a done or cancelled writing as information, a refusal or failure
// as an error, a declined one not at all.
void showDriveBanksWriting(UserDialogs& dialogs, const DriveBanksWriting& writing);

// One file that a writing would make, and how it compares with what the drive holds now.
struct PlannedFile {
    enum class Change { Unchanged, Changed, New };
    std::filesystem::path relative;  // below the drive's folder: ORB.SET/STYLE/USER01.STY
    Change change = Change::New;

    bool operator==(const PlannedFile&) const = default;
};
// "unchanged", "changed", "new".
const char* changeWord(PlannedFile::Change change);

// The files that WriteFloppy and TransferToHardDisk would write, made exactly as they make them
// and compared byte for byte with the files in `folder` now; nothing is asked, deleted or
// written. A drive that is not ready or a bank that is gone throws OrbError with the writing's
// own message.
std::vector<PlannedFile> PlanFloppy(AppState& state, UserDialogs& dialogs, const DriveBanks& banks,
                                    const std::string& folder);
std::vector<PlannedFile> PlanHardDiskTransfer(AppState& state, UserDialogs& dialogs,
                                              const DriveBanks& banks, const std::string& folder);

}  // namespace orb
