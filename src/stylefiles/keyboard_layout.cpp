#include "stylefiles/keyboard_layout.h"

#include <sstream>

#include "core/settings_store.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"
#include "stylefiles/sty_writer.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstBankNumber = 17;
constexpr const char* kFloppySetFolder = "ORB.SET";
constexpr const char* kStyleFolder = "STYLE";
constexpr const char* kSetFolders[] = {"!123.SET", "!456.SET", "!789.SET"};

std::string userFile(int entry) {
    return "USER0" + std::to_string(entry % 3 + 1) + ".STY";
}

}  // namespace

std::string floppyWipeQuestion(const std::string& floppyPath) {
    return "Floppy " + floppyPath + " is about to be completely deleted. Are you sure?";
}

fs::path FloppyBankFile(const std::string& floppyPath, int entry) {
    return floppyLayoutFile(entry, {}).pathOn(floppyPath);
}

int KeyboardBankNumber(int entry) {
    return kFirstBankNumber + entry % 3;
}

DriveFile floppyLayoutFile(int entry, std::string bytes) {
    return {{kFloppySetFolder, kStyleFolder}, userFile(entry), std::move(bytes)};
}

DriveFile hardDiskLayoutFile(int entry, std::string bytes) {
    return {{kSetFolders[entry / 3], kStyleFolder}, userFile(entry), std::move(bytes)};
}

std::string bankFileBytes(std::span<const BankFileStyle> styles, int bankNumber,
                          const fs::path& fileName, UserDialogs& dialogs) {
    std::ostringstream out;
    writeStyleFile(out, styles, bankNumber, fileName.string(),
                   [&dialogs] { dialogs.processEvents(); });
    return std::move(out).str();
}

std::vector<fs::path> filesInUse(const AppState& state) {
    std::vector<fs::path> files{state.DatabasePath};
    if (const auto* settings = dynamic_cast<const QtSettingsStore*>(&state.settings)) {
        files.push_back(settings->fileName());
    }
    if (fs::path program = programFile(); !program.empty()) {
        files.push_back(std::move(program));
    }
    return files;
}

bool HasFloppyLayout(const DriveFolder& floppy) {
    return floppy.entry(kFloppySetFolder).kind == DriveEntry::Kind::Folder;
}

std::optional<bool> AgreeFloppyWipe(const DriveFolder& floppy, const std::string& floppyPath,
                                    UserDialogs& dialogs, bool always) {
    if (!always && HasFloppyLayout(floppy)) {
        return false;
    }
    if (!dialogs.question(floppyWipeQuestion(floppyPath))) {
        return std::nullopt;
    }
    return true;
}

}  // namespace orb
