#include "catalogue/style_edit.h"

#include "catalogue/style_changes.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "db/text_gate.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {

StyleEditController::StyleEditController(const StyleRow& style, UserDialogs& dialogs)
    : fields_{style.StyleName1, trimmed(style.StyleDesc), style.StyleFamily,
              style.StyleCat,   style.StyleFile,          style.StyleAuthor},
      style_(style),
      dialogs_(dialogs) {}

void StyleEditController::setField(std::size_t index, const std::string& text) {
    if (fields_.at(index) != text) {
        fields_[index] = text;
        changed();
    }
}

bool StyleEditController::holdsLineBreaks() const {
    for (const std::string& field : fields_) {
        if (field.find_first_of("\r\n") != std::string::npos) {
            return true;
        }
    }
    return false;
}

void StyleEditController::replaceLineBreaks() {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        std::string text;
        const std::string& field = fields_[i];
        for (std::size_t at = 0; at < field.size(); ++at) {
            if (field[at] == '\r' && at + 1 < field.size() && field[at + 1] == '\n') {
                ++at;
            }
            text += field[at] == '\r' || field[at] == '\n' ? ' ' : field[at];
        }
        fields_[i] = text;
    }
    changed();
}

std::string StyleEditController::length() const {
    return std::to_string(static_cast<std::int64_t>(style_.StyleLength1) + style_.StyleLength2);
}

bool StyleEditController::update() {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (auto refusal = textRefusal(*kStyleFieldColumns[i], fields_[i],
                                       TextPlace::style(style_.StyleProg))) {
            dialogs_.message(*refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
    }
    // Blanks around a description are invisible and only get in the way of editing it.
    result_ = StyleEditValues{fields_[0], trimmed(fields_[1]), fields_[2],
                              fields_[3], fields_[4],          fields_[5]};
    return true;
}

std::optional<StyleRow> StyleToEdit(AppState& state, std::int32_t styleProg, UserDialogs& dialogs) {
    try {
        return StyleStore(state.connection).findWithoutBlocks(styleProg);
    } catch (const StoreError& e) {
        dialogs.message(failureMessage(e, "The style could not be updated: ", ""),
                        UserDialogs::Icon::Critical);
        return std::nullopt;
    }
}

std::optional<StyleEditValues> StoreStyleEdit(AppState& state, std::int32_t styleProg,
                                              UserDialogs& dialogs, const StyleEditValues& edited) {
    Database& database = state.connection;
    StyleStore store(database);
    StyleColumnChanges changes;
    changes.StyleName1 = edited.StyleName1;
    changes.StyleDesc = edited.StyleDesc;
    changes.StyleFamily = edited.StyleFamily;
    changes.StyleCat = edited.StyleCat;
    changes.StyleFile = edited.StyleFile;
    changes.StyleAuthor = edited.StyleAuthor;
    try {
        const StepPoint point(state.restorePoints(), database,
                              "updating style " + std::to_string(styleProg));
        WriteTransaction transaction(database);
        if (!store.change(styleProg, changes)) {
            return std::nullopt;
        }
        transaction.commit();
        return edited;
    } catch (const StoreError& e) {
        dialogs.message(failureMessage(e, "The style could not be updated: ", ""),
                        UserDialogs::Icon::Critical);
        return std::nullopt;
    } catch (const RestorePointError& e) {
        dialogs.message(e.what(), UserDialogs::Icon::Critical);
        return std::nullopt;
    }
}

}  // namespace orb
