#include "catalogue/bank_collection.h"

#include "core/errors.h"
#include "core/user_dialogs.h"
#include "db/db_korf_bank.h"
#include "db/db_korf_style.h"

namespace orb {
namespace {

// Loads style `prog` with its blocks; false when it is no longer stored.
bool loadStyle(DbKORFStyle& access, std::int32_t prog) {
    access.StyleProg = prog;
    if (access.GetKORFStyles()) {
        return true;
    }
    if (!access.clsKORFStylesError.empty()) {
        throw OrbError("The style " + std::to_string(prog) +
                       " could not be read: " + access.clsKORFStylesError);
    }
    return false;
}

}  // namespace

KORFStyles LoadBankContents(Database& connection, const KORFStyles& bankStyles) {
    DbKORFStyle access(connection);
    KORFStyles complete;
    for (const KORFStyle& slot : bankStyles) {
        KORFStyle& record = complete.Add(slot);
        record.StyleLength1 = 0;
        record.StyleLength2 = 0;
        if (loadStyle(access, slot.StyleProg)) {
            record = static_cast<const KORFStyle&>(access);
        }
    }
    return complete;
}

bool CollectStoredBank(Database& connection, UserDialogs& dialogs, std::int32_t bankProg,
                       KORFStyles& styles) {
    styles.clear();
    DbKORFBank bank(connection);
    bank.BankProg = bankProg;
    if (!bank.GetKORFBanks()) {
        if (!bank.clsKORFBanksError.empty()) {
            throw OrbError("The bank " + std::to_string(bankProg) +
                           " could not be read: " + bank.clsKORFBanksError);
        }
        return false;
    }
    DbKORFStyle access(connection);
    for (const std::int32_t prog : bank.slotValues()) {
        if (prog != 0 && loadStyle(access, prog)) {
            styles.Add(static_cast<const KORFStyle&>(access));
        }
        dialogs.processEvents();
    }
    return true;
}

}  // namespace orb
