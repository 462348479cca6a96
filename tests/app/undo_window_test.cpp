#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/undo_controller.h"
#include "app/windows/main_window.h"
#include "app/windows/undo_window.h"
#include "support/query_column.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(UndoWindow, ListsThePointsAndUndoesTheSelectedOneFromTheMainWindowsFileMenu) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    db.execute("INSERT INTO KORFSongs VALUES (31, 'Blue Moon', 'Rodgers')");
    env.clock.setTime("08:00:00");
    env.state.restorePoints().keep(db, "deleting songs 31, 4112, 5120, 6233 and 7345");
    db.execute("DELETE FROM KORFSongs");

    MainWindow main(env.state, env.dialogs);
    auto* undoAction = main.findChild<QAction*>("mUndo");
    ASSERT_NE(undoAction, nullptr);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<UndoWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Undo last change");
        auto* list = window->findChild<QListView*>("lstRestorePoints");
        ASSERT_EQ(list->model()->rowCount(), 1);
        // The controller's row (its text is undo_test's).
        UndoController rows(env.state, env.dialogs);
        rows.load();
        EXPECT_EQ(list->model()->index(0, 0).data().toString().toStdString(), rows.rows().at(0));
        // The row reads whole: the list is as wide as its text.
        EXPECT_LE(list->sizeHintForIndex(list->model()->index(0, 0)).width(),
                  list->viewport()->width());
        EXPECT_EQ(list->currentIndex().row(), 0);
        EXPECT_FALSE(window->findChild<QLabel*>("lbNoRestorePoints")->isVisible());
        env.dialogs.answer(UserDialogs::Answer::Yes);
        QTest::mouseClick(window->findChild<QPushButton*>("cmdUndo"), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        checked = true;
    });
    undoAction->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(test::column(db, "SELECT SongTitle FROM KORFSongs"),
              std::vector<std::string>{"Blue Moon"});

    // A catalogue without restore points says so, and Undo cannot be pressed.
    env.state.RestorePointFolder = env.dir / "none";
    UndoWindow empty(env.state, env.dialogs);
    empty.show();
    EXPECT_TRUE(empty.findChild<QLabel*>("lbNoRestorePoints")->isVisible());
    EXPECT_FALSE(empty.findChild<QPushButton*>("cmdUndo")->isEnabled());
}

}  // namespace
}  // namespace orb
