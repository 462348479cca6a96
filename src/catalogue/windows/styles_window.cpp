#include "catalogue/windows/styles_window.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "catalogue/ssf_export_request.h"
#include "catalogue/windows/style_filter_window.h"
#include "catalogue/windows/style_list_model.h"
#include "core/errors.h"
#include "core/user_dialogs.h"
#include "state/app_state.h"
#include "stylefiles/windows/ssf_export_window.h"
#include "stylefiles/windows/ssf_import_window.h"
#include "stylefiles/windows/style_import_window.h"

namespace orb {
namespace {

struct MenuItem {
    const char* caption;  // "-" is a separator
    const char* shortcut;
};

constexpr std::array<MenuItem, StylesController::kFileMenuCount> kFileItems = {{
    {"Import from Folder", "Ctrl+I"},
    {"Import from STY file", "Ctrl+J"},
    {"-", ""},
    {"Print", "Ctrl+P"},
    {"-", ""},
    {"Exit", "Ctrl+Q"},
}};

constexpr std::array<MenuItem, StylesController::kStyleMenuCount> kStyleItems = {{
    {"Update (group)", "Ctrl+U"},
    {"Delete (group)", "Ctrl+D"},
    {"-", ""},
    {"Export to SSF", "Ctrl+T"},
    {"Import from SSF", "Ctrl+F"},
    {"-", ""},
    {"Set Filter", "Ctrl+S"},
    {"Reset Filter", "Ctrl+R"},
    {"Where is?", "Ctrl+W"},
    {"-", ""},
    {"Send to Korg utility", "Ctrl+K"},
    {"-", ""},
    {"Link Songs to selected Style", "Ctrl+L"},
}};

constexpr std::array<MenuItem, StylesController::kBankMenuCount> kBankItems = {{
    {"Insert selected style(s) inside bank", "Shift+Ins"},
    {"Remove selected style from bank", "Shift+Del"},
    {"Move selected style up", "Shift+F2"},
    {"Move selected style down", "F2"},
    {"-", ""},
    {"Erase bank", "F7"},
    {"-", ""},
    {"Save bank", "F8"},
    {"Save bank as ...", "F9"},
    {"Load bank", "F4"},
    {"-", ""},
    {"Export bank to SSF", "Ctrl+X"},
    {"-", ""},
    {"Make .STY file", "F5"},
    {"-", ""},
    {"Print bank", "F3"},
}};

// Sizes in twips, 15 to a pixel.
constexpr int pixels(int twips) {
    return twips / 15;
}
constexpr std::array<int, 5> kColumnTwips = {0, 1380, 4000, 1420, 1420};

const QColor kAscendingColour(0xFF, 0xC0, 0xC0);   // &HC0C0FF
const QColor kDescendingColour(0xC0, 0xFF, 0xC0);  // &HC0FFC0
const QColor kEmptySlotColour(0xE0, 0xE0, 0xE0);   // &HE0E0E0

template <std::size_t N>
void addItems(QMenu* menu, const char* prefix, const std::array<MenuItem, N>& items,
              std::array<QAction*, N>& actions) {
    for (std::size_t i = 0; i < N; ++i) {
        QAction* action = menu->addAction(items[i].caption);
        action->setSeparator(std::string_view(items[i].caption) == "-");
        action->setObjectName(QString("%1%2").arg(prefix).arg(i));
        action->setShortcut(QKeySequence(items[i].shortcut));
        actions[i] = action;
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
    : QDialog(parent), state_(state), dialogs_(dialogs), controller_(state, dialogs, this) {
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
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    // Rows of one height: the view never measures 100,000 rows one by one.
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->setColumnHidden(0, true);

    auto* headers = new QHBoxLayout;
    headers->setSpacing(0);
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
        const int width = pixels(kColumnTwips[static_cast<std::size_t>(i)]);
        button->setFixedWidth(width);
        grid_->setColumnWidth(i, width);
        headers->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, i] { command([this, i] { controller_.headerClicked(i); }); });
    }
    headers->addStretch();
    auto* styleLayout = new QVBoxLayout(frStyle_);
    styleLayout->addLayout(headers);
    styleLayout->addWidget(grid_, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(frStyle_, 1);
    body->addWidget(buildBankPane());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    buildMenus(this);
    resize(pixels(8600) + 300, 560);
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
    addItems(file, "mFile", kFileItems, mFile_);
    addItems(styles, "mStyles", kStyleItems, mStyles_);
    addItems(bank, "mbank", kBankItems, mbank_);
    layout()->setMenuBar(bar);

    connect(mFile_[0], &QAction::triggered, this,
            [this] { openImportWindow(ImportRequest::Source::Folder); });
    connect(mFile_[1], &QAction::triggered, this,
            [this] { openImportWindow(ImportRequest::Source::File); });
    connect(mFile_[5], &QAction::triggered, this, &StylesWindow::reject);
    for (QAction* action : mStyles_) {
        connect(action, &QAction::triggered, this, [this] { recordSelection(); });
    }
    for (QAction* action : mbank_) {
        connect(action, &QAction::triggered, this, [this] { recordSelection(); });
    }
    connect(mStyles_[StylesController::SetFilter], &QAction::triggered, this,
            [this] { openFilterWindow(); });
    connect(mStyles_[StylesController::ResetFilter], &QAction::triggered, this,
            [this] { command([this] { controller_.resetFilter(); }); });
    connect(mStyles_[StylesController::ExportToSsf], &QAction::triggered, this,
            [this] { openSsfExportWindow(); });
    connect(mStyles_[StylesController::ImportFromSsf], &QAction::triggered, this,
            [this] { openSsfImportWindow(); });
}

QWidget* StylesWindow::buildBankPane() {
    // Laid out only: the bank editing fills it.
    auto* frBank = new QGroupBox("<empty bank>", this);
    frBank->setObjectName("frBank");
    auto* layout = new QVBoxLayout(frBank);
    auto* description = new QLabel(frBank);
    description->setObjectName("lbBankDesc");
    layout->addWidget(description);
    for (int i = 0; i < 16; ++i) {
        auto* slot = new QLabel(frBank);
        slot->setObjectName(QString("lbNewStyle%1").arg(i));
        slot->setAutoFillBackground(true);
        slot->setMinimumWidth(pixels(1500));
        QPalette palette = slot->palette();
        palette.setColor(QPalette::Window, kEmptySlotColour);
        slot->setPalette(palette);
        layout->addWidget(slot);
    }
    const char* tips[2] = {"Add selected style(s) to bank", "Remove selected style from bank"};
    const char* captions[2] = {">", "<"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[i], frBank);
        button->setObjectName(QString("cmdBank%1").arg(i));
        button->setToolTip(tips[i]);
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    layout->addStretch();
    return frBank;
}

void StylesWindow::showEvent(QShowEvent* event) {
    command([this] { controller_.load(); });
    grid_->setFocus();
    QDialog::showEvent(event);
}

void StylesWindow::reject() {
    if (controller_.mayClose()) {
        QDialog::reject();
    }
}

void StylesWindow::styleListAboutToChange() {
    model_->listAboutToChange();
}

void StylesWindow::styleListChanged() {
    model_->listChanged();
}

void StylesWindow::command(const std::function<void()>& work) {
    try {
        work();
    } catch (const OrbError& error) {
        dialogs_.message(error.what(), UserDialogs::Icon::Critical);
    }
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
    for (int i = 0; i < StylesController::kFileMenuCount; ++i) {
        mFile_[static_cast<std::size_t>(i)]->setEnabled(controller_.fileMenuEnabled(i));
    }
    for (int i = 0; i < StylesController::kStyleMenuCount; ++i) {
        mStyles_[static_cast<std::size_t>(i)]->setEnabled(controller_.styleMenuEnabled(i));
    }
    for (int i = 0; i < StylesController::kBankMenuCount; ++i) {
        mbank_[static_cast<std::size_t>(i)]->setEnabled(controller_.bankMenuEnabled(i));
    }
}

void StylesWindow::openImportWindow(ImportRequest::Source source) {
    StyleImportWindow window(state_, dialogs_, this);
    const bool imported = window.importStyles(source) != ImportOutcome::NothingImported;
    command([this, imported] { controller_.importClosed(imported); });
}

void StylesWindow::openFilterWindow() {
    StyleFilterWindow window(state_, this);
    window.exec();
    command([this] { controller_.filterWindowClosed(); });
}

void StylesWindow::openSsfExportWindow() {
    SsfExportWindow window(state_, dialogs_, this);
    window.exportStyles(ssfStylesExportRequest(controller_));
}

void StylesWindow::openSsfImportWindow() {
    SsfImportWindow window(state_, dialogs_, this);
    const bool imported = window.importStyles();
    command([this, imported] { controller_.importClosed(imported); });
}

}  // namespace orb
