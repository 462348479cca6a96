#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/keyboard_drive.h"
#include "db/setup_store.h"

namespace orb {

class AppState;
class Database;
class JobProgress;
class UserDialogs;

// A keyboard set-up: the whole keyboard prepared for a gig, a season or a band, kept under a
// name: the floppy's three banks and the hard disk's nine. The bank dialog saves its queues as
// one and loads one into them, the set-up list and the commands `setups`, `setup-save`,
// `setup-delete` and `setup-write` work on them; each operation here is the one both call.

inline constexpr const char* kNoSetupName = "Please insert set-up name!";
// What a name and a description take; a longer name is refused, never cut.
inline constexpr int kSetupNameLength = 30;
inline constexpr int kSetupDescriptionLength = 200;

// One place of a set-up as it stands now: empty, a stored bank, or a bank deleted since.
struct SetupPlace {
    std::int32_t bankProg = 0;  // 0: an empty place
    std::string bankName;       // the stored bank's name; empty for an empty or gone place
    bool gone = false;

    bool empty() const { return bankProg == 0; }
    bool operator==(const SetupPlace&) const = default;
};
// What a list shows for the place: the bank's name, nothing, or "gone bank 12".
std::string placeText(const SetupPlace& place);

struct KeyboardSetup {
    std::string name;
    std::string description;
    std::array<SetupPlace, kSetupFloppyPlaces> floppy;
    std::array<SetupPlace, kSetupHardDiskPlaces> hardDisk;

    bool usesFloppy() const;
    bool usesHardDisk() const;
    bool operator==(const KeyboardSetup&) const = default;
};

// Every set-up in name order, with the names of its banks.
std::vector<KeyboardSetup> ListSetups(Database& connection);
// The set-up named `name` (letter case and blanks around it aside).
std::optional<KeyboardSetup> FindSetup(Database& connection, const std::string& name);

// What SaveSetup stores: 0 for an empty place.
struct SetupToSave {
    std::string name;
    std::string description;
    std::array<std::int32_t, kSetupFloppyPlaces> floppy{};
    std::array<std::int32_t, kSetupHardDiskPlaces> hardDisk{};
};

// What SaveSetup does when a set-up of that name is stored already.
enum class SameNamedSetup {
    Keep,       // stores nothing and answers NameTaken, so that the caller may ask
    Overwrite,  // replaces it
};

struct SetupChange {
    enum class Result {
        Done,
        NameTaken,  // SaveSetup with SameNamedSetup::Keep, or a rename onto another set-up
        Refused,    // nothing was changed; `message` says why
    };
    Result result = Result::Refused;
    std::string message;  // for the person when Refused or NameTaken

    bool done() const { return result == Result::Done; }
};

// Keeps a restore point, then stores the set-up. A name that is empty or too long, a text the
// catalogue cannot hold, a bank that is not stored or a refusal of the database stores nothing.
SetupChange SaveSetup(AppState& state, const SetupToSave& setup, SameNamedSetup sameName);
// Each keeps a restore point, then changes the one set-up; a refusal changes nothing.
SetupChange RenameSetup(AppState& state, const std::string& name, const std::string& newName);
SetupChange DescribeSetup(AppState& state, const std::string& name, const std::string& description);
SetupChange DeleteSetup(AppState& state, const std::string& name);

// What a bank delete says of the set-ups that use the bank, before ("The set-up Gig uses it and
// will show it as a gone bank.") or after the delete; empty when none does.
std::string setupsUsingBankText(const std::vector<std::string>& names, bool deleted);

// Where a set-up is written: the floppy folder and the keyboard's hard disk folder.
struct SetupFolders {
    std::string floppy;
    std::string hardDisk;
};

// Writes set-up `name` in one step: its floppy banks exactly as WriteFloppy writes them (the
// wipe asked once through `dialogs`, the room checked first), then its hard-disk banks as
// TransferToHardDisk does, each read back. A set-up that is not stored, has no bank, names a
// gone bank or lacks the folder of a part it uses writes nothing and says why (NotReady).
DriveBanksWriting WriteSetup(AppState& state, UserDialogs& dialogs, JobProgress& job,
                             const std::string& name, const SetupFolders& folders,
                             const DriveRoomReader& room = roomOf);

// The files WriteSetup would write, each compared with what its folder holds now; nothing is
// asked, deleted or written. A refusal of WriteSetup throws OrbError with the same text.
struct SetupPlan {
    std::vector<PlannedFile> floppy;
    std::vector<PlannedFile> hardDisk;
};
SetupPlan PlanSetupWrite(AppState& state, UserDialogs& dialogs, const std::string& name,
                         const SetupFolders& folders);
// One line per file: its path below its folder, a tab and "unchanged", "changed" or "new".
std::vector<std::string> planLines(const SetupPlan& plan);

}  // namespace orb
