#include "songs/windows/songs_window.h"
#include "widgets/list_grid.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

#include <optional>
#include "widgets/qt_print_service.h"
#include "core/user_dialogs.h"
#include "songs/windows/song_dialog_window.h"
#include "songs/windows/song_grid_model.h"
#include "songs/windows/song_import_window.h"
#include "songs/windows/song_links_window.h"
#include "state/app_state.h"
#include "widgets/failure_shown.h"

namespace orb {
namespace {

// Sizes in twips, 15 to a pixel; the columns 0 and 3 are hidden.
constexpr int pixels(int twips) {
    return twips / 15;
}
// The style column holds the style's number, description and family beside its name.
constexpr std::array<int, 8> kColumnTwips = {0, 2740, 2000, 0, 3000, 600, 600, 2500};
constexpr std::array<int, 6> kHeaderColumns = {1, 2, 4, 5, 6, 7};
const QColor kAscendingColour(0xFF, 0xC0, 0xC0);   // &HC0C0FF
const QColor kDescendingColour(0xC0, 0xFF, 0xC0);  // &HC0FFC0

// The File menu's commands, which only this window has.
enum class FileCommand { ImportFromTextFile, Print, Exit };

template <typename Command>
struct MenuItem {
    const char* caption;
    std::optional<Command> command;  // none for a separator
};
constexpr std::array<MenuItem<FileCommand>, 5> kFileItems = {{
    {"Import from text file", FileCommand::ImportFromTextFile},
    {"-", std::nullopt},
    {"Print ", FileCommand::Print},
    {"-", std::nullopt},
    {"Exit", FileCommand::Exit},
}};
constexpr std::array<MenuItem<SongCommand>, 8> kSongItems = {{
    {"Add", SongCommand::Add},
    {"Update", SongCommand::Update},
    {"Delete", SongCommand::Delete},
    {"Erase link", SongCommand::EraseLink},
    {"-", std::nullopt},
    {"Link to style", SongCommand::LinkToStyle},
    {"-", std::nullopt},
    {"Save to .STY for DIRECT FD", SongCommand::SaveToFloppy},
}};

void colourHeader(QPushButton* button, SongSort sort) {
    QPalette palette;
    if (sort != SongSort::None) {
        palette = button->palette();
        palette.setColor(QPalette::Button,
                         sort == SongSort::Ascending ? kAscendingColour : kDescendingColour);
    }
    button->setPalette(palette);
}

}  // namespace

SongsWindow::SongsWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), controller_(state, dialogs) {
    setObjectName("frmSongs");
    setWindowTitle(QString::fromStdString(SongsController::caption()));
    setModal(true);

    model_ = new SongGridModel(controller_, this);
    grid_ = new QTableView(this);
    grid_->setObjectName("grSongs");
    grid_->setModel(model_);
    setUpListGrid(grid_);
    for (int column = 0; column < SongGridModel::kColumnCount; ++column) {
        grid_->setColumnWidth(column, pixels(kColumnTwips[static_cast<std::size_t>(column)]));
    }
    grid_->setColumnHidden(0, true);
    grid_->setColumnHidden(3, true);
    connect(grid_, &QTableView::doubleClicked, this, [this] { editSong(); });

    std::vector<std::pair<int, QPushButton*>> tied;
    for (int i = 0; i < 6; ++i) {
        auto* button =
            new QPushButton(SongsController::kHeaderCaptions[static_cast<std::size_t>(i)], this);
        button->setObjectName(QString("cmdHeader%1").arg(i));
        button->setAutoFillBackground(true);
        tied.emplace_back(kHeaderColumns[static_cast<std::size_t>(i)], button);
        headers_[static_cast<std::size_t>(i)] = button;
        connect(button, &QPushButton::clicked, this,
                [this, i] { command([this, i] { controller_.headerClicked(i); }); });
    }
    // Each header shows its caption whole; the notes take what the window gives.
    QWidget* headerRow = tieHeaderButtons(grid_, tied, 7);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(headerRow);
    layout->addWidget(grid_, 1);
    buildMenus();
    controller_.onChange([this] { render(); });
    int width = 0;
    for (int column = 0; column < SongGridModel::kColumnCount; ++column) {
        width += grid_->isColumnHidden(column) ? 0 : grid_->columnWidth(column);
    }
    resize(width + 40, 480);
}

