// The windows of the style files, headless: their controls by name, what they forward and show.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>

#include "state/app_state.h"
#include "stylefiles/ssf_writer.h"
#include "stylefiles/style_files_test_support.h"
#include "stylefiles/windows/ssf_export_window.h"
#include "stylefiles/windows/ssf_import_window.h"
#include "stylefiles/windows/style_content_window.h"
#include "stylefiles/windows/style_import_window.h"
#include "support/on_modal.h"
#include "support/test_environment.h"
#include "support/widget_child.h"

namespace orb {
namespace {

using test::child;

namespace fs = std::filesystem;

TEST(StyleImportWindow, LayoutRendersTheControllerForwardsEditsAndEnterStartsARun) {
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

    // Enter in the path starts a run that shows its log.
    const fs::path folder = env.dir / "banks";
    test::writeFile(folder / "A.STY", test::bankFile("ALPHA", 2, 1));
    test::writeFile(folder / "I5.STY", "KORG< and more bytes than any header holds");
    window.prepare(ImportRequest::Source::Folder);
    window.show();
    child<QLineEdit>(window, "txtFolder")->setText(QString::fromStdString(folder.string()));

    env.dialogs.answer(UserDialogs::Answer::Yes);
    QString shownLog;
    QString shownCaption = "not shown";
    test::onModal([&](QWidget& log) {
        shownCaption = log.windowTitle();
        shownLog = log.findChild<QPlainTextEdit*>("txtResult")->toPlainText();
        log.close();
    });
    EXPECT_EQ(window.focusWidget(), child<QLineEdit>(window, "txtField0"));  // first field
    // Enter in the path box starts the import (the scripted dialogs fail on a file dialog).
    QTest::keyClick(child<QLineEdit>(window, "txtFolder"), Qt::Key_Return);
    EXPECT_EQ(shownCaption, "");
    // The viewer shows the CRLF line as one line.
    EXPECT_EQ(shownLog.toStdString(), "I5.STY is probably a style for KORG  i5 arranger\n");
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
    EXPECT_EQ(
        confirmation.result(),
        (StyleSelection{{false, true}, {"Pop", "", "Band", "Imported from file USER01.STY"}}));
}

template <typename Window>
void expectLayout(Window& window, const char* name, const char* title, const char* label,
                  const char* option0, const char* option1, const char* ok) {
    EXPECT_EQ(window.objectName(), name);
    EXPECT_EQ(window.windowTitle(), title);
    EXPECT_EQ(child<QLabel>(window, "Label1")->text(), label);
    EXPECT_EQ(child<QRadioButton>(window, "opStyle0")->text(), option0);
    EXPECT_EQ(child<QRadioButton>(window, "opStyle1")->text(), option1);
    EXPECT_EQ(child<QPushButton>(window, "cmdOk")->text(), ok);
    EXPECT_TRUE(child<QPushButton>(window, "cmdOk")->isDefault());
}

TEST(SsfWindows, LayoutRenderingForwardingAndClosing) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    StyleStore(env.state.connection).insertNumbered(test::ssfStyle(41, "rocky      "));
    env.settings.set("SSF", "EXPORT", (env.dir / "remembered").string());

    SsfExportWindow exporter(env.state, env.dialogs);
    exporter.prepare({{41}, {41}, false});
    exporter.show();
    expectLayout(exporter, "frmSSFExport", "Styles export to SSF", "Export folder",
                 "Selected styles only", "All styles", "Start Export Process");
    auto* folder = child<QLineEdit>(exporter, "txtFolder");
    EXPECT_EQ(folder->text().toStdString(), (env.dir / "remembered").string());
    EXPECT_TRUE(child<QRadioButton>(exporter, "opStyle0")->isChecked());
    EXPECT_FALSE(child<QProgressBar>(exporter, "Shape1")->isVisible());
    child<QRadioButton>(exporter, "opStyle1")->click();
    EXPECT_EQ(exporter.controller().choice(), SsfExportController::Choice::AllStyles);
    folder->setText(QString::fromStdString(env.dir.path().string()));
    QTest::mouseClick(child<QPushButton>(exporter, "cmdOk"), Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(env.dir / "ROCKY.SSF"));
    EXPECT_FALSE(exporter.isVisible()) << "the window closes after the export";
    EXPECT_EQ(env.settings.get("SSF", "EXPORT", ""), env.dir.path().string());

    // Opened for the bank: its caption and neither choice; Esc closes.
    exporter.prepare({{}, {}, true});
    exporter.show();
    EXPECT_EQ(exporter.windowTitle(), "Bank export to SSF");
    EXPECT_FALSE(child<QRadioButton>(exporter, "opStyle0")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(exporter, "opStyle1")->isChecked());
    QTest::keyClick(&exporter, Qt::Key_Escape);
    EXPECT_FALSE(exporter.isVisible());

