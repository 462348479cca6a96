#pragma once

#include <QMainWindow>

namespace orb {

class AppState;
class UserDialogs;

// frmMain: the program's home window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState& state_;
    UserDialogs& dialogs_;
};

}  // namespace orb
