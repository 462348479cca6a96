#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_list_print.h"
#include "catalogue/windows/group_edit_window.h"
#include "catalogue/windows/style_edit_window.h"
#include "support/test_environment.h"
#include "widgets/qt_print_service.h"

namespace orb {
namespace {

using test::child;

QLineEdit* box(QWidget& window, int index) {
    return child<QLineEdit>(window, QString("txtField%1").arg(index));
}

TEST(StyleEditWindow, ShowsTheStyleAndHandsBackTheBoxesOnUpdateOnly) {
    test::ScriptedDialogs dialogs;
    StyleEditWindow window(test::balladRow(), dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmStyleEdit");
    EXPECT_EQ(window.windowTitle(), "Style edit");
    EXPECT_EQ(child<QLabel>(window, "lbField0")->text(), "57");
    EXPECT_EQ(child<QLabel>(window, "lbField1")->text(), "1234");
    EXPECT_EQ(child<QLabel>(window, "lbField2")->text(), "2026/12/06");
    EXPECT_EQ(box(window, 4)->text(), "USER01.STY");

    box(window, 2)->setText("Soul");
    QTest::mouseClick(child<QPushButton>(window, "cbExit"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.result().has_value());

    StyleEditWindow again(test::balladRow(), dialogs);
    again.show();
    box(again, 2)->setText("Soul");
    QTest::keyClick(box(again, 2), Qt::Key_Return);
    EXPECT_FALSE(again.isVisible());
    ASSERT_TRUE(again.result().has_value());
    EXPECT_EQ(*again.result(),
              (StyleEditValues{"BALLAD", "Slow one", "Soul", "Pop", "USER01.STY", "Ben"}));
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_FALSE(child<QPushButton>(again, "cmdReplaceBreaks")->isVisible());

    // A stored line break is shown, refused by Update, and mended by the window's offer.
    StyleRow broken = test::balladRow();
    broken.StyleDesc = "Slow\r\none";
    broken.StyleAuthor = "Ben\nB";
    StyleEditWindow mend(broken, dialogs);
    mend.show();
    EXPECT_EQ(box(mend, 1)->text(), QString::fromUtf8("Slow\u240d\u21b5one"));
    QTest::mouseClick(child<QPushButton>(mend, "cbUpdate"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"The description of style 57 holds a line break."});
    auto* replace = child<QPushButton>(mend, "cmdReplaceBreaks");
    ASSERT_TRUE(replace->isVisible());
    QTest::mouseClick(replace, Qt::LeftButton);
    EXPECT_FALSE(replace->isVisible());
    QTest::mouseClick(child<QPushButton>(mend, "cbUpdate"), Qt::LeftButton);
    ASSERT_TRUE(mend.result().has_value());
    EXPECT_EQ(mend.result()->StyleDesc, "Slow one");
    EXPECT_EQ(mend.result()->StyleAuthor, "Ben B");
}

// Which box leaves which column: the controller's test; here the boxes reach it.
TEST(GroupEditWindow, ADontUpdateBoxLeavesItsColumn) {
    test::ScriptedDialogs dialogs;
    GroupEditWindow one({"Jazz", "Big band", "Cid"}, dialogs);
    one.show();
    EXPECT_EQ(box(one, 1)->text(), "Big band");
    EXPECT_EQ(child<QCheckBox>(one, "Check11")->text(), "Don't update!");
    child<QCheckBox>(one, "Check11")->setChecked(true);
    box(one, 0)->setText("Swing");
    QTest::mouseClick(child<QPushButton>(one, "cmdOk"), Qt::LeftButton);
    EXPECT_FALSE(one.isVisible());
    StyleColumnChanges expected;
    expected.StyleFamily = "Swing";
    expected.StyleAuthor = "Cid";
    EXPECT_EQ(one.result(), expected);
}

TEST(StyleListPrint, LinesAsTheGridShowsThemAndAPdfOfSeveralPages) {
    StyleList rows = {{57, "BALLAD", "Slow one", "Slow", "Pop", "Ben", ""},
                      {73, std::string("SWING\0\0\0\0\0\0", 11), std::string(45, 'd'), "Jazz",
                       "Big band", "Cid", ""}};
    const std::vector<PrintLine> lines = StyleListLines(rows);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], (PrintLine{"Styles (2)", "ARIAL", 12}));
    EXPECT_EQ(lines[2].text, "Name         Description" + std::string(31, ' ') + "Family" +
                                 std::string(16, ' ') + "Group");
    EXPECT_EQ(lines[4], (PrintLine{"SWING        " + std::string(40, 'd') + "  Jazz" +
                                       std::string(18, ' ') + "Big band",
                                   "Courier New", 8}));

    test::TempDir dir;
    rows.resize(300, {41, "ROCK", "Rock style", "Rock", "Pop", "Ann", ""});
    const QString pdf = QString::fromStdString((dir / "styles.pdf").string());
    ASSERT_TRUE(QtPrintService::printToPdf(StyleListLines(rows), pdf));
    const std::string bytes = test::readFile(dir / "styles.pdf");
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    std::size_t pages = 0;
    for (auto at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1)) {
        ++pages;
    }
    EXPECT_GE(pages, 3u);
    EXPECT_FALSE(QtPrintService::printToPdf(lines, pdf + "/no/such/folder.pdf"));
}

}  // namespace
}  // namespace orb
