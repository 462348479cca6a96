#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/bank_file_style.h"
#include "core/drive_writing.h"

namespace orb {

class AppState;
class UserDialogs;

// Where the keyboard looks for bank files. A floppy holds three banks in ORB.SET/STYLE, the
// keyboard's hard disk nine, three in each of !123.SET, !456.SET and !789.SET. File USER0n.STY
// always carries the bank number 16 + n.
inline constexpr int kFloppyBankCount = 3;
inline constexpr int kHardDiskBankCount = 9;

// The question before a floppy folder is emptied; it names the folder, which may be a stick.
std::string floppyWipeQuestion(const std::string& floppyPath);

// The bank file of floppy entry 0 to 2.
std::filesystem::path FloppyBankFile(const std::string& floppyPath, int entry);
// The bank number that entry 0 to 8 of either layout carries: 17, 18, 19, 17 ...
int KeyboardBankNumber(int entry);

// The same files as written onto the drive, with their complete contents.
DriveFile floppyLayoutFile(int entry, std::string bytes);
DriveFile hardDiskLayoutFile(int entry, std::string bytes);

// The bytes of `styles` as a bank file with `bankNumber`; `fileName` names it in messages.
// Pending window events run while it is made.
std::string bankFileBytes(std::span<const BankFileStyle> styles, int bankNumber,
                          const std::filesystem::path& fileName, UserDialogs& dialogs);

// The files a wipe of a keyboard folder must never touch: the open database, the settings and
// the program itself.
std::vector<std::filesystem::path> filesInUse(const AppState& state);

// True when the drive already holds the keyboard's folder ORB.SET (a link of that name is not
// the folder).
bool HasFloppyLayout(const DriveFolder& floppy);

// Writing the keyboard's layout onto a floppy that does not hold ORB.SET yet (with `always`:
// whatever it holds) empties it first, once the person agrees to the wipe question. Nothing when
// the person declines; else whether the floppy is to be emptied.
std::optional<bool> AgreeFloppyWipe(const DriveFolder& floppy, const std::string& floppyPath,
                                    UserDialogs& dialogs, bool always = false);

}  // namespace orb
