#include "catalogue/make_bank.h"

#include <algorithm>

#include "catalogue/bank_collection.h"
#include "core/drive_folder.h"
#include "core/errors.h"
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

MakeBankController::MakeBankController(AppState& state, UserDialogs& dialogs, BankFileRoom room)
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
    if (option == 1) {
        return fs::path(state_.FloppyPath) / bankFileName();
    }
    if (option == 2) {
        return fs::path(state_.FloppyPath) / "USER01.STY";
    }
    if (option < kFirstHardDiskOption) {
        return FloppyBankFile(state_.FloppyPath, option - kFirstFloppyOption);
    }
    return HardDiskBankFile(state_.PaHardDiskPath, option - kFirstHardDiskOption);
}

bool MakeBankController::make() {
    if (selected_ != 0) {
        return write(selected_, targetOf(selected_));
    }
    const std::string target = dialogs_.saveFileDialog(kFilter, bankFileName());
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

bool MakeBankController::write(int option, const fs::path& target) {
    const fs::path drive = driveOf(option, target);
    if (!driveReady(drive)) {
        dialogs_.message(
            samePlace(drive, state_.FloppyPath)
                ? "Floppy disk " + drive.string() + ": is not ready!"
                : "Pa hard disk " + drive.string() + ": is not ready or not available!",
            UserDialogs::Icon::Critical);
        return false;
    }
    const bool floppyLayout = option >= kFirstFloppyOption && option < kFirstHardDiskOption;
    const bool wipe = floppyLayout && !HasFloppyLayout(state_);
    if (wipe && !dialogs_.question(kFloppyWipeQuestion)) {
        return false;
    }
    WaitCursor wait(dialogs_);
    try {
        const KORFStyles bank = LoadBankContents(state_.connection, state_.currentBank.styles);
        int bankNumber = kWorkBankNumber;
        if (option >= kFirstHardDiskOption) {
            bankNumber = KeyboardBankNumber(option - kFirstHardDiskOption);
            MakeHardDiskSetFolder(state_.PaHardDiskPath, option - kFirstHardDiskOption);
        } else if (floppyLayout) {
            bankNumber = KeyboardBankNumber(option - kFirstFloppyOption);
            MakeFloppyLayout(state_, wipe);
        }
        if (!WriteKeyboardBank(dialogs_, target, bank, bankNumber, room_)) {
            return false;
        }
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
