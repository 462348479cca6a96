#include "catalogue/style_changes.h"

#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/write_transaction.h"

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

void DeleteStylesEverywhere(Database& database, const std::vector<std::int32_t>& styles) {
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
