#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "backup/dump_writer.h"
#include "backup/windows/backup_window.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(BackupWindow, LayoutRendersTheControllerAndForwardsEdits) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.state.connection.execute(
        "INSERT INTO KORFSongs VALUES (1, 'Blue Moon', 'Rodgers'), (2, 'Summertime', 'Gershwin')");
    env.state.BackupPath = "/backups/orb.odd";
    BackupWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Backup / Restore ORB database");
    auto* field = window.findChild<QLineEdit*>("txtField0");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "/backups/orb.odd");
    EXPECT_EQ(window.findChild<QLineEdit*>("txtField1")->text(), "/backups/orb.odd");
    EXPECT_FALSE(window.findChild<QProgressBar*>("ProgressBar1")->isVisible());
    EXPECT_FALSE(window.findChild<QLabel*>("lbCheck")->isVisible());
    auto* backup = window.findChild<QPushButton*>("cmbBackup");
    ASSERT_NE(backup, nullptr);

    // The typed path is the one written; the bar is shown while the dump is written.
    const auto path = env.dir / "window.odd";
    field->setText(QString::fromStdString(path.string()));
    env.dialogs.answer(UserDialogs::Answer::Yes);
    QTest::mouseClick(backup, Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(path));
    auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), countDumpRows(env.state.connection));
    EXPECT_EQ(bar->value(), bar->maximum());

    // The backup field's Search asks where to save (the file may be new); Enter in the field
    // backs up without any file dialog.
    env.dialogs.clear();
    env.dialogs.file((env.dir / "chosen.odd").string());
    QTest::mouseClick(window.findChild<QPushButton*>("cmdSearch0"), Qt::LeftButton);
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    EXPECT_EQ(env.dialogs.calls()[0].kind, test::ScriptedDialogs::Call::Kind::SaveFile);
    EXPECT_EQ(env.dialogs.calls()[0].proposal, path.string());
    EXPECT_EQ(env.dialogs.calls()[0].text, "ORB Database Dump (*.ODD)|*.ODD");
    env.dialogs.answer(UserDialogs::Answer::Yes);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(std::filesystem::exists(env.dir / "chosen.odd"));
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
    // The restore field's Search fills that field only.
    env.dialogs.file("/elsewhere/x.ODD");
    QTest::mouseClick(window.findChild<QPushButton*>("cmdSearch1"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLineEdit*>("txtField1")->text(), "/elsewhere/x.ODD");
    EXPECT_EQ(field->text().toStdString(), (env.dir / "chosen.odd").string());

    QTest::mouseClick(window.findChild<QPushButton*>("cmbExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace orb
