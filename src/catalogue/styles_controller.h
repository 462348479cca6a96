#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/bank_controller.h"
#include "catalogue/style_edit.h"
#include "catalogue/style_group.h"
#include "catalogue/style_list.h"

namespace orb {

class AppState;
class PrintService;
class ProgramStarter;
class UserDialogs;

// The colour of a header button: the column sorts ascending, descending, or not at all.
enum class HeaderColour { Normal, Ascending, Descending };

// The commands of the Styles menu.
enum class StyleCommand {
    UpdateGroup,
    DeleteGroup,
    ExportToSsf,
    ImportFromSsf,
    SetFilter,
    ResetFilter,
    WhereIs,
    SendToKorgUtility,
    LinkSongs,
};
inline constexpr std::array<StyleCommand, 9> kStyleCommands = {
    StyleCommand::UpdateGroup,   StyleCommand::DeleteGroup,       StyleCommand::ExportToSsf,
    StyleCommand::ImportFromSsf, StyleCommand::SetFilter,         StyleCommand::ResetFilter,
    StyleCommand::WhereIs,       StyleCommand::SendToKorgUtility, StyleCommand::LinkSongs,
};

// What "Link Songs to selected Style" opens the linking window with: the style and its caption.
struct StyleLinkRequest {
    std::int32_t StyleProg = 0;
    std::string caption;
};

// What the styles window must do when the list is replaced, so that a view over the rows never
// reads them while they change.
class StylesViewHooks {
public:
    virtual ~StylesViewHooks() = default;
    virtual void styleListAboutToChange() = 0;
    virtual void styleListChanged() = 0;
    // One row of the list holds new values; the list itself stayed.
    virtual void styleRowChanged(int row) = 0;
};

// The styles window, catalogue side: the style list, its sorting by header buttons, the
// filter, the menu states and the selected block of rows.
class StylesController {
public:
    static constexpr const char* kNoStyles = "No style available";
    static constexpr const char* kNoStyleMatches = "No style matches the filter";
    static constexpr const char* kGridToolTip = "Double click for style editing";
    static constexpr std::array<const char*, 5> kHeaderCaptions = {"Style", "Name", "Description",
                                                                   "Family", "Group"};
    // The column each header button 1 to 4 sorts by (button 0 sorts nothing).
    static constexpr std::array<StyleColumn, 5> kHeaderColumns = {
        StyleColumn::Name, StyleColumn::Name, StyleColumn::Description, StyleColumn::Family,
        StyleColumn::Group};

    StylesController(AppState& state, UserDialogs& dialogs, StylesViewHooks* hooks = nullptr);

    // "ORB 2.31 - Styles Management".
    static std::string caption();

    // Opening the window: headers in the normal colour, the list queried.
    void load();
    // The list queried again under the wait cursor.
    void requery();

    const StyleList& styleList() const { return styleList_; }
    // Number and shown name of the grid rows first..last (clipped to the list), for the bank.
    std::vector<GridStyle> gridStyles(int first, int last) const;
    int rowCount() const { return static_cast<int>(styleList_.size()); }
    // Grid cell: style number, name without code-0 characters, description, family, group.
    std::string cell(int row, int column) const;
    // The count shown as the title of the grid's frame.
    std::string countCaption() const;
    HeaderColour headerColour(int button) const;

    // Header buttons 1 to 4: a click cycles the column through ascending, descending, unsorted.
    void headerClicked(int button);
    // After the filter window: header colours from the order, the list queried again.
    void filterWindowClosed();
    // "Reset Filter": filter texts and condition cleared, the order kept.
    void resetFilter();
    // After the import window: the list is queried again unless nothing was imported.
    void importClosed(bool imported);

    // Double-click on `row`: the style the edit window is to show, nothing when it is gone.
    std::optional<StyleRow> styleToEdit(int row);
    // The edit window of `row` handed back its values: they are written and the row shows them,
    // without the list being read again.
    void styleEdited(int row, const StyleEditValues& values);
    // "Update (group)": the values the group edit window proposes for the selected block,
    // nothing without a selection.
    std::optional<GroupValues> groupToEdit();
    // The group edit window handed back its changes: after the question they are written into
    // the selected block and the list is read again.
    void groupEdited(const StyleColumnChanges& changes);
    // "Delete (group)": the selected block deleted everywhere after the question; the list is
    // read again after a delete.
    void deleteGroup();
    // "Send to Korg utility": the current row's style handed to the Korg utility through a work
    // file in `temporaryFolder`.
    void sendToKorgUtility(ProgramStarter& starter, const std::filesystem::path& temporaryFolder);
    // "Link Songs to selected Style" on `row`: its style, captioned by its name and, when it has
    // one, its description in brackets; nothing without a row.
    std::optional<StyleLinkRequest> linkRequest(int row) const;
    // "Print": the list as the grid shows it.
    void print(PrintService& printer);

    // The command's rule on the current rows and settings.
    bool styleMenuEnabled(StyleCommand command) const;

    // Records the selected block from the grid's current row and the other end of the block.
    void recordSelection(int currentRow, int selectionEndRow);
    int selectedRowFirst() const { return selectedRowFirst_; }
    int selectedRowLast() const { return selectedRowLast_; }
    int currentRow() const { return currentRow_; }

    // The style of the grid's current row, kept so that the window reopens on it.
    void keepCurrentRow(int row);
    // The row to make current after the list was read: the kept style's row, else the first;
    // -1 for an empty list.
    int rowToShow() const;

private:
    void replaceList();
    void colourHeadersFromOrder();
    bool validRow(int row) const { return row >= 0 && row < rowCount(); }
    std::vector<SelectedStyle> selectedStyles() const;
    std::vector<std::int32_t> selectedNumbers() const;

    AppState& state_;
    UserDialogs& dialogs_;
    StylesViewHooks* hooks_;
    StyleList styleList_;
    std::array<HeaderColour, 5> headerColours_{};
    int selectedRowFirst_ = -1;
    int selectedRowLast_ = -1;
    int currentRow_ = -1;
    std::int32_t keptStyle_ = 0;
};

}  // namespace orb
