#include "songs/floppy_style.h"

#include <algorithm>

#include "core/bank_file_style.h"
#include "core/read_back.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/style_store.h"
#include "db/text_gate.h"
#include "state/app_state.h"
#include "stylefiles/keyboard_layout.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNameLength = 11;

}  // namespace

std::string elevenCharacterName(const std::string& name) {
    std::string eleven = utf8Left(name, kNameLength);
    eleven.append(kNameLength - utf8Length(eleven), ' ');
    return eleven;
}

bool SaveStyleToFloppy(AppState& state, UserDialogs& dialogs, std::int32_t styleProg,
                       const std::string& title, const DriveRoomReader& room) {
    if (styleProg == 0) {
        return false;
    }
    std::optional<StyleRow> style;
    try {
        style = StyleStore(state.connection).find(styleProg);
    } catch (const StoreError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    }
    if (!style) {
        return false;
    }
    const fs::path target = FloppyBankFile(state.FloppyPath, 0);
    const auto floppy = DriveFolder::open(state.FloppyPath);
    if (!floppy || !floppy->writable()) {
        dialogs.message("Floppy disk " + state.FloppyPath + ": is not ready!",
                        UserDialogs::Icon::Critical);
        return false;
    }
    try {
        // The name comes first: a floppy is emptied only once everything to write is known.
        std::string proposal = trimmed(title);
        std::erase(proposal, ' ');
        const auto answer = dialogs.inputBox("Insert style name", "ORB", utf8Left(proposal, 11));
        if (!answer || trimmed(*answer).empty()) {
            return false;
        }
        // The name goes into the bank file as the catalogue would keep it.
        if (auto refusal = textRefusal(textColumn("KORFStyles", "StyleName1"),
                                       elevenCharacterName(*answer), TextPlace())) {
            dialogs.message(*refusal, UserDialogs::Icon::Critical);
            return false;
        }
        const std::optional<bool> wipe = AgreeFloppyWipe(*floppy, state.FloppyPath, dialogs);
        if (!wipe) {
            return false;
        }
        if (!*wipe && fs::exists(fs::symlink_status(target)) &&
            !dialogs.question(target.string() + " already exists. Do you want to replace it?")) {
            return false;
        }
        BankFileStyle bank[] = {bankFileStyleOf(*style, 1)};
        bank[0].StyleName1 = elevenCharacterName(*answer);
        DriveWriting how;
        how.wipe = *wipe;
        how.keep = filesInUse(state);
        how.room = room;
        const std::vector<DriveFile> files = {
            floppyLayoutFile(0, bankFileBytes(bank, KeyboardBankNumber(0), target, dialogs))};
        writeToDrive(*floppy, files, how);
        if (const auto fault = firstReadBackFault(*floppy, files, state.readBack)) {
            throw OrbError(readBackFailure(target, "style " + trimmed(*answer), fault->problem));
        }
    } catch (const OrbError& failure) {
        dialogs.message(failure.what(), UserDialogs::Icon::Critical);
        return false;
    }
    dialogs.message(target.string() + " successfully created!\n" + readBackVerified(1),
                    UserDialogs::Icon::Information);
    return true;
}

}  // namespace orb
