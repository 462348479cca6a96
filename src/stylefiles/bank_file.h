#pragma once

#include <filesystem>
#include <span>

#include "core/bank_file_style.h"
#include "stylefiles/sty_format.h"
#include "stylefiles/sty_reader.h"

namespace orb {

class UserDialogs;

// Bank files (.STY) of the Pa60/Pa80 on disk. Every failure throws StyleFileError with a message
// naming the file.

// Every bank of the file in file order, each with its bank number and its styles in slot order,
// and the file's kind: one empty bank numbered 0 for a bank file without styles, no bank for a
// file that is no Pa bank (its kind says what it is).
StyleFileContents readBankFile(const std::filesystem::path& path,
                               const sty::EventPump& letEventsRun = {});

// Writes `styles` as one bank (index i in slot i, `bankNumber` in every entry) under a temporary
// name in the same folder, replacing `path` only when complete, so a failure never leaves a
// damaged bank where a good one stood.
void writeBankFile(const std::filesystem::path& path, std::span<const BankFileStyle> styles,
                   int bankNumber, const sty::EventPump& letEventsRun = {});

// Lets pending window events run after every content chunk read or written.
sty::EventPump eventsThrough(UserDialogs& dialogs);

}  // namespace orb
