#include "app/windows/gui_main.h"

#include <QApplication>
#include <utility>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/windows/main_window.h"
#include "app/windows/qt_user_dialogs.h"
#include "backup/windows/backup_window.h"

namespace orb {

int runWindows(AppState& state) {
    QtUserDialogs dialogs;
    // Windows stay painted while bank files are read and written.
    state.Library.letEventsRunThrough(dialogs);
    if (Main(state, dialogs, defaultDatabasePath()) == StartupOutcome::Quit) {
        return 0;
    }
    // The windows of the catalogue, the songs and the backup; each one given enables its
    // button on the main window.
    MainWindowFactories factories;
    factories.backupRestore = [&](QWidget* parent) {
        return new BackupWindow(state, dialogs, parent);
    };
    MainWindow window(state, dialogs, std::move(factories));
    dialogs.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}

}  // namespace orb
