#include "stylefiles/keyboard_layout.h"

#include <QTemporaryDir>
#include <fstream>
#include <limits>

#include "core/drive_folder.h"
#include "core/file_access.h"
#include "core/settings_store.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"
#include "stylefiles/korf_library.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstBankNumber = 17;
constexpr const char* kSetFolders[] = {"!123.SET", "!456.SET", "!789.SET"};

fs::path userFile(int entry) {
    return "USER0" + std::to_string(entry % 3 + 1) + ".STY";
}

std::uintmax_t sizeOrZero(const fs::path& file) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    return error ? 0 : size;
}

}  // namespace

fs::path FloppyBankFile(const std::string& floppyPath, int entry) {
    return fs::path(floppyPath) / "ORB.SET" / "STYLE" / userFile(entry);
}

fs::path HardDiskBankFile(const std::string& hardDiskPath, int entry) {
    return fs::path(hardDiskPath) / kSetFolders[entry / 3] / "STYLE" / userFile(entry);
}

int KeyboardBankNumber(int entry) {
    return kFirstBankNumber + entry % 3;
}

std::vector<fs::path> filesInUse(const AppState& state) {
    std::vector<fs::path> files{state.DatabasePath};
    if (const auto* settings = dynamic_cast<const QtSettingsStore*>(&state.settings)) {
        files.push_back(settings->fileName());
    }
    return files;
}

bool HasFloppyLayout(const AppState& state) {
    std::error_code error;
    return fs::is_directory(fs::path(state.FloppyPath) / "ORB.SET", error);
}

void MakeFloppyLayout(const AppState& state, bool wipe) {
    if (wipe) {
        wipeDriveFolder(state.FloppyPath, filesInUse(state));
    }
    createDriveFolder(fs::path(state.FloppyPath) / "ORB.SET" / "STYLE");
}

void MakeHardDiskSetFolder(const std::string& hardDiskPath, int entry) {
    createDriveFolder(HardDiskBankFile(hardDiskPath, entry).parent_path());
}

BankFileRoom BankFileRoom::ofSystem() {
    return {fs::temp_directory_path(), [](const fs::path& folder) {
                std::error_code error;
                const fs::space_info space = fs::space(folder, error);
                // Unknown room does not stop the write; a full disk still fails it safely.
                return error ? std::numeric_limits<std::uintmax_t>::max() : space.available;
            }};
}

bool WriteKeyboardBank(UserDialogs& dialogs, const fs::path& target, const KORFStyles& styles,
                       int bankNumber, const BankFileRoom& room) {
    try {
        const QTemporaryDir workFolder(
            QString::fromStdString((room.temporaryFolder / "orb-bank-XXXXXX").string()));
        if (!workFolder.isValid()) {
            throw FileAccessError("No work file can be made in " + room.temporaryFolder.string() +
                                  ": " + workFolder.errorString().toStdString() + ".");
        }
        const fs::path workFile = fs::path(workFolder.path().toStdString()) / "WRK.STY";
        KORFLibrary library;
        library.letEventsRunThrough(dialogs);
        library.WriteStyleFromCollection(workFile, styles, bankNumber);
        // The older file goes only once the new one is complete, but its room is then free.
        const std::uintmax_t free = room.freeSpace(target.parent_path());
        const std::uintmax_t freed = sizeOrZero(target);
        const std::uintmax_t available =
            free > std::numeric_limits<std::uintmax_t>::max() - freed ? free : free + freed;
        if (sizeOrZero(workFile) >= available) {
            dialogs.message("An error has occured during create process of style " +
                                target.string() +
                                ". Not enough space available inside floppy disk!",
                            UserDialogs::Icon::Critical);
            return false;
        }
        replaceFileSafely(target, "The bank file", [&](std::ostream& out) {
            std::ifstream in = openRegularFile(workFile, "The work file");
            out << in.rdbuf();
        });
    } catch (const OrbError& failure) {
        dialogs.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

}  // namespace orb
