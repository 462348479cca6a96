#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/undo_controller.h"
#include "app/windows/about_window.h"
#include "app/windows/gui_main.h"
#include "app/windows/main_window.h"
#include "app/windows/parameters_window.h"
#include "app/windows/undo_window.h"
#include "backup/dump_writer.h"
#include "support/on_modal.h"
#include "support/query_column.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"
#include "support/widget_child.h"
#include "widgets/log_window.h"
#include "widgets/qt_user_dialogs.h"
#include "widgets/window_memory.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;
using Texts = std::vector<std::string>;

QPushButton* menuButton(QWidget& window, int index) {
    return window.findChild<QPushButton*>(QString("cmdMenu%1").arg(index));
}

using test::onModal;

TEST(MainWindow, AGivenWindowIsMadeOnceAndTheKeyboardReachesEachButton) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    {
        MainWindow bare(env.state, env.dialogs);
        EXPECT_FALSE(menuButton(bare, MainWindow::Songs)->isEnabled());
    }
    int made = 0;
    MainWindowFactories factories;
    factories.songs = [&made](QWidget* parent) {
        ++made;
        auto* songs = new QDialog(parent);
        songs->setObjectName("frmSongs");
        return songs;
    };
    MainWindow window(env.state, env.dialogs, factories);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(window.objectName(), "frmMain");
    EXPECT_EQ(window.windowTitle(), "ORB 2.31");
    EXPECT_NE(window.findChild<QWidget*>("Picture1"), nullptr);
    const struct {
        int index;
        const char* caption;
        const char* key;
        bool enabled;
    } buttons[] = {{MainWindow::Styles, "&Styles", "Alt+S", false},
                   {MainWindow::Songs, "S&ongs", "Alt+O", true},
                   {MainWindow::About, "&About", "Alt+A", true},
                   {MainWindow::Parameters, "&Parameters", "Alt+P", true},
                   {MainWindow::Exit, "E&xit", "Alt+X", true},
                   {MainWindow::BackupRestore, "&Backup / Restore", "Alt+B", false}};
    for (int i = 0; i < 6; ++i) {
        QPushButton* button = menuButton(window, buttons[i].index);
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button, menuButton(window, i));
        EXPECT_EQ(button->text(), buttons[i].caption);
        EXPECT_EQ(button->shortcut(), QKeySequence(buttons[i].key)) << buttons[i].key;
        EXPECT_EQ(button->isEnabled(), buttons[i].enabled) << buttons[i].caption;
    }
    EXPECT_EQ(window.focusWidget(), menuButton(window, MainWindow::Songs));

    // Each opens modally, twice from the keyboard, one window for the run.
    for (const auto& [button, key, name] :
         {std::tuple{MainWindow::Songs, Qt::Key_Return, "frmSongs"},
          {MainWindow::About, Qt::Key_Enter, "frmAbout"}}) {
        for (int i = 0; i < 2; ++i) {
            QString opened;
            onModal([&opened](QWidget& modal) {
                opened = modal.objectName();
                QTest::keyClick(&modal, Qt::Key_Escape);
            });
            menuButton(window, button)->setFocus();
            QTest::keyClick(window.focusWidget(), key);
            EXPECT_EQ(opened, name);
        }
    }
    EXPECT_EQ(made, 1);
    EXPECT_EQ(window.findChildren<AboutWindow*>().size(), 1);
}

