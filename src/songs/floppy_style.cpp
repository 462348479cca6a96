#include "songs/floppy_style.h"

#include <algorithm>

#include "core/drive_folder.h"
#include "core/korf_styles.h"
#include "core/settings_store.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/db_korf_style.h"
#include "state/app_state.h"
#include "stylefiles/korf_library.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNameLength = 11;
constexpr int kFloppyBankNumber = 17;

}  // namespace

std::vector<fs::path> filesInUse(const AppState& state) {
    std::vector<fs::path> files{state.DatabasePath};
    if (const auto* settings = dynamic_cast<const QtSettingsStore*>(&state.settings)) {
        files.push_back(settings->fileName());
    }
    return files;
}

std::string elevenCharacterName(const std::string& name) {
    std::string eleven = utf8Left(name, kNameLength);
    eleven.append(kNameLength - utf8Length(eleven), ' ');
    return eleven;
}

bool SaveStyleToFloppy(AppState& state, UserDialogs& dialogs, std::int32_t styleProg,
                       const std::string& title) {
    DbKORFStyle style(state.connection);
    style.StyleProg = styleProg;
    if (styleProg == 0 || !style.GetKORFStyles()) {
        return false;
    }
    const fs::path floppy = state.FloppyPath;
    const fs::path orbSet = floppy / "ORB.SET";
    const fs::path target = orbSet / "STYLE" / "USER01.STY";
    if (!driveReady(floppy)) {
        dialogs.message("Floppy disk " + state.FloppyPath + ": is not ready!",
                        UserDialogs::Icon::Critical);
        return false;
    }
    std::error_code error;
    try {
        if (!fs::is_directory(orbSet, error)) {
            if (!dialogs.question("Floppy is about to be completely deleted. Are you sure?")) {
                return false;
            }
            wipeDriveFolder(floppy, filesInUse(state));
            createDriveFolder(orbSet);
        }
        createDriveFolder(orbSet / "STYLE");
        std::string proposal = trimmed(title);
        std::erase(proposal, ' ');
        const auto answer = dialogs.inputBox("Insert style name", "ORB", utf8Left(proposal, 11));
        if (!answer || trimmed(*answer).empty()) {
            return false;
        }
        if (!fitsWindows1252(*answer)) {
            dialogs.message(
                "The style name may hold only characters of the Windows-1252 character set.",
                UserDialogs::Icon::Critical);
            return false;
        }
        KORFStyles bank;
        bank.Add(style.StyleProg, elevenCharacterName(*answer), style.StyleName2,
                 style.StyleLength1, style.StyleLength2, style.StyleContent1, style.StyleContent2);
        KORFLibrary library;
        library.letEventsRunThrough(dialogs);
        library.WriteStyleFromCollection(target, bank, kFloppyBankNumber);
    } catch (const OrbError& failure) {
        dialogs.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    dialogs.message(target.string() + "successfully created!", UserDialogs::Icon::Information);
    return true;
}

}  // namespace orb
