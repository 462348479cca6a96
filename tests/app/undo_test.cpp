#include <gtest/gtest.h>

#include "app/undo.h"
#include "app/undo_controller.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;

std::vector<std::string> songTitles(Database& db) {
    std::vector<std::string> titles;
    Rows rows = db.query("SELECT SongTitle FROM KORFSongs ORDER BY SongCode");
    while (rows.next()) {
        titles.push_back(rows.text(0));
    }
    return titles;
}

// Two restore points of a catalogue of songs: before the second and before the third song.
class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        env.state.RestorePointLimit = 2;
        addSong(4, "Blue Moon");
        env.clock.setTime("09:15:00");
        env.state.restorePoints().keep(db(), "importing a song list");
        addSong(6, "Summertime");
        env.clock.setTime("09:30:00");
        env.state.restorePoints().keep(db(), "deleting 1 song");
        addSong(9, "Yesterday");
        env.clock.setTime("10:00:00");
    }
    void addSong(int code, const std::string& title) {
        db().execute("INSERT INTO KORFSongs VALUES (pCode, pTitle, 'Someone')", {code, title});
    }
    Database& db() { return env.state.connection; }

    test::TestEnvironment env;
};

TEST_F(UndoTest, TheWindowListsThePointsAndBringsOneBackAfterItsQuestion) {
    UndoController undo(env.state, env.dialogs);
    undo.load();
    EXPECT_EQ(undo.rows(),
              (std::vector<std::string>{
                  "2026-12-06 09:30:00  before deleting 1 song  (0 styles, 0 banks, 2 songs)",
                  "2026-12-06 09:15:00  before importing a song list  (0 styles, 0 banks, 1 "
                  "songs)"}));
    EXPECT_EQ(undo.selected(), 0);
    undo.select(1);
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(undo.undo());
    EXPECT_EQ(songTitles(db()), (std::vector<std::string>{"Blue Moon", "Summertime", "Yesterday"}));

    // The oldest point is brought back although keeping the new one reaches the limit.
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(undo.undo());
    EXPECT_EQ(songTitles(db()), std::vector<std::string>{"Blue Moon"});
    EXPECT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "Bring the catalogue back to how it was on 2026-12-06 09:15:00, before "
                  "importing a song list? Every change made since then is undone; ORB first "
                  "keeps a restore point of the catalogue as it is now.",
                  "The catalogue is back as it was on 2026-12-06 09:15:00, before importing a "
                  "song list."}));
    EXPECT_EQ(env.dialogs.calls()[0].defaultAnswer, Answer::No);

    // The undo itself can be undone: its point holds the three songs.
    ASSERT_EQ(undo.rows().size(), 2u);
    EXPECT_EQ(undo.rows()[0],
              "2026-12-06 10:00:00  before undoing the change of 2026-12-06 09:15:00  (0 "
              "styles, 0 banks, 3 songs)");
    undo.select(0);
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(undo.undo());
    EXPECT_EQ(songTitles(db()), (std::vector<std::string>{"Blue Moon", "Summertime", "Yesterday"}));
}

TEST_F(UndoTest, ARestorePointThatCannotBeKeptStopsTheUndo) {
    UndoController undo(env.state, env.dialogs);
    undo.load();
    // The folder turns into a file: no new restore point can be kept there.
    std::filesystem::remove_all(env.state.RestorePointFolder);
    test::writeFile(env.state.RestorePointFolder, "");
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(undo.undo());
    EXPECT_TRUE(env.dialogs.messages().back().starts_with(
        "ORB could not keep a restore point before undoing the change of 2026-12-06 09:30:00: "))
        << env.dialogs.messages().back();
    EXPECT_EQ(songTitles(db()), (std::vector<std::string>{"Blue Moon", "Summertime", "Yesterday"}));
    EXPECT_TRUE(undo.rows().empty());
    EXPECT_FALSE(undo.undoEnabled());
}

}  // namespace
}  // namespace orb
