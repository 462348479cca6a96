#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "stylefiles/ssf_test_support.h"
#include "stylefiles/windows/ssf_export_window.h"
#include "stylefiles/windows/ssf_import_window.h"
#include "support/widget_child.h"

namespace orb {
namespace {

using test::child;

template <typename Window>
void expectLayout(Window& window, const char* label, const char* option0, const char* option1,
                  const char* ok) {
    EXPECT_EQ(child<QLabel>(window, "Label1")->text(), label);
    EXPECT_EQ(child<QRadioButton>(window, "opStyle0")->text(), option0);
    EXPECT_EQ(child<QRadioButton>(window, "opStyle1")->text(), option1);
    EXPECT_EQ(child<QPushButton>(window, "cmdSearch")->text(), "Search");
    EXPECT_EQ(child<QPushButton>(window, "cmdOk")->text(), ok);
    EXPECT_TRUE(child<QPushButton>(window, "cmdOk")->isDefault());
    EXPECT_EQ(child<QPushButton>(window, "cmdCancel")->text(), "Exit");
}

TEST(SsfWindows, LayoutRenderingForwardingAndClosing) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    test::storeStyle(env.state.connection, test::ssfStyle(41, "rocky      "));
    env.settings.set("SSF", "EXPORT", (env.dir / "remembered").string());

    SsfExportWindow exporter(env.state, env.dialogs);
    exporter.prepare({{41}, {41}, false});
    exporter.show();
    EXPECT_EQ(exporter.objectName(), "frmSSFExport");
    EXPECT_EQ(exporter.windowTitle(), "Styles export to SSF");
    expectLayout(exporter, "Export folder", "Selected styles only", "All styles",
                 "Start Export Process");
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
    EXPECT_EQ(importer.objectName(), "frmSSFImport");
    EXPECT_EQ(importer.windowTitle(), "Import from SSF");
    expectLayout(importer, "Import folder", "Selected SSF file only", "All SSF files in folder",
                 "Start Import Process");
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

}  // namespace
}  // namespace orb
