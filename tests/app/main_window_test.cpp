#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/windows/about_window.h"
#include "app/windows/main_window.h"
#include "app/windows/parameters_window.h"
#include "support/on_modal.h"
#include "support/test_environment.h"
#include "widgets/window_memory.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;

QPushButton* menuButton(QWidget& window, int index) {
    return window.findChild<QPushButton*>(QString("cmdMenu%1").arg(index));
}

int rowCount(Database& db, const char* table) {
    Rows rows = db.query(std::string("SELECT count(*) FROM ") + table);
    rows.next();
    return static_cast<int>(rows.integer(0));
}

using test::onModal;

TEST(MainWindow, HasItsNameCaptionAndButtons) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    MainWindow window(env.state, env.dialogs);
    EXPECT_EQ(window.objectName(), "frmMain");
    EXPECT_EQ(window.windowTitle(), "ORB 2.31");
    const char* captions[] = {"&Styles",     "S&ongs", "&About",
                              "&Parameters", "E&xit",  "&Backup / Restore"};
    const bool enabled[] = {false, false, true, true, true, false};
    for (int i = 0; i < 6; ++i) {
        QPushButton* button = menuButton(window, i);
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->text(), captions[i]);
        EXPECT_EQ(button->isEnabled(), enabled[i]) << captions[i];
    }
    EXPECT_NE(window.findChild<QWidget*>("Picture1"), nullptr);
}

// A window given to the main window enables its button and is made once for the run; the
// keyboard starts on the first button that works, Enter presses it, Alt keys reach each.
TEST(MainWindow, AGivenWindowIsMadeOnceAndTheKeyboardReachesEachButton) {
    test::TestEnvironment env;
    env.openFreshDatabase();
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
    EXPECT_FALSE(menuButton(window, MainWindow::Styles)->isEnabled());
    EXPECT_EQ(window.focusWidget(), menuButton(window, MainWindow::Songs));

    QString opened;
    for (int i = 0; i < 2; ++i) {
        onModal([&opened](QWidget& modal) {
            opened = modal.objectName();
            static_cast<QDialog&>(modal).reject();
        });
        QTest::keyClick(menuButton(window, MainWindow::Songs), Qt::Key_Return);
        EXPECT_EQ(opened, "frmSongs");
    }
    EXPECT_EQ(made, 1);

    opened.clear();
    onModal([&opened](QWidget& modal) {
        opened = modal.objectName();
        QTest::keyClick(&modal, Qt::Key_A);
    });
    menuButton(window, MainWindow::About)->setFocus();
    QTest::keyClick(window.focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(opened, "frmAbout");

    const std::pair<int, const char*> keys[] = {
        {MainWindow::Styles, "Alt+S"},        {MainWindow::Songs, "Alt+O"},
        {MainWindow::BackupRestore, "Alt+B"}, {MainWindow::Parameters, "Alt+P"},
        {MainWindow::About, "Alt+A"},         {MainWindow::Exit, "Alt+X"}};
    for (const auto& [index, key] : keys) {
        EXPECT_EQ(menuButton(window, index)->shortcut(), QKeySequence(key)) << key;
    }
}

TEST(MainWindow, AboutAndParametersOpenModallyOneInstanceEach) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    MainWindow window(env.state, env.dialogs);
    window.show();
    QString opened;
    for (int i = 0; i < 2; ++i) {
        onModal([&opened](QWidget& modal) {
            opened = modal.objectName();
            QTest::keyClick(&modal, Qt::Key_A);
        });
        QTest::mouseClick(menuButton(window, MainWindow::About), Qt::LeftButton);
        EXPECT_EQ(opened, "frmAbout");

        onModal([&opened](QWidget& modal) {
            opened = modal.objectName();
            QTest::mouseClick(modal.findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
        });
        QTest::mouseClick(menuButton(window, MainWindow::Parameters), Qt::LeftButton);
        EXPECT_EQ(opened, "frmParameters");
    }
    EXPECT_EQ(window.findChildren<AboutWindow*>().size(), 1);
    EXPECT_EQ(window.findChildren<ParametersWindow*>().size(), 1);
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST(MainWindow, TheStatusLineNamesTheDatabaseInUse) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    MainWindow window(env.state, env.dialogs);
    window.show();
    auto* status = window.findChild<QLabel*>("lbDatabase");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text().toStdString(), "Database: " + env.state.DatabasePath);
    EXPECT_EQ(window.windowTitle(), "ORB 2.31");

    // Another database chosen in the parameters window shows once the window closes.
    const std::string other = (env.dir / "Other.mdb").string();
    env.dialogs.answer(Answer::Yes);  // create it
    onModal([&other](QWidget& modal) {
        modal.findChild<QLineEdit*>("txtField0")->setText(QString::fromStdString(other));
        QTest::mouseClick(modal.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(menuButton(window, MainWindow::Parameters), Qt::LeftButton);
    EXPECT_EQ(status->text().toStdString(), "Database: " + other);
}

TEST(WindowMemory, AWindowReopensAtTheSizeAndPlaceItWasLeft) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    WindowMemory memory(env.settings);
    qApp->installEventFilter(&memory);
    QPoint framePlace;
    {
        ParametersWindow window(env.state, env.dialogs);
        window.show();
        window.resize(731, 333);
        window.move(143, 171);
        framePlace = window.frameGeometry().topLeft();
        window.hide();
    }
    EXPECT_EQ(env.settings.get(WindowMemory::kSection, "frmParameters", ""),
              QString("%1 %2 731 333").arg(framePlace.x()).arg(framePlace.y()).toStdString());
    // Twice, as the place must not drift by the frame each time.
    for (int i = 0; i < 2; ++i) {
        ParametersWindow again(env.state, env.dialogs);
        again.show();
        EXPECT_EQ(again.size(), QSize(731, 333));
        EXPECT_EQ(again.frameGeometry().topLeft(), framePlace);
        again.hide();
    }
    qApp->removeEventFilter(&memory);
}

TEST(MainWindow, OnlyShiftCtrlAltClickOnThePictureAsksForThePassword) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.state.connection.execute(
        "INSERT INTO KORFSongs (SongCode, SongTitle) VALUES (1, 'Volare')");
    MainWindow window(env.state, env.dialogs);
    window.show();
    QWidget* picture = window.findChild<QWidget*>("Picture1");
    ASSERT_NE(picture, nullptr);

    QTest::mouseClick(picture, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    QTest::mouseClick(picture, Qt::RightButton,
                      Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(env.dialogs.calls().empty());

    env.dialogs.input("TAPE ON/OFF");
    env.dialogs.answer(Answer::Yes);
    QTest::mouseClick(picture, Qt::LeftButton,
                      Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(env.dialogs.calls().size(), 3u);
    EXPECT_EQ(env.dialogs.calls()[0].text,
              "WARNING: insert password for complete database deletion");
    EXPECT_EQ(env.dialogs.calls()[2].text, "ORB database successfully initialized");
    EXPECT_EQ(rowCount(env.state.connection, "KORFSongs"), 0);
    EXPECT_TRUE(env.state.connection.isOpen());
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

}  // namespace
}  // namespace orb
