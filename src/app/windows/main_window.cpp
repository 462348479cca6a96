#include "app/windows/main_window.h"

#include <QCloseEvent>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/version.h"

namespace orb {

MainWindow::MainWindow(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
    setObjectName("frmMain");
    setWindowTitle(kMainCaption);
    resize(480, 320);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Leaving by the window frame ends the run as "Exit" does.
    if (!state_.exitRequested) {
        CloseAndExit(state_, dialogs_);
    }
    event->accept();
}

}  // namespace orb
