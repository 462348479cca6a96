#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stylefiles/style_import.h"

namespace orb {

class AppState;
class Database;
class JobProgress;
class UserDialogs;

// What is on an old floppy, a stick or the keyboard's disk, told against the catalogue: every
// bank file, the stored bank it equals and, style by style, whether the catalogue has it. The
// styles window ("What is on this disk?") and `orb identify` both look through IdentifyDisk;
// nothing is stored until the person asks for the new styles (ImportNewStyles).

struct IdentifiedStyle {
    enum class Kind {
        Stored,    // the catalogue holds the same content: styleProg
        New,       // neither the content nor the name is stored
        SameName,  // another content is stored under this name: styleProg
    };
    int slot = 0;  // 1 to 16
    std::string name;
    Kind kind = Kind::New;
    std::int32_t styleProg = 0;

    bool operator==(const IdentifiedStyle&) const = default;
};

struct IdentifiedBank {
    int bankNumber = 0;           // as the file's table gives it
    std::int32_t storedBank = 0;  // the stored bank holding these styles, slot by slot; 0: none
    std::string storedBankName;
    std::vector<IdentifiedStyle> styles;

    bool operator==(const IdentifiedBank&) const = default;
};

struct IdentifiedFile {
    std::filesystem::path path;
    // Why the file tells nothing (no Pa bank, damaged); empty for a bank file read.
    std::string problem;
    std::vector<IdentifiedBank> banks;

    bool operator==(const IdentifiedFile&) const = default;
};

struct DiskContents {
    std::filesystem::path path;
    std::vector<IdentifiedFile> files;

    // How many styles are new (counting each place they stand in).
    std::size_t newStyles() const;
    // True when a file was read as a bank.
    bool anyBank() const;
};

inline constexpr const char* kNewStyle = "new";
inline constexpr const char* kSameNameStyle = "same name, different content";

// Reads the bank file `path`, or every .STY file (any letter case) in the folder `path` and its
// sub-folders (the floppy's ORB.SET/STYLE and the hard disk's set folders included; linked
// folders are not followed), each folder's files in name order before its sub-folders. A path
// that is neither throws OrbError; pending window events run after each file.
DiskContents IdentifyDisk(Database& connection, UserDialogs& dialogs,
                          const std::filesystem::path& path);

// "stored bank 12 ROCKSET", or "no stored bank".
std::string storedBankText(const IdentifiedBank& bank);
// What the catalogue has of the style: "style 41", "new" or "same name, different content
// (style 57)".
std::string styleVerdict(const IdentifiedStyle& style);

// What `orb identify` prints and the window lists: per bank, "PATH<TAB>BANK NUMBER<TAB>stored
// bank N NAME" (or "no stored bank"), then per style "<TAB>SLOT<TAB>NAME<TAB>" and the style's
// number, "new" or "same name, different content<TAB>NUMBER"; a file that tells nothing:
// "PATH<TAB>" and why.
std::vector<std::string> identifyLines(const DiskContents& contents);

// "Nothing was found ...", when the path holds no bank file; empty otherwise.
std::string noBankFileText(const DiskContents& contents);

// Imports exactly the styles found new, from their files, through the style import (duplicates
// by content skipped, no bank stored), in one run. A file that no longer holds what was found
// stops the run, nothing of it stored. `logWindows` shows the import's log; may be none.
StyleImportResult ImportNewStyles(AppState& state, UserDialogs& dialogs, JobProgress& job,
                                  ImportWindows* logWindows, const DiskContents& contents);

}  // namespace orb
