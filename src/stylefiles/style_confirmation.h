#pragma once

#include <array>
#include <string>

#include "core/korf_styles.h"
#include "db/column_sizes.h"

namespace orb {

class AppState;

// The state of frmStyContent, the dialog in which the person picks which styles of one bank to
// import and may change the values attached to them.
class StyleConfirmation {
public:
    static constexpr int kSlots = 16;
    // Longest text each field may hold (txtField 0 family, 1 group, 2 author, 3 description):
    // the sizes of the columns they end up in.
    static constexpr std::array<int, 4> kFieldLengths = {
        columnSize("KORFStyles", "StyleFamily"), columnSize("KORFStyles", "StyleCat"),
        columnSize("KORFStyles", "StyleAuthor"), columnSize("KORFStyles", "StyleDesc")};

    std::string caption;
    // lbStyleName(i): the first name of the style at position i + 1, empty when there is none;
    // its tag is that position, 0 when empty.
    std::array<std::string, kSlots> labels;
    std::array<int, kSlots> tags{};
    // Check1(i).
    std::array<bool, kSlots> checked{};
    // txtField(0..3): family, group, author, description.
    std::array<std::string, 4> fields;
    // True once "Import Selected Styles" was pressed; a dialog closed any other way selects
    // nothing.
    bool confirmed = false;

    // Fills the dialog for the styles of one bank: every style listed and ticked, GroupDesc set
    // to "Imported from file " + the short name, the four group values in the fields.
    void fill(const KORFStyles& styles, const std::string& shortName, AppState& state);
    // "Select All": ticks every box that stands for a style.
    void selectAll();
    // "Unselect All".
    void unselectAll();
    // "Import Selected Styles": the boxes into SlotSelected(0..15), the fields into the group
    // values.
    void importSelected(AppState& state);
};

}  // namespace orb