// `orb FILE`
TEST(MainWindow, AFileGivenOpensInItsWindowAndNothingIsStoredUnasked) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    const std::string bank = (env.dir / "Gig.sty").string();
    test::writeFile(
        bank, test::StyFileBuilder().style(3, "ROCK", test::makeChunk(40, 7), "", "").bytes());
    const std::string single = (env.dir / "Beat.SSF").string();
    test::writeFile(single, "read only when the person starts the import");
    const std::string dump = (env.dir / "Monday.ODD").string();
    writeDumpFile(env.state.connection, dump);
    MainWindow window(env.state, env.dialogs, mainWindowFactories(env.state, env.dialogs));
    window.show();

    const struct {
        std::string path;
        std::vector<const char*> windows;  // what opens, outermost first
        const char* field;                 // the field that shows the file
    } cases[] = {
        {bank, {"frmStyles", "frmStyImport"}, "txtFolder"},
        {single, {"frmStyles", "frmSSFImport"}, "txtFolder"},
        {dump, {"frmBckpRstr"}, "txtField1"},
        {(env.dir / "Gone.STY").string(), {}, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> opened;
        std::string shown;
        // Records each window as it opens (unlike onModal, one may stay open for a window opened
        // inside it); the innermost shows the file and is closed, then each one around it.
        std::function<void(std::size_t)> watch = [&](std::size_t depth) {
            QTimer::singleShot(0, [&, depth] {
                QWidget* modal = QApplication::activeModalWidget();
                ASSERT_NE(modal, nullptr);
                opened.push_back(modal->objectName().toStdString());
                if (depth + 1 < c.windows.size()) {
                    watch(depth + 1);
                    QTimer::singleShot(0, modal, [modal] {
                        QTimer::singleShot(0, modal,
                                           [modal] { static_cast<QDialog*>(modal)->reject(); });
                    });
                    return;
                }
                QTimer::singleShot(0, modal, [&, modal] {
                    shown = modal->findChild<QLineEdit*>(c.field)->text().toStdString();
                    static_cast<QDialog*>(modal)->reject();
                });
            });
        };
        if (!c.windows.empty()) {
            watch(0);
        }
        env.dialogs.clear();
        if (c.path == dump) {
            env.dialogs.answer(Answer::No);  // the check passed: restore? No
        }
        window.openFile(c.path);
        QApplication::processEvents();
        EXPECT_EQ(opened, std::vector<std::string>(c.windows.begin(), c.windows.end())) << c.path;
        if (!c.windows.empty()) {
            EXPECT_EQ(shown, c.path);
        }
        EXPECT_EQ(test::rowCount(env.state.connection, "KORFStyles"), 0) << c.path;
        EXPECT_TRUE(env.dialogs.allAnswersUsed()) << c.path;
    }
    EXPECT_EQ(env.dialogs.messages(), Texts{"The file " + cases[3].path + " does not exist."});
    EXPECT_TRUE(window.isVisible());
}

TEST(MainWindow, TheStatusLineNamesTheDatabaseAndOnlyShiftCtrlAltClickAsksForThePassword) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    MainWindow window(env.state, env.dialogs);
    window.show();
    auto* status = window.findChild<QLabel*>("lbDatabase");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text().toStdString(), "Database: " + env.state.DatabasePath);

    // Another database chosen in the parameters window shows once the window closes.
    const std::string other = (env.dir / "Other.mdb").string();
    env.dialogs.answer(Answer::Yes);  // create it
    onModal([&other](QWidget& modal) {
        modal.findChild<QLineEdit*>("txtField0")->setText(QString::fromStdString(other));
        QTest::mouseClick(modal.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(menuButton(window, MainWindow::Parameters), Qt::LeftButton);
    EXPECT_EQ(status->text().toStdString(), "Database: " + other);

    // The picture forwards its clicks (the wipe itself is tested below the window).
    env.dialogs.clear();
    QWidget* picture = window.findChild<QWidget*>("Picture1");
    ASSERT_NE(picture, nullptr);
    const auto all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    QTest::mouseClick(picture, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    QTest::mouseClick(picture, Qt::RightButton, all);
    EXPECT_TRUE(env.dialogs.calls().empty());
    env.dialogs.input(std::nullopt);
    QTest::mouseClick(picture, Qt::LeftButton, all);
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    EXPECT_EQ(env.dialogs.calls()[0].text,
              "WARNING: insert password for complete database deletion");
}

// Shown and, where a window manager frames windows (test WindowMemory.WithAFrame), framed: true
// once the frame is known (a loaded machine may take its time).
bool showAndSettle(QWidget& window) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (QGuiApplication::platformName() == "offscreen") {
        return true;
    }
    const bool framed =
        QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }, 30000);
    QTest::qWait(100);
    return framed;
}

TEST(WindowMemory, AWindowReopensTenTimesWhereItWasLeftAndOnTheScreen) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    WindowMemory memory(env.settings);
    qApp->installEventFilter(&memory);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect inside;
    {
        UndoWindow window(env.state, env.dialogs);
        ASSERT_TRUE(showAndSettle(window));
        window.setGeometry(screen.left() + 143, screen.top() + 171, 611, 353);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return window.geometry().topLeft() == QPoint(143, 171); }, 5000));
        QTest::qWait(100);
        inside = window.geometry();
        window.hide();
    }
    EXPECT_EQ(env.settings.get(WindowMemory::kSection, "frmUndo", ""),
              QString("%1 %2 611 353").arg(inside.x()).arg(inside.y()).toStdString());
    // The place must not drift by the frame, however often the window opens.
    for (int i = 0; i < 10; ++i) {
        UndoWindow again(env.state, env.dialogs);
        // The inside must stay where it was: the frame the window manager reports may lag
        // behind, but a place given back by the frame's would drift by the title bar here.
        showAndSettle(again);
        EXPECT_EQ(again.geometry(), inside) << i;
        again.hide();
    }
    // A kept size larger than the screen comes back onto it, frame and all.
    env.settings.set(WindowMemory::kSection, "frmUndo", "300 200 4000 3000");
    UndoWindow large(env.state, env.dialogs);
    ASSERT_TRUE(showAndSettle(large));
    EXPECT_TRUE(screen.contains(large.frameGeometry()));
    qApp->removeEventFilter(&memory);
    // Computed with a frame as a window manager reports it.
    EXPECT_EQ(WindowMemory::placeOnScreen({1500, -40, 700, 500}, {4, 23, 4, 4}, {0, 0, 1600, 900}),
              QRect(896, 23, 700, 500));
    EXPECT_EQ(WindowMemory::placeOnScreen({20, 30, 2263, 1200}, {4, 23, 4, 4}, {0, 0, 1600, 900}),
              QRect(4, 23, 1592, 873));
}

