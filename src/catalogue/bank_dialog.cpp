#include "catalogue/bank_dialog.h"

#include "catalogue/bank_operations.h"
#include "catalogue/current_bank.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "state/app_state.h"

namespace orb {

BankDialogController::BankDialogController(AppState& state, UserDialogs& dialogs,
                                           BankState bankState, DriveRoomReader room)
    : state_(state), dialogs_(dialogs), queues_(state, dialogs, std::move(room)) {
    switch (bankState) {
        case BankState::NewChanged:
            mode_ = Mode::SaveNew;
            // A copy saved under a new name keeps what the bank was described as.
            description_ = utf8Left(trimmed(state.currentBank.description), kDescriptionLength);
            break;
        case BankState::StoredChanged:
            mode_ = Mode::Update;
            name_ = state.currentBank.name;
            description_ = utf8Left(trimmed(state.currentBank.description), kDescriptionLength);
            selectedBankProg_ = state.currentBank.number;
            break;
        default:
            mode_ = Mode::Load;
            break;
    }
}

std::string BankDialogController::caption() const {
    switch (mode_) {
        case Mode::SaveNew:
            return "Save style bank";
        case Mode::Update:
            return "Update style bank";
        case Mode::Load:
            break;
    }
    return "Load style bank";
}

std::string BankDialogController::okCaption() const {
    return mode_ == Mode::Load ? "Load selected style bank" : caption();
}

void BankDialogController::setName(const std::string& name) {
    name_ = utf8Left(name, kNameLength);
}

void BankDialogController::setDescription(const std::string& description) {
    description_ = utf8Left(description, kDescriptionLength);
}

bool BankDialogController::fillTree() {
    dialogs_.setWaitCursor(true);
    std::vector<BankTreeNode> nodes;
    try {
        nodes = BankTree(state_.connection, order_);
    } catch (...) {
        dialogs_.setWaitCursor(false);
        throw;
    }
    dialogs_.setWaitCursor(false);
    if (nodes.empty()) {
        return false;
    }
    nodes_ = std::move(nodes);
    return true;
}

void BankDialogController::setOrder(BankTreeOrder order) {
    if (order != order_) {
        order_ = order;
        fillTree();
    }
}

void BankDialogController::selectNode(int index) {
    if (mode_ != Mode::Load || index < 0 || index >= static_cast<int>(nodes_.size())) {
        return;
    }
    const BankTreeNode& node = nodes_[static_cast<std::size_t>(index)];
    if (node.kind != BankTreeNode::Kind::Bank) {
        name_.clear();
        description_.clear();
        bankSelected_ = false;
        return;
    }
    name_ = node.bankName;
    // Blanks around a description are invisible and only get in the way of editing it.
    description_ = trimmed(node.bankDescription);
    selectedBankProg_ = node.bankProg;
    bankSelected_ = true;
}

bool BankDialogController::directHdShown() const {
    return bankSelected_ && !state_.PaHardDiskPath.empty();
}

void BankDialogController::directFd() {
    if (directFdShown()) {
        queues_.queueFloppy(selectedBankProg_, name_);
    }
}

void BankDialogController::directHd() {
    if (directHdShown()) {
        queues_.queueHardDisk(selectedBankProg_, name_);
    }
}

void BankDialogController::deleteSelected() {
    if (!bankSelected_ ||
        !dialogs_.question("Deleting bank " + trimmed(name_) + " from database?")) {
        return;
    }
    const BankDeletion deletion = DeleteBank(state_, selectedBankProg_);
    if (!deletion.deleted) {
        dialogs_.message(deletion.refusal, UserDialogs::Icon::Critical);
        return;
    }
    if (selectedBankProg_ == state_.currentBank.number) {
        outcome_.currentBankDeleted = true;
    }
    bankSelected_ = false;
    name_.clear();
    description_.clear();
    selectedBankProg_ = 0;
    if (!fillTree()) {
        nodes_.clear();
    }
}

bool BankDialogController::ok() {
    if (trimmed(name_).empty()) {
        dialogs_.message(kNoName, UserDialogs::Icon::Critical);
        return false;
    }
    if (mode_ == Mode::Load) {
        if (!LoadCurrentBank(state_, selectedBankProg_)) {
            return false;
        }
        outcome_.stored = true;
        return true;
    }
    BankToSave bank{
        mode_ == Mode::Update ? selectedBankProg_ : 0, name_, trimmed(description_), {}};
    for (long position = 1;
         position <= state_.currentBank.styles.Count() && position <= kBankSlotCount; ++position) {
        bank.styles[static_cast<std::size_t>(position - 1)] =
            state_.currentBank.styles.Item(position).StyleProg;
    }
    BankSaving saving = SaveBank(state_.connection, bank, SameNamedBank::Keep);
    if (saving.result == BankSaving::Result::NameTaken) {
        if (!dialogs_.question("Bank " + trimmed(name_) +
                               " already present. Would you like to overwrite it?")) {
            return false;
        }
        // The stored bank is updated and keeps its number.
        mode_ = Mode::Update;
        selectedBankProg_ = saving.bank.BankProg;
        bank.bankProg = selectedBankProg_;
        saving = SaveBank(state_.connection, bank, SameNamedBank::Overwrite);
    }
    if (saving.result != BankSaving::Result::Stored) {
        dialogs_.message(saving.message, saving.result == BankSaving::Result::Refused
                                             ? UserDialogs::Icon::Exclamation
                                             : UserDialogs::Icon::Critical);
        return false;
    }
    TakeStoredBank(state_, saving.bank);
    outcome_.stored = true;
    return true;
}

}  // namespace orb
