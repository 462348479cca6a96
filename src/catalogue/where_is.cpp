#include "catalogue/where_is.h"

#include "catalogue/current_bank.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

WhereIsController::WhereIsController(AppState& state, UserDialogs& dialogs, std::int32_t styleProg)
    : state_(state), dialogs_(dialogs), styleProg_(styleProg) {}

bool WhereIsController::build() {
    holdings_ = WhereIs(state_.connection, styleProg_);
    nodes_ = WhereIsTree(holdings_, styleProg_);
    if (nodes_.empty()) {
        dialogs_.message(kNotFound, UserDialogs::Icon::Information);
        return false;
    }
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
    if (state_.currentBank.styles.Count() > 0 &&
        !dialogs_.question(
            "Current bank (and all changes made) will be discarded. Are you sure?")) {
        return false;
    }
    // A bank that is gone leaves the current bank as it was.
    loaded_ = LoadCurrentBank(state_, node.bankProg);
    return true;
}

}  // namespace orb
