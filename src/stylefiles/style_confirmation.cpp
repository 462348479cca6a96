#include "stylefiles/style_confirmation.h"

#include "core/user_dialogs.h"

namespace orb {

void StyleConfirmation::fill(std::span<const BankFileStyle> styles, const std::string& shortName,
                             const StyleValues& values, const std::string& fileName,
                             std::size_t bank, std::size_t bankCount) {
    labels_ = {};
    tags_ = {};
    checked_ = {};
    result_.reset();
    std::size_t position = 0;
    for (const BankFileStyle& style : styles) {
        if (position >= static_cast<std::size_t>(kSlots)) {
            break;
        }
        labels_[position] = style.StyleName1;
        tags_[position] = static_cast<int>(position) + 1;
        checked_[position] = true;
        ++position;
    }
    values_ = values;
    values_[3] = "Imported from file " + shortName;
    caption_ = fileName.empty() ? shortName : fileName;
    if (bankCount > 1) {
        caption_ += " - bank " + std::to_string(bank) + " of " + std::to_string(bankCount);
    }
    changed();
}

void StyleConfirmation::setChecked(int index, bool checked) {
    bool& box = checked_.at(static_cast<std::size_t>(index));
    if (box != checked) {
        box = checked;
        changed();
    }
}

void StyleConfirmation::setValue(std::size_t index, const std::string& text) {
    std::string& value = values_.at(index);
    if (value != text) {
        value = text;
        changed();
    }
}

void StyleConfirmation::selectAll() {
    for (std::size_t i = 0; i < checked_.size(); ++i) {
        checked_[i] = tags_[i] != 0;
    }
    changed();
}

void StyleConfirmation::unselectAll() {
    checked_ = {};
    changed();
}

bool StyleConfirmation::importSelected() {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const std::string refusal = styleValueRefusal(i, values_[i]);
        if (!refusal.empty()) {
            dialogs_.message(refusal, UserDialogs::Icon::Exclamation);
            return false;
        }
    }
    result_ = StyleSelection{checked_, values_};
    return true;
}

}  // namespace orb
