#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/korf_styles.h"

namespace orb {

class AppState;
class UserDialogs;

// Where the keyboard looks for bank files. A floppy holds three banks in ORB.SET/STYLE, the
// keyboard's hard disk nine, three in each of !123.SET, !456.SET and !789.SET. File USER0n.STY
// always carries the bank number 16 + n.
inline constexpr int kFloppyBankCount = 3;
inline constexpr int kHardDiskBankCount = 9;
inline constexpr const char* kFloppyWipeQuestion =
    "Floppy is about to be completely deleted. Are you sure?";

// The bank file of floppy entry 0 to 2, or of hard-disk entry 0 to 8.
std::filesystem::path FloppyBankFile(const std::string& floppyPath, int entry);
std::filesystem::path HardDiskBankFile(const std::string& hardDiskPath, int entry);
// The bank number that entry 0 to 8 of either layout carries: 17, 18, 19, 17 ...
int KeyboardBankNumber(int entry);

// The files a wipe of a keyboard folder must never touch: the open database and the settings.
std::vector<std::filesystem::path> filesInUse(const AppState& state);

// True when FloppyPath already holds the keyboard's folder ORB.SET.
bool HasFloppyLayout(const AppState& state);
// Wipes FloppyPath first when `wipe` (refused, nothing deleted, for the folders that
// wipeRefusal names), then makes ORB.SET/STYLE where missing. Throws FileAccessError naming
// the path.
void MakeFloppyLayout(const AppState& state, bool wipe);

// The room a bank file needs: it is made whole as a work file in `temporaryFolder` first, so
// that its size is known before the target is touched. `freeSpace` gives the bytes free in a
// folder.
struct BankFileRoom {
    std::filesystem::path temporaryFolder;
    std::function<std::uintmax_t(const std::filesystem::path&)> freeSpace;

    // The system's temporary folder and the file system's free space.
    static BankFileRoom ofSystem();
};

// Makes the set folder of hard-disk entry 0 to 8 where missing, so that a fresh stick gets a
// layout the keyboard reads. Throws FileAccessError naming the folder.
void MakeHardDiskSetFolder(const std::string& hardDiskPath, int entry);

// Writes `styles` as the bank file `target` with `bankNumber`. The file replaces an older one only
// when it is complete; the room an older one frees is counted. Every failure is shown, naming the
// path, and gives false.
bool WriteKeyboardBank(UserDialogs& dialogs, const std::filesystem::path& target,
                       const KORFStyles& styles, int bankNumber, const BankFileRoom& room);

}  // namespace orb
