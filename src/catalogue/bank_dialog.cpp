#include "catalogue/bank_dialog.h"

#include "catalogue/bank_store.h"
#include "catalogue/style_changes.h"
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
            break;
        case BankState::StoredChanged:
            mode_ = Mode::Update;
            name_ = state.BankAccess->BankName;
            description_ = utf8Left(state.BankAccess->BankDesc, kDescriptionLength);
            selectedBankProg_ = state.BankAccess->BankProg;
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
    name_ = bankNameOfNode(node.text);
    description_ = bankDescriptionOfNode(node.text);
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
    DeleteBank(state_.connection, selectedBankProg_);
    if (selectedBankProg_ == state_.BankAccess->BankProg) {
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
    const std::string name = trimmed(name_);
    if (name.empty()) {
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
    for (const auto& [label, text] : {std::pair{"Name", &name_}, {"Description", &description_}}) {
        if (auto refusal = textRefusal(label, *text)) {
            dialogs_.message(*refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
    }
    if (mode_ == Mode::SaveNew) {
        if (auto existing = StoredBankNamed(state_.connection, name)) {
            if (!dialogs_.question("Bank " + name +
                                   " already present. Would you like to overwrite it?")) {
                return false;
            }
            // The stored bank is updated and keeps its number.
            mode_ = Mode::Update;
            selectedBankProg_ = existing->BankProg;
        }
    }
    DbKORFBank bank(state_.connection);
    bank.BankProg = mode_ == Mode::SaveNew ? bank.NextKORFBank() : selectedBankProg_;
    bank.BankName = name_;
    bank.BankDesc = description_;
    std::array<std::int32_t, DbKORFBank::kSlotCount> slots{};
    for (long position = 1; position <= state_.BankStyles.Count() && position <= 16; ++position) {
        slots[static_cast<std::size_t>(position - 1)] = state_.BankStyles.Item(position).StyleProg;
    }
    bank.setSlotValues(slots);
    const bool stored = mode_ == Mode::SaveNew ? bank.InsKORFBanks() : bank.UpdKORFBanks();
    if (!stored) {
        dialogs_.message(bank.clsKORFBanksError.empty()
                             ? "Bank " + name + " is no longer stored; it could not be updated."
                             : "Bank " + name + " could not be stored: " + bank.clsKORFBanksError,
                         UserDialogs::Icon::Critical);
        return false;
    }
    bank.ActiveConnection = state_.BankAccess->ActiveConnection;
    *state_.BankAccess = bank;
    outcome_.stored = true;
    return true;
}

}  // namespace orb
