#include "catalogue/bank_controller.h"

#include "catalogue/style_list.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

constexpr const char* kPrintFont = "ARIAL";
constexpr int kTitleSize = 18;
constexpr int kTextSize = 12;

bool hasChanges(BankState state) {
    return state == BankState::NewChanged || state == BankState::StoredChanged;
}

}  // namespace

BankController::BankController(AppState& state, UserDialogs& dialogs, PrintService& printer,
                               BankDialogRunner bankDialog, WhereIsRunner whereIs,
                               MakeBankRunner makeBank, BankSsfExportRunner exportToSsf)
    : app_(state),
      dialogs_(dialogs),
      printer_(printer),
      bankDialog_(std::move(bankDialog)),
      whereIs_(std::move(whereIs)),
      makeBank_(std::move(makeBank)),
      exportToSsf_(std::move(exportToSsf)) {}

std::string BankController::frameCaption() const {
    if (state_ == BankState::NewChanged) {
        return kUnsavedCaption;
    }
    return app_.currentBank.name.empty() ? std::string(kEmptyCaption) : " " + app_.currentBank.name;
}

const std::string& BankController::description() const {
    return app_.currentBank.description;
}

int BankController::styleCount() const {
    return static_cast<int>(app_.currentBank.styles.Count());
}

std::string BankController::slotCaption(int slot) const {
    if (slot < 0 || slot >= styleCount()) {
        return {};
    }
    return withoutNulls(app_.currentBank.styles.Item(slot + 1).StyleName1);
}

SlotColour BankController::slotColour(int slot) const {
    if (slot >= 0 && slot < styleCount() && slot == selectedSlot_) {
        return SlotColour::Selected;
    }
    return trimmed(slotCaption(slot)).empty() ? SlotColour::Empty : SlotColour::Occupied;
}

bool BankController::menuEnabled(BankCommand command, int gridRows) const {
    const int count = styleCount();
    switch (command) {
        case BankCommand::Insert:
            // Left enabled on a full bank, so that the person is told why nothing is added.
            return gridRows > 0;
        case BankCommand::MoveUp:
        case BankCommand::MoveDown:
            return selectedSlot_ >= 0;
        case BankCommand::Load:
            return true;
        case BankCommand::Remove:
        case BankCommand::Erase:
        case BankCommand::Save:
        case BankCommand::SaveAs:
        case BankCommand::ExportToSsf:
        case BankCommand::MakeSty:
        case BankCommand::Print:
            break;
    }
    return count > 0;
}

void BankController::clearBank() {
    app_.currentBank = {};
    selectedSlot_ = -1;
    state_ = BankState::Empty;
    changed();
}

void BankController::clickSlot(int slot) {
    if (trimmed(slotCaption(slot)).empty()) {
        return;
    }
    selectedSlot_ = slot;
    changed();
}

void BankController::run(BankCommand command, const std::vector<GridStyle>& selected) {
    switch (command) {
        case BankCommand::Insert:
            return insertSelected(selected);
        case BankCommand::Remove:
            return remove();
        case BankCommand::MoveUp:
            return moveUp();
        case BankCommand::MoveDown:
            return moveDown();
        case BankCommand::Erase:
            return erase();
        case BankCommand::Save:
            return save();
        case BankCommand::SaveAs:
            return saveAs();
        case BankCommand::Load:
            return load();
        case BankCommand::ExportToSsf:
            return exportToSsf();
        case BankCommand::MakeSty:
            return makeSty();
        case BankCommand::Print:
            return print();
    }
}

void BankController::insertSelected(const std::vector<GridStyle>& selected) {
    if (styleCount() >= kSlotCount) {
        dialogs_.message("Bank already holds 16 styles. Selected style(s) cannot be added!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    StyleStore styles(app_.connection);
    std::size_t reached = 0;
    for (const GridStyle& row : selected) {
        ++reached;
        const std::string name = trimmed(row.name);
        bool insert = true;
        for (const KORFStyle& present : app_.currentBank.styles) {
            if (present.StyleProg == row.number) {
                // With several copies the last answer decides.
                insert = dialogs_.question("Style " + name +
                                           " already present inside bank. Would you like to "
                                           "insert it anyway?");
            }
        }
        if (insert) {
            if (const std::optional<StyleRow> style = styles.findWithoutBlocks(row.number)) {
                app_.currentBank.styles.Add(row.number, style->StyleName1, " ", 0, 0, " ", " ");
                selectedSlot_ = styleCount() - 1;
            }
        }
        if (styleCount() >= kSlotCount) {
            break;
        }
    }
    if (const auto left = static_cast<long long>(selected.size() - reached); left > 0) {
        dialogs_.message(
            "The bank is full: " + counted(left, "selected style was", "selected styles were") +
                " not added.",
            UserDialogs::Icon::Exclamation);
    }
    if (state_ == BankState::Empty) {
        state_ = BankState::NewChanged;
    } else if (state_ == BankState::Stored) {
        state_ = BankState::StoredChanged;
    }
    changed();
}

void BankController::remove() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to remove!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (selectedSlot_ < 0 || selectedSlot_ >= styleCount()) {
        return;
    }
    if (!dialogs_.question("Style " + trimmed(slotCaption(selectedSlot_)) +
                           " will be deleted from bank. Are you sure?")) {
        return;
    }
    app_.currentBank.styles.Remove(selectedSlot_ + 1);
    const int count = styleCount();
    if (state_ == BankState::Empty || state_ == BankState::Stored) {
        state_ = count > 0 ? BankState::Stored : BankState::Empty;
    }
    if (selectedSlot_ > count - 1) {
        selectedSlot_ = count - 1;
    }
    changed();
}

void BankController::moveUp() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to move up!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (selectedSlot_ > 0 && selectedSlot_ < styleCount()) {
        app_.currentBank.styles.Swap(selectedSlot_ + 1, selectedSlot_);
        --selectedSlot_;
    }
    changed();
}

