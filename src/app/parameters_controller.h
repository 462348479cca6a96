#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The parameters window: the five paths of the settings, their browse buttons and their saving.
class ParametersController : public Observable {
public:
    static constexpr std::size_t kFieldCount = 5;
    static constexpr std::size_t kSearchCount = 5;

    // The path boxes, top to bottom.
    enum Field : std::size_t {
        DatabaseBox = 0,
        KorgUtilityBox,
        FloppyBox,
        BackupBox,
        PaHardDiskBox
    };

    static constexpr const char* kCaption = "ORB parameters";
    static constexpr const char* kMessageTitle = "Save Parameters Value";
    static constexpr std::array<const char*, kFieldCount> kLabels = {
        "Database path", "KORG utility path", "Floppy disk path", "Backup / Restore path",
        "Pa hard disk path"};
    // How each Search button chooses: a file that is read, a file that will be written, or a
    // folder (the floppy and the keyboard's disk).
    enum class SearchKind { OpenFile, SaveFile, Folder };
    struct Search {
        Field target;
        SearchKind kind;
        const char* filter;
    };
    // The Search buttons in their numbered order: the three that choose a file, then the two
    // that choose a folder.
    static constexpr std::array<Search, kSearchCount> kSearches = {{
        {DatabaseBox, SearchKind::OpenFile, "ORB Database (*.MDB)|*.MDB"},
        {KorgUtilityBox, SearchKind::OpenFile, "Programs|*"},
        {BackupBox, SearchKind::SaveFile, "ORB Database Dump (*.ODD)|*.ODD"},
        {FloppyBox, SearchKind::Folder, ""},
        {PaHardDiskBox, SearchKind::Folder, ""},
    }};

    ParametersController(AppState& state, UserDialogs& dialogs);

    // Fills the boxes with the values in use; each opening of the window starts here.
    void load();

    const std::string& field(std::size_t index) const { return fields_.at(index); }
    void setField(std::size_t index, const std::string& text);

    // "Search" of box `index`: the file or folder dialog of its box; a choice replaces the box, a
    // cancel leaves it. Returns the box that changed, or kFieldCount when none did.
    std::size_t search(std::size_t index);

    // Save: validates, applies and stores the values and reopens the database when its path
    // changed; a database path that names no file offers to create an empty database there.
    // True when the window may close; false leaves it open with the boxes as typed.
    bool save();

private:
    bool reject(const std::string& message);
    bool reopenDatabase(const std::string& newPath);

    AppState& state_;
    UserDialogs& dialogs_;
    std::array<std::string, kFieldCount> fields_;
};

}  // namespace orb
