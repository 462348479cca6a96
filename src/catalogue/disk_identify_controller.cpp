#include "catalogue/disk_identify_controller.h"

#include "core/errors.h"
#include "core/file_choice.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

DiskIdentifyController::DiskIdentifyController(AppState& state, UserDialogs& dialogs,
                                               ImportWindows* logWindows)
    : state_(state), dialogs_(dialogs), logWindows_(logWindows), job_(dialogs) {
    job_.onChange([this] { changed(); });
}

bool DiskIdentifyController::chooseAndLook() {
    const std::string folder = dialogs_.folderDialog(folderToStartIn(state_.FloppyPath));
    return !folder.empty() && look(folder);
}

bool DiskIdentifyController::look(const std::filesystem::path& path) {
    try {
        WaitCursor wait(dialogs_);
        contents_ = IdentifyDisk(state_.connection, dialogs_, path);
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    changed();
    if (const std::string none = noBankFileText(contents_); !none.empty()) {
        dialogs_.message(none, UserDialogs::Icon::Exclamation);
        return false;
    }
    return true;
}

bool DiskIdentifyController::importEnabled() const {
    return contents_.newStyles() > 0 && !job_.running();
}

bool DiskIdentifyController::importNew() {
    if (!importEnabled()) {
        return false;
    }
    const StyleImportResult result =
        ImportNewStyles(state_, dialogs_, job_, logWindows_, contents_);
    if (!result.committed) {
        changed();
        return false;
    }
    imported_ = true;
    look(contents_.path);
    return true;
}

}  // namespace orb
