#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/korf_styles.h"
#include "stylefiles/sty_format.h"
#include "stylefiles/sty_reader.h"

namespace orb {

class UserDialogs;

// Reads and writes the bank files (.STY) of the Pa60/Pa80. One object serves the whole program.
// Every failure throws StyleFileError with a message naming the file, and leaves RetVal at -1.
class KORFLibrary {
public:
    // Result of the last call: -1 while a call runs and after a failure, 0 after a bank file
    // was read or written, 1 to 5 for a file that is no Pa bank (see StyleFileKind).
    std::int32_t RetVal = 0;

    // Lets pending window events run after every content chunk read or written.
    void setEventPump(sty::EventPump letEventsRun) { letEventsRun_ = std::move(letEventsRun); }
    void letEventsRunThrough(UserDialogs& dialogs);

    // Empties objStyles and fills it with the styles of the bank file, in slot order, each with
    // StyleProg = its slot (1 to 16). For a file that is no Pa bank, RetVal says what it is and
    // objStyles stays empty. A file holding two banks gives the styles of both, bank after bank
    // in file order, each with the slot in its own bank, so that no style is lost; callers that
    // keep banks apart use FillBanksFromStyle.
    void FillCollectionFromStyle(const std::filesystem::path& sFileName, KORFStyles& objStyles);

    // Every bank of the file in file order, each with its bank number and its styles in slot
    // order. One empty bank numbered 0 for a bank file without styles; no bank for a file that
    // is no Pa bank (RetVal 1 to 5).
    void FillBanksFromStyle(const std::filesystem::path& sFileName,
                            std::vector<StyleFileBank>& banks);

    // Writes objStyles as one bank (position i in slot i - 1, UserBank in every entry). The
    // file is written under a temporary name in the same folder and replaces sFileName only
    // when complete, so a failure never leaves a damaged bank where a good one stood.
    void WriteStyleFromCollection(const std::filesystem::path& sFileName,
                                  const KORFStyles& objStyles, int UserBank = 0);

private:
    StyleFileContents read(const std::filesystem::path& fileName);

    sty::EventPump letEventsRun_;
};

}  // namespace orb
