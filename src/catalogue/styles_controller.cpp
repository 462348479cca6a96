#include "catalogue/styles_controller.h"

#include <algorithm>

#include "catalogue/korg_utility.h"
#include "catalogue/style_list_print.h"
#include "core/errors.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/version.h"
#include "state/app_state.h"
#include "stylefiles/bank_file.h"

namespace orb {

StylesController::StylesController(AppState& state, UserDialogs& dialogs, StylesViewHooks* hooks)
    : state_(state), dialogs_(dialogs), hooks_(hooks) {}

std::string StylesController::caption() {
    return std::string(kMessageTitle) + " " + kVersion + " - Styles Management";
}

void StylesController::load() {
    headerColours_.fill(HeaderColour::Normal);
    selectedRowFirst_ = -1;
    selectedRowLast_ = -1;
    replaceList();
}

void StylesController::requery() {
    const WaitCursor wait(dialogs_);
    replaceList();
}

void StylesController::replaceList() {
    StyleList list = GetAllStyles(state_);
    if (hooks_ != nullptr) {
        hooks_->styleListAboutToChange();
    }
    styleList_ = std::move(list);
    if (hooks_ != nullptr) {
        hooks_->styleListChanged();
    }
}

std::optional<StyleLinkRequest> StylesController::linkRequest(int row) const {
    if (!validRow(row)) {
        return std::nullopt;
    }
    std::string caption = trimmed(cell(row, 1));
    const std::string description = cell(row, 2);
    if (!trimmed(description).empty()) {
        caption += " (" + description + ")";
    }
    return StyleLinkRequest{styleList_[static_cast<std::size_t>(row)].StyleProg, caption};
}

std::string StylesController::cell(int row, int column) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    const StyleListRow& style = styleList_[static_cast<std::size_t>(row)];
    switch (column) {
        case 0:
            return std::to_string(style.StyleProg);
        case 1:
            return withoutNulls(style.StyleName1);
        case 2:
            return trimmed(style.StyleDesc);
        case 3:
            return style.StyleFamily;
        case 4:
            return style.StyleCat;
        default:
            return {};
    }
}

std::string StylesController::countCaption() const {
    if (styleList_.empty()) {
        // An empty list under a filter says why: the catalogue itself may hold many.
        return state_.styleQuery.filtered() ? kNoStyleMatches : kNoStyles;
    }
    const std::string count =
        " " + counted(static_cast<long long>(styleList_.size()), "style", "styles") + " available ";
    return state_.styleQuery.filtered() ? count + "- Database filtering is active " : count;
}

HeaderColour StylesController::headerColour(int button) const {
    if (button < 0 || button > 4) {
        return HeaderColour::Normal;
    }
    return headerColours_[static_cast<std::size_t>(button)];
}

void StylesController::headerClicked(int button) {
    if (button < 1 || button > 4) {
        return;
    }
    const auto index = static_cast<std::size_t>(button);
    const std::vector<StyleSortKey> ascending = {{kHeaderColumns[index], false}};
    const std::vector<StyleSortKey> descending = {{kHeaderColumns[index], true}};
    std::vector<StyleSortKey>& order = state_.styleQuery.order;
    headerColours_.fill(HeaderColour::Normal);
    HeaderColour colour = HeaderColour::Ascending;
    if (order == ascending) {
        order = descending;
        colour = HeaderColour::Descending;
    } else if (order == descending) {
        order.clear();
        colour = HeaderColour::Normal;
    } else {
        order = ascending;
    }
    replaceList();
    headerColours_[index] = colour;
}

void StylesController::colourHeadersFromOrder() {
    headerColours_.fill(HeaderColour::Normal);
    const std::vector<StyleSortKey>& order = state_.styleQuery.order;
    // A header shows the order only when it is the one key.
    if (order.size() != 1) {
        return;
    }
    for (std::size_t i = 1; i < kHeaderColumns.size(); ++i) {
        if (order.front().column == kHeaderColumns[i]) {
            headerColours_[i] =
                order.front().descending ? HeaderColour::Descending : HeaderColour::Ascending;
        }
    }
}

void StylesController::filterWindowClosed() {
    colourHeadersFromOrder();
    requery();
}

void StylesController::resetFilter() {
    state_.styleQuery.filters.fill({});
    requery();
}

void StylesController::importClosed(bool imported) {
    if (imported) {
        requery();
    }
}