    SsfImportWindow importer(env.state, env.dialogs);
    importer.prepare();
    importer.show();
    expectLayout(importer, "frmSSFImport", "Import from SSF", "Import folder",
                 "Selected SSF file only", "All SSF files in folder", "Start Import Process");
    EXPECT_TRUE(child<QRadioButton>(importer, "opStyle0")->isChecked());
    child<QLineEdit>(importer, "txtFolder")->setText("/no/such/file.SSF");
    env.dialogs.clear();
    QTest::mouseClick(child<QPushButton>(importer, "cmdOk"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.messages(), std::vector<std::string>{"SSF file not found"});
    EXPECT_TRUE(importer.isVisible());
    child<QRadioButton>(importer, "opStyle1")->click();
    EXPECT_EQ(importer.controller().choice(), SsfImportController::Choice::Folder);
    QTest::mouseClick(child<QPushButton>(importer, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(importer.isVisible());
}

TEST(SsfWindows, TheFolderImportPassesOverStoredStylesSaysHowItEndedAndCanBeCancelled) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    const std::filesystem::path folder = env.dir / "ssf";
    std::filesystem::create_directories(folder);
    for (const auto& [prog, name] : {std::pair{41, "ROCKY"}, {57, "SWING"}, {73, "BOSSA"}}) {
        StyleStore(db).insertNumbered(test::ssfStyle(prog, name));
        std::ofstream file(folder / (std::string(name) + ".SSF"), std::ios::binary);
        writeSsf(file, test::ssfStyle(prog, name), name);
    }
    db.execute("DELETE FROM KORFStyles WHERE StyleProg = pStyleProg", {57});

    SsfImportWindow importer(env.state, env.dialogs);
    importer.prepare();
    importer.show();
    const int height = importer.height();
    auto* skip = child<QCheckBox>(importer, "chkSkipPresent");
    auto* line = child<QLabel>(importer, "lblJob");
    auto* stop = child<QPushButton>(importer, "cmdStopJob");
    EXPECT_EQ(skip->text(), "Pass over styles already stored");
    EXPECT_FALSE(skip->isChecked());
    EXPECT_FALSE(skip->isEnabled()) << "one file has nothing to pass over";
    EXPECT_FALSE(stop->isVisible());
    EXPECT_FALSE(line->isVisible());
    child<QRadioButton>(importer, "opStyle1")->click();
    EXPECT_TRUE(skip->isEnabled());
    skip->click();
    EXPECT_TRUE(importer.controller().skipPresent());
    child<QLineEdit>(importer, "txtFolder")->setText(QString::fromStdString(folder.string()));

    // A click on Cancel, or Esc, while the import runs stops it and leaves the window open
    // (what a cancel keeps: ssf_test).
    for (const bool byEscape : {false, true}) {
        bool stopSeen = false;
        env.dialogs.onProcessEvents([&] {
            if (stop->isVisible() && !stopSeen) {
                stopSeen = true;
                EXPECT_EQ(stop->text(), "Cancel");
                EXPECT_TRUE(stop->isEnabled());
                if (byEscape) {
                    QTest::keyClick(&importer, Qt::Key_Escape);
                } else {
                    QTest::mouseClick(stop, Qt::LeftButton);
                }
            }
        });
        line->clear();
        QTest::mouseClick(child<QPushButton>(importer, "cmdOk"), Qt::LeftButton);
        EXPECT_TRUE(stopSeen) << byEscape;
        EXPECT_EQ(line->text(), "SSF file import cancelled: nothing of this run was stored.");
        EXPECT_FALSE(stop->isVisible());
        EXPECT_TRUE(importer.isVisible());
    }

    // The window grows for the bar while it runs and gives that height back after it.
    int grown = 0;
    env.dialogs.onProcessEvents([&] {
        importer.layout()->activate();
        grown = std::max(grown, importer.height());
    });
    QTest::mouseClick(child<QPushButton>(importer, "cmdOk"), Qt::LeftButton);
    EXPECT_LT(importer.height(), grown);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), "1 style imported, 2 styles already stored passed over.");
    EXPECT_FALSE(stop->isVisible());
    EXPECT_TRUE(importer.isVisible());

    // Opened again, it stops at stored styles and shows no old summary.
    importer.prepare();
    EXPECT_FALSE(skip->isChecked());
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(importer.height(), height);
}

}  // namespace
}  // namespace orb
