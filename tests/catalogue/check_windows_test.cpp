#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/windows/main_window.h"
#include "catalogue/catalogue_test_support.h"
#include "catalogue/windows/check_window.h"
#include "db/bank_store.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(CheckWindows, TheCheckWindowOpensFromTheFileMenuAndRepairs) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    // Bank 8 names style 33, which is gone.
    test::addStyle(env.state.connection, 26, "ROCK1");
    env.state.connection.execute(
        "INSERT INTO KORFBanks (BankProg, BankName, BankStyle01, BankStyle02) VALUES (8, "
        "'LIVE', 33, 26)");
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
        env.dialogs.answer(UserDialogs::Answer::No);
        QTest::mouseClick(repair, Qt::LeftButton);
        EXPECT_EQ(findings->rowCount(), 1);
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

}  // namespace
}  // namespace orb
