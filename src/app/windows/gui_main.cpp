#include "app/windows/gui_main.h"

#include <QApplication>
#include <QTimer>

#include "app/startup.h"
#include "backup/windows/backup_window.h"
#include "catalogue/windows/styles_window.h"
#include "songs/windows/songs_window.h"
#include "state/app_state.h"
#include "widgets/orb_icon.h"
#include "widgets/qt_user_dialogs.h"
#include "widgets/window_memory.h"

namespace orb {

MainWindowFactories mainWindowFactories(AppState& state, UserDialogs& dialogs) {
    // Each window given enables its button on the main window.
    MainWindowFactories factories;
    factories.styles = [&state, &dialogs](QWidget* parent) {
        return new StylesWindow(state, dialogs, parent);
    };
    factories.songs = [&state, &dialogs](QWidget* parent) {
        return new SongsWindow(state, dialogs, parent);
    };
    factories.backupRestore = [&state, &dialogs](QWidget* parent) {
        return new BackupWindow(state, dialogs, parent);
    };
    return factories;
}

int runWindows(AppState& state, const std::optional<std::string>& file) {
    QApplication::setWindowIcon(orbIcon());
    WindowMemory memory(state.settings);
    qApp->installEventFilter(&memory);
    QtUserDialogs dialogs;
    if (Main(state, dialogs, defaultDatabasePath()) == StartupOutcome::Quit) {
        return 0;
    }
    MainWindow window(state, dialogs, mainWindowFactories(state, dialogs));
    dialogs.setParentWindow(&window);
    window.show();
    if (file) {
        QTimer::singleShot(0, &window, [&window, path = *file] { window.openFile(path); });
    }
    return QApplication::exec();
}

}  // namespace orb