std::vector<SelectedStyle> StylesController::selectedStyles() const {
    std::vector<SelectedStyle> selection;
    if (!validRow(selectedRowFirst_) || !validRow(selectedRowLast_)) {
        return selection;
    }
    for (int row = selectedRowFirst_; row <= selectedRowLast_; ++row) {
        selection.push_back({styleList_[static_cast<std::size_t>(row)].StyleProg, cell(row, 1)});
    }
    return selection;
}

std::optional<StyleRow> StylesController::styleToEdit(int row) {
    if (!validRow(row)) {
        return std::nullopt;
    }
    return StyleToEdit(state_, styleList_[static_cast<std::size_t>(row)].StyleProg, dialogs_);
}

void StylesController::styleEdited(int row, const StyleEditValues& values) {
    if (!validRow(row)) {
        return;
    }
    const std::optional<StyleEditValues> written = StoreStyleEdit(
        state_, styleList_[static_cast<std::size_t>(row)].StyleProg, dialogs_, values);
    if (!written) {
        return;
    }
    StyleListRow& shown = styleList_[static_cast<std::size_t>(row)];
    shown.StyleName1 = written->StyleName1;
    shown.StyleDesc = written->StyleDesc;
    shown.StyleFamily = written->StyleFamily;
    shown.StyleCat = written->StyleCat;
    shown.StyleAuthor = written->StyleAuthor;
    if (hooks_ != nullptr) {
        hooks_->styleRowChanged(row);
    }
}

std::vector<std::int32_t> StylesController::selectedNumbers() const {
    std::vector<std::int32_t> styles;
    for (const SelectedStyle& selected : selectedStyles()) {
        styles.push_back(selected.StyleProg);
    }
    return styles;
}

std::optional<GroupValues> StylesController::groupToEdit() {
    const std::vector<std::int32_t> styles = selectedNumbers();
    if (styles.empty()) {
        return std::nullopt;
    }
    return CollectGroupValues(state_.connection, styles);
}

void StylesController::groupEdited(const StyleColumnChanges& changes) {
    const std::vector<std::int32_t> styles = selectedNumbers();
    if (!styles.empty() && RunGroupUpdate(state_, dialogs_, styles, changes)) {
        requery();
    }
}

void StylesController::deleteGroup() {
    if (RunGroupDelete(state_, dialogs_, selectedStyles())) {
        requery();
    }
}

void StylesController::sendToKorgUtility(ProgramStarter& starter,
                                         const std::filesystem::path& temporaryFolder) {
    if (!validRow(currentRow_) || !styleMenuEnabled(StyleCommand::SendToKorgUtility)) {
        return;
    }
    SendStyleToKorgUtility(state_.connection,
                           styleList_[static_cast<std::size_t>(currentRow_)].StyleProg,
                           state_.KorgUtilityPath, temporaryFolder, starter, dialogs_);
}

void StylesController::print(PrintService& printer) {
    PrintStyleList(printer, styleList_);
}

bool StylesController::styleMenuEnabled(StyleCommand command) const {
    const bool hasRows = !styleList_.empty();
    switch (command) {
        case StyleCommand::UpdateGroup:
        case StyleCommand::DeleteGroup:
        case StyleCommand::ExportToSsf:
        case StyleCommand::WhereIs:
        case StyleCommand::LinkSongs:
            return hasRows;
        case StyleCommand::SendToKorgUtility:
            return hasRows && !trimmed(state_.KorgUtilityPath).empty();
        case StyleCommand::ImportFromSsf:
        case StyleCommand::SetFilter:
        case StyleCommand::ResetFilter:
            break;
    }
    return true;
}

void StylesController::keepCurrentRow(int row) {
    if (validRow(row)) {
        keptStyle_ = styleList_[static_cast<std::size_t>(row)].StyleProg;
    }
}

int StylesController::rowToShow() const {
    if (styleList_.empty()) {
        return -1;
    }
    const auto kept =
        std::find_if(styleList_.begin(), styleList_.end(),
                     [this](const StyleListRow& style) { return style.StyleProg == keptStyle_; });
    return kept == styleList_.end() ? 0 : static_cast<int>(kept - styleList_.begin());
}

void StylesController::recordSelection(int currentRow, int selectionEndRow) {
    currentRow_ = currentRow;
    selectedRowFirst_ = std::min(currentRow, selectionEndRow);
    selectedRowLast_ = std::max(currentRow, selectionEndRow);
}

std::vector<GridStyle> StylesController::gridStyles(int first, int last) const {
    std::vector<GridStyle> styles;
    for (int row = std::max(first, 0); row <= last && row < rowCount(); ++row) {
        styles.push_back({styleList_[static_cast<std::size_t>(row)].StyleProg, cell(row, 1)});
    }
    return styles;
}

}  // namespace orb
