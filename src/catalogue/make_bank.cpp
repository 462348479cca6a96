#include "catalogue/make_bank.h"

#include <algorithm>

#include "catalogue/bank_collection.h"
#include "core/drive_writing.h"
#include "core/errors.h"
#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstFloppyOption = 3;
constexpr int kFirstHardDiskOption = 6;
constexpr int kWorkBankNumber = 17;

bool samePlace(const fs::path& a, const fs::path& b) {
    return (a / "").lexically_normal() == (b / "").lexically_normal();
}

}  // namespace

MakeBankController::MakeBankController(AppState& state, UserDialogs& dialogs, DriveRoomReader room)
    : state_(state), dialogs_(dialogs), room_(std::move(room)) {}

std::string MakeBankController::optionCaption(int option) const {
    if (option == 0) {
        return "Make as ...";
    }
    if (option == 1) {
        return "Make as " + (fs::path(state_.FloppyPath) / "").string() + " ...";
    }
    if (option == 2) {
        return "Make as " + targetOf(2).string();
    }
    const bool floppy = option < kFirstHardDiskOption;
    const int bank = option - (floppy ? kFirstFloppyOption : kFirstHardDiskOption) + 1;
    return std::string("Make for DIRECT ") + (floppy ? "FD" : "HD") + " - Bank " +
           std::to_string(bank);
}

bool MakeBankController::optionEnabled(int option) const {
    return option < kFirstHardDiskOption || !state_.PaHardDiskPath.empty();
}

void MakeBankController::selectOption(int option) {
    if (option >= 0 && option < kOptionCount && optionEnabled(option) && option != selected_) {
        selected_ = option;
        changed();
    }
}

std::string MakeBankController::bankFileName() const {
    std::string name = state_.currentBank.name;
    std::erase(name, ' ');
    return name + ".STY";
}

fs::path MakeBankController::targetOf(int option) const {
    return driveFileOf(option).pathOn(option < kFirstHardDiskOption ? state_.FloppyPath
                                                                    : state_.PaHardDiskPath);
}

bool MakeBankController::make() {
    if (selected_ != 0) {
        return write(selected_, targetOf(selected_));
    }
    const std::string target =
        FileChoice(dialogs_, state_.settings).saveFile(FileKind::Styles, kFilter, bankFileName());
    return !target.empty() && write(0, target);
}

bool MakeBankController::makeAs(const fs::path& target) {
    return write(0, target);
}

fs::path MakeBankController::driveOf(int option, const fs::path& target) const {
    if (option == 0) {
        return target.has_parent_path() ? target.parent_path() : fs::path(".");
    }
    return option < kFirstHardDiskOption ? state_.FloppyPath : state_.PaHardDiskPath;
}

DriveFile MakeBankController::driveFileOf(int option) const {
    if (option == 1) {
        return {{}, bankFileName(), {}};
    }
    if (option == 2) {
        return {{}, "USER01.STY", {}};
    }
    if (option < kFirstHardDiskOption) {
        return floppyLayoutFile(option - kFirstFloppyOption, {});
    }
    return hardDiskLayoutFile(option - kFirstHardDiskOption, {});
}

int MakeBankController::bankNumberOf(int option) {
    if (option < kFirstFloppyOption) {
        return kWorkBankNumber;
    }
    return KeyboardBankNumber(
        option - (option < kFirstHardDiskOption ? kFirstFloppyOption : kFirstHardDiskOption));
}

void MakeBankController::writeChosenFile(const DriveFolder& folder, const fs::path& target,
                                         const std::string& bytes) const {
    // The new file is made whole beside the old one, which goes only then: it needs its whole
    // size free. The chosen file may be a link the person keeps: it is followed, and the file it
    // leads to is replaced.
    const DriveRoom room = room_ ? room_(folder) : roomOf(folder);
    if (bytes.size() >= room.freeBytes) {
        throw NotEnoughRoomError("", target);
    }
    replaceFileSafely(target, "The bank file", [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

bool MakeBankController::write(int option, const fs::path& target) {
    const fs::path drivePath = driveOf(option, target);
    const auto drive = DriveFolder::open(drivePath);
    if (!drive || !drive->writable()) {
        dialogs_.message(
            samePlace(drivePath, state_.FloppyPath)
                ? "Floppy disk " + drivePath.string() + ": is not ready!"
                : "Pa hard disk " + drivePath.string() + ": is not ready or not available!",
            UserDialogs::Icon::Critical);
        return false;
    }
    const bool floppyLayout = option >= kFirstFloppyOption && option < kFirstHardDiskOption;
    const bool wipe = floppyLayout && !HasFloppyLayout(*drive);
    if (wipe && !dialogs_.question(floppyWipeQuestion(state_.FloppyPath))) {
        return false;
    }
    WaitCursor wait(dialogs_);
    try {
        const KORFStyles bank = LoadBankContents(state_.connection, state_.currentBank.styles);
        const std::string bytes = bankFileBytes(bank, bankNumberOf(option), target, dialogs_);
        if (option == 0) {
            writeChosenFile(*drive, target, bytes);
        } else {
            DriveFile file = driveFileOf(option);
            file.bytes = bytes;
            DriveWriting how;
            how.wipe = wipe;
            how.keep = filesInUse(state_);
            how.room = room_;
            writeToDrive(*drive, {file}, how);
        }
    } catch (const NotEnoughRoomError& tooBig) {
        dialogs_.message(option < kFirstFloppyOption
                             ? "An error has occured during create process of style " +
                                   target.string() +
                                   ". Not enough space available inside floppy disk!"
                             : std::string(tooBig.what()),
                         UserDialogs::Icon::Critical);
        return false;
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    dialogs_.message(target.string() + (option < kFirstFloppyOption ? " successfully created"
                                                                    : " successfully created!"),
                     UserDialogs::Icon::Information);
    return true;
}

}  // namespace orb
