#include "catalogue/style_changes.h"

#include "core/text.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {

int ApplyGroupUpdate(Database& database, const std::vector<std::int32_t>& styles,
                     const StyleColumnChanges& changes) {
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
    // Past a handful the numbers would only make the list of restore points unreadable.
    constexpr std::size_t kNamedStyles = 5;
    if (styles.size() > kNamedStyles) {
        return "deleting " + counted(static_cast<long long>(styles.size()), "style", "styles");
    }
    return std::string(styles.size() == 1 ? "deleting style " : "deleting styles ") +
           listedNumbers(styles);
}

void DeleteStylesEverywhere(AppState& state, const std::vector<std::int32_t>& styles) {
    Database& database = state.connection;
    state.restorePoints().keep(database, styleDeletionAction(styles));
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
