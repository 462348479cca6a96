// Saves pictures of ORB's windows for the documentation, drawn offscreen on a database and
// settings of their own:  orb_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <filesystem>
#include <iostream>

#include "app/startup.h"
#include "app/windows/gui_main.h"
#include "app/windows/main_window.h"
#include "app/windows/parameters_window.h"
#include "app/windows/qt_user_dialogs.h"
#include "backup/windows/backup_window.h"
#include "catalogue/windows/styles_window.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "songs/windows/songs_window.h"
#include "db/db_korf_style.h"
#include "state/app_state.h"
#include "stylefiles/windows/style_import_window.h"

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

// A small catalogue for the styles window: name, description, family, group, author.
bool addSampleStyles(orb::Database& connection) {
    struct Sample {
        const char* name;
        const char* description;
        const char* family;
        const char* group;
    };
    const Sample samples[] = {
        {"8BEAT POP", "Straight pop groove, light hi-hat", "Pop", "8 Beat"},
        {"UNPLUGGED", "Acoustic guitars and brushes", "Pop", "Ballad"},
        {"BOSSANOVA", "Nylon guitar, rim clicks", "Latin", "Bossa"},
        {"SALSA", "Piano montuno with horns", "Latin", "Salsa"},
        {"BIG BAND", "Swing with full brass section", "Jazz", "Swing"},
        {"JAZZ WALTZ", "Walking bass in three", "Jazz", "Waltz"},
        {"DISCO 70", "Four on the floor, strings", "Dance", "Disco"},
        {"ROCK SHUFF", "Shuffled rock with overdrive", "Rock", "Shuffle"},
        {"COUNTRY 2", "Train beat with pedal steel", "Country", "Two-step"},
        {"POLKA", "Oom-pah with accordion", "Folk", "Polka"},
    };
    orb::DbKORFStyle style(connection);
    std::int32_t number = 1;
    for (const Sample& sample : samples) {
        style.StyleProg = number++;
        style.StyleName1 = sample.name;
        style.StyleName2 = sample.name;
        style.StyleContent1 = std::string(64, static_cast<char>(number));
        style.StyleLength1 = static_cast<std::int32_t>(style.StyleContent1.size());
        style.StyleDate = "2026/12/06";
        style.StyleDesc = sample.description;
        style.StyleFamily = sample.family;
        style.StyleCat = sample.group;
        style.StyleFile = "USER01.STY";
        style.StyleAuthor = "Sample";
        if (!style.InsKORFStyles()) {
            std::cerr << "cannot store a sample style: " << style.clsKORFStylesError << "\n";
            return false;
        }
    }
    return true;
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
    if (!addSampleStyles(state.connection)) {
        return 1;
    }

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
    // A few songs and links, so that the songs window shows what it is for.
    orb::Database& db = state.connection;
    const char* names[3] = {"BOSSA1", "SLOWROCK", "SWING2"};
    for (int prog = 1; prog <= 3; ++prog) {
        db.execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (pProg, pName)",
                   {prog, names[prog - 1]});
    }
    const char* songs[4][2] = {{"Blue Moon", "Rodgers"},
                               {"The Girl from Ipanema", "Jobim"},
                               {"Summertime", "Gershwin"},
                               {"Yesterday", "Lennon/McCartney"}};
    for (int code = 1; code <= 4; ++code) {
        db.execute("INSERT INTO KORFSongs VALUES (pCode, pTitle, pPerformer)",
                   {code, songs[code - 1][0], songs[code - 1][1]});
    }
    db.execute("INSERT INTO KORFSonSty VALUES (1, 3, '120', '0', 'swing feel')");
    db.execute("INSERT INTO KORFSonSty VALUES (2, 1, '132', '+2', 'intro 2')");
    db.execute("INSERT INTO KORFSonSty VALUES (3, 2, '76', '-3', 'slow')");
    db.execute("INSERT INTO KORFSonSty VALUES (3, 3, '96', '-3', 'second chorus')");
    orb::SongsWindow songsWindow(state, dialogs);
    songsWindow.show();
    orb::StylesWindow styles(state, dialogs);
    const bool ok = save(mainWindow, output, "main-window.png") &&
                    save(parameters, output, "parameters-window.png") &&
                    save(import, output, "import-window.png") &&
                    save(backup, output, "backup-window.png") &&
                    save(songsWindow, output, "songs-window.png") &&
                    save(styles, output, "styles-window.png");
    parameters.close();
    import.close();
    backup.close();
    styles.close();
    state.exitRequested = true;  // nothing to close at the end of a picture run
    return ok ? 0 : 1;
}
