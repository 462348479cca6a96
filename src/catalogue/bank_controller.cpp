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

}  // namespace

BankController::BankController(AppState& state, UserDialogs& dialogs, PrintService& printer)
    : app_(state), dialogs_(dialogs), printer_(printer) {
    bank_.onChange([this] { changed(); });
}

std::string BankController::frameCaption() const {
    if (bank_.state() == BankState::NewChanged) {
        return kUnsavedCaption;
    }
    return bank_.name().empty() ? std::string(kEmptyCaption) : " " + bank_.name();
}

const std::string& BankController::description() const {
    return bank_.description();
}

int BankController::styleCount() const {
    return bank_.count();
}

std::string BankController::slotCaption(int slot) const {
    if (slot < 0 || slot >= styleCount()) {
        return {};
    }
    return withoutNulls(bank_.styles()[static_cast<std::size_t>(slot)].name);
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
    selectedSlot_ = -1;
    bank_.clear();
}

void BankController::clickSlot(int slot) {
    if (trimmed(slotCaption(slot)).empty()) {
        return;
    }
    selectedSlot_ = slot;
    changed();
}

std::optional<BankWindowRequest> BankController::run(BankCommand command,
                                                     const std::vector<GridStyle>& selected) {
    switch (command) {
        case BankCommand::Insert:
            insertSelected(selected);
            break;
        case BankCommand::Remove:
            remove();
            break;
        case BankCommand::MoveUp:
            moveUp();
            break;
        case BankCommand::MoveDown:
            moveDown();
            break;
        case BankCommand::Erase:
            erase();
            break;
        case BankCommand::Print:
            print();
            break;
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
    }
    return std::nullopt;
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
        for (const BankSlot& present : bank_.styles()) {
            if (present.style.value == row.number) {
                // With several copies the last answer decides.
                insert = dialogs_.question("Style " + name +
                                           " already present inside bank. Would you like to "
                                           "insert it anyway?");
            }
        }
        if (insert) {
            if (const std::optional<StyleRow> style = styles.findWithoutBlocks(row.number)) {
                selectedSlot_ = styleCount();
                bank_.append({StyleNumber{row.number}, style->StyleName1});
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
    bank_.markChanged();
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
    const int removed = selectedSlot_;
    selectedSlot_ = std::min(selectedSlot_, styleCount() - 2);
    bank_.removeAt(removed);
}

void BankController::moveUp() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to move up!",
                         UserDialogs::Icon::Exclamation);
        return;
    }
    if (selectedSlot_ > 0 && selectedSlot_ < styleCount()) {
        --selectedSlot_;
        bank_.swap(selectedSlot_ + 1, selectedSlot_);
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
        ++selectedSlot_;
        bank_.swap(selectedSlot_ - 1, selectedSlot_);
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

std::optional<BankWindowRequest> BankController::save() {
    return saveRequest(false);
}

std::optional<BankWindowRequest> BankController::saveAs() {
    return saveRequest(true);
}

std::optional<BankWindowRequest> BankController::saveRequest(bool saveAs) {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to save!", UserDialogs::Icon::Exclamation);
        return std::nullopt;
    }
    // The dialog saves a copy under a new name unless a stored bank is updated.
    const BankState state = bank_.state();
    const BankState mode = saveAs || state == BankState::Empty ? BankState::NewChanged
                           : state == BankState::Stored        ? BankState::StoredChanged
                                                               : state;
    return BankDialogRequest{mode, saveAs ? "Bank Save / Insert" : "Bank Save / Update", bank_};
}

std::optional<BankWindowRequest> BankController::load() {
    if (bank_.hasChanges()) {
        if (!dialogs_.question("If you load another bank, all changes made to current style will "
                               "be lost. Confirm bank loading?")) {
            return std::nullopt;
        }
        clearBank();
    }
    return BankDialogRequest{bank_.state(), "Bank loading", bank_, true};
}

void BankController::bankDialogClosed(const BankDialogRequest& request,
                                      const BankDialogOutcome& outcome) {
    if (request.loading) {
        if (!outcome.stored && outcome.currentBankDeleted && bank_.state() == BankState::Stored) {
            bank_.forgetStoredBank();
        }
        selectFirstSlot();
    }
    changed();
}

std::optional<BankWindowRequest> BankController::exportToSsf() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to export!",
                         UserDialogs::Icon::Exclamation);
        return std::nullopt;
    }
    if (bank_.state() != BankState::Stored) {
        dialogs_.message("Please save changes made to current style before exporting it to SSF!",
                         UserDialogs::Icon::Information);
        return std::nullopt;  // only a saved, unchanged bank is exported
    }
    return BankSsfExportRequest{bank_};
}

std::optional<BankWindowRequest> BankController::makeSty() {
    if (styleCount() == 0) {
        dialogs_.message("Bank is empty: there's nothing to make a .STY with!",
                         UserDialogs::Icon::Exclamation);
        return std::nullopt;
    }
    if (bank_.state() != BankState::Stored) {
        dialogs_.message("Please save changes made to current style before making a STY file!",
                         UserDialogs::Icon::Information);
        return std::nullopt;
    }
    if (trimmed(app_.FloppyPath).empty()) {
        dialogs_.message(
            "Floppy disk is not specified. Please click on Parameter button inside "
            "main form and insert all required data!",
            UserDialogs::Icon::Information);
        return std::nullopt;
    }
    return MakeBankRequest{bank_};
}

void BankController::print() {
    if (bank_.state() != BankState::Stored) {
        return;
    }
    if (!dialogs_.question("Confirm printing of bank " + bank_.name() + "?")) {
        return;
    }
    printer_.print(BankPrintLines(app_.connection, bank_), trimmed(bank_.name()));
    changed();
}

WhereIsRequest BankController::whereIs(const GridStyle& style) {
    return {bank_, style.number, "Where is " + trimmed(style.name) + "?"};
}

void BankController::whereIsClosed() {
    selectFirstSlot();
    changed();
}

CloseAnswer BankController::mayClose() {
    if (!bank_.hasChanges()) {
        return CloseAnswer::Close;
    }
    switch (dialogs_.messageBox(kCloseQuestion, "ORB", UserDialogs::Icon::Question,
                                UserDialogs::Buttons::YesNoCancel, UserDialogs::Answer::Cancel)) {
        case UserDialogs::Answer::Yes:
            return CloseAnswer::SaveFirst;
        case UserDialogs::Answer::No:
            return CloseAnswer::Close;
        default:
            return CloseAnswer::Stay;
    }
}

void BankController::selectFirstSlot() {
    // An empty bank has no slot to select.
    selectedSlot_ = styleCount() > 0 ? 0 : -1;
}

std::vector<PrintLine> BankPrintLines(Database& connection, const CurrentBank& bank) {
    std::vector<PrintLine> lines = {
        {"", kPrintFont, kTextSize},
        {bank.name(), kPrintFont, kTitleSize},
        {bank.description(), kPrintFont, kTextSize},
        {"", kPrintFont, kTextSize},
    };
    StyleStore styles(connection);
    for (const BankSlot& slot : bank.styles()) {
        if (const std::optional<StyleRow> style = styles.findWithoutBlocks(slot.style.value)) {
            lines.push_back(
                {withoutNulls(style->StyleName1) + std::string(20, ' ') + style->StyleDesc,
                 kPrintFont, kTextSize});
        }
    }
    return lines;
}

}  // namespace orb
