#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/bank_tree.h"
#include "catalogue/current_bank.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// "Where is?": the banks holding one style; a double-click on a bank loads it as the current
// bank after the questions. The window renders the tree once it is built.
class WhereIsController : public Observable {
public:
    static constexpr const char* kToolTip =
        "Press any key to exit - Double click a bank for loading it";
    static constexpr const char* kNotFound = "Selected style cannot be found in any bank!";

    WhereIsController(AppState& state, UserDialogs& dialogs, CurrentBank& bank,
                      std::int32_t styleProg);

    // Builds the tree; false after the message when no bank holds the style (the window closes).
    bool build();
    const std::vector<BankTreeNode>& nodes() const { return nodes_; }
    // The banks the tree shows, as `orb where-is` lists them.
    const std::vector<BankHolding>& holdings() const { return holdings_; }

    // A double-click on node `index`; true when the window is to close.
    bool doubleClick(int index);
    // True when a bank was loaded as the current bank.
    bool loaded() const { return loaded_; }

private:
    AppState& state_;
    UserDialogs& dialogs_;
    CurrentBank& bank_;
    std::int32_t styleProg_;
    std::vector<BankHolding> holdings_;
    std::vector<BankTreeNode> nodes_;
    bool loaded_ = false;
};

}  // namespace orb
