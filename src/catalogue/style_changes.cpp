#include "catalogue/style_changes.h"

#include "core/text.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"
#include "state/restore_point_step.h"

namespace orb {

int ApplyGroupUpdate(AppState& state, const std::vector<std::int32_t>& styles,
                     const StyleColumnChanges& changes) {
    Database& database = state.connection;
    const StepPoint point(state.restorePoints(), database,
                          numberedAction("updating", "style", "styles", styles));
    StyleStore store(database);
    WriteTransaction transaction(database);
    int written = 0;
    for (const std::int32_t style : styles) {
        // A style gone meanwhile has nothing to update.
        if (store.change(style, changes)) {
            ++written;
        }
    }
    transaction.commit();
    return written;
}

std::string styleDeletionAction(const std::vector<std::int32_t>& styles) {
    return numberedAction("deleting", "style", "styles", styles);
}

void DeleteStylesEverywhere(AppState& state, const std::vector<std::int32_t>& styles) {
    Database& database = state.connection;
    const StepPoint point(state.restorePoints(), database, styleDeletionAction(styles));
    StyleStore store(database);
    BankStore banks(database);
    LinkStore links(database);
    WriteTransaction transaction(database);
    for (const std::int32_t style : styles) {
        store.remove(style);
        banks.removeStyle(style);
        links.unlinkStyle(style);
    }
    transaction.commit();
}

}  // namespace orb
