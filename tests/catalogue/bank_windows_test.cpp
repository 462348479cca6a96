#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "catalogue/bank_operations.h"
#include "catalogue/windows/bank_dialog_window.h"
#include "catalogue/windows/disk_identify_window.h"
#include "catalogue/windows/make_bank_window.h"
#include "catalogue/windows/setup_list_window.h"
#include "catalogue/windows/styles_window.h"
#include "catalogue/windows/where_is_window.h"
#include "keyboard_folders_fixture.h"
#include "support/on_modal.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

using test::child;
using test::onModal;

QColor slotColour(QWidget& window, int slot) {
    return child<QLabel>(window, QString("lbNewStyle%1").arg(slot))
        ->palette()
        .color(QPalette::Window);
}

using BankWindowsTest = test::KeyboardFoldersTest;

TEST_F(BankWindowsTest, StylesWindowFillsDropsAndSavesABank) {
    StylesWindow window(env.state, env.dialogs);
    window.show();
    auto* grid = child<QTableView>(window, "grdStyles");
    auto* model = grid->model();
    // Rows 0 and 1 (styles 41 and 57) through the insert button.
    grid->setCurrentIndex(model->index(0, 1));
    grid->selectionModel()->select(QItemSelection(model->index(0, 0), model->index(1, 4)),
                                   QItemSelectionModel::ClearAndSelect);
    QTest::mouseClick(child<QPushButton>(window, "cmdBank0"), Qt::LeftButton);
    EXPECT_EQ(bankStyles(&window.bank().currentBank()), (std::vector<std::int32_t>{41, 57}));
    // Row 4 (style 88) dragged onto the pane.
    std::unique_ptr<QMimeData> dragged(model->mimeData({model->index(4, 0), model->index(4, 1)}));
    auto* pane = child<QGroupBox>(window, "frBank");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, dragged.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(pane, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane, &drop);
    EXPECT_EQ(bankStyles(&window.bank().currentBank()), (std::vector<std::int32_t>{41, 57, 88}));
    EXPECT_EQ(child<QLabel>(window, "lbNewStyle2")->text(), "DISCO");
    EXPECT_EQ(slotColour(window, 2), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(slotColour(window, 0), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(slotColour(window, 3), QColor(0xE0, 0xE0, 0xE0));
    QTest::mouseClick(child<QLabel>(window, "lbNewStyle0"), Qt::LeftButton);
    EXPECT_EQ(slotColour(window, 0), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(slotColour(window, 2), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(child<QAction>(window, "mbank15")->isEnabled());

    // Save: the dialog in its save-as-new mode, named after the command.
    onModal([&](QWidget& dialog) {
        EXPECT_EQ(dialog.objectName(), "frmBankSave");
        EXPECT_EQ(dialog.windowTitle(), "Bank Save / Update");
        EXPECT_EQ(dialog.size(), QSize(512, 106));
        EXPECT_FALSE(child<QTreeWidget>(dialog, "tvBanks")->isVisible());
        EXPECT_FALSE(child<QRadioButton>(dialog, "opSort0")->isVisible());
        EXPECT_FALSE(child<QLineEdit>(dialog, "txtField0")->isReadOnly());
        EXPECT_EQ(child<QLineEdit>(dialog, "txtField1")->maxLength(), 200);
        EXPECT_EQ(child<QPushButton>(dialog, "cmdOk")->text(), "Save style bank");
        QTest::keyClicks(child<QLineEdit>(dialog, "txtField0"), "GIG");
        QTest::keyClicks(child<QLineEdit>(dialog, "txtField1"), "Friday");
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
    });
    child<QAction>(window, "mbank7")->trigger();
    EXPECT_EQ(pane->title(), " GIG");
    EXPECT_EQ(child<QLabel>(window, "lbBankDesc")->toolTip(), "Friday");
    // Where is? on the first row (41): the window, then the first slot selected.
    grid->setCurrentIndex(model->index(0, 1));
    onModal([&](QWidget& shown) {
        EXPECT_EQ(shown.windowTitle(), "Where is ROCK1?");
        QTest::keyClick(child<QTreeWidget>(shown, "tvBanks"), Qt::Key_Down);
    });
    child<QAction>(window, "mStyles8")->trigger();
    EXPECT_EQ(slotColour(window, 0), QColor(0xFF, 0xFF, 0x00));
    EXPECT_TRUE(env.dialogs.calls().empty());
    // A catalogue that cannot be read as the window opens: the failure is shown, the window stays.
    db().execute("DROP TABLE KORFBanks");
    child<QAction>(window, "mStyles8")->trigger();
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    EXPECT_EQ(env.dialogs.calls()[0].icon, Icon::Critical);
    EXPECT_TRUE(window.isVisible());
    window.reject();
    EXPECT_FALSE(window.isVisible());
}

// Every visible button lies inside its parent with the room it asks for; queue names show whole.
void expectNothingClipped(QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisible()) {
            continue;
        }
        const std::string name = button->objectName().toStdString();
        const QRect inside(QPoint(0, 0), button->parentWidget()->size());
        EXPECT_TRUE(inside.contains(button->geometry())) << name;
        EXPECT_GE(button->width(), button->sizeHint().width()) << name;
        EXPECT_GE(button->height(), button->sizeHint().height()) << name;
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->objectName().startsWith("lbDirect")) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
}

TEST_F(BankWindowsTest, LoadDialogTreeItsLeastSizeAndWhereIsWindow) {
    addBank(123456, {41});
    BankDialogWindow dialog(env.state, env.dialogs,
                            {BankState::Stored, "Bank loading", currentBank()});
    onModal([&](QWidget&) {
        EXPECT_EQ(dialog.size(), QSize(600, 470).expandedTo(dialog.minimumSize()));
        auto* tree = child<QTreeWidget>(dialog, "tvBanks");
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        EXPECT_EQ(root->text(0), "ORB");
        EXPECT_TRUE(root->isExpanded());
        ASSERT_EQ(root->childCount(), 3);
        QTreeWidgetItem* big = root->child(0);
        EXPECT_EQ(big->data(0, Qt::UserRole + 1).toString(), "B123456");
        EXPECT_TRUE(big->font(0).bold());
        EXPECT_FALSE(big->isExpanded());
        EXPECT_EQ(big->child(0)->foreground(0).color(), QColor(0, 0, 255));
        EXPECT_EQ(big->child(0)->data(0, Qt::UserRole + 1).toString(), "B123456S0004101");
        EXPECT_TRUE(child<QLineEdit>(dialog, "txtField0")->isReadOnly());
        EXPECT_FALSE(child<QPushButton>(dialog, "cmdDelete")->isVisible());

        // Queues filled, the dialog resizes and clips nothing at its least size or above it.
        const QSize least = dialog.minimumSize();
        EXPECT_LT(least.width(), dialog.maximumSize().width());
        EXPECT_LT(least.height(), dialog.maximumSize().height());
        tree->setCurrentItem(big);
        EXPECT_EQ(dialog.minimumSize(), least) << "selecting a bank needs no more room";
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(child<QPushButton>(dialog, "cmdDirectHD"), Qt::LeftButton);
        }
        QTest::mouseClick(child<QPushButton>(dialog, "cmdDirectFD"), Qt::LeftButton);
        EXPECT_EQ(child<QLabel>(dialog, "lbDirectHD2")->text(), "BANK123456");
        EXPECT_TRUE(child<QPushButton>(dialog, "cbMakeHD")->isVisible());
        EXPECT_TRUE(child<QPushButton>(dialog, "cbClearHD0")->isVisible());
        for (const QSize asked : {QSize(1, 1), least + QSize(240, 160)}) {
            dialog.resize(asked);
            QApplication::processEvents();
            EXPECT_EQ(dialog.size(), asked.expandedTo(dialog.minimumSize()));
            expectNothingClipped(dialog);
        }

        EXPECT_EQ(child<QRadioButton>(dialog, "opSort3")->text(), "Code, desc");
        child<QRadioButton>(dialog, "opSort3")->setChecked(true);
        EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "BANK123456");
        EXPECT_EQ(tree->topLevelItem(0)->child(2)->text(0), "BANK5");
        tree->setCurrentItem(tree->topLevelItem(0)->child(2));
        EXPECT_EQ(child<QLineEdit>(dialog, "txtField0")->text(), "BANK5");
        EXPECT_TRUE(child<QPushButton>(dialog, "cmdDelete")->isVisible());
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOk"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.run().stored);
    EXPECT_EQ(bankStyles(), (std::vector<std::int32_t>{57, 41, 88, 73}));

    // Where is 88, any key closes; a double-click on a bank loads it after the questions.
    WhereIsWindow whereIs(env.state, env.dialogs, currentBank(), 88, "Where is DISCO?");
    onModal([&](QWidget&) {
        auto* tree = child<QTreeWidget>(whereIs, "tvBanks");
        EXPECT_EQ(tree->toolTip(), "Press any key to exit - Double click a bank for loading it");
        QTreeWidgetItem* bank9 = tree->topLevelItem(0)->child(1);
        // Both banks holding the style are open, so that it shows at once.
        EXPECT_TRUE(tree->topLevelItem(0)->child(0)->isExpanded());
        EXPECT_TRUE(bank9->isExpanded());
        EXPECT_TRUE(bank9->child(1)->font(0).bold());
        EXPECT_FALSE(bank9->child(0)->font(0).bold());
        env.dialogs.answer(Answer::Yes);
        env.dialogs.answer(Answer::Yes);
        emit tree->itemDoubleClicked(bank9, 0);
    });
    EXPECT_TRUE(whereIs.run());
    EXPECT_EQ(currentBank().storedNumber(), 9);
}

TEST_F(BankWindowsTest, MakeBankWindowAndTheQueuesWriteToTheFloppy) {
    env.state.PaHardDiskPath.clear();  // no hard disk: its targets and its queue are off
    loadBank(5);
    MakeBankWindow make(env.state, env.dialogs, currentBank());
    onModal([&](QWidget& modal) {
        EXPECT_EQ(modal.objectName(), "frmMakeBank");
        EXPECT_EQ(modal.windowTitle(), "Make .STY file from bank");
        EXPECT_TRUE(child<QRadioButton>(modal, "optSave0")->isChecked());
        EXPECT_EQ(child<QRadioButton>(modal, "optSave2")->text().toStdString(),
                  "Make as " + (floppy() / "USER01.STY").string());
        EXPECT_TRUE(child<QRadioButton>(modal, "optSave5")->isEnabled());
        EXPECT_FALSE(child<QRadioButton>(modal, "optSave6")->isEnabled());
        EXPECT_EQ(child<QPushButton>(modal, "cmdCancel")->text(), "Exit");
        child<QRadioButton>(modal, "optSave2")->click();
        QTest::mouseClick(child<QPushButton>(modal, "cmdMake"), Qt::LeftButton);
    });
    EXPECT_EQ(make.exec(), QDialog::Accepted);
    test::expectBankFile(db(), floppy() / "USER01.STY", test::kBank5, 17);

    BankDialogWindow dialog(env.state, env.dialogs,
                            {BankState::Stored, "Bank loading", currentBank()});
    onModal([&](QWidget&) {
        auto* tree = child<QTreeWidget>(dialog, "tvBanks");
        EXPECT_FALSE(child<QPushButton>(dialog, "cbMake")->isEnabled());
        EXPECT_EQ(child<QGroupBox>(dialog, "frDirectHD")->title(), " DIRECT HD ");
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));  // BANK9
        EXPECT_FALSE(child<QPushButton>(dialog, "cmdDirectHD")->isVisible());
        QTest::mouseClick(child<QPushButton>(dialog, "cmdDirectFD"), Qt::LeftButton);
        auto* entry = child<QLabel>(dialog, "lbDirectFD0");
        EXPECT_EQ(entry->text(), "BANK9");
        EXPECT_TRUE(child<QPushButton>(dialog, "cbClear")->isEnabled());
        env.dialogs.answer(Answer::Yes);
        QTest::mouseClick(child<QPushButton>(dialog, "cbMake"), Qt::LeftButton);
        EXPECT_EQ(entry->palette().color(QPalette::Window), QColor(Qt::white));
        QTest::mouseClick(child<QPushButton>(dialog, "cbClear"), Qt::LeftButton);
        EXPECT_EQ(entry->text(), "");
        EXPECT_FALSE(child<QPushButton>(dialog, "cbMake")->isEnabled());
        dialog.reject();
    });
    dialog.run();
    test::expectBankFile(db(), floppyFile(1), test::kBank9, 17);
}

