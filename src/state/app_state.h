#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "core/korf_styles.h"
#include "db/database.h"
#include "db/db_korf_bank.h"
#include "db/db_korf_songs.h"
#include "db/db_korf_style.h"
#include "db/restore_points.h"

namespace orb {

class Clock;
class SettingsStore;

// What lives for the whole run: settings read at start-up, the one connection and the
// long-lived objects. Controllers get it explicitly; what one window hands to another is that
// window's typed input and result, not kept here.
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

    // The style list's filter and order, and the filter window's remembered fields.
    std::string StyleListWhere;
    std::string StyleListOrder;
    std::array<std::string, 19> StyleFilterValues;

    // The styles of the current bank in slot order; it outlives the windows that edit it.
    KORFStyles BankStyles;

    // The one connection to the catalogue.
    Database connection;

    // The long-lived access objects, made afresh and bound to the connection by OpenDatabase.
    // The bank access object also holds the current bank, whose slots LoadBankStyles reads.
    std::unique_ptr<DbKORFStyle> StyleAccess;
    std::unique_ptr<DbKORFBank> BankAccess;
    std::unique_ptr<DbKORFSongs> SongAccess;

    // Set by CloseAndExit; the windows end the event loop when they see it.
    bool exitRequested = false;
};

}  // namespace orb
