#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/read_back.h"
#include "db/database.h"
#include "db/restore_points.h"
#include "db/style_query.h"

namespace orb {

class Clock;
class SettingsStore;

// What lives for the whole run: settings read at start-up, the one connection and the style list's
// query. Controllers get it explicitly; what one window hands to another
// is that window's typed input and result, not kept here.
class AppState {
public:
    AppState(SettingsStore& settings, const Clock& clock) : settings(settings), clock(clock) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    SettingsStore& settings;
    const Clock& clock;

    // Paths from the settings store.
    std::string DatabasePath;
    std::string KorgUtilityPath;
    std::string FloppyPath;
    std::string PaHardDiskPath;
    std::string BackupPath;

    // Where restore points are kept, and how many of each catalogue.
    std::filesystem::path RestorePointFolder;
    int RestorePointLimit = RestorePoints::kDefaultLimit;
    RestorePoints restorePoints() const {
        return RestorePoints(RestorePointFolder, RestorePointLimit, clock);
    }

    // The style list's filter and order, kept for the run.
    StyleQuery styleQuery;

    // How a bank file written for the keyboard is read back from the medium to be compared;
    // a test puts a failing medium here.
    DiskReader readBack = readBackFromDisk;

    // The one connection to the catalogue; the stores are made on it where they are needed.
    Database connection;

    // Set by CloseAndExit; the windows end the event loop when they see it.
    bool exitRequested = false;
};

}  // namespace orb