using SetupWindowsTest = test::KeyboardFoldersTest;

TEST_F(SetupWindowsTest, TheBankDialogSavesItsQueuesAndLoadsASetupFromTheList) {
    ASSERT_TRUE(saveSetup("Gig", "Open air", {9, 0, 5}, {0, 0, 0, 5, 0, 0, 0, 0, 0}).done());
    ASSERT_TRUE(saveSetup("Band", "", {5, 0, 0}, {}).done());
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
    ASSERT_TRUE(saveSetup("Gig", "", {}, {0, 9, 0, 0, 0, 0, 0, 0, 0}).done());
    SetupListWindow list(env.state, env.dialogs, false);
    list.show();
    EXPECT_FALSE(child<QPushButton>(list, "cmdLoad")->isVisible());
    QTest::mouseClick(child<QPushButton>(list, "cmdWrite"), Qt::LeftButton);
    EXPECT_EQ(child<QPlainTextEdit>(list, "txtPlan")->toPlainText(),
              "!123.SET/STYLE/USER02.STY\tnew\n");
    test::expectBankFile(db(), hardDiskFile("!123", 2), test::kBank9, 18);
    EXPECT_EQ(child<QLabel>(list, "lblJob")->text().toStdString(),
              "1 bank file written to " + hardDisk().string() + " and verified.");
}

TEST_F(SetupWindowsTest, WhatIsOnThisDiskListsBankFilesAndStyles) {
    test::writeFile(floppyFile(1), test::expectedBankFile(db(), test::kBank5, 17));
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
