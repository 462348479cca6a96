#include "catalogue/style_edit.h"

#include "catalogue/style_changes.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"

namespace orb {

StyleEditController::StyleEditController(const KORFStylesRow& style, UserDialogs& dialogs)
    : fields{style.StyleName1, style.StyleDesc, style.StyleFamily,
             style.StyleCat,   style.StyleFile, style.StyleAuthor},
      style_(style),
      dialogs_(dialogs) {}

std::string StyleEditController::length() const {
    return std::to_string(static_cast<std::int64_t>(style_.StyleLength1) + style_.StyleLength2);
}

bool StyleEditController::update() {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const std::string label = kStyleFieldLabels[i];
        if (utf8Length(fields[i]) > static_cast<std::size_t>(kStyleFieldLengths[i])) {
            dialogs_.message("The " + label + " may be at most " +
                                 std::to_string(kStyleFieldLengths[i]) + " characters long.",
                             UserDialogs::Icon::Exclamation);
            return false;
        }
        if (auto refusal = textRefusal(label, fields[i])) {
            dialogs_.message(*refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
    }
    result_ = StyleEditValues{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    return true;
}

std::optional<StyleEditValues> EditStyle(DbKORFStyle& access, std::int32_t styleProg,
                                         UserDialogs& dialogs,
                                         const StyleEditWindowRunner& runWindow) {
    access.StyleProg = styleProg;
    if (!access.GetKORFStylesNoContent()) {
        if (!access.clsKORFStylesError.empty()) {
            dialogs.message("The style could not be read: " + access.clsKORFStylesError,
                            UserDialogs::Icon::Critical);
        }
        return std::nullopt;
    }
    const std::optional<StyleEditValues> edited = runWindow(access);
    if (!edited) {
        return std::nullopt;
    }
    const KORFStylesRow stored = access;
    access.StyleName1 = edited->StyleName1;
    access.StyleDesc = edited->StyleDesc;
    access.StyleFamily = edited->StyleFamily;
    access.StyleCat = edited->StyleCat;
    access.StyleFile = edited->StyleFile;
    access.StyleAuthor = edited->StyleAuthor;
    if (!access.UpdKORFStyles()) {
        const std::string error = access.clsKORFStylesError;
        static_cast<KORFStylesRow&>(access) = stored;
        if (!error.empty()) {
            dialogs.message("The style could not be updated: " + error,
                            UserDialogs::Icon::Critical);
        }
        return std::nullopt;
    }
    return edited;
}

}  // namespace orb
