#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/windows/parameters_window.h"
#include "support/test_environment.h"
#include "support/widget_child.h"

namespace orb {
namespace {

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
    ASSERT_EQ(env.dialogs.messages(), std::vector<std::string>{"Database path is mandatory!"});
    EXPECT_TRUE(window.isVisible());
    box(window, 0)->setText(QString::fromStdString(env.state.DatabasePath));
    box(window, 4)->setText(" /media/Pa80 ");
    // Enter in any box saves (and opens no dialog).
    QTest::keyClick(box(window, 4), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(env.state.PaHardDiskPath, "/media/Pa80");
    EXPECT_EQ(env.state.BackupPath, "/backups/Friday.ODD");
}

}  // namespace
}  // namespace orb
