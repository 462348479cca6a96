// Saves pictures of ORB's windows for the documentation, drawn offscreen on a database and
// settings of their own:  orb_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <iostream>

#include "app/startup.h"
#include "app/windows/gui_main.h"
#include "app/windows/main_window.h"
#include "app/windows/parameters_window.h"
#include "backup/windows/backup_window.h"
#include "catalogue/windows/styles_window.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "db/database.h"
#include "songs/windows/songs_window.h"
#include "state/app_state.h"
#include "stylefiles/windows/style_import_window.h"
#include "widgets/qt_user_dialogs.h"

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!window.grab().save(path, "PNG")) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
}

// A small catalogue and one stored bank of eight of its styles.
void fillCatalogue(orb::Database& db) {
    const char* styles[][4] = {
        {"8BEAT", "Straight pop 8 beat", "Pop", "Beat"},
        {"BALLAD", "Slow piano ballad", "Pop", "Ballad"},
        {"BOSSA", "Bossa nova, brushes", "Latin", "Bossa"},
        {"COUNTRY", "Country shuffle", "Country", "Shuffle"},
        {"DISCO", "Seventies disco", "Dance", "Disco"},
        {"FOXTROT", "Ballroom foxtrot", "Ballroom", "Standard"},
        {"JIVE", "Fast jive", "Ballroom", "Latin"},
        {"MAMBO", "Mambo with horns", "Latin", "Mambo"},
        {"POLKA", "Alpine polka", "Folk", "Polka"},
        {"ROCK", "Classic rock", "Rock", "Rock"},
        {"SWING", "Big band swing", "Jazz", "Swing"},
        {"TANGO", "Argentine tango", "Ballroom", "Latin"},
    };
    int prog = 0;
    for (const auto& style : styles) {
        ++prog;
        db.execute(
            "INSERT INTO KORFStyles VALUES (pProg, pName, pName, 4, 4, pBlock, pBlock, "
            "pBlock, '2026/12/06', pDesc, pCat, pFamily, 'USER01.STY', 'ORB')",
            {prog, style[0], orb::SqlParam::blob("blok"), style[1], style[3], style[2]});
    }
    db.execute(
        "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, BankStyle02, "
        "BankStyle03, BankStyle04, BankStyle05, BankStyle06, BankStyle07, BankStyle08) "
        "VALUES (1, 'SATURDAY', 'Dance night, first set', 6, 12, 7, 8, 3, 5, 2, 11)");
}

// Loads the first stored bank through "Load bank" and its dialog.
void loadFirstBank(orb::StylesWindow& window) {
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* tree = dialog->findChild<QTreeWidget*>("tvBanks");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        dialog->findChild<QPushButton*>("cmdOk")->click();
    });
    window.bank().load();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: orb_screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir work;
    if (!work.isValid() || !output.exists()) {
        std::cerr << "no output folder or no temporary folder\n";
        return 1;
    }
    const std::filesystem::path folder = work.path().toStdString();
    orb::QtSettingsStore settings(folder / "ORB.ini");
    orb::SystemClock clock;
    orb::AppState state(settings, clock);
    state.DatabasePath = (folder / "ORB.MDB").string();
    orb::Database().open(state.DatabasePath, orb::Database::OpenMode::CreateIfMissing);
    orb::OpenDatabase(state);
    fillCatalogue(state.connection);

    // The paths a musician might have set; the windows only show them here.
    state.DatabasePath = "/home/musician/.local/share/ORB/ORB/ORB.MDB";
    state.KorgUtilityPath = "/home/musician/korg/PaUtility.exe";
    state.FloppyPath = "/media/floppy";
    state.BackupPath = "/home/musician/Backups/ORB.ODD";
    state.PaHardDiskPath = "/media/musician/PA80";

    orb::QtUserDialogs dialogs;
    orb::MainWindow mainWindow(state, dialogs, orb::mainWindowFactories(state, dialogs));
    mainWindow.resize(640, 380);
    orb::ParametersWindow parameters(state, dialogs);
    orb::StyleImportWindow import(state, dialogs);
    orb::BackupWindow backup(state, dialogs);
    // A few songs linked to the sample styles, so that the songs window shows what it is for.
    orb::Database& db = state.connection;
    const char* songs[4][2] = {{"Blue Moon", "Rodgers"},
                               {"The Girl from Ipanema", "Jobim"},
                               {"Summertime", "Gershwin"},
                               {"Yesterday", "Lennon/McCartney"}};
    for (int code = 1; code <= 4; ++code) {
        db.execute("INSERT INTO KORFSongs VALUES (pCode, pTitle, pPerformer)",
                   {code, songs[code - 1][0], songs[code - 1][1]});
    }
    db.execute("INSERT INTO KORFSonSty VALUES (1, 11, '120', '0', 'swing feel')");
    db.execute("INSERT INTO KORFSonSty VALUES (2, 3, '132', '+2', 'intro 2')");
    db.execute("INSERT INTO KORFSonSty VALUES (3, 2, '76', '-3', 'slow')");
    db.execute("INSERT INTO KORFSonSty VALUES (3, 11, '96', '-3', 'second chorus')");
    orb::SongsWindow songsWindow(state, dialogs);
    songsWindow.show();
    orb::StylesWindow styles(state, dialogs);
    styles.resize(900, 560);
    styles.show();
    loadFirstBank(styles);
    styles.bank().clickSlot(2);
    const bool ok =
        save(mainWindow, output, "main-window.png") && save(styles, output, "styles-window.png") &&
        save(parameters, output, "parameters-window.png") &&
        save(import, output, "import-window.png") && save(backup, output, "backup-window.png") &&
        save(songsWindow, output, "songs-window.png");
    parameters.close();
    import.close();
    backup.close();
    songsWindow.close();
    styles.hide();
    state.exitRequested = true;  // nothing to close at the end of a picture run
    return ok ? 0 : 1;
}
