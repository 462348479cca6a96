#include "catalogue/check_controller.h"

#include "core/user_dialogs.h"
#include "state/app_state.h"

namespace orb {

CheckController::CheckController(AppState& state, UserDialogs& dialogs)
    : state_(state), dialogs_(dialogs) {}

void CheckController::check() {
    CheckReport report;
    {
        WaitCursor wait(dialogs_);
        try {
            report = checkCatalogue(state_.connection);
        } catch (const OrbError& failure) {
            dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
        }
    }
    rows_.clear();
    details_.clear();
    lookalikes_ = false;
    for (const CheckFinding& finding : report.findings) {
        rows_.push_back(finding.text);
        details_.push_back(finding.details);
        lookalikes_ = lookalikes_ || finding.kind == CheckFinding::Kind::SameContent;
    }
    summary_ = report.summary();
    repairable_ = !report.damaged() && report.repairableCount() > 0;
    changed();
}

void CheckController::repair() {
    if (!repairable_ ||
        !dialogs_.question("Repair what can be repaired? Styles that are gone are taken out of "
                           "the banks and the song links, and stored lengths are set from the "
                           "blocks; ORB keeps a restore point first.")) {
        return;
    }
    try {
        WaitCursor wait(dialogs_);
        const RepairOutcome outcome = repairCatalogue(state_);
        dialogs_.message(outcome.summary(), UserDialogs::Icon::Information);
    } catch (const OrbError& failure) {
        dialogs_.message(failure.what(), UserDialogs::Icon::Critical);
    }
    check();
}

}  // namespace orb
