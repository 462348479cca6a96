#include "catalogue/bank_dialog.h"

#include "catalogue/current_bank.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/text_gate.h"
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

std::optional<std::string> BankDialogController::nameRefusal(const std::string& name) {
    const std::size_t length = utf8Length(name);
    if (length <= static_cast<std::size_t>(kNameLength)) {
        return std::nullopt;
    }
    return "The bank name " + name + " has " + std::to_string(length) +
           " characters; a bank name takes at most " + std::to_string(kNameLength) + ".";
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
    try {
        state_.restorePoints().keep(
            state_.connection,
            "deleting bank " + std::to_string(selectedBankProg_) + " " + trimmed(name_));
    } catch (const RestorePointError& e) {
        dialogs_.message(e.what(), UserDialogs::Icon::Critical);
        return;
    }
    BankStore(state_.connection).remove(selectedBankProg_);
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
    BankStore banks(state_.connection);
    const TextPlace place =
        mode_ == Mode::SaveNew ? TextPlace::newRow("bank") : TextPlace::bank(selectedBankProg_);
    for (const auto& [column, text] :
         {std::pair{"BankName", &name_}, {"BankDesc", &description_}}) {
        if (auto refusal = textRefusal(textColumn("KORFBanks", column), *text, place)) {
            dialogs_.message(*refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
    }
    try {
        if (mode_ == Mode::SaveNew) {
            if (const std::optional<BankRow> existing = banks.findByName(name)) {
                if (!dialogs_.question("Bank " + name +
                                       " already present. Would you like to overwrite it?")) {
                    return false;
                }
                // The stored bank is updated and keeps its number.
                mode_ = Mode::Update;
                selectedBankProg_ = existing->BankProg;
            }
        }
        BankRow bank;
        bank.BankName = name_;
        bank.BankDesc = trimmed(description_);
        for (long position = 1;
             position <= state_.currentBank.styles.Count() && position <= kBankSlotCount;
             ++position) {
            bank.BankStyle[static_cast<std::size_t>(position - 1)] =
                state_.currentBank.styles.Item(position).StyleProg;
        }
        if (mode_ == Mode::SaveNew) {
            bank.BankProg = banks.insert(bank);
        } else {
            bank.BankProg = selectedBankProg_;
            if (!banks.update(bank)) {
                dialogs_.message("Bank " + name + " is no longer stored; it could not be updated.",
                                 UserDialogs::Icon::Critical);
                return false;
            }
        }
        TakeStoredBank(state_, bank);
    } catch (const StoreError& e) {
        dialogs_.message(failureMessage(e, "Bank " + name + " could not be stored: ", ""),
                         UserDialogs::Icon::Critical);
        return false;
    }
    outcome_.stored = true;
    return true;
}

}  // namespace orb
