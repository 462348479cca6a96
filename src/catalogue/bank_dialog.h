#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/bank_controller.h"
#include "catalogue/bank_operations.h"
#include "catalogue/bank_queues.h"
#include "catalogue/bank_tree.h"
#include "catalogue/setups.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The bank dialog: stores the current bank as a new bank, updates its stored row, or loads a
// stored bank into it from the tree of every stored bank. The mode is the bank's state as the
// bank pane opens the dialog for it. The window renders again when the tree or the selection
// changes; the name and description it hands in are not sent back.
class BankDialogController : public Observable {
public:
    enum class Mode { Load, SaveNew, Update };

    static constexpr int kNameLength = kBankNameLength;
    // The column holds 200 characters.
    static constexpr int kDescriptionLength = 200;
    static constexpr const char* kNoName = kNoBankName;

    BankDialogController(AppState& state, UserDialogs& dialogs, CurrentBank& bank, BankState mode,
                         DriveRoomReader room = roomOf);

    Mode mode() const { return mode_; }
    // The caption set on opening, and the OK button's.
    std::string caption() const;
    std::string okCaption() const;
    bool nameReadOnly() const { return mode_ != Mode::SaveNew; }
    bool descriptionReadOnly() const { return mode_ == Mode::Load; }
    bool treeShown() const { return mode_ == Mode::Load; }

    const std::string& name() const { return name_; }
    const std::string& description() const { return description_; }
    // As typed, cut to the field's length.
    void setName(const std::string& name);
    void setDescription(const std::string& description);

    // Builds the tree in the current order; false, the tree unchanged, when no bank is stored.
    bool fillTree();
    const std::vector<BankTreeNode>& nodes() const { return nodes_; }
    // Grows whenever the tree is built again, so that the window refills it only then.
    int treeVersion() const { return treeVersion_; }
    BankTreeOrder order() const { return order_; }
    void setOrder(BankTreeOrder order);

    // Load mode: a bank node fills the fields and shows Delete and the queue buttons; any other
    // node empties the fields and hides them.
    void selectNode(int index);
    std::int32_t selectedBankProg() const { return selectedBankProg_; }
    bool deleteShown() const { return bankSelected_; }
    bool directFdShown() const { return bankSelected_; }
    bool directHdShown() const;
    // "To DIRECT FD", "To DIRECT HD": the selected bank, under the name box's text, to a queue.
    void directFd();
    void directHd();
    BankQueues& queues() { return queues_; }
    const BankQueues& queues() const { return queues_; }

    // "Save as set-up ...": the two queues as a keyboard set-up, under a name and a description
    // asked for (proposed: those of the set-up loaded last); a taken name is replaced after a
    // question. True when it was stored.
    bool saveQueuesAsSetup();
    // Puts the set-up's banks into the queues, every place as the set-up has it. A bank deleted
    // since leaves its place empty, and the person is told which.
    void loadSetup(const KeyboardSetup& setup);
    bool saveSetupEnabled() const;

    // Delete, after its question; the tree is built again (emptied after the last bank).
    void deleteSelected();

    // Stores or loads per mode; true when the dialog is done and closes.
    bool ok();

    const BankDialogOutcome& outcome() const { return outcome_; }

private:
    AppState& state_;
    UserDialogs& dialogs_;
    CurrentBank& bank_;
    Mode mode_;
    std::string name_;
    std::string description_;
    std::vector<BankTreeNode> nodes_;
    int treeVersion_ = 0;
    BankTreeOrder order_ = BankTreeOrder::NameAscending;
    std::int32_t selectedBankProg_ = 0;
    bool bankSelected_ = false;
    BankDialogOutcome outcome_;
    BankQueues queues_;
    std::string setupName_;
    std::string setupDescription_;
};

}  // namespace orb
