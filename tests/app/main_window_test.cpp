#include <gtest/gtest.h>

#include <QApplication>

#include "app/windows/main_window.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(MainWindow, HasItsNameAndCaptionAndClosingEndsTheRun) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    MainWindow window(env.state, env.dialogs);
    window.show();
    EXPECT_EQ(window.objectName(), "frmMain");
    EXPECT_EQ(window.windowTitle(), "ORB 2.31");
    window.close();
    EXPECT_TRUE(env.state.exitRequested);
    EXPECT_FALSE(env.state.connection.isOpen());
}

}  // namespace
}  // namespace orb
