#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue_check.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The "Check catalogue" window: the findings of the check, one line each (many of one kind in
// one line with the list behind it), the repair, and the look-alikes window for styles stored
// more than once.
class CheckController : public Observable {
public:
    static constexpr const char* kCaption = "Check catalogue";

    CheckController(AppState& state, UserDialogs& dialogs);

    // Runs the check (each opening, and "Check again").
    void check();
    const std::vector<std::string>& rows() const { return rows_; }
    // The findings behind row `row` when it stands for many; empty otherwise.
    const std::vector<std::string>& details(std::size_t row) const { return details_.at(row); }
    // Styles stored more than once were found: the look-alikes window can keep one of each.
    bool lookalikesEnabled() const { return lookalikes_; }
    const std::string& summary() const { return summary_; }
    bool repairEnabled() const { return repairable_; }

    // After its question, mends what can be mended and checks again; every failure is shown.
    void repair();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    std::vector<std::string> rows_;
    std::vector<std::vector<std::string>> details_;
    bool lookalikes_ = false;
    std::string summary_;
    bool repairable_ = false;
};

}  // namespace orb
