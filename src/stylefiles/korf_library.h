#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/korf_styles.h"
#include "stylefiles/sty_format.h"
#include "stylefiles/sty_reader.h"
#include "stylefiles/style_file_kind.h"

namespace orb {

class UserDialogs;

// Reads and writes the bank files (.STY) of the Pa60/Pa80. One object serves the whole program.
// Every failure throws StyleFileError with a message naming the file, and leaves lastKind empty.
class KORFLibrary {
public:
    // What the last call found: nothing while a call runs and after a failure, PaBank after a
    // bank file was read or written, the kind of a file that is no Pa bank otherwise.
    std::optional<StyleFileKind> lastKind = StyleFileKind::PaBank;

    // Lets pending window events run after every content chunk read or written.
    void setEventPump(sty::EventPump letEventsRun) { letEventsRun_ = std::move(letEventsRun); }
    void letEventsRunThrough(UserDialogs& dialogs);

    // Empties objStyles and fills it with the styles of the bank file, in slot order, each with
    // StyleProg = its slot (1 to 16). For a file that is no Pa bank, lastKind says what it is and
    // objStyles stays empty. A file holding two banks gives the styles of both, bank after bank
    // in file order, each with the slot in its own bank, so that no style is lost; callers that
    // keep banks apart use FillBanksFromStyle.
    void FillCollectionFromStyle(const std::filesystem::path& sFileName, KORFStyles& objStyles);

    // Every bank of the file in file order, each with its bank number and its styles in slot
    // order. One empty bank numbered 0 for a bank file without styles; no bank for a file that
    // is no Pa bank (lastKind other than PaBank).
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
