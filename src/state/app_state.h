#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/korf_styles.h"
#include "db/database.h"
#include "db/db_korf_bank.h"
#include "db/db_korf_songs.h"
#include "db/db_korf_style.h"

namespace orb {

class Clock;
class SettingsStore;

// The shared state of one run: settings read at start-up, the one connection, the long-lived
// objects and the values that windows hand to one another. Controllers get it explicitly.
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

    // Values attached to imported or group-edited styles; GroupFamily also carries the edit
    // dialogs' outcome codes.
    std::string GroupFamily;
    std::string GroupCat;
    std::string GroupAuthor;
    std::string GroupDesc;
    std::array<bool, 17> SlotSelected{};
    std::int16_t ImportMode = 0;
    std::int32_t BankState = 0;

    // Set by CloseAndExit; the windows end the event loop when they see it.
    bool exitRequested = false;
};

}  // namespace orb
