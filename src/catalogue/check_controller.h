#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue_check.h"
#include "core/observable.h"

namespace orb {

class AppState;
class UserDialogs;

// The "Check catalogue" window: the findings of the check, one line each, and the repair.
class CheckController : public Observable {
public:
    static constexpr const char* kCaption = "Check catalogue";

    CheckController(AppState& state, UserDialogs& dialogs);

    // Runs the check (each opening, and "Check again").
    void check();
    const std::vector<std::string>& rows() const { return rows_; }
    const std::string& summary() const { return summary_; }
    bool repairEnabled() const { return repairable_; }

    // After its question, mends what can be mended and checks again; every failure is shown.
    void repair();

private:
    AppState& state_;
    UserDialogs& dialogs_;
    std::vector<std::string> rows_;
    std::string summary_;
    bool repairable_ = false;
};

}  // namespace orb
