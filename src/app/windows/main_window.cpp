#include "app/windows/main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/file_to_open.h"
#include "app/windows/about_window.h"
#include "app/windows/parameters_window.h"
#include "app/windows/undo_window.h"
#include "backup/windows/backup_window.h"
#include "catalogue/windows/check_window.h"
#include "catalogue/windows/styles_window.h"
#include "core/version.h"
#include "state/app_state.h"
#include "widgets/orb_picture.h"

namespace orb {
namespace {

// Each with its Alt key; File keeps Alt+F.
constexpr std::array<const char*, MainWindow::kMenuCount> kCaptions = {
    "&Styles", "S&ongs", "&About", "&Parameters", "E&xit", "&Backup / Restore"};
// Left to right on the window: the catalogue first, the program's own matters last.
constexpr std::array<int, MainWindow::kMenuCount> kButtonOrder = {
    MainWindow::Styles,     MainWindow::Songs, MainWindow::BackupRestore,
    MainWindow::Parameters, MainWindow::About, MainWindow::Exit};

MouseButton toMouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::Other;
    }
}

int toShiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        state |= kShiftKey;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        state |= kCtrlKey;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        state |= kAltKey;
    }
    return state;
}

}  // namespace

MainWindow::MainWindow(AppState& state, UserDialogs& dialogs, MainWindowFactories factories,
                       QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs), controller_(state, dialogs) {
    setObjectName("frmMain");
    setWindowTitle(kMainCaption);

    factories_[Styles] = std::move(factories.styles);
    factories_[Songs] = std::move(factories.songs);
    factories_[BackupRestore] = std::move(factories.backupRestore);
    factories_[About] = [](QWidget* owner) { return new AboutWindow(owner); };
    factories_[Parameters] = [&state, &dialogs](QWidget* owner) {
        return new ParametersWindow(state, dialogs, owner);
    };

    auto* file = menuBar()->addMenu("&File");
    file->setObjectName("mFile");
    const auto addFileCommand = [this, file](const char* caption, const char* name,
                                             QPointer<QDialog>& window, SubWindowFactory make) {
        QAction* action = file->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, &window, make] {
            if (window.isNull()) {
                window = make(this);
            }
            window->exec();
        });
    };
    addFileCommand(
        "Undo last change ...", "mUndo", undoWindow_,
        [&state, &dialogs](QWidget* owner) { return new UndoWindow(state, dialogs, owner); });
    addFileCommand(
        "Check catalogue ...", "mCheck", checkWindow_,
        [&state, &dialogs](QWidget* owner) { return new CheckWindow(state, dialogs, owner); });

    auto* central = new QWidget(this);
    auto* picture = new OrbPicture(central);
    picture->setObjectName("Picture1");
    connect(picture, &OrbPicture::pressed, this, &MainWindow::pictureMouseDown);

    auto* buttons = new QHBoxLayout;
    for (int index : kButtonOrder) {
        auto* button = new QPushButton(kCaptions[index], central);
        button->setObjectName(QString("cmdMenu%1").arg(index));
        button->setEnabled(index == Exit || factories_[index] != nullptr);
        // Enter presses the focused button, as Space does.
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, index] { menuClicked(index); });
        buttons->addWidget(button);
        cmdMenu_[index] = button;
    }

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(picture, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);
    // Keyboard work starts on the first button that can be pressed.
    for (int index : kButtonOrder) {
        if (cmdMenu_[index]->isEnabled()) {
            cmdMenu_[index]->setFocus();
            break;
        }
    }

    // Which catalogue is open stays in sight; the caption keeps the program's name.
    lbDatabase_ = new QLabel(this);
    lbDatabase_->setObjectName("lbDatabase");
    statusBar()->addWidget(lbDatabase_, 1);
    showDatabasePath();
}

void MainWindow::showDatabasePath() {
    lbDatabase_->setText("Database: " + QString::fromStdString(state_.DatabasePath));
}

void MainWindow::menuClicked(int index) {
    if (index == Exit) {
        controller_.exit();
        close();
        return;
    }
    showWindow(index);
}

void MainWindow::showWindow(int index, std::function<void(QDialog*)> whenShown) {
    if (index < 0 || index >= kMenuCount || !factories_[index]) {
        return;
    }
    if (windows_[index].isNull()) {
        windows_[index] = factories_[index](this);
    }
    QDialog* window = windows_[index];
    if (whenShown) {
        QTimer::singleShot(0, window, [window, whenShown] { whenShown(window); });
    }
    window->exec();
    showDatabasePath();  // the parameters window may have opened another database
}

void MainWindow::openFile(const std::string& path) {
    const std::optional<FileToOpen> file = fileToOpen(path, dialogs_);
    if (!file) {
        return;
    }
    switch (file->kind) {
        case FileToOpen::Kind::Bank:
            return showWindow(Styles, [path](QDialog* window) {
                if (auto* styles = qobject_cast<StylesWindow*>(window)) {
                    styles->importBankFile(path);
                }
            });
        case FileToOpen::Kind::SingleStyle:
            return showWindow(Styles, [path](QDialog* window) {
                if (auto* styles = qobject_cast<StylesWindow*>(window)) {
                    styles->importSingleStyleFile(path);
                }
            });
        case FileToOpen::Kind::Dump:
            return showWindow(BackupRestore, [path](QDialog* window) {
                if (auto* backup = qobject_cast<BackupWindow*>(window)) {
                    backup->restoreFrom(path);
                }
            });
    }
}

void MainWindow::pictureMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    controller_.pictureMouseDown(toMouseButton(button), toShiftState(modifiers));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Leaving by the window frame ends the run as "Exit" does.
    controller_.windowClosed();
    event->accept();
}

}  // namespace orb
