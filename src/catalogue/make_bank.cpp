#include "catalogue/make_bank.h"

#include <algorithm>

#include "catalogue/bank_collection.h"
#include "catalogue/disk_identify.h"
#include "core/drive_writing.h"
#include "core/errors.h"
#include "core/file_access.h"
#include "core/file_choice.h"
#include "core/file_replacement.h"
#include "core/read_back.h"
#include "core/text.h"
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

// The folder whose readiness decides.
fs::path driveOf(const AppState& state, BankTarget target, const fs::path& file) {
    if (target.kind == Kind::ChosenFile) {
        return file.has_parent_path() ? file.parent_path() : fs::path(".");
    }
    return target.kind == Kind::HardDisk ? state.PaHardDiskPath : state.FloppyPath;
}

// Where a target other than a chosen file puts `file` on its drive.
DriveFile driveFileOn(BankTarget target, const fs::path& file) {
    switch (target.kind) {
        case Kind::ChosenFile:
        case Kind::FloppyByName:
        case Kind::FloppyWork:
            break;
        case Kind::FloppyLayout:
            return floppyLayoutFile(target.bank, {});
        case Kind::HardDisk:
            return hardDiskLayoutFile(target.bank, {});
    }
    return {{}, file.filename().string(), {}};
}

// The bank number the file carries.
int bankNumberOf(BankTarget target) {
    const bool layout = target.kind == Kind::FloppyLayout || target.kind == Kind::HardDisk;
    return layout ? KeyboardBankNumber(target.bank) : kWorkBankNumber;
}

// The file the person chose, anywhere, after the room test of its folder.
void writeChosenFile(const DriveFolder& folder, const fs::path& file, const std::string& bytes,
                     const DriveRoomReader& room) {
    // The new file is made whole beside the old one, which goes only then: it needs its whole
    // size free. The chosen file may be a link the person keeps: it is followed, and the file it
    // leads to is replaced.
    const DriveRoom free = room ? room(folder) : roomOf(folder);
    if (bytes.size() >= free.freeBytes) {
        throw NotEnoughRoomError("", file);
    }
    replaceFileSafely(file, "The bank file", [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

// Reads the chosen file back where it landed (a link the person keeps leads there).
std::optional<ReadBackFault> chosenFileReadBackFault(const AppState& state, const fs::path& file,
                                                     const std::string& bytes) {
    std::error_code error;
    const fs::path landed = fs::canonical(file, error);
    const auto folder = error ? std::nullopt : DriveFolder::open(landed.parent_path());
    if (!folder) {
        return ReadBackFault{0, "is no longer there when it is read back"};
    }
    return firstReadBackFault(*folder, {DriveFile{{}, landed.filename().string(), bytes}},
                              state.readBack);
}

}  // namespace

MakeBankController::MakeBankController(AppState& state, UserDialogs& dialogs,
                                       const CurrentBank& bank, DriveRoomReader room)
    : state_(state), dialogs_(dialogs), bank_(bank), room_(std::move(room)) {}

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
    std::string name = bank_.name();
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
    const std::string file =
        FileChoice(dialogs_, state_.settings).saveFile(FileKind::Styles, kFilter, bankFileName());
    return !file.empty() && write(selected_, file);
}

bool MakeBankController::makeAs(const fs::path& file) {
    return write({Kind::ChosenFile, 0}, file);
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

bool MakeBankController::write(BankTarget target, const fs::path& file) {
    // A file the person chose was asked about by the save dialog; every other target names a
    // file that may hold a bank written before, which is replaced only when the person says so.
    std::error_code error;
    if (target.kind != Kind::ChosenFile && fs::exists(fs::symlink_status(file, error)) &&
        !dialogs_.question(replaceBankQuestion(state_.connection, dialogs_, file))) {
        return false;
    }
    return WriteBankFile(state_, dialogs_, bank_.name(), bank_.styles(), target, file, room_);
}

std::string replaceBankQuestion(Database& connection, UserDialogs& dialogs, const fs::path& file) {
    std::string held;
    try {
        const DiskContents contents = IdentifyDisk(connection, dialogs, file);
        const IdentifiedFile& found = contents.files.at(0);
        if (!found.problem.empty()) {
            held = " and holds no bank ORB can read";
        }
        for (const IdentifiedBank& bank : found.banks) {
            held += held.empty() ? " and holds " : " and ";
            if (bank.styles.empty()) {
                held += "an empty bank";
                continue;
            }
            std::string names;
            for (const IdentifiedStyle& style : bank.styles) {
                names += (names.empty() ? "" : ", ") + withoutPadding(style.name);
            }
            held += "a bank of " +
                    counted(static_cast<long long>(bank.styles.size()), "style", "styles") + " (" +
                    names + "), " +
                    (bank.storedBank == 0 ? std::string("not stored as a bank")
                                          : "stored as bank " + std::to_string(bank.storedBank) +
                                                " " + withoutPadding(bank.storedBankName));
        }
    } catch (const std::exception&) {
        held = " and holds no bank ORB can read";
    }
    return file.string() + " already exists" + held + ". Do you want to replace it?";
}

bool WriteBankFile(AppState& state, UserDialogs& dialogs, const std::string& bankName,
                   const std::vector<BankSlot>& slots, BankTarget target, const fs::path& file,
                   const DriveRoomReader& room) {
    const fs::path drivePath = driveOf(state, target, file);
    const auto drive = DriveFolder::open(drivePath);
    if (!drive || !drive->writable()) {
        dialogs.message(
            samePlace(drivePath, state.FloppyPath)
                ? "Floppy disk " + drivePath.string() + ": is not ready!"
                : "Pa hard disk " + drivePath.string() + ": is not ready or not available!",
            UserDialogs::Icon::Critical);
        return false;
    }
    const bool layout = target.kind == Kind::FloppyLayout || target.kind == Kind::HardDisk;
    bool wipe = false;
    if (target.kind == Kind::FloppyLayout) {
        const std::optional<bool> agreed = AgreeFloppyWipe(*drive, state.FloppyPath, dialogs);
        if (!agreed) {
            return false;
        }
        wipe = *agreed;
    }
    WaitCursor wait(dialogs);
    try {
        const std::vector<BankFileStyle> bank = LoadBankContents(state.connection, slots);
        const std::string bytes = bankFileBytes(bank, bankNumberOf(target), file, dialogs);
        std::optional<ReadBackFault> fault;
        if (target.kind == Kind::ChosenFile) {
            writeChosenFile(*drive, file, bytes, room);
            fault = chosenFileReadBackFault(state, file, bytes);
        } else {
            DriveFile driveFile = driveFileOn(target, file);
            driveFile.bytes = bytes;
            DriveWriting how;
            how.wipe = wipe;
            how.keep = filesInUse(state);
            how.room = room;
            writeToDrive(*drive, {driveFile}, how);
            fault = firstReadBackFault(*drive, {driveFile}, state.readBack);
        }
        if (fault) {
            throw OrbError(readBackFailure(file, "bank " + trimmed(bankName), fault->problem));
        }
    } catch (const NotEnoughRoomError& tooBig) {
        dialogs.message(!layout
                            ? "An error has occured during create process of style " +
                                  file.string() + ". Not enough space available inside floppy disk!"
                            : std::string(tooBig.what()),
                        UserDialogs::Icon::Critical);
        return false;
    } catch (const OrbError& failure) {
        dialogs.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    dialogs.message(file.string() + (layout ? " successfully created!" : " successfully created") +
                        "\n" + readBackVerified(1),
                    UserDialogs::Icon::Information);
    return true;
}

}  // namespace orb
