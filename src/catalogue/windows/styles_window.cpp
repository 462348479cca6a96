#include "catalogue/windows/styles_window.h"
#include "widgets/list_grid.h"

#include <QAction>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

#include "catalogue/korg_utility.h"
#include "catalogue/ssf_export_request.h"
#include "catalogue/windows/bank_dialog_window.h"
#include "catalogue/windows/bank_pane.h"
#include "catalogue/windows/disk_identify_window.h"
#include "catalogue/windows/group_edit_window.h"
#include "catalogue/windows/lookalikes_window.h"
#include "catalogue/windows/make_bank_window.h"
#include "catalogue/windows/setup_list_window.h"
#include "catalogue/windows/style_edit_window.h"
#include "catalogue/windows/style_filter_window.h"
#include "catalogue/windows/style_list_model.h"
#include "catalogue/windows/where_is_window.h"
#include "core/text.h"
#include "core/user_dialogs.h"
#include "songs/windows/song_links_window.h"
#include "state/app_state.h"
#include "stylefiles/windows/ssf_export_window.h"
#include "stylefiles/windows/ssf_import_window.h"
#include "stylefiles/windows/style_import_window.h"
#include "widgets/failure_shown.h"
#include "widgets/qt_print_service.h"

namespace orb {
namespace {

using FileCommand = StylesWindow::FileCommand;

template <typename Command>
struct MenuItem {
    const char* caption;
    const char* shortcut;
    std::optional<Command> command;  // none for a separator
};

constexpr std::array<MenuItem<FileCommand>, 6> kFileItems = {{
    {"Import from Folder", "Ctrl+I", FileCommand::ImportFromFolder},
    {"Import from STY file", "Ctrl+J", FileCommand::ImportFromFile},
    {"-", "", std::nullopt},
    {"Print", "Ctrl+P", FileCommand::Print},
    {"-", "", std::nullopt},
    {"Exit", "Ctrl+Q", FileCommand::Exit},
}};

constexpr std::array<MenuItem<StyleCommand>, 13> kStyleItems = {{
    {"Update (group)", "Ctrl+U", StyleCommand::UpdateGroup},
    {"Delete (group)", "Ctrl+D", StyleCommand::DeleteGroup},
    {"-", "", std::nullopt},
    {"Export to SSF", "Ctrl+T", StyleCommand::ExportToSsf},
    {"Import from SSF", "Ctrl+F", StyleCommand::ImportFromSsf},
    {"-", "", std::nullopt},
    {"Set Filter", "Ctrl+S", StyleCommand::SetFilter},
    {"Reset Filter", "Ctrl+R", StyleCommand::ResetFilter},
    {"Where is?", "Ctrl+W", StyleCommand::WhereIs},
    {"-", "", std::nullopt},
    {"Send to Korg utility", "Ctrl+K", StyleCommand::SendToKorgUtility},
    {"-", "", std::nullopt},
    {"Link Songs to selected Style", "Ctrl+L", StyleCommand::LinkSongs},
}};

constexpr std::array<MenuItem<BankCommand>, 16> kBankItems = {{
    {"Insert selected style(s) inside bank", "Shift+Ins", BankCommand::Insert},
    {"Remove selected style from bank", "Shift+Del", BankCommand::Remove},
    {"Move selected style up", "Shift+F2", BankCommand::MoveUp},
    {"Move selected style down", "F2", BankCommand::MoveDown},
    {"-", "", std::nullopt},
    {"Erase bank", "F7", BankCommand::Erase},
    {"-", "", std::nullopt},
    {"Save bank", "F8", BankCommand::Save},
    {"Save bank as ...", "F9", BankCommand::SaveAs},
    {"Load bank", "F4", BankCommand::Load},
    {"-", "", std::nullopt},
    {"Export bank to SSF", "Ctrl+X", BankCommand::ExportToSsf},
    {"-", "", std::nullopt},
    {"Make .STY file", "F5", BankCommand::MakeSty},
    {"-", "", std::nullopt},
    {"Print bank", "F3", BankCommand::Print},
}};

// Sizes in twips, 15 to a pixel.
constexpr int pixels(int twips) {
    return twips / 15;
}
constexpr std::array<int, 5> kColumnTwips = {0, 1380, 4000, 1420, 1420};

const QColor kAscendingColour(0xFF, 0xC0, 0xC0);   // pale red
const QColor kDescendingColour(0xC0, 0xFF, 0xC0);  // pale green

// Adds the items to the menu, each named by its prefix and position; calls `added` with each
// command's action.
template <typename Command, std::size_t N, typename Added>
void addItems(QMenu* menu, const char* prefix, const std::array<MenuItem<Command>, N>& items,
              Added added) {
    for (std::size_t i = 0; i < N; ++i) {
        QAction* action = menu->addAction(items[i].caption);
        action->setSeparator(!items[i].command);
        if (action->isSeparator()) {
            action->setText({});  // a bare line, without a "-" beside it
        }
        action->setObjectName(QString("%1%2").arg(prefix).arg(i));
        action->setShortcut(QKeySequence(items[i].shortcut));
        if (items[i].command) {
            added(action, *items[i].command);
        }
    }
}

void colourHeader(QPushButton* button, HeaderColour colour) {
    if (colour == HeaderColour::Normal) {
        button->setPalette(QPalette());
        return;
    }
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button,
                     colour == HeaderColour::Ascending ? kAscendingColour : kDescendingColour);
    button->setPalette(palette);
}

}  // namespace

