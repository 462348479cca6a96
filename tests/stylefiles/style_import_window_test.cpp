#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
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

namespace orb {
namespace {

namespace fs = std::filesystem;

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(StyleImportWindow, LayoutCaptionsAndTheStateOnOpening) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.state.ImportMode = 0;
    StyleImportWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmStyImport");
    EXPECT_EQ(window.windowTitle(), "Styles import");
    EXPECT_EQ(child<QLabel>(window, "lbField0")->text(), "Family ");
    EXPECT_EQ(child<QLabel>(window, "lbField2")->text(), "Author ");
    EXPECT_EQ(child<QLineEdit>(window, "txtField1")->maxLength(), 20);
    EXPECT_EQ(child<QLineEdit>(window, "txtField2")->maxLength(), 50);
    EXPECT_EQ(child<QCheckBox>(window, "chkBank")->text(), "Save bank structure");
    EXPECT_TRUE(child<QCheckBox>(window, "chkBank")->isChecked());
    EXPECT_EQ(child<QCheckBox>(window, "chkErrors")->text(),
              "Confirm import for each style in each bank");
    EXPECT_FALSE(child<QCheckBox>(window, "chkErrors")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(window, "opImport2")->isChecked());
    EXPECT_EQ(child<QRadioButton>(window, "opImport1")->text(),
              "Do not check for duplicated styles, but overwrite styles with same name");
    EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "Folder to scan");
    EXPECT_TRUE(child<QCheckBox>(window, "chkSubFolders")->isVisible());
    EXPECT_EQ(child<QPushButton>(window, "cmdOk")->text(), "Start Import Process");
    EXPECT_EQ(child<QPushButton>(window, "cmdCancel")->text(), "Exit");
    for (const char* name : {"lbStato0", "lbStato1", "lbStato2"}) {
        EXPECT_FALSE(child<QLabel>(window, name)->isVisible()) << name;
    }
    EXPECT_FALSE(child<QProgressBar>(window, "ProgressBar1")->isVisible());
    QTest::mouseClick(child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(env.state.ImportMode, -1);

    env.state.ImportMode = 1;
    window.show();
    EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "File to search");
    EXPECT_FALSE(child<QCheckBox>(window, "chkSubFolders")->isVisible());
}

TEST(StyleImportWindow, ARunThroughTheControlsAndItsLog) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    const fs::path folder = env.dir / "banks";
    test::writeFile(folder / "A.STY", test::bankFile("ALPHA", 2, 1));
    test::writeFile(folder / "I5.STY", "KORG< and more bytes than any header holds");
    env.state.ImportMode = 0;
    StyleImportWindow window(env.state, env.dialogs);
    window.show();
    QTest::keyClicks(child<QLineEdit>(window, "txtField0"), "Pop");
    child<QLineEdit>(window, "txtFolder")->setText(QString::fromStdString(folder.string()));
    child<QRadioButton>(window, "opImport0")->setChecked(true);
    child<QCheckBox>(window, "chkBank")->setChecked(false);

    env.dialogs.answer(UserDialogs::Answer::Yes);
    QString shownLog;
    QString shownCaption;
    QTimer::singleShot(0, [&] {
        QWidget* log = QApplication::activeModalWidget();
        ASSERT_NE(log, nullptr);
        shownCaption = log->windowTitle();
        shownLog = log->findChild<QPlainTextEdit*>("txtResult")->toPlainText();
        log->close();
    });
    QTest::mouseClick(child<QPushButton>(window, "cmdOk"), Qt::LeftButton);
    EXPECT_EQ(shownCaption, "");
    // The viewer shows the CRLF line as one line.
    EXPECT_EQ(shownLog.toStdString(), "I5.STY is probably a style for KORG  i5 arranger\n");
    EXPECT_EQ(test::styleCount(env.state.connection), 2);
    EXPECT_TRUE(test::bankRows(env.state.connection).empty());
    EXPECT_EQ(env.state.GroupFamily, "Pop");
    EXPECT_TRUE(child<QLabel>(window, "lbStato2")->isVisible());
    EXPECT_EQ(child<QLabel>(window, "lbStato2")->text().toStdString(), folder.string());
    EXPECT_TRUE(child<QPushButton>(window, "cmdOk")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(window, "chkBank")->isEnabled());

    // A failed run gives its message and leaves every control usable.
    child<QLineEdit>(window, "txtFolder")
        ->setText(QString::fromStdString((env.dir / "no").string()));
    QTest::mouseClick(child<QPushButton>(window, "cmdOk"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.messages().back(),
              "The folder " + (env.dir / "no").string() + " does not exist.");
    EXPECT_TRUE(child<QPushButton>(window, "cmdSearch")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(window, "chkErrors")->isEnabled());
    window.reject();
    EXPECT_EQ(env.state.ImportMode, 99);
}

TEST(StyleContentWindow, BoxesFieldsAndButtons) {
    test::TestEnvironment env;
    KORFStyles styles;
    styles.Add(1, "FIRST      ", "", 1, 0, "x", "");
    styles.Add(2, "SECOND     ", "", 1, 0, "y", "");
    env.state.GroupFamily = "Pop";
    StyleConfirmation confirmation;
    confirmation.fill(styles, "USER01.STY", env.state);
    StyleContentWindow dialog(confirmation);
    dialog.show();
    EXPECT_EQ(dialog.objectName(), "frmStyContent");
    EXPECT_EQ(dialog.windowTitle(), "USER01.STY");
    EXPECT_EQ(child<QLabel>(dialog, "lbStyleName1")->text(), "SECOND     ");
    EXPECT_EQ(child<QLabel>(dialog, "lbStyleName2")->text(), "");
    EXPECT_TRUE(child<QCheckBox>(dialog, "Check11")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "Check115")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dialog, "txtField0")->text(), "Pop");
    EXPECT_EQ(child<QLineEdit>(dialog, "txtField3")->text(), "Imported from file USER01.STY");
    EXPECT_EQ(child<QPushButton>(dialog, "Command10")->text(), "Select All");
    EXPECT_EQ(child<QPushButton>(dialog, "Command11")->text(), "Unselect All");

    QTest::keyClicks(child<QLineEdit>(dialog, "txtField2"), "Band");
    QTest::mouseClick(child<QPushButton>(dialog, "Command11"), Qt::LeftButton);
    EXPECT_FALSE(child<QCheckBox>(dialog, "Check10")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dialog, "txtField2")->text(), "Band");
    child<QCheckBox>(dialog, "Check11")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog, "Command12"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(confirmation.checked[0]);
    EXPECT_TRUE(confirmation.checked[1]);
    EXPECT_EQ(confirmation.fields[2], "Band");
}

}  // namespace
}  // namespace orb
