#include "catalogue/setups.h"

#include <algorithm>
#include <map>

#include "core/drive_folder.h"
#include "core/errors.h"
#include "core/text.h"
#include "core/windows1252.h"
#include "db/bank_store.h"
#include "db/store_error.h"
#include "db/text_gate.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {
namespace {

SetupChange refused(std::string message) {
    return {SetupChange::Result::Refused, std::move(message)};
}

SetupChange nameTaken(const std::string& name) {
    return {SetupChange::Result::NameTaken, "A set-up named " + name + " is already stored."};
}

std::string missingSetup(const std::string& name) {
    return "There is no set-up " + name + ".";
}

// "A", "A and B", "A, B and C".
std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    }
    return text;
}

// Why `name` cannot name a set-up; a name is refused rather than cut, as a cut name could name,
// and overwrite, another set-up.
std::optional<std::string> nameRefusal(const std::string& name) {
    if (name.empty()) {
        return std::string(kNoSetupName);
    }
    const std::size_t length = utf8Length(name);
    if (length > static_cast<std::size_t>(kSetupNameLength)) {
        return "The set-up name " + name + " has " + std::to_string(length) +
               " characters; a set-up name takes at most " + std::to_string(kSetupNameLength) +
               ". Nothing was stored.";
    }
    return textRefusal(textColumn("KORFSetups", "SetupName"), name, TextPlace("the set-up"));
}

// The first bank of `row` that is not stored, if any.
std::optional<std::int32_t> missingBank(Database& connection, const SetupRow& row) {
    BankStore banks(connection);
    std::vector<std::int32_t> places(row.SetupFD.begin(), row.SetupFD.end());
    places.insert(places.end(), row.SetupHD.begin(), row.SetupHD.end());
    for (const std::int32_t bank : places) {
        if (bank != 0 && !banks.find(bank)) {
            return bank;
        }
    }
    return std::nullopt;
}

// Runs one change of a set-up after its restore point; `change` returns a refusal or nothing.
template <typename Change>
SetupChange changeSetup(AppState& state, const std::string& action, const std::string& failure,
                        Change change) {
    try {
        const StepPoint point(state.restorePoints(), state.connection, action);
        WriteTransaction transaction(state.connection);
        if (std::optional<SetupChange> refusal = change()) {
            return *refusal;
        }
        transaction.commit();
    } catch (const RestorePointError& e) {
        return refused(e.what());
    } catch (const StoreError& e) {
        return refused(
            failureMessage(e, failure + " (", "); nothing was changed.", "Nothing was changed."));
    }
    return {SetupChange::Result::Done, ""};
}

KeyboardSetup setupOf(const SetupRow& row,
                      std::map<std::int32_t, std::optional<std::string>>& names, BankStore& banks) {
    const auto place = [&](std::int32_t bankProg) {
        SetupPlace shown{bankProg, "", false};
        if (bankProg == 0) {
            return shown;
        }
        auto found = names.find(bankProg);
        if (found == names.end()) {
            const std::optional<BankRow> bank = banks.find(bankProg);
            found =
                names.emplace(bankProg, bank ? std::optional(bank->BankName) : std::nullopt).first;
        }
        shown.gone = !found->second;
        shown.bankName = found->second.value_or("");
        return shown;
    };
    KeyboardSetup setup{row.SetupName, row.SetupDesc, {}, {}};
    for (std::size_t i = 0; i < row.SetupFD.size(); ++i) {
        setup.floppy[i] = place(row.SetupFD[i]);
    }
    for (std::size_t i = 0; i < row.SetupHD.size(); ++i) {
        setup.hardDisk[i] = place(row.SetupHD[i]);
    }
    return setup;
}

template <std::size_t N>
DriveBanks driveBanks(const std::array<SetupPlace, N>& places) {
    DriveBanks banks;
    for (const SetupPlace& place : places) {
        banks.push_back(place.empty() ? std::nullopt
                                      : std::optional<DriveBank>({place.bankProg, place.bankName}));
    }
    return banks;
}

bool readyFolder(const std::string& folder) {
    const auto drive = DriveFolder::open(folder);
    return drive && drive->writable();
}

