#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "core/bank_file_style.h"
#include "core/observable.h"
#include "stylefiles/style_values.h"

namespace orb {

class UserDialogs;

// What the confirmation dialog hands back: which slots of the bank to import and the values to
// attach to them.
struct StyleSelection {
    std::array<bool, 16> selected{};
    StyleValues values;
    bool operator==(const StyleSelection&) const = default;
};

// The style selection dialog: the person picks which styles of one bank to import and may
// change the values attached to them. Its result is set only by "Import Selected Styles"; a
// dialog closed any other way selects nothing.
class StyleConfirmation : public Observable {
public:
    static constexpr int kSlots = 16;

    explicit StyleConfirmation(UserDialogs& dialogs) : dialogs_(dialogs) {}

    // Fills the dialog for the styles of one bank: every style listed and ticked, the values as
    // given and the description "Imported from file " + the short name. The caption names the
    // file as the person knows it (`fileName`, else the short name) and, in a file of several
    // banks, which bank this is: "Party Mix.sty - bank 1 of 2".
    void fill(std::span<const BankFileStyle> styles, const std::string& shortName,
              const StyleValues& values, const std::string& fileName = {}, std::size_t bank = 1,
              std::size_t bankCount = 1);

    const std::string& caption() const { return caption_; }
    // The name beside box i: the first name of the style at position i + 1, empty when there
    // is none; its tag is that position, 0 when empty.
    const std::array<std::string, kSlots>& labels() const { return labels_; }
    const std::array<int, kSlots>& tags() const { return tags_; }
    // Whether box i is ticked.
    const std::array<bool, kSlots>& checked() const { return checked_; }
    // The four value boxes: family, group, author, description.
    const StyleValues& values() const { return values_; }
    const std::optional<StyleSelection>& result() const { return result_; }

    void setChecked(int index, bool checked);
    void setValue(std::size_t index, const std::string& text);
    // "Select All": ticks every box that stands for a style.
    void selectAll();
    // "Unselect All".
    void unselectAll();
    // "Import Selected Styles": true when the dialog may close with the boxes and values as its
    // result; a value that cannot be stored is refused with a message first.
    bool importSelected();

private:
    UserDialogs& dialogs_;
    std::string caption_;
    std::array<std::string, kSlots> labels_;
    std::array<int, kSlots> tags_{};
    std::array<bool, kSlots> checked_{};
    StyleValues values_;
    std::optional<StyleSelection> result_;
};

}  // namespace orb
