#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "catalogue/bank_operations.h"
#include "catalogue/setups.h"
#include "catalogue/windows/bank_dialog_window.h"
#include "catalogue/windows/disk_identify_window.h"
#include "catalogue/windows/setup_list_window.h"
#include "catalogue/windows/styles_window.h"
#include "keyboard_folders_fixture.h"
#include "support/on_modal.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

using test::child;
using test::onModal;

class SetupWindowsTest : public test::KeyboardFoldersTest {};

TEST_F(SetupWindowsTest, TheBankDialogSavesItsQueuesAndLoadsASetupFromTheList) {
    ASSERT_TRUE(SaveSetup(env.state, {"Gig", "Open air", {9, 0, 5}, {0, 0, 0, 5, 0, 0, 0, 0, 0}},
                          SameNamedSetup::Keep)
                    .done());
    ASSERT_TRUE(SaveSetup(env.state, {"Band", "", {5, 0, 0}, {}}, SameNamedSetup::Keep).done());
    ASSERT_TRUE(DeleteBank(env.state, 5).deleted);
    BankDialogWindow dialog(env.state, env.dialogs,
                            {BankState::Stored, "Bank loading", currentBank()});
    onModal([&](QWidget&) {
        auto* save = child<QPushButton>(dialog, "cmdSaveSetup");
        EXPECT_EQ(save->text(), "Save as set-up ...");
        EXPECT_FALSE(save->isEnabled());
        onModal([&](QWidget& list) {
            EXPECT_EQ(list.objectName(), "frmSetups");
            EXPECT_EQ(list.windowTitle(), "Keyboard set-ups");
            auto* grid = child<QTableView>(list, "grdSetups");
            ASSERT_EQ(grid->model()->rowCount(), 2);
            EXPECT_EQ(grid->model()->columnCount(), 14);
            EXPECT_EQ(grid->model()->headerData(4, Qt::Horizontal).toString(), "FD 3");
            EXPECT_EQ(grid->model()->headerData(13, Qt::Horizontal).toString(), "HD 9");
            EXPECT_EQ(grid->model()->index(1, 2).data().toString(), "BANK9");
            EXPECT_EQ(grid->model()->index(1, 4).data().toString(), "gone bank 5");
            EXPECT_EQ(grid->model()->index(1, 4).data(Qt::ForegroundRole).value<QColor>(),
                      QColor(Qt::red));
            EXPECT_FALSE(child<QLabel>(list, "lbNoSetups")->isVisible());
            grid->setCurrentIndex(grid->model()->index(1, 0));
            QTest::mouseClick(child<QPushButton>(list, "cmdLoad"), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(dialog, "cmdSetups"), Qt::LeftButton);
        EXPECT_EQ(child<QLabel>(dialog, "lbDirectFD0")->text(), "BANK9");
        EXPECT_EQ(child<QLabel>(dialog, "lbDirectFD2")->text(), "");
        EXPECT_TRUE(save->isEnabled());
        dialog.reject();
    });
    dialog.run();
}

TEST_F(SetupWindowsTest, TheListShowsThePlanOfWriteSetup) {
    ASSERT_TRUE(
        SaveSetup(env.state, {"Gig", "", {}, {0, 9, 0, 0, 0, 0, 0, 0, 0}}, SameNamedSetup::Keep)
            .done());
    SetupListWindow list(env.state, env.dialogs, false);
    list.show();
    EXPECT_FALSE(child<QPushButton>(list, "cmdLoad")->isVisible());
    QTest::mouseClick(child<QPushButton>(list, "cmdWrite"), Qt::LeftButton);
    EXPECT_EQ(child<QPlainTextEdit>(list, "txtPlan")->toPlainText(),
              "!123.SET/STYLE/USER02.STY\tnew\n");
    test::expectBankFile(db(), hardDisk() / "!123.SET" / "STYLE" / "USER02.STY", {73, 88, 57, 88},
                         18);
    EXPECT_EQ(child<QLabel>(list, "lblJob")->text().toStdString(),
              "1 bank file written to " + hardDisk().string() + " and verified.");
}

TEST_F(SetupWindowsTest, WhatIsOnThisDiskListsBankFilesAndStyles) {
    test::writeFile(floppy() / "ORB.SET" / "STYLE" / "USER01.STY",
                    test::expectedBankFile(db(), {57, 41, 88, 73}, 17));
    StylesWindow styles(env.state, env.dialogs);
    auto* identify = child<QAction>(styles, "mIdentify");
    EXPECT_EQ(identify->text(), "What is on this disk?");
    EXPECT_EQ(child<QMenu>(styles, "mTopFile")->actions().value(2), identify);
    EXPECT_EQ(child<QAction>(styles, "mSetups")->text(), "Keyboard set-ups ...");

    DiskIdentifyWindow window(env.state, env.dialogs);
    ASSERT_TRUE(window.controller().look(floppy()));
    auto* tree = child<QTreeWidget>(window, "tvDisk");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    const QTreeWidgetItem* bank = tree->topLevelItem(0);
    EXPECT_EQ(bank->text(1), "bank 17");
    EXPECT_EQ(bank->text(2), "stored bank 5 BANK5");
    ASSERT_EQ(bank->childCount(), 4);
    EXPECT_EQ(bank->child(1)->text(0), "2");
    EXPECT_EQ(bank->child(1)->text(1), "ROCK1");
    EXPECT_EQ(bank->child(1)->text(2), "style 41");
    EXPECT_EQ(child<QLabel>(window, "lbSummary")->text().toStdString(),
              "0 new styles on " + floppy().string());
    EXPECT_FALSE(child<QPushButton>(window, "cmdImportNew")->isEnabled());
}

}  // namespace
}  // namespace orb
