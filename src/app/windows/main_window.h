#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "app/main_controller.h"

class QDialog;
class QLabel;
class QPushButton;

namespace orb {

class AppState;
class UserDialogs;

// Makes one of the windows that the main window opens. Called once, on first use; the window
// then lives, hidden between showings, for the rest of the run.
using SubWindowFactory = std::function<QDialog*(QWidget* parent)>;

// The windows of other parts of the program. A button whose window is not given stays
// disabled.
struct MainWindowFactories {
    SubWindowFactory styles;         // "Styles"
    SubWindowFactory songs;          // "Songs"
    SubWindowFactory backupRestore;  // "Backup / Restore"
};

// The program's home window: the picture and a button for each part of the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Menu { Styles = 0, Songs = 1, About = 2, Parameters = 3, Exit = 4, BackupRestore = 5 };
    static constexpr int kMenuCount = 6;

    MainWindow(AppState& state, UserDialogs& dialogs, MainWindowFactories factories = {},
               QWidget* parent = nullptr);

    // A click on a button: shows its window modally, or ends the run for "Exit".
    void menuClicked(int index);

    // `orb FILE`: shows the window that opens the file (after the usual message when it cannot
    // be read, and then nothing else).
    void openFile(const std::string& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void pictureMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // Shows the button's window modally; `whenShown` runs once it is up.
    void showWindow(int index, std::function<void(QDialog*)> whenShown = {});
    // The status line: the path of the database in use.
    void showDatabasePath();

    AppState& state_;
    UserDialogs& dialogs_;
    MainController controller_;
    std::array<SubWindowFactory, kMenuCount> factories_;
    std::array<QPointer<QDialog>, kMenuCount> windows_;
    std::array<QPushButton*, kMenuCount> cmdMenu_{};
    QPointer<QDialog> undoWindow_;
    QPointer<QDialog> checkWindow_;
    QLabel* lbDatabase_ = nullptr;
};

}  // namespace orb
