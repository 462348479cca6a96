#include "catalogue/style_group.h"

#include "core/user_dialogs.h"
#include "db/restore_points.h"
#include "db/text_gate.h"
#include "state/app_state.h"

namespace orb {

GroupValues CollectGroupValues(Database& database, const std::vector<std::int32_t>& styles) {
    StyleStore store(database);
    GroupValues values;
    for (const std::int32_t style : styles) {
        if (const std::optional<StyleRow> found = store.findWithoutBlocks(style)) {
            values = {found->StyleFamily, found->StyleCat, found->StyleAuthor};
        }
    }
    return values;
}

GroupEditController::GroupEditController(const GroupValues& proposal, UserDialogs& dialogs)
    : fields_{proposal.StyleFamily, proposal.StyleCat, proposal.StyleAuthor}, dialogs_(dialogs) {}

void GroupEditController::setField(std::size_t index, const std::string& text) {
    if (fields_.at(index) != text) {
        fields_[index] = text;
        changed();
    }
}

void GroupEditController::setDontUpdate(std::size_t index, bool ticked) {
    if (dontUpdate_.at(index) != ticked) {
        dontUpdate_[index] = ticked;
        changed();
    }
}

bool GroupEditController::update() {
    std::array<std::optional<std::string>, kFieldCount> values;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (dontUpdate_[i]) {
            continue;
        }
        if (auto refusal =
                textRefusal(*kFieldColumns[i], fields_[i], TextPlace("the selected styles"))) {
            dialogs_.message(*refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
        values[i] = fields_[i];
    }
    StyleColumnChanges changes;
    changes.StyleFamily = values[0];
    changes.StyleCat = values[1];
    changes.StyleAuthor = values[2];
    // Every box ticked: nothing to do, as with Exit.
    result_ = changes.empty() ? std::nullopt : std::optional(changes);
    return true;
}

bool RunGroupUpdate(AppState& state, UserDialogs& dialogs, const std::vector<std::int32_t>& styles,
                    const StyleColumnChanges& changes) {
    if (changes.empty()) {
        return false;
    }
    if (!dialogs.question("A group of " + std::to_string(styles.size()) +
                          " styles is about to be updated. Are you sure?")) {
        return false;
    }
    try {
        WaitCursor waiting(dialogs);
        ApplyGroupUpdate(state, styles, changes);
    } catch (const StoreError& e) {
        dialogs.message(failureMessage(e, "The styles could not be updated; none was changed: ", "",
                                       "None was changed."),
                        UserDialogs::Icon::Critical);
        return false;
    } catch (const RestorePointError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
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
           " styles will be deleted from database and from banks. Are you sure?";
}

bool RunGroupDelete(AppState& state, UserDialogs& dialogs,
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
        DeleteStylesEverywhere(state, styles);
    } catch (const RestorePointError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return false;
    } catch (const StoreError& e) {
        dialogs.message(
            failureMessage(e, "The styles could not be deleted; none was changed: ", ""),
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
