#include "catalogue/make_bank.h"

#include <algorithm>

#include "catalogue/bank_collection.h"
#include "core/drive_writing.h"
#include "core/errors.h"
#include "core/file_access.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr int kWorkBankNumber = 17;

using Kind = BankTarget::Kind;

bool samePlace(const fs::path& a, const fs::path& b) {
    return (a / "").lexically_normal() == (b / "").lexically_normal();
}

}  // namespace

MakeBankController::MakeBankController(AppState& state, UserDialogs& dialogs, DriveRoomReader room)
    : state_(state), dialogs_(dialogs), room_(std::move(room)) {}

std::string MakeBankController::caption(BankTarget target) const {
    switch (target.kind) {
        case Kind::ChosenFile:
            return "Make as ...";
        case Kind::FloppyByName:
            return "Make as " + (fs::path(state_.FloppyPath) / "").string() + " ...";
        case Kind::FloppyWork:
            return "Make as " + targetOf(target).string();
        case Kind::FloppyLayout:
            return "Make for DIRECT FD - Bank " + std::to_string(target.bank + 1);
        case Kind::HardDisk:
            break;
    }
    return "Make for DIRECT HD - Bank " + std::to_string(target.bank + 1);
}

bool MakeBankController::enabled(BankTarget target) const {
    return target.kind != Kind::HardDisk || !state_.PaHardDiskPath.empty();
}

void MakeBankController::select(BankTarget target) {
    if (enabled(target) && !(target == selected_)) {
        selected_ = target;
        changed();
    }
}

std::string MakeBankController::bankFileName() const {
    std::string name = state_.currentBank.name;
    std::erase(name, ' ');
    return name + ".STY";
}

fs::path MakeBankController::targetOf(BankTarget target) const {
    return driveFileOf(target).pathOn(target.kind == Kind::HardDisk ? state_.PaHardDiskPath
                                                                    : state_.FloppyPath);
}

bool MakeBankController::make() {
    if (selected_.kind != Kind::ChosenFile) {
        return write(selected_, targetOf(selected_));
    }
    const std::string file = dialogs_.saveFileDialog(kFilter, bankFileName());
    return !file.empty() && write(selected_, file);
}

bool MakeBankController::makeAs(const fs::path& file) {
    return write({Kind::ChosenFile, 0}, file);
}

fs::path MakeBankController::driveOf(BankTarget target, const fs::path& file) const {
    if (target.kind == Kind::ChosenFile) {
        return file.has_parent_path() ? file.parent_path() : fs::path(".");
    }
    return target.kind == Kind::HardDisk ? state_.PaHardDiskPath : state_.FloppyPath;
}

DriveFile MakeBankController::driveFileOf(BankTarget target) const {
    switch (target.kind) {
        case Kind::ChosenFile:
        case Kind::FloppyByName:
            return {{}, bankFileName(), {}};
        case Kind::FloppyWork:
            return {{}, "USER01.STY", {}};
        case Kind::FloppyLayout:
            return floppyLayoutFile(target.bank, {});
        case Kind::HardDisk:
            break;
    }
    return hardDiskLayoutFile(target.bank, {});
}

int MakeBankController::bankNumberOf(BankTarget target) {
    const bool layout = target.kind == Kind::FloppyLayout || target.kind == Kind::HardDisk;
    return layout ? KeyboardBankNumber(target.bank) : kWorkBankNumber;
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

bool MakeBankController::write(BankTarget bankTarget, const fs::path& target) {
    const fs::path drivePath = driveOf(bankTarget, target);
    const auto drive = DriveFolder::open(drivePath);
    if (!drive || !drive->writable()) {
        dialogs_.message(
            samePlace(drivePath, state_.FloppyPath)
                ? "Floppy disk " + drivePath.string() + ": is not ready!"
                : "Pa hard disk " + drivePath.string() + ": is not ready or not available!",
            UserDialogs::Icon::Critical);
        return false;
    }
    const bool layout = bankTarget.kind == Kind::FloppyLayout || bankTarget.kind == Kind::HardDisk;
    const bool wipe = bankTarget.kind == Kind::FloppyLayout && !HasFloppyLayout(*drive);
    if (wipe && !dialogs_.question(floppyWipeQuestion(state_.FloppyPath))) {
        return false;
    }
    WaitCursor wait(dialogs_);
    try {
        const KORFStyles bank = LoadBankContents(state_.connection, state_.currentBank.styles);
        const std::string bytes = bankFileBytes(bank, bankNumberOf(bankTarget), target, dialogs_);
        if (bankTarget.kind == Kind::ChosenFile) {
            writeChosenFile(*drive, target, bytes);
        } else {
            DriveFile file = driveFileOf(bankTarget);
            file.bytes = bytes;
            DriveWriting how;
            how.wipe = wipe;
            how.keep = filesInUse(state_);
            how.room = room_;
            writeToDrive(*drive, {file}, how);
        }
    } catch (const NotEnoughRoomError& tooBig) {
        dialogs_.message(!layout ? "An error has occured during create process of style " +
                                       target.string() +
                                       ". Not enough space available inside floppy disk!"
                                 : std::string(tooBig.what()),
                         UserDialogs::Icon::Critical);
        return false;
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    dialogs_.message(
        target.string() + (layout ? " successfully created!" : " successfully created"),
        UserDialogs::Icon::Information);
    return true;
}

}  // namespace orb
