#include "catalogue/bank_dialog.h"

#include <algorithm>

#include "catalogue/bank_operations.h"
#include "catalogue/current_bank.h"
#include "catalogue/setups.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/bank_store.h"
#include "state/app_state.h"

namespace orb {

BankDialogController::BankDialogController(AppState& state, UserDialogs& dialogs, CurrentBank& bank,
                                           BankState mode, DriveRoomReader room)
    : state_(state), dialogs_(dialogs), bank_(bank), queues_(state, dialogs, std::move(room)) {
    switch (mode) {
        case BankState::NewChanged:
            mode_ = Mode::SaveNew;
            // A copy saved under a new name keeps what the bank was described as.
            description_ = utf8Left(trimmed(bank.description()), kDescriptionLength);
            break;
        case BankState::StoredChanged:
            mode_ = Mode::Update;
            name_ = bank.name();
            description_ = utf8Left(trimmed(bank.description()), kDescriptionLength);
            selectedBankProg_ = bank.storedNumber();
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
    std::vector<BankTreeNode> nodes;
    {
        const WaitCursor wait(dialogs_);
        nodes = BankTree(state_.connection, order_);
    }
    if (nodes.empty()) {
        return false;
    }
    nodes_ = std::move(nodes);
    ++treeVersion_;
    changed();
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
    } else {
        name_ = node.bankName;
        // Blanks around a description are invisible and only get in the way of editing it.
        description_ = trimmed(node.bankDescription);
        selectedBankProg_ = node.bankProg;
        bankSelected_ = true;
    }
    changed();
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
    if (!bankSelected_) {
        return;
    }
    // A set-up keeps the bank's place, which then stands for a gone bank: the person is told.
    const std::string setups =
        setupsUsingBankText(SetupStore(state_.connection).namesUsing(selectedBankProg_), false);
    if (!dialogs_.question("Deleting bank " + trimmed(name_) + " from database?" +
                           (setups.empty() ? "" : "\n\n" + setups))) {
        return;
    }
    const BankDeletion deletion = DeleteBank(state_, selectedBankProg_);
    if (!deletion.deleted) {
        dialogs_.message(deletion.refusal, UserDialogs::Icon::Critical);
        return;
    }
    if (selectedBankProg_ != 0 && selectedBankProg_ == bank_.storedNumber()) {
        outcome_.currentBankDeleted = true;
    }
    queues().removeBank(selectedBankProg_);
    bankSelected_ = false;
    name_.clear();
    description_.clear();
    selectedBankProg_ = 0;
    if (!fillTree()) {
        nodes_.clear();
        ++treeVersion_;
        changed();
    }
}

bool BankDialogController::ok() {
    if (trimmed(name_).empty()) {
        dialogs_.message(kNoName, UserDialogs::Icon::Critical);
        return false;
    }
    if (mode_ == Mode::Load) {
        const std::optional<BankRow> stored = BankStore(state_.connection).find(selectedBankProg_);
        if (!stored) {
            return false;
        }
        bank_.load(*stored, state_.connection);
        outcome_.stored = true;
        return true;
    }
    BankToSave bank{mode_ == Mode::Update ? selectedBankProg_ : 0, name_, trimmed(description_),
                    bank_.styleNumbers()};
    BankSaving saving = SaveBank(state_, bank, SameNamedBank::Keep);
    if (saving.result == BankSaving::Result::NameTaken) {
        if (!dialogs_.question("Bank " + trimmed(name_) +
                               " already present. Would you like to overwrite it?")) {
            return false;
        }
        // The stored bank is updated and keeps its number.
        mode_ = Mode::Update;
        selectedBankProg_ = saving.bank.BankProg;
        bank.bankProg = selectedBankProg_;
        saving = SaveBank(state_, bank, SameNamedBank::Overwrite);
    }
    if (saving.result != BankSaving::Result::Stored) {
        dialogs_.message(saving.message, saving.result == BankSaving::Result::Refused
                                             ? UserDialogs::Icon::Exclamation
                                             : UserDialogs::Icon::Critical);
        return false;
    }
    bank_.markStored(saving.bank);
    outcome_.stored = true;
    return true;
}

bool BankDialogController::saveSetupEnabled() const {
    return queues_.clearFloppyEnabled() || queues_.transferEnabled();
}

bool BankDialogController::saveQueuesAsSetup() {
    if (!saveSetupEnabled()) {
        return false;
    }
    const auto name = dialogs_.inputBox("Set-up name", "ORB", setupName_);
    if (!name || trimmed(*name).empty()) {
        return false;
    }
    const auto description = dialogs_.inputBox("Set-up description", "ORB", setupDescription_);
    if (!description) {
        return false;
    }
    SetupToSave setup{*name, *description, {}, {}};
    for (std::size_t i = 0; i < setup.floppy.size(); ++i) {
        setup.floppy[i] = queues_.floppy()[i].free() ? 0 : queues_.floppy()[i].bankProg;
    }
    for (std::size_t i = 0; i < setup.hardDisk.size(); ++i) {
        setup.hardDisk[i] = queues_.hardDisk()[i].free() ? 0 : queues_.hardDisk()[i].bankProg;
    }
    SetupChange saving = SaveSetup(state_, setup, SameNamedSetup::Keep);
    if (saving.result == SetupChange::Result::NameTaken) {
        if (!dialogs_.question("Set-up " + trimmed(*name) +
                               " already present. Would you like to overwrite it?")) {
            return false;
        }
        saving = SaveSetup(state_, setup, SameNamedSetup::Overwrite);
    }
    if (!saving.done()) {
        dialogs_.message(saving.message, UserDialogs::Icon::Critical);
        return false;
    }
    setupName_ = trimmed(*name);
    setupDescription_ = trimmed(*description);
    dialogs_.message("Set-up " + setupName_ + " stored.", UserDialogs::Icon::Information);
    return true;
}

void BankDialogController::loadSetup(const KeyboardSetup& setup) {
    std::vector<std::string> gone;
    const auto put = [&gone](const SetupPlace& place, auto set) {
        const std::string number = std::to_string(place.bankProg);
        if (place.gone && std::find(gone.begin(), gone.end(), number) == gone.end()) {
            gone.push_back(number);
        }
        if (place.empty() || place.gone) {
            set(0, std::string());
        } else {
            set(place.bankProg, place.bankName);
        }
    };
    for (std::size_t i = 0; i < setup.floppy.size(); ++i) {
        put(setup.floppy[i], [this, i](std::int32_t bank, const std::string& name) {
            queues_.setFloppyEntry(static_cast<int>(i), bank, name);
        });
    }
    for (std::size_t i = 0; i < setup.hardDisk.size(); ++i) {
        put(setup.hardDisk[i], [this, i](std::int32_t bank, const std::string& name) {
            queues_.setHardDiskEntry(static_cast<int>(i), bank, name);
        });
    }
    setupName_ = setup.name;
    setupDescription_ = setup.description;
    if (!gone.empty()) {
        std::string banks;
        for (std::size_t i = 0; i < gone.size(); ++i) {
            banks += (i == 0 ? "" : i + 1 == gone.size() ? " and " : ", ") + gone[i];
        }
        dialogs_.message(
            "The set-up " + setup.name + (gone.size() == 1 ? " uses bank " : " uses banks ") +
                banks +
                (gone.size() == 1 ? ", which is no longer stored; its place was"
                                  : ", which are no longer stored; their places were") +
                " left empty.",
            UserDialogs::Icon::Exclamation);
    }
}

}  // namespace orb
