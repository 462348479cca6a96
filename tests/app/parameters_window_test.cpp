#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/windows/parameters_window.h"
#include "support/test_environment.h"

namespace orb {
namespace {

QLineEdit* box(QWidget& window, int index) {
    return window.findChild<QLineEdit*>(QString("txtField%1").arg(index));
}

QPushButton* button(QWidget& window, const QString& name) {
    return window.findChild<QPushButton*>(name);
}

class ParametersWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        env.state.FloppyPath = "/media/floppy";
        env.state.BackupPath = "/backups/orb.odd";
    }
    test::TestEnvironment env;
};

TEST_F(ParametersWindowTest, ShowsItsControlsAndTheValuesInUse) {
    ParametersWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmParameters");
    EXPECT_EQ(window.windowTitle(), "ORB parameters");
    const char* labels[] = {"Database path", "KORG utility path", "Floppy disk path",
                            "Backup / Restore path", "Pa hard disk path"};
    for (int i = 0; i < 5; ++i) {
        auto* label = window.findChild<QLabel*>(QString("lbDesc%1").arg(i));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), labels[i]);
        ASSERT_NE(box(window, i), nullptr);
    }
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(button(window, QString("cmdSearch%1").arg(i)), nullptr);
        EXPECT_EQ(button(window, QString("cmdSearch%1").arg(i))->text(), "Search");
    }
    EXPECT_EQ(button(window, "cmdOk")->text(), "Save Parameters Value");
    EXPECT_EQ(button(window, "cmdOk")->toolTip(), "Exit and save parameters value");
    EXPECT_EQ(button(window, "cmdExit")->text(), "Exit");
    EXPECT_EQ(button(window, "cmdExit")->toolTip(), "Exit without saving new values");
    EXPECT_EQ(box(window, 0)->text().toStdString(), env.state.DatabasePath);
    EXPECT_EQ(box(window, 2)->text(), "/media/floppy");
    EXPECT_EQ(box(window, 3)->text(), "/backups/orb.odd");

    // Exit stores nothing; the next opening shows the values in use again.
    box(window, 2)->setText("/media/elsewhere");
    QTest::mouseClick(button(window, "cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(env.state.FloppyPath, "/media/floppy");
    window.show();
    EXPECT_EQ(box(window, 2)->text(), "/media/floppy");
}

TEST_F(ParametersWindowTest, SearchFillsTheMatchingBoxAndCancelLeavesIt) {
    ParametersWindow window(env.state, env.dialogs);
    window.show();
    box(window, 0)->setText("typed");
    env.dialogs.file("");
    QTest::mouseClick(button(window, "cmdSearch0"), Qt::LeftButton);
    EXPECT_EQ(box(window, 0)->text(), "typed");

    env.dialogs.file("/backups/Friday.ODD");
    QTest::mouseClick(button(window, "cmdSearch2"), Qt::LeftButton);
    EXPECT_EQ(box(window, 3)->text(), "/backups/Friday.ODD");
    EXPECT_EQ(box(window, 0)->text(), "typed");
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
}

TEST_F(ParametersWindowTest, ARejectedSaveKeepsTheWindowOpenAndAGoodOneClosesIt) {
    ParametersWindow window(env.state, env.dialogs);
    window.show();
    box(window, 0)->setText("");
    QTest::mouseClick(button(window, "cmdOk"), Qt::LeftButton);
    ASSERT_EQ(env.dialogs.messages(), std::vector<std::string>{"Database path is mandatory!"});
    EXPECT_TRUE(window.isVisible());

    const auto other = env.dir / "second.mdb";
    Database().open(other, Database::OpenMode::CreateIfMissing);
    box(window, 0)->setText(QString::fromStdString(other.string()));
    box(window, 4)->setText(" /media/Pa80 ");
    QTest::mouseClick(button(window, "cmdOk"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(env.state.connection.path(), other);
    EXPECT_EQ(env.state.PaHardDiskPath, "/media/Pa80");
    EXPECT_EQ(env.settings.get("PARAMETERS", "PAHDDRIVE", ""), "/media/Pa80");
}

}  // namespace
}  // namespace orb
