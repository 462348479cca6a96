#include "app/parameters_controller.h"

#include <filesystem>

#include "app/startup.h"
#include "core/file_choice.h"
#include "core/settings_store.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/database.h"
#include "db/orb_database.h"
#include "state/app_state.h"

namespace orb {
namespace {

// Only a file counts: a folder named in a box is "not found".
bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

ParametersController::ParametersController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs) {
    load();
}

void ParametersController::load() {
    fields_[DatabaseBox] = state_.DatabasePath;
    fields_[KorgUtilityBox] = state_.KorgUtilityPath;
    fields_[FloppyBox] = state_.FloppyPath;
    fields_[BackupBox] = state_.BackupPath;
    fields_[PaHardDiskBox] = state_.PaHardDiskPath;
    changed();
}

void ParametersController::setField(std::size_t index, const std::string& text) {
    if (fields_.at(index) != text) {
        fields_[index] = text;
        changed();
    }
}

std::size_t ParametersController::search(std::size_t index) {
    const Search& search = kSearches.at(index);
    const Field target = search.target;
    std::string chosen;
    switch (search.kind) {
        case SearchKind::OpenFile:
            chosen =
                dialogs_.openFileDialog(search.filter, folderToStartIn(trimmed(fields_[target])));
            break;
        case SearchKind::SaveFile:
            // As in the backup window: a typed name gets the filter's extension, and the folder
            // is remembered for the next dialog of its kind.
            chosen = FileChoice(dialogs_, state_.settings)
                         .saveFile(FileKind::Dump, search.filter, trimmed(fields_[target]));
            break;
        case SearchKind::Folder:
            chosen = dialogs_.folderDialog(folderToStartIn(trimmed(fields_[target])));
            break;
    }
    if (chosen.empty()) {
        return kFieldCount;
    }
    fields_[target] = chosen;
    changed();
    return target;
}

bool ParametersController::reject(const std::string& message) {
    dialogs_.message(message, UserDialogs::Icon::Critical, kMessageTitle);
    return false;
}

bool ParametersController::save() {
    // Paths are kept as typed apart from surrounding blanks: file names here tell letter case
    // apart, so upper-casing them would point at another file.
    std::array<std::string, kFieldCount> values;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        values[i] = trimmed(fields_[i]);
    }
    if (values[DatabaseBox].empty()) {
        return reject("Database path is mandatory!");
    }
    if (!fileExists(values[DatabaseBox])) {
        std::error_code error;
        const bool nothingThere =
            !std::filesystem::exists(std::filesystem::symlink_status(values[DatabaseBox], error));
        if (!nothingThere) {
            return reject("Database file not found!");  // a folder, say
        }
        if (!offerNewDatabase(dialogs_, values[DatabaseBox])) {
            return false;  // declined or failed (shown): the boxes stay as typed
        }
    }
    if (!values[KorgUtilityBox].empty() && !fileExists(values[KorgUtilityBox])) {
        return reject("KORG utility not found!");
    }

    // The new database is opened before anything is stored, so that a file that cannot be
    // opened leaves the settings and the running program as they were.
    if (values[DatabaseBox] != state_.DatabasePath && !reopenDatabase(values[DatabaseBox])) {
        return false;
    }

    state_.DatabasePath = values[DatabaseBox];
    state_.KorgUtilityPath = values[KorgUtilityBox];
    state_.FloppyPath = values[FloppyBox];
    state_.BackupPath = values[BackupBox];
    state_.PaHardDiskPath = values[PaHardDiskBox];

    state_.settings.set("PATH", "DATABASE", state_.DatabasePath);
    state_.settings.set("PARAMETERS", "KORGPROG", state_.KorgUtilityPath);
    state_.settings.set("PARAMETERS", "FLOPPYDRIVE", state_.FloppyPath);
    state_.settings.set("PARAMETERS", "PAHDDRIVE", state_.PaHardDiskPath);
    state_.settings.set("PARAMETERS", "ORBBACKUP", state_.BackupPath);
    return true;
}

bool ParametersController::reopenDatabase(const std::string& newPath) {
    // Tried on a connection of its own first, so that a file that is no database never costs
    // the running program its connection, its filter or its current bank.
    try {
        Database probe;
        openOrbDatabase(probe, newPath, MissingDatabase::Refuse);
    } catch (const StoreError& e) {
        return reject(e.what());
    }
    const std::string oldPath = state_.DatabasePath;
    state_.connection.close();
    state_.DatabasePath = newPath;
    try {
        OpenDatabase(state_);
        return true;
    } catch (const StoreError& e) {
        std::string message = std::string(e.what()) + " ORB goes on with " + oldPath + ".";
        state_.DatabasePath = oldPath;
        try {
            OpenDatabase(state_);
        } catch (const StoreError& again) {
            message = std::string(e.what()) + " " + again.what();
        }
        return reject(message);
    }
}

}  // namespace orb