void SongsWindow::buildMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("menuBar");
    auto* file = bar->addMenu("&File");
    file->setObjectName("mTopFile");
    auto* songs = bar->addMenu("&Songs");
    songs->setObjectName("mTopSongs");
    for (std::size_t i = 0; i < kFileItems.size(); ++i) {
        QAction* action = file->addAction(kFileItems[i].caption);
        action->setSeparator(!kFileItems[i].command);
        if (action->isSeparator()) {
            action->setText({});  // a bare line, without a "-" beside it
        }
        action->setObjectName(QString("mFile%1").arg(i));
        if (const std::optional<FileCommand> command = kFileItems[i].command) {
            connect(action, &QAction::triggered, this, [this, command] {
                switch (*command) {
                    case FileCommand::ImportFromTextFile:
                        return openImportWindow();
                    case FileCommand::Print:
                        return print();
                    case FileCommand::Exit:
                        return reject();
                }
            });
        }
    }
    for (std::size_t i = 0; i < kSongItems.size(); ++i) {
        QAction* action = songs->addAction(kSongItems[i].caption);
        action->setSeparator(!kSongItems[i].command);
        if (action->isSeparator()) {
            action->setText({});
        }
        action->setObjectName(QString("mSongs%1").arg(i));
        if (const std::optional<SongCommand> command = kSongItems[i].command) {
            connect(action, &QAction::triggered, this, [this, command] { songCommand(*command); });
            songActions_.emplace_back(action, *command);
        }
    }
    layout()->setMenuBar(bar);
}

void SongsWindow::songCommand(SongCommand songCommand) {
    switch (songCommand) {
        case SongCommand::Add:
            return command([this] {
                SongDialogWindow dialog(state_, dialogs_, controller_.addRequest(), this);
                controller_.songDialogClosed(dialog.exec() == QDialog::Accepted);
            });
        case SongCommand::Update:
            return editSong();
        case SongCommand::Delete:
            return command([this] { controller_.deleteSongs(currentRow(), selectionEnd()); });
        case SongCommand::EraseLink:
            return command([this] { controller_.eraseLink(currentRow()); });
        case SongCommand::LinkToStyle:
            return openLinkWindow();
        case SongCommand::SaveToFloppy:
            return command([this] { controller_.saveToFloppy(currentRow()); });
    }
}

void SongsWindow::showEvent(QShowEvent* event) {
    command([this] { controller_.load(); });
    grid_->setFocus();
    QDialog::showEvent(event);
}

void SongsWindow::command(const std::function<void()>& work) {
    runShowingFailure(dialogs_, work);
}

void SongsWindow::render() {
    const int current = currentRow();
    model_->reset();
    if (current >= 0 && current < model_->rowCount()) {
        grid_->selectRow(current);
    }
    for (int i = 0; i < 6; ++i) {
        colourHeader(headers_[static_cast<std::size_t>(i)], controller_.headerSort(i));
    }
    for (const auto& [action, command] : songActions_) {
        action->setEnabled(controller_.songMenuEnabled(command));
    }
}

int SongsWindow::currentRow() const {
    return grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
}

int SongsWindow::selectionEnd() const {
    const int current = currentRow();
    const QItemSelection selection = grid_->selectionModel()->selection();
    if (selection.isEmpty() || current < 0) {
        return current;
    }
    const QItemSelectionRange& block = selection.first();
    return current == block.top() ? block.bottom() : block.top();
}

void SongsWindow::editSong() {
    command([this] {
        const auto request = controller_.editRequest(currentRow());
        if (request) {
            SongDialogWindow dialog(state_, dialogs_, *request, this);
            controller_.songDialogClosed(dialog.exec() == QDialog::Accepted);
        }
    });
}

void SongsWindow::openLinkWindow() {
    command([this] {
        const auto request = controller_.linkRequest(currentRow());
        if (request) {
            SongLinksWindow window(state_, dialogs_, LinkSubject::Song, request->LinkSongCode,
                                   request->caption, this);
            window.exec();
            controller_.refill();
        }
    });
}

void SongsWindow::openImportWindow() {
    command([this] {
        SongImportWindow window(state_, dialogs_, this);
        window.exec();
        controller_.refill();
    });
}

void SongsWindow::print() {
    QtPrintService printer(dialogs_, state_.settings);
    controller_.print(printer);
}

}  // namespace orb
