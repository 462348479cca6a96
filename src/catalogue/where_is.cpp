#include "catalogue/where_is.h"

#include "catalogue/current_bank.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/bank_store.h"
#include "state/app_state.h"

namespace orb {

WhereIsController::WhereIsController(AppState& state, UserDialogs& dialogs, CurrentBank& bank,
                                     std::int32_t styleProg)
    : state_(state), dialogs_(dialogs), bank_(bank), styleProg_(styleProg) {}

bool WhereIsController::build() {
    holdings_ = WhereIs(state_.connection, styleProg_);
    nodes_ = WhereIsTree(holdings_, styleProg_);
    if (nodes_.empty()) {
        dialogs_.message(kNotFound, UserDialogs::Icon::Information);
        return false;
    }
    changed();
    return true;
}

bool WhereIsController::doubleClick(int index) {
    if (index < 0 || index >= static_cast<int>(nodes_.size())) {
        return false;
    }
    const BankTreeNode& node = nodes_[static_cast<std::size_t>(index)];
    if (node.kind != BankTreeNode::Kind::Bank) {
        return false;
    }
    if (!dialogs_.question("Confirm bank " + trimmed(node.bankName) + " loading?")) {
        return false;
    }
    if (bank_.count() > 0 &&
        !dialogs_.question(
            "Current bank (and all changes made) will be discarded. Are you sure?")) {
        return false;
    }
    // A bank that is gone leaves the current bank as it was.
    if (const std::optional<BankRow> bank = BankStore(state_.connection).find(node.bankProg)) {
        bank_.load(*bank, state_.connection);
        loaded_ = true;
    }
    return true;
}

}  // namespace orb
