#include "catalogue/style_changes.h"

#include "catalogue/unlink_style_from_songs.h"
#include "core/windows1252.h"
#include "db/database.h"
#include "db/db_korf_bank.h"
#include "db/db_korf_style.h"
#include "db/transaction.h"

namespace orb {
namespace {

void setIfGiven(std::string& column, const std::optional<std::string>& value) {
    if (value) {
        column = *value;
    }
}

}  // namespace

std::optional<std::string> textRefusal(const std::string& label, const std::string& text) {
    if (fitsWindows1252(text)) {
        return std::nullopt;
    }
    return "The " + label +
           " holds characters that the keyboard's files cannot carry (Windows-1252 only).";
}

std::optional<std::string> textRefusal(const StyleColumnChanges& changes) {
    const std::array<const std::optional<std::string>*, 6> values = {
        &changes.StyleName1, &changes.StyleDesc, &changes.StyleFamily,
        &changes.StyleCat,   &changes.StyleFile, &changes.StyleAuthor};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (*values[i]) {
            if (auto refusal = textRefusal(kStyleFieldLabels[i], **values[i])) {
                return refusal;
            }
        }
    }
    return std::nullopt;
}

int ApplyGroupUpdate(Database& database, DbKORFStyle& access,
                     const std::vector<std::int32_t>& styles, const StyleColumnChanges& changes) {
    access.ActiveConnection = &database;
    Transaction transaction(database);
    int written = 0;
    for (const std::int32_t style : styles) {
        access.StyleProg = style;
        if (!access.GetKORFStylesNoContent()) {
            if (!access.clsKORFStylesError.empty()) {
                throw StyleChangeError(access.clsKORFStylesError);
            }
            continue;  // gone meanwhile: nothing to update
        }
        setIfGiven(access.StyleName1, changes.StyleName1);
        setIfGiven(access.StyleDesc, changes.StyleDesc);
        setIfGiven(access.StyleFamily, changes.StyleFamily);
        setIfGiven(access.StyleCat, changes.StyleCat);
        setIfGiven(access.StyleFile, changes.StyleFile);
        setIfGiven(access.StyleAuthor, changes.StyleAuthor);
        if (access.UpdKORFStyles()) {
            ++written;
        } else if (!access.clsKORFStylesError.empty()) {
            throw StyleChangeError(access.clsKORFStylesError);
        }
    }
    try {
        transaction.commit();
    } catch (const DbError& e) {
        throw StyleChangeError(e.what());
    }
    return written;
}

void DeleteStylesEverywhere(Database& database, DbKORFStyle& access,
                            const std::vector<std::int32_t>& styles) {
    access.ActiveConnection = &database;
    // A bank object of its own, so that the current bank held elsewhere stays as it is.
    DbKORFBank banks(database);
    Transaction transaction(database);
    try {
        for (const std::int32_t style : styles) {
            access.StyleProg = style;
            if (!access.DelKORFStyles()) {
                throw StyleChangeError(access.clsKORFStylesError);
            }
            banks.BankStyle01 = style;
            if (!banks.DelKORFBanksStyle()) {
                throw StyleChangeError(banks.clsKORFBanksError);
            }
            UnlinkStyleFromSongs(database, style);
        }
        transaction.commit();
    } catch (const DbError& e) {
        throw StyleChangeError(e.what());
    }
}

}  // namespace orb