StylesWindow::StylesWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      state_(state),
      dialogs_(dialogs),
      controller_(state, dialogs, this),
      printer_(dialogs, state.settings),
      bank_(state, dialogs, printer_) {
    setObjectName("frmStyles");
    setWindowTitle(QString::fromStdString(StylesController::caption()));
    setModal(true);

    frStyle_ = new QGroupBox(this);
    frStyle_->setObjectName("frStyle");
    model_ = new StyleListModel(controller_, this);
    grid_ = new QTableView(frStyle_);
    grid_->setObjectName("grdStyles");
    grid_->setModel(model_);
    grid_->setToolTip(StylesController::kGridToolTip);
    setUpListGrid(grid_);
    grid_->setColumnHidden(0, true);
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        recordSelection();
        openStyleEditWindow(index.row());
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { controller_.keepCurrentRow(current.row()); });
    // Rows dragged onto the bank pane go into the bank.
    grid_->setDragEnabled(true);
    grid_->setDragDropMode(QAbstractItemView::DragOnly);

    std::vector<std::pair<int, QPushButton*>> tied;
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(
            StylesController::kHeaderCaptions[static_cast<std::size_t>(i)], frStyle_);
        button->setObjectName(QString("cbTitle%1").arg(i));
        button->setAutoFillBackground(true);
        cbTitle_[static_cast<std::size_t>(i)] = button;
        if (i == 0) {
            button->hide();
            continue;
        }
        grid_->setColumnWidth(i, pixels(kColumnTwips[static_cast<std::size_t>(i)]));
        tied.emplace_back(i, button);
        connect(button, &QPushButton::clicked, this,
                [this, i] { command([this, i] { controller_.headerClicked(i); }); });
    }
    // A name of eleven wide letters shows whole; the description takes what the window gives.
    grid_->setColumnWidth(1, std::max(grid_->columnWidth(1),
                                      grid_->fontMetrics().horizontalAdvance(QString(11, 'W')) +
                                          grid_->fontMetrics().averageCharWidth() * 2));
    QWidget* headers = tieHeaderButtons(grid_, tied, 2);
    auto* styleLayout = new QVBoxLayout(frStyle_);
    styleLayout->setSpacing(0);
    styleLayout->addWidget(headers);
    styleLayout->addWidget(grid_, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(frStyle_, 1);
    bankPane_ = new BankPane(
        bank_, [this](BankCommand command) { bankCommand(command); },
        [this](const std::vector<int>& rows) { dropOnBank(rows); }, this);
    body->addWidget(bankPane_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    buildMenus(this);
    resize(pixels(8600) + 300, 560);
    bank_.onChange([this] { refresh(); });
    refresh();
}

void StylesWindow::buildMenus(QWidget* menuHolder) {
    auto* bar = new QMenuBar(menuHolder);
    bar->setObjectName("menuBar");
    auto* file = bar->addMenu("&File");
    file->setObjectName("mTopFile");
    auto* styles = bar->addMenu("&Styles");
    styles->setObjectName("mTopStyles");
    auto* bank = bar->addMenu("&Banks");
    bank->setObjectName("mTopBank");
    addItems(file, "mFile", kFileItems, [this](QAction* action, FileCommand command) {
        connect(action, &QAction::triggered, this, [this, command] { fileCommand(command); });
    });
    addItems(styles, "mStyles", kStyleItems, [this](QAction* action, StyleCommand command) {
        connect(action, &QAction::triggered, this, [this, command] { styleCommand(command); });
        styleActions_.emplace_back(action, command);
    });
    addItems(bank, "mbank", kBankItems, [this](QAction* action, BankCommand command) {
        connect(action, &QAction::triggered, this, [this, command] { bankCommand(command); });
        bankActions_.emplace_back(action, command);
    });
    styles->addSeparator();
    QAction* lookalikes = styles->addAction("Look-alikes ...");
    lookalikes->setObjectName("mLookalikes");
    connect(lookalikes, &QAction::triggered, this, [this] { openLookalikesWindow(); });
    // An old disk is looked at before anything of it is imported: placed after the imports.
    auto* identify = new QAction("What is on this disk?", file);
    identify->setObjectName("mIdentify");
    file->insertAction(file->actions().value(2), identify);
    connect(identify, &QAction::triggered, this, [this] { openDiskIdentifyWindow(); });
    bank->addSeparator();
    QAction* setups = bank->addAction("Keyboard set-ups ...");
    setups->setObjectName("mSetups");
    connect(setups, &QAction::triggered, this, [this] {
        SetupListWindow window(state_, dialogs_, false, this);
        window.run();
    });
    layout()->setMenuBar(bar);
}

void StylesWindow::fileCommand(FileCommand fileCommand) {
    switch (fileCommand) {
        case FileCommand::ImportFromFolder:
            return openImportWindow(ImportRequest::Source::Folder);
        case FileCommand::ImportFromFile:
            return openImportWindow(ImportRequest::Source::File);
        case FileCommand::Print:
            return command([this] {
                QtPrintService printer(dialogs_, state_.settings);
                controller_.print(printer);
            });
        case FileCommand::Exit:
            return reject();
    }
}

void StylesWindow::styleCommand(StyleCommand styleCommand) {
    recordSelection();
    switch (styleCommand) {
        case StyleCommand::UpdateGroup:
            return openGroupEditWindow();
        case StyleCommand::DeleteGroup:
            return command([this] { controller_.deleteGroup(); });
        case StyleCommand::SendToKorgUtility:
            return command([this] {
                QtProgramStarter starter;
                controller_.sendToKorgUtility(starter, QDir::tempPath().toStdString());
            });
        case StyleCommand::WhereIs: {
            const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
            const std::vector<GridStyle> current = controller_.gridStyles(row, row);
            if (!current.empty()) {
                openBankWindow(bank_.whereIs(current.front()));
            }
            return;
        }
        case StyleCommand::SetFilter:
            return openFilterWindow();
        case StyleCommand::ResetFilter:
            return command([this] { controller_.resetFilter(); });
        case StyleCommand::LinkSongs:
            return openSongLinks();
        case StyleCommand::ExportToSsf:
            return openSsfExportWindow();
        case StyleCommand::ImportFromSsf:
            return openSsfImportWindow();
    }
}

void StylesWindow::showEvent(QShowEvent* event) {
    command([this] {
        controller_.load();
        bank_.clearBank();
    });
    // Keyboard work goes on from the row it was left at, in sight.
    if (const int row = controller_.rowToShow(); row >= 0) {
        const QModelIndex current = model_->index(row, 1);
        grid_->setCurrentIndex(current);
        grid_->scrollTo(current, QAbstractItemView::PositionAtCenter);
    }
    grid_->setFocus();
    QDialog::showEvent(event);
}

void StylesWindow::reject() {
    switch (bank_.mayClose()) {
        case CloseAnswer::Close:
            return QDialog::reject();
        case CloseAnswer::SaveFirst:
            bankCommand(BankCommand::Save);
            // A save dialog left without saving keeps the window open.
            if (!bank_.hasUnsavedChanges()) {
                QDialog::reject();
            }
            return;
        case CloseAnswer::Stay:
            return;
    }
}

void StylesWindow::styleListAboutToChange() {
    model_->listAboutToChange();
}

void StylesWindow::styleListChanged() {
    model_->listChanged();
}

void StylesWindow::styleRowChanged(int row) {
    model_->rowChanged(row);
}

void StylesWindow::command(const std::function<void()>& work) {
    runShowingFailure(dialogs_, work);
    refresh();
}

void StylesWindow::recordSelection() {
    const int current = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    int end = current;
    const QItemSelection selection = grid_->selectionModel()->selection();
    if (!selection.isEmpty() && current >= 0) {
        const QItemSelectionRange& block = selection.first();
        end = current == block.top() ? block.bottom() : block.top();
    }
    controller_.recordSelection(current, end);
}

void StylesWindow::refresh() {
    frStyle_->setTitle(QString::fromStdString(controller_.countCaption()));
    for (int i = 1; i < 5; ++i) {
        colourHeader(cbTitle_[static_cast<std::size_t>(i)], controller_.headerColour(i));
    }
    for (const auto& [action, command] : styleActions_) {
        action->setEnabled(controller_.styleMenuEnabled(command));
    }
    for (const auto& [action, command] : bankActions_) {
        action->setEnabled(bank_.menuEnabled(command, controller_.rowCount()));
    }
    bankPane_->render();
}

void StylesWindow::importBankFile(const std::string& path) {
    openImportWindow(ImportRequest::Source::File, path);
}

void StylesWindow::importSingleStyleFile(const std::string& path) {
    openSsfImportWindow(path);
}

void StylesWindow::openImportWindow(ImportRequest::Source source, const std::string& path) {
    StyleImportWindow window(state_, dialogs_, this);
    window.setAfterRun([this] { command([this] { controller_.importClosed(true); }); });
    window.prepare(source);
    if (!path.empty()) {
        window.controller().setPath(path);
    }
    window.exec();
    const bool imported = window.controller().outcome() != ImportOutcome::NothingImported;
    command([this, imported] { controller_.importClosed(imported); });
}

void StylesWindow::openSongLinks() {
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    const std::optional<StyleLinkRequest> request = controller_.linkRequest(row);
    if (!request) {
        return;
    }
    command([this, &request] {
        SongLinksWindow window(state_, dialogs_, LinkSubject::Style, request->StyleProg,
                               request->caption, this);
        window.exec();
    });
}

void StylesWindow::openLookalikesWindow() {
    LookalikesWindow window(state_, dialogs_, this);
    window.exec();
    // Keeping one style of a group may have deleted the others.
    command([this] { controller_.requery(); });
}

void StylesWindow::openDiskIdentifyWindow() {
    DiskIdentifyWindow window(state_, dialogs_, this);
    const bool imported = window.run();
    command([this, imported] { controller_.importClosed(imported); });
}

void StylesWindow::openFilterWindow() {
    StyleFilterWindow window(state_, this);
    window.exec();
    command([this] { controller_.filterWindowClosed(); });
}

void StylesWindow::bankCommand(BankCommand bankCommand) {
    recordSelection();
    const std::vector<GridStyle> selected =
        controller_.gridStyles(controller_.selectedRowFirst(), controller_.selectedRowLast());
    std::optional<BankWindowRequest> request;
    command([this, bankCommand, &selected, &request] {
        if (std::optional<BankWindowRequest> asked = bank_.run(bankCommand, selected)) {
            request.emplace(std::move(*asked));
        }
    });
    if (request) {
        openBankWindow(*request);
    }
}

void StylesWindow::openBankWindow(const BankWindowRequest& request) {
    // The windows read the catalogue as they open: a refusal is shown like any command's.
    command([this, &request] {
        if (const auto* dialog = std::get_if<BankDialogRequest>(&request)) {
            const BankDialogOutcome outcome =
                BankDialogWindow(state_, dialogs_, *dialog, this).run();
            bank_.bankDialogClosed(*dialog, outcome);
        } else if (const auto* whereIs = std::get_if<WhereIsRequest>(&request)) {
            WhereIsWindow(state_, dialogs_, whereIs->bank, whereIs->style,
                          QString::fromStdString(whereIs->caption), this)
                .run();
            bank_.whereIsClosed();
        } else if (const auto* make = std::get_if<MakeBankRequest>(&request)) {
            MakeBankWindow(state_, dialogs_, make->bank, this).exec();
        } else if (const auto* ssf = std::get_if<BankSsfExportRequest>(&request)) {
            SsfExportWindow window(state_, dialogs_, this);
            window.exportStyles(ssfBankExportRequest(controller_, ssf->bank));
        }
    });
}

void StylesWindow::dropOnBank(const std::vector<int>& rows) {
    std::vector<GridStyle> dropped;
    for (const int row : rows) {
        const std::vector<GridStyle> one = controller_.gridStyles(row, row);
        dropped.insert(dropped.end(), one.begin(), one.end());
    }
    command([this, &dropped] { bank_.insertSelected(dropped); });
}

void StylesWindow::openStyleEditWindow(int row) {
    std::optional<StyleRow> style;
    command([this, row, &style] { style = controller_.styleToEdit(row); });
    if (!style) {
        return;
    }
    StyleEditWindow window(*style, dialogs_, this);
    window.exec();
    if (const std::optional<StyleEditValues>& values = window.result()) {
        command([this, row, &values] { controller_.styleEdited(row, *values); });
    }
}

void StylesWindow::openGroupEditWindow() {
    std::optional<GroupValues> proposal;
    command([this, &proposal] { proposal = controller_.groupToEdit(); });
    if (!proposal) {
        return;
    }
    GroupEditWindow window(*proposal, dialogs_, this);
    window.exec();
    if (const std::optional<StyleColumnChanges>& changes = window.result()) {
        command([this, &changes] { controller_.groupEdited(*changes); });
    }
}

void StylesWindow::openSsfExportWindow() {
    SsfExportWindow window(state_, dialogs_, this);
    window.exportStyles(ssfStylesExportRequest(controller_));
}

void StylesWindow::openSsfImportWindow(const std::string& path) {
    SsfImportWindow window(state_, dialogs_, this);
    window.setAfterRun([this] { command([this] { controller_.importClosed(true); }); });
    window.prepare();
    if (!path.empty()) {
        window.controller().setChoice(SsfImportController::Choice::File);
        window.controller().setPath(path);
    }
    window.exec();
    const bool imported = window.controller().importedAny();
    command([this, imported] { controller_.importClosed(imported); });
}

}  // namespace orb