// Exit and the frame's close both end the run with the connection closed.
TEST(MainWindow, ExitOrClosingByTheFrameEndsTheRun) {
    for (const bool byFrame : {false, true}) {
        test::TestEnvironment env;
        env.openFreshDatabase();
        MainWindow window(env.state, env.dialogs);
        window.show();
        if (byFrame) {
            window.close();
        } else {
            QTest::mouseClick(menuButton(window, MainWindow::Exit), Qt::LeftButton);
        }
        EXPECT_FALSE(window.isVisible()) << byFrame;
        EXPECT_TRUE(env.state.exitRequested) << byFrame;
        EXPECT_FALSE(env.state.connection.isOpen()) << byFrame;
    }
}

TEST(UndoWindow, ListsThePointsAndUndoesTheSelectedOneFromTheMainWindowsFileMenu) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    db.execute("INSERT INTO KORFSongs VALUES (31, 'Blue Moon', 'Rodgers')");
    env.clock.setTime("08:00:00");
    env.state.restorePoints().keep(db, "deleting songs 31, 4112, 5120, 6233 and 7345");
    db.execute("DELETE FROM KORFSongs");

    MainWindow main(env.state, env.dialogs);
    auto* undoAction = main.findChild<QAction*>("mUndo");
    ASSERT_NE(undoAction, nullptr);
    bool checked = false;
    onModal([&](QWidget& window) {
        EXPECT_NE(qobject_cast<UndoWindow*>(&window), nullptr);
        EXPECT_EQ(window.windowTitle(), "Undo last change");
        auto* list = window.findChild<QListView*>("lstRestorePoints");
        ASSERT_EQ(list->model()->rowCount(), 1);
        // The controller's row (its text is undo_test's).
        UndoController rows(env.state, env.dialogs);
        rows.load();
        EXPECT_EQ(list->model()->index(0, 0).data().toString().toStdString(), rows.rows().at(0));
        // The row reads whole: the list is as wide as its text.
        EXPECT_LE(list->sizeHintForIndex(list->model()->index(0, 0)).width(),
                  list->viewport()->width());
        EXPECT_EQ(list->currentIndex().row(), 0);
        EXPECT_FALSE(window.findChild<QLabel*>("lbNoRestorePoints")->isVisible());
        env.dialogs.answer(UserDialogs::Answer::Yes);
        QTest::mouseClick(window.findChild<QPushButton*>("cmdUndo"), Qt::LeftButton);
        checked = true;
    });
    undoAction->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(test::column(db, "SELECT SongTitle FROM KORFSongs"), Texts{"Blue Moon"});

    // A catalogue without restore points says so, and Undo cannot be pressed.
    env.state.RestorePointFolder = env.dir / "none";
    UndoWindow empty(env.state, env.dialogs);
    empty.show();
    EXPECT_TRUE(empty.findChild<QLabel*>("lbNoRestorePoints")->isVisible());
    EXPECT_FALSE(empty.findChild<QPushButton*>("cmdUndo")->isEnabled());
}

QLineEdit* box(QWidget& window, int index) {
    return window.findChild<QLineEdit*>(QString("txtField%1").arg(index));
}