// Why set-up `name` cannot be written to `folders`; nothing when it can. Fills `setup`.
std::string writeRefusal(Database& connection, const std::string& name, const SetupFolders& folders,
                         std::optional<KeyboardSetup>& setup) {
    setup = FindSetup(connection, name);
    if (!setup) {
        return missingSetup(trimmed(name));
    }
    std::vector<SetupPlace> places(setup->floppy.begin(), setup->floppy.end());
    places.insert(places.end(), setup->hardDisk.begin(), setup->hardDisk.end());
    std::vector<std::string> gone;
    for (const SetupPlace& place : places) {
        const std::string number = std::to_string(place.bankProg);
        if (place.gone && std::find(gone.begin(), gone.end(), number) == gone.end()) {
            gone.push_back(number);
        }
    }
    const std::string named = "The set-up " + setup->name;
    if (!gone.empty()) {
        return named + (gone.size() == 1 ? " uses bank " : " uses banks ") + joined(gone) +
               (gone.size() == 1 ? ", which is" : ", which are") +
               " no longer stored; nothing was written.";
    }
    if (!setup->usesFloppy() && !setup->usesHardDisk()) {
        return named + " holds no bank; nothing was written.";
    }
    if (setup->usesFloppy() && trimmed(folders.floppy).empty()) {
        return named +
               " has banks for the floppy, but no floppy folder is set; nothing was "
               "written.";
    }
    if (setup->usesHardDisk() && trimmed(folders.hardDisk).empty()) {
        return named +
               " has banks for the hard disk, but no Pa hard disk folder is set; nothing "
               "was written.";
    }
    // Both drives are looked at before either is touched.
    if (setup->usesFloppy() && !readyFolder(folders.floppy)) {
        return "Floppy disk " + folders.floppy + ": is not ready!";
    }
    if (setup->usesHardDisk() && !readyFolder(folders.hardDisk)) {
        return "Pa Hard Drive " + folders.hardDisk + ": is not ready!";
    }
    return {};
}

}  // namespace

std::string placeText(const SetupPlace& place) {
    if (place.gone) {
        return "gone bank " + std::to_string(place.bankProg);
    }
    return place.bankName;
}

bool KeyboardSetup::usesFloppy() const {
    return std::any_of(floppy.begin(), floppy.end(),
                       [](const SetupPlace& place) { return !place.empty(); });
}

bool KeyboardSetup::usesHardDisk() const {
    return std::any_of(hardDisk.begin(), hardDisk.end(),
                       [](const SetupPlace& place) { return !place.empty(); });
}

std::vector<KeyboardSetup> ListSetups(Database& connection) {
    BankStore banks(connection);
    std::map<std::int32_t, std::optional<std::string>> names;
    std::vector<KeyboardSetup> setups;
    for (const SetupRow& row : SetupStore(connection).all()) {
        setups.push_back(setupOf(row, names, banks));
    }
    return setups;
}

std::optional<KeyboardSetup> FindSetup(Database& connection, const std::string& name) {
    const std::optional<SetupRow> row = SetupStore(connection).find(trimmed(name));
    if (!row) {
        return std::nullopt;
    }
    BankStore banks(connection);
    std::map<std::int32_t, std::optional<std::string>> names;
    return setupOf(*row, names, banks);
}

SetupChange SaveSetup(AppState& state, const SetupToSave& setup, SameNamedSetup sameName) {
    const std::string name = trimmed(setup.name);
    if (const auto refusal = nameRefusal(name)) {
        return refused(*refusal);
    }
    const SetupRow row{name, trimmed(setup.description), setup.floppy, setup.hardDisk};
    if (const auto refusal = textRefusal(textColumn("KORFSetups", "SetupDesc"), row.SetupDesc,
                                         TextPlace("set-up " + name))) {
        return refused(*refusal);
    }
    Database& connection = state.connection;
    std::optional<SetupRow> existing;
    try {
        existing = SetupStore(connection).find(name);
        if (existing && sameName == SameNamedSetup::Keep) {
            return nameTaken(name);
        }
        if (const auto bank = missingBank(connection, row)) {
            return refused("There is no bank " + std::to_string(*bank) +
                           "; the set-up was not stored.");
        }
    } catch (const StoreError& e) {
        return refused(failureMessage(e, "Set-up " + name + " could not be stored (",
                                      "); nothing was stored."));
    }
    return changeSetup(state, "saving set-up " + name, "Set-up " + name + " could not be stored",
                       [&]() -> std::optional<SetupChange> {
                           // A bank deleted meanwhile by another program is not stored.
                           if (const auto bank = missingBank(connection, row)) {
                               return refused("There is no bank " + std::to_string(*bank) +
                                              "; the set-up was not stored.");
                           }
                           SetupStore setups(connection);
                           if (!existing || !setups.replace(existing->SetupName, row)) {
                               setups.insert(row);
                           }
                           return std::nullopt;
                       });
}

SetupChange RenameSetup(AppState& state, const std::string& name, const std::string& newName) {
    const std::string wanted = trimmed(newName);
    if (const auto refusal = nameRefusal(wanted)) {
        return refused(*refusal);
    }
    std::optional<SetupRow> row;
    try {
        SetupStore setups(state.connection);
        row = setups.find(trimmed(name));
        if (!row) {
            return refused(missingSetup(trimmed(name)));
        }
        // Only another set-up's name is taken; a set-up may change the letter case of its own.
        if (const auto other = setups.find(wanted); other && other->SetupName != row->SetupName) {
            return nameTaken(wanted);
        }
    } catch (const StoreError& e) {
        return refused(failureMessage(e, "Set-up " + trimmed(name) + " could not be renamed (",
                                      "); nothing was changed."));
    }
    const std::string old = row->SetupName;
    row->SetupName = wanted;
    return changeSetup(state, "renaming set-up " + old, "Set-up " + old + " could not be renamed",
                       [&]() -> std::optional<SetupChange> {
                           if (!SetupStore(state.connection).replace(old, *row)) {
                               return refused(missingSetup(old));
                           }
                           return std::nullopt;
                       });
}

