#include "catalogue/style_group.h"

#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/db_korf_style.h"

namespace orb {

GroupValues CollectGroupValues(DbKORFStyle& access, const std::vector<std::int32_t>& styles) {
    GroupValues values;
    for (const std::int32_t style : styles) {
        access.StyleProg = style;
        if (access.GetKORFStylesNoContent()) {
            values = {access.StyleFamily, access.StyleCat, access.StyleAuthor};
        }
    }
    return values;
}

GroupEditController::GroupEditController(const GroupValues& proposal, UserDialogs& dialogs)
    : fields{proposal.StyleFamily, proposal.StyleCat, proposal.StyleAuthor}, dialogs_(dialogs) {}

bool GroupEditController::update() {
    std::array<std::optional<std::string>, kFieldCount> values;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (dontUpdate[i]) {
            continue;
        }
        const std::string label = kLabels[i];
        if (utf8Length(fields[i]) > static_cast<std::size_t>(kFieldLengths[i])) {
            dialogs_.message("The " + label + " may be at most " +
                                 std::to_string(kFieldLengths[i]) + " characters long.",
                             UserDialogs::Icon::Exclamation);
            return false;
        }
        if (auto refusal = textRefusal(label, fields[i])) {
            dialogs_.message(*refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
        values[i] = fields[i];
    }
    StyleColumnChanges changes;
    changes.StyleFamily = values[0];
    changes.StyleCat = values[1];
    changes.StyleAuthor = values[2];
    // Every box ticked: nothing to do, as with Exit.
    result_ = changes.empty() ? std::nullopt : std::optional(changes);
    return true;
}

bool RunGroupUpdate(Database& database, DbKORFStyle& access, UserDialogs& dialogs,
                    const std::vector<std::int32_t>& styles,
                    const GroupEditWindowRunner& runWindow) {
    const std::optional<StyleColumnChanges> changes = runWindow(CollectGroupValues(access, styles));
    if (!changes || changes->empty()) {
        return false;
    }
    if (!dialogs.question("A group of styles is about to be updated. Are you sure?")) {
        return false;
    }
    try {
        WaitCursor waiting(dialogs);
        ApplyGroupUpdate(database, access, styles, *changes);
    } catch (const StyleChangeError& e) {
        dialogs.message(
            std::string("The styles could not be updated; none was changed: ") + e.what(),
            UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

std::string GroupDeleteQuestion(const std::vector<SelectedStyle>& selection) {
    if (selection.size() == 1) {
        return "Style " + selection.front().name +
               " will be deleted from database and from banks. Are you sure?";
    }
    return std::to_string(selection.size()) +
           " styles  will be deleted from database and from banks. Are you sure?";
}

bool RunGroupDelete(Database& database, DbKORFStyle& access, UserDialogs& dialogs,
                    const std::vector<SelectedStyle>& selection) {
    if (selection.empty() || !dialogs.question(GroupDeleteQuestion(selection))) {
        return false;
    }
    std::vector<std::int32_t> styles;
    for (const SelectedStyle& row : selection) {
        styles.push_back(row.StyleProg);
    }
    try {
        WaitCursor waiting(dialogs);
        DeleteStylesEverywhere(database, access, styles);
    } catch (const StyleChangeError& e) {
        dialogs.message(
            std::string("The styles could not be deleted; none was changed: ") + e.what(),
            UserDialogs::Icon::Critical);
        return false;
    }
    dialogs.message(selection.size() == 1
                        ? "Style has been deleted. Click on Ok to update style grid."
                        : "Styles have been deleted. Click on Ok to update style grid.",
                    UserDialogs::Icon::Information);
    return true;
}

}  // namespace orb
