#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/observable.h"
#include "db/style_store.h"

namespace orb {

class AppState;
class Database;
class UserDialogs;

// The six descriptive values of one style that a person may change.
struct StyleEditValues {
    std::string StyleName1;
    std::string StyleDesc;
    std::string StyleFamily;
    std::string StyleCat;
    std::string StyleFile;
    std::string StyleAuthor;

    bool operator==(const StyleEditValues&) const = default;
};

// The style edit window: shows one style's values; "Update" hands back the six edited values,
// "Exit" nothing.
class StyleEditController : public Observable {
public:
    static constexpr const char* kCaption = "Style edit";
    static constexpr std::size_t kFieldCount = 6;

    StyleEditController(const StyleRow& style, UserDialogs& dialogs);

    // The boxes, in the order of the labels kStyleFieldLabels.
    const std::string& field(std::size_t index) const { return fields_.at(index); }
    void setField(std::size_t index, const std::string& text);

    // A stored value holds a line break, which the keyboard's files cannot carry and Update
    // refuses: the window shows it and offers replaceLineBreaks.
    bool holdsLineBreaks() const;
    // Every line break (CR LF, CR or LF) of every box becomes one blank.
    void replaceLineBreaks();

    std::string code() const { return std::to_string(style_.StyleProg); }
    std::string length() const;
    const std::string& date() const { return style_.StyleDate; }

    // Takes the boxes as typed; a value the text gate refuses (too long for its column, a
    // control character, text that the keyboard's files cannot carry) is refused with the gate's
    // message, and false.
    bool update();
    void exit() { result_.reset(); }
    const std::optional<StyleEditValues>& result() const { return result_; }

private:
    std::array<std::string, kFieldCount> fields_;
    StyleRow style_;
    UserDialogs& dialogs_;
    std::optional<StyleEditValues> result_;
};

// Style `styleProg` without its blocks, for the edit window; nullopt when it is gone or cannot be
// read (then a message says why).
std::optional<StyleRow> StyleToEdit(AppState& state, std::int32_t styleProg, UserDialogs& dialogs);

// Writes the six values the edit window handed back into style `styleProg`, keeping a restore
// point of the change. Returns the values written; nullopt when the style is gone or the
// database refused the write (then a message says why).
std::optional<StyleEditValues> StoreStyleEdit(AppState& state, std::int32_t styleProg,
                                              UserDialogs& dialogs, const StyleEditValues& edited);

}  // namespace orb
