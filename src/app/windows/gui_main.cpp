#include "app/windows/gui_main.h"

#include <QApplication>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/windows/main_window.h"
#include "app/windows/qt_user_dialogs.h"

namespace orb {

int runWindows(AppState& state) {
    QtUserDialogs dialogs;
    // Windows stay painted while bank files are read and written.
    state.Library.letEventsRunThrough(dialogs);
    if (Main(state, dialogs, defaultDatabasePath()) == StartupOutcome::Quit) {
        return 0;
    }
    MainWindow window(state, dialogs);
    dialogs.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}

}  // namespace orb
