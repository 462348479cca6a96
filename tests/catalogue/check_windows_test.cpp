#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/windows/main_window.h"
#include "catalogue/windows/check_window.h"
#include "catalogue/windows/lookalikes_window.h"
#include "db/bank_store.h"
#include "support/test_environment.h"

namespace orb {
namespace {

// Styles 14 and 26 share a name but not their content; bank 8 names style 33, which is gone.
void plantLookalikesAndAGoneSlot(Database& db) {
    for (const auto& [prog, fill] : {std::pair{14, 'a'}, std::pair{26, 'b'}}) {
        const std::string block(300, fill);
        db.execute(
            "INSERT INTO KORFStyles VALUES (pProg, 'ROCK1', 'ROCK1', 300, 300, pContent1, "
            "pContent2, pSeek, '2026/12/06', 'desc', 'Group', 'Family', 'USER01.STY', "
            "'Author')",
            {prog, SqlParam::blob(block), SqlParam::blob(block),
             SqlParam::blob(block.substr(0, 250))});
    }
    db.execute(
        "INSERT INTO KORFBanks (BankProg, BankName, BankStyle01, BankStyle02) VALUES (8, "
        "'LIVE', 33, 26)");
}

TEST(CheckWindows, TheCheckWindowOpensFromTheFileMenuAndRepairs) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    plantLookalikesAndAGoneSlot(env.state.connection);
    MainWindow main(env.state, env.dialogs);
    auto* check = main.findChild<QAction*>("mCheck");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Check catalogue ...");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<CheckWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Check catalogue");
        // The check runs once the window is painted; a failed wait must still close the window.
        auto* findings = window->findChild<QAbstractItemView*>("lstFindings")->model();
        if (!QTest::qWaitFor([&] { return findings->rowCount() > 0; }, 5000))
            window->close();
        ASSERT_EQ(findings->rowCount(), 1);
        EXPECT_EQ(findings->index(0, 0).data().toString(),
                  "Bank 8 LIVE: slot 1 holds style 33, which is no longer stored. Repair takes it "
                  "out of the bank (later slots move up).");
        EXPECT_EQ(window->findChild<QLabel*>("lbSummary")->text(), "1 finding; ORB can repair it.");
        auto* repair = window->findChild<QPushButton*>("cmdRepair");
        ASSERT_TRUE(repair->isEnabled());
        env.dialogs.answer(UserDialogs::Answer::Yes);
        QTest::mouseClick(repair, Qt::LeftButton);
        EXPECT_EQ(findings->rowCount(), 0);
        EXPECT_EQ(window->findChild<QLabel*>("lbSummary")->text(), "The catalogue is healthy.");
        EXPECT_FALSE(repair->isEnabled());
        QTest::mouseClick(window->findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
        seen = true;
    });
    check->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(BankStore(env.state.connection).find(8)->BankStyle, (BankSlots{26}));
}

TEST(CheckWindows, TheLookalikesWindowListsAGroupAndKeepsTheSelectedStyle) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    plantLookalikesAndAGoneSlot(env.state.connection);
    LookalikesWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Look-alike styles");
    auto* grid = window.findChild<QTableView*>("grdLookalikes");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->headerData(5, Qt::Horizontal).toString(), "Banks");
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), "1  ROCK1: 2 styles, 2 contents");
    EXPECT_EQ(grid->model()->index(1, 1).data().toInt(), 26);
    EXPECT_EQ(grid->model()->index(1, 5).data().toInt(), 1);
    EXPECT_FALSE(window.findChild<QLabel*>("lbNoLookalikes")->isVisible());
    auto* deleteOthers = window.findChild<QCheckBox*>("chkDeleteOthers");
    EXPECT_FALSE(deleteOthers->isChecked());
    deleteOthers->setChecked(true);

    grid->setCurrentIndex(grid->model()->index(1, 2));
    env.dialogs.answer(UserDialogs::Answer::Yes);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdKeep"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.messages().front(),
              "Keep style 26 ROCK1 and move every bank slot and song link of style 14 onto it? "
              "That style is deleted afterwards. ORB keeps a restore point first.");
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_TRUE(window.findChild<QLabel*>("lbNoLookalikes")->isVisible());
    EXPECT_FALSE(window.findChild<QPushButton*>("cmdKeep")->isEnabled());
}

}  // namespace
}  // namespace orb