TEST(ParametersWindow, LayoutRendersTheControllerAndForwardsEdits) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.state.FloppyPath = "/media/floppy";
    ParametersWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmParameters");
    EXPECT_EQ(window.windowTitle(), "ORB parameters");
    // Focus starts on the first box; Tab goes box, its Search button, next box.
    EXPECT_EQ(window.focusWidget(), box(window, 0));
    const QString order[] = {"txtField0", "cmdSearch0", "txtField1", "cmdSearch1",
                             "txtField2", "cmdSearch3", "txtField3", "cmdSearch2",
                             "txtField4", "cmdSearch4", "cmdOk",     "cmdExit"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget* next = window.findChild<QWidget*>(order[i])->nextInFocusChain();
        while ((next->focusPolicy() & Qt::TabFocus) == 0) {
            next = next->nextInFocusChain();  // labels take no focus
        }
        EXPECT_EQ(next->objectName().toStdString(), order[i + 1].toStdString());
    }
    EXPECT_EQ(box(window, 0)->text().toStdString(), env.state.DatabasePath);
    EXPECT_EQ(box(window, 2)->text(), "/media/floppy");

    // Exit stores nothing; the next opening shows the values in use again.
    box(window, 2)->setText("/media/elsewhere");
    QTest::mouseClick(test::child<QPushButton>(window, "cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(box(window, 2)->text(), "/media/floppy");

    // A Search button fills its box through the controller; a rejected save keeps the window.
    env.dialogs.file("/backups/Friday.ODD");
    QTest::mouseClick(test::child<QPushButton>(window, "cmdSearch2"), Qt::LeftButton);
    EXPECT_EQ(box(window, 3)->text(), "/backups/Friday.ODD");
    box(window, 0)->setText("");
    QTest::mouseClick(test::child<QPushButton>(window, "cmdOk"), Qt::LeftButton);
    ASSERT_EQ(env.dialogs.messages(), Texts{"Database path is mandatory!"});
    EXPECT_TRUE(window.isVisible());
    box(window, 0)->setText(QString::fromStdString(env.state.DatabasePath));
    box(window, 4)->setText(" /media/Pa80 ");
    // Enter in any box saves (and opens no dialog).
    QTest::keyClick(box(window, 4), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(env.state.PaHardDiskPath, "/media/Pa80");
    EXPECT_EQ(env.state.BackupPath, "/backups/Friday.ODD");
}

TEST(LogWindow, ClosesOnCancelOrAnAsciiKey) {
    LogWindow window;
    auto* cancel = window.findChild<QPushButton*>("Command1");
    auto* text = window.findChild<QPlainTextEdit*>("txtResult");
    ASSERT_TRUE(cancel != nullptr && text != nullptr);
    window.show();
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    window.show();
    QTest::keyClick(text, Qt::Key_Down);
    QTest::keyClick(text, Qt::Key_PageDown);
    QTest::keyClick(text, Qt::Key_Shift);
    QTest::sendKeyEvent(QTest::Press, text, Qt::Key_unknown, QString::fromUtf8("é"),
                        Qt::NoModifier);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(text, Qt::Key_Q);
    EXPECT_FALSE(window.isVisible());
    window.show();
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
}

TEST(AboutWindow, CarriesTheToolTipAndClosesOnATypedKeyOrClick) {
    AboutWindow window;
    QWidget* picture = window.findChild<QWidget*>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->toolTip(),
              "Version 2.31 (Jan, 2004)  - Press a key or a mouse button to exit!");
    auto* firstNote = window.findChild<QLabel*>("Label10");
    auto* closing = window.findChild<QLabel*>("Label2");
    ASSERT_NE(firstNote, nullptr);
    ASSERT_NE(closing, nullptr);

    window.show();
    // Lone modifiers (the Alt of Alt+F4) and keys that type nothing leave it open.
    for (Qt::Key key : {Qt::Key_Alt, Qt::Key_Control, Qt::Key_Shift, Qt::Key_Meta, Qt::Key_F5}) {
        QTest::keyClick(&window, key);
        EXPECT_TRUE(window.isVisible()) << key;
    }
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_FALSE(window.isVisible());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        window.show();
        QTest::keyClick(&window, key);
        EXPECT_FALSE(window.isVisible()) << key;
    }
    for (QWidget* target :
         {picture, static_cast<QWidget*>(firstNote), static_cast<QWidget*>(closing)}) {
        window.show();
        QTest::mouseClick(target, Qt::RightButton);
        EXPECT_FALSE(window.isVisible()) << target->objectName().toStdString();
    }
}

TEST(QtUserDialogs, FiltersMatchBothLetterCasesAndAlwaysOfferAllFiles) {
    EXPECT_EQ(QtUserDialogs::toQtFilter("ORB Database (*.MDB)|*.MDB"),
              "ORB Database (*.MDB *.mdb);;All files (*)");
    EXPECT_EQ(QtUserDialogs::toQtFilter("Single Style File (*.SSF)|*.SSF| All files (*.*)|*.*"),
              "Single Style File (*.SSF *.ssf);;All files (*)");
    EXPECT_EQ(QtUserDialogs::toQtFilter("Programs|*"), "Programs (*)");
}

}  // namespace
}  // namespace orb
