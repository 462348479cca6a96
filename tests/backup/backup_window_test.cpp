#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "backup/windows/backup_window.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(BackupWindow, ControlsByNameAndABackupThroughTheButtons) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    const auto path = env.dir / "window.odd";
    env.state.BackupPath = path.string();
    BackupWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Backup / Restore ORB database");
    auto* field = window.findChild<QLineEdit*>("txtField0");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text().toStdString(), path.string());
    EXPECT_EQ(window.findChild<QLineEdit*>("txtField1")->text().toStdString(), path.string());
    EXPECT_FALSE(window.findChild<QProgressBar*>("ProgressBar1")->isVisible());
    EXPECT_FALSE(window.findChild<QLabel*>("lbCheck")->isVisible());
    auto* backup = window.findChild<QPushButton*>("cmbBackup");
    ASSERT_NE(backup, nullptr);
    EXPECT_EQ(backup->toolTip(), "Backup database to ODD file");
    EXPECT_EQ(window.findChild<QPushButton*>("cmbRestore")->toolTip(),
              "Restore database from ODD file");

    env.dialogs.answer(UserDialogs::Answer::Yes);
    QTest::mouseClick(backup, Qt::LeftButton);
    EXPECT_EQ(env.dialogs.messages().back(), "ORB database backup completed without errors!");
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(window.findChild<QProgressBar*>("ProgressBar1")->isVisible());

    QTest::mouseClick(window.findChild<QPushButton*>("cmbExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace orb