void BankController::moveDown() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to move down!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (selectedSlot_ >= 0 && selectedSlot_ < styleCount() - 1) {
        app_.currentBank.styles.Swap(selectedSlot_ + 1, selectedSlot_ + 2);
        ++selectedSlot_;
    }
    changed();
}

void BankController::erase() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to remove.",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (dialogs_.question("Would you really like to clear current bank?")) {
        clearBank();
    }
}

void BankController::save() {
    openDialog(false);
}

void BankController::saveAs() {
    openDialog(true);
}

void BankController::openDialog(bool saveAs) {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to save!", UserDialogs::Icon::Exclamation);
        return;
    }
    const BankState before = state_;
    if (saveAs) {
        state_ = BankState::NewChanged;
    } else if (state_ == BankState::Empty) {
        state_ = BankState::NewChanged;
    } else if (state_ == BankState::Stored) {
        state_ = BankState::StoredChanged;
    }
    const BankDialogOutcome outcome =
        bankDialog_({state_, saveAs ? "Bank Save / Insert" : "Bank Save / Update"});
    if (outcome.stored) {
        takeStoredBank();
    } else {
        state_ = before;
    }
    changed();
}

void BankController::load() {
    if (hasChanges(state_)) {
        if (!dialogs_.question("If you load another bank, all changes made to current style will "
                               "be lost. Confirm bank loading?")) {
            return;
        }
        clearBank();
    }
    const BankDialogOutcome outcome = bankDialog_({state_, "Bank loading"});
    if (outcome.stored) {
        takeStoredBank();
    } else if (outcome.currentBankDeleted && state_ == BankState::Stored) {
        // Its styles stay; the next save stores them anew.
        state_ = BankState::NewChanged;
    }
    selectFirstSlot();
    changed();
}

void BankController::exportToSsf() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to export!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (state_ != BankState::Stored) {
        dialogs_.message("Please save changes made to current style before exporting it to SSF!",
                         UserDialogs::Icon::Information);
        return;  // only a saved, unchanged bank is exported
    }
    if (exportToSsf_) {
        exportToSsf_();
    }
}

void BankController::makeSty() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to make a .STY with!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (state_ != BankState::Stored) {
        dialogs_.message("Please save changes made to current style before making a STY file!",
                         UserDialogs::Icon::Information);
        return;
    }
    if (trimmed(app_.FloppyPath).empty()) {
        dialogs_.message(
            "Floppy disk is not specified. Please click on Parameter button inside "
            "main form and insert all required data!",
            UserDialogs::Icon::Information);
        return;
    }
    if (makeBank_) {
        makeBank_();
    }
}

void BankController::print() {
    if (state_ != BankState::Stored) {
        return;
    }
    if (!dialogs_.question("Confirm printing of bank " + app_.currentBank.name + "?")) {
        return;
    }
    printer_.print(BankPrintLines(app_), trimmed(app_.currentBank.name));
    changed();
}

void BankController::whereIs(const GridStyle& style) {
    if (whereIs_(style.number, "Where is " + trimmed(style.name) + "?")) {
        takeStoredBank();
    }
    selectFirstSlot();
    changed();
}

bool BankController::mayClose() {
    if (!hasChanges(state_)) {
        return true;
    }
    switch (dialogs_.messageBox(kCloseQuestion, "ORB", UserDialogs::Icon::Question,
                                UserDialogs::Buttons::YesNoCancel, UserDialogs::Answer::Cancel)) {
        case UserDialogs::Answer::Yes:
            save();
            return !hasChanges(state_);  // a save dialog left without saving keeps it open
        case UserDialogs::Answer::No:
            return true;
        default:
            return false;
    }
}

void BankController::takeStoredBank() {
    state_ = BankState::Stored;
}

void BankController::selectFirstSlot() {
    // An empty bank has no slot to select.
    selectedSlot_ = styleCount() > 0 ? 0 : -1;
}

std::vector<PrintLine> BankPrintLines(AppState& state) {
    std::vector<PrintLine> lines = {
        {"", kPrintFont, kTextSize},
        {state.currentBank.name, kPrintFont, kTitleSize},
        {state.currentBank.description, kPrintFont, kTextSize},
        {"", kPrintFont, kTextSize},
    };
    StyleStore styles(state.connection);
    for (const KORFStyle& slot : state.currentBank.styles) {
        if (const std::optional<StyleRow> style = styles.findWithoutBlocks(slot.StyleProg)) {
            lines.push_back(
                {withoutNulls(style->StyleName1) + std::string(20, ' ') + style->StyleDesc,
                 kPrintFont, kTextSize});
        }
    }
    return lines;
}

}  // namespace orb
