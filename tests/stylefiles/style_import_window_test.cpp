#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "state/app_state.h"
#include "stylefiles/import_test_support.h"
#include "stylefiles/windows/style_content_window.h"
#include "stylefiles/windows/style_import_window.h"
#include "support/test_environment.h"
#include "support/widget_child.h"

namespace orb {
namespace {

using test::child;

namespace fs = std::filesystem;

TEST(StyleImportWindow, LayoutRendersTheControllerAndForwardsEdits) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    StyleImportWindow window(env.state, env.dialogs);
    window.prepare(ImportRequest::Source::Folder);
    window.show();
    EXPECT_EQ(window.objectName(), "frmStyImport");
    EXPECT_EQ(window.windowTitle(), "Styles import");
    // The fields take no more than their columns hold.
    EXPECT_EQ(child<QLineEdit>(window, "txtField0")->maxLength(), 20);
    EXPECT_EQ(child<QLineEdit>(window, "txtField2")->maxLength(), 50);
    EXPECT_EQ(child<QRadioButton>(window, "opImport1")->text(),
              "Do not check for duplicated styles, but overwrite styles with same name");
    EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "Folder to scan");
    EXPECT_TRUE(child<QCheckBox>(window, "chkSubFolders")->isVisible());
    EXPECT_TRUE(child<QCheckBox>(window, "chkBank")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(window, "opImport2")->isChecked());
    EXPECT_FALSE(child<QLabel>(window, "lbStato2")->isVisible());
    EXPECT_FALSE(child<QProgressBar>(window, "ProgressBar1")->isVisible());

    // What the person does reaches the controller; what the controller changes is shown.
    QTest::keyClicks(child<QLineEdit>(window, "txtField1"), "Live");
    child<QRadioButton>(window, "opImport0")->setChecked(true);
    child<QCheckBox>(window, "chkBank")->setChecked(false);
    child<QCheckBox>(window, "chkSubFolders")->setChecked(true);
    window.controller().setPath("/banks");
    ImportRequest expected;
    expected.path = "/banks";
    expected.values[1] = "Live";
    expected.mode = DuplicateMode::ImportEverything;
    expected.saveBankStructure = false;
    expected.includeSubFolders = true;
    EXPECT_EQ(window.controller().request(), expected);
    EXPECT_EQ(child<QLineEdit>(window, "txtFolder")->text(), "/banks");

    QTest::mouseClick(child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.controller().outcome(), ImportOutcome::NothingImported);
    window.prepare(ImportRequest::Source::File);
    window.show();
    EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "File to search");
    EXPECT_FALSE(child<QCheckBox>(window, "chkSubFolders")->isVisible());
    EXPECT_TRUE(child<QRadioButton>(window, "opImport2")->isChecked());
}

TEST(StyleImportWindow, EnterInThePathStartsARunThatShowsItsLog) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    const fs::path folder = env.dir / "banks";
    test::writeFile(folder / "A.STY", test::bankFile("ALPHA", 2, 1));
    test::writeFile(folder / "I5.STY", "KORG< and more bytes than any header holds");
    StyleImportWindow window(env.state, env.dialogs);
    window.prepare(ImportRequest::Source::Folder);
    window.show();
    child<QLineEdit>(window, "txtFolder")->setText(QString::fromStdString(folder.string()));

    env.dialogs.answer(UserDialogs::Answer::Yes);
    QString shownLog;
    QString shownCaption = "not shown";
    QTimer::singleShot(0, [&] {
        QWidget* log = QApplication::activeModalWidget();
        ASSERT_NE(log, nullptr);
        shownCaption = log->windowTitle();
        shownLog = log->findChild<QPlainTextEdit*>("txtResult")->toPlainText();
        log->close();
    });
    EXPECT_EQ(window.focusWidget(), child<QLineEdit>(window, "txtField0"));  // first field
    // Enter in the path box starts the import (the scripted dialogs fail on a file dialog).
    QTest::keyClick(child<QLineEdit>(window, "txtFolder"), Qt::Key_Return);
    EXPECT_EQ(shownCaption, "");
    // The viewer shows the CRLF line as one line.
    EXPECT_EQ(shownLog.toStdString(), "I5.STY is probably a style for KORG  i5 arranger\n");
    EXPECT_EQ(test::styleCount(env.state.connection), 2);
    EXPECT_EQ(child<QLabel>(window, "lbStato2")->text().toStdString(), folder.string());
    EXPECT_TRUE(child<QPushButton>(window, "cmdOk")->isEnabled());
    window.reject();
    EXPECT_EQ(window.controller().outcome(), ImportOutcome::RunStarted);
}

TEST(StyleContentWindow, LayoutRendersTheConfirmationAndForwardsEdits) {
    test::TestEnvironment env;
    std::vector<BankFileStyle> styles;
    styles.push_back({1, "FIRST      ", "", 1, 0, "x", ""});
    styles.push_back({2, "SECOND     ", "", 1, 0, "y", ""});
    StyleConfirmation confirmation(env.dialogs);
    confirmation.fill(styles, "USER01.STY", {"Pop", "", "", ""});
    StyleContentWindow dialog(confirmation);
    dialog.show();
    EXPECT_EQ(dialog.objectName(), "frmStyContent");
    EXPECT_EQ(dialog.windowTitle(), "USER01.STY");
    EXPECT_EQ(child<QLabel>(dialog, "lbStyleName1")->text(), "SECOND     ");
    EXPECT_TRUE(child<QCheckBox>(dialog, "Check11")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "Check115")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dialog, "txtField0")->text(), "Pop");
    EXPECT_EQ(child<QLineEdit>(dialog, "txtField3")->text(), "Imported from file USER01.STY");

    QTest::keyClicks(child<QLineEdit>(dialog, "txtField2"), "Band");
    QTest::mouseClick(child<QPushButton>(dialog, "Command11"), Qt::LeftButton);
    EXPECT_FALSE(child<QCheckBox>(dialog, "Check10")->isChecked());
    child<QCheckBox>(dialog, "Check11")->setChecked(true);
    // A refused value keeps the dialog open.
    child<QLineEdit>(dialog, "txtField1")->setText("\xE6\xBC\xA2");
    QTest::mouseClick(child<QPushButton>(dialog, "Command12"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    child<QLineEdit>(dialog, "txtField1")->clear();
    QTest::mouseClick(child<QPushButton>(dialog, "Command12"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    StyleSelection expected;
    expected.selected[1] = true;
    expected.values = {"Pop", "", "Band", "Imported from file USER01.STY"};
    EXPECT_EQ(confirmation.result(), expected);
}

}  // namespace
}  // namespace orb