SetupChange DescribeSetup(AppState& state, const std::string& name,
                          const std::string& description) {
    std::optional<SetupRow> row;
    try {
        row = SetupStore(state.connection).find(trimmed(name));
    } catch (const StoreError& e) {
        return refused(failureMessage(e, "Set-up " + trimmed(name) + " could not be described (",
                                      "); nothing was changed."));
    }
    if (!row) {
        return refused(missingSetup(trimmed(name)));
    }
    row->SetupDesc = trimmed(description);
    if (const auto refusal = textRefusal(textColumn("KORFSetups", "SetupDesc"), row->SetupDesc,
                                         TextPlace("set-up " + row->SetupName))) {
        return refused(*refusal);
    }
    return changeSetup(state, "describing set-up " + row->SetupName,
                       "Set-up " + row->SetupName + " could not be described",
                       [&]() -> std::optional<SetupChange> {
                           if (!SetupStore(state.connection).replace(row->SetupName, *row)) {
                               return refused(missingSetup(row->SetupName));
                           }
                           return std::nullopt;
                       });
}

SetupChange DeleteSetup(AppState& state, const std::string& name) {
    std::optional<SetupRow> row;
    try {
        row = SetupStore(state.connection).find(trimmed(name));
    } catch (const StoreError& e) {
        return refused(failureMessage(e, "Set-up " + trimmed(name) + " could not be deleted (",
                                      "); nothing was deleted."));
    }
    if (!row) {
        return refused(missingSetup(trimmed(name)));
    }
    return changeSetup(state, "deleting set-up " + row->SetupName,
                       "Set-up " + row->SetupName + " could not be deleted",
                       [&]() -> std::optional<SetupChange> {
                           if (!SetupStore(state.connection).remove(row->SetupName)) {
                               return refused(missingSetup(row->SetupName));
                           }
                           return std::nullopt;
                       });
}

std::string setupsUsingBankText(const std::vector<std::string>& names, bool deleted) {
    if (names.empty()) {
        return {};
    }
    const bool one = names.size() == 1;
    const std::string who = (one ? "The set-up " : "The set-ups ") + joined(names);
    if (deleted) {
        return who + (one ? " used it and shows" : " used it and show") + " it as a gone bank now.";
    }
    return who + (one ? " uses" : " use") + " it and will show it as a gone bank.";
}

DriveBanksWriting WriteSetup(AppState& state, UserDialogs& dialogs, JobProgress& job,
                             const std::string& name, const SetupFolders& folders,
                             const DriveRoomReader& room) {
    std::optional<KeyboardSetup> setup;
    const std::string refusal = writeRefusal(state.connection, name, folders, setup);
    if (!refusal.empty()) {
        return {DriveBanksWriting::Result::NotReady, {}, refusal};
    }
    DriveBanksWriting floppy{DriveBanksWriting::Result::Written, {}, ""};
    if (setup->usesFloppy()) {
        floppy = WriteFloppy(state, dialogs, job, driveBanks(setup->floppy), folders.floppy, room);
        if (!floppy.written()) {
            if (setup->usesHardDisk() && floppy.result != DriveBanksWriting::Result::Declined) {
                floppy.message += "\n\nNothing was written to the hard disk.";
            }
            return floppy;
        }
    }
    if (!setup->usesHardDisk()) {
        return floppy;
    }
    DriveBanksWriting hardDisk = TransferToHardDisk(
        state, dialogs, job, driveBanks(setup->hardDisk), folders.hardDisk, room);
    if (setup->usesFloppy()) {
        hardDisk.message = floppy.message + "\n\n" + hardDisk.message;
        hardDisk.files.insert(hardDisk.files.begin(), floppy.files.begin(), floppy.files.end());
    }
    return hardDisk;
}

SetupPlan PlanSetupWrite(AppState& state, UserDialogs& dialogs, const std::string& name,
                         const SetupFolders& folders) {
    std::optional<KeyboardSetup> setup;
    const std::string refusal = writeRefusal(state.connection, name, folders, setup);
    if (!refusal.empty()) {
        throw OrbError(refusal);
    }
    SetupPlan plan;
    if (setup->usesFloppy()) {
        plan.floppy = PlanFloppy(state, dialogs, driveBanks(setup->floppy), folders.floppy);
    }
    if (setup->usesHardDisk()) {
        plan.hardDisk =
            PlanHardDiskTransfer(state, dialogs, driveBanks(setup->hardDisk), folders.hardDisk);
    }
    return plan;
}

std::vector<std::string> planLines(const SetupPlan& plan) {
    std::vector<std::string> lines;
    for (const auto* files : {&plan.floppy, &plan.hardDisk}) {
        for (const PlannedFile& file : *files) {
            lines.push_back(file.relative.string() + "\t" + changeWord(file.change));
        }
    }
    return lines;
}

}  // namespace orb
