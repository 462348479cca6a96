#include <gtest/gtest.h>

#include <functional>

#include "app/undo.h"
#include "app/undo_controller.h"
#include "catalogue/bank_operations.h"
#include "catalogue/catalogue_check.h"
#include "catalogue/lookalikes.h"
#include "catalogue/setups.h"
#include "catalogue/style_changes.h"
#include "catalogue/style_edit.h"
#include "songs/song_deletion.h"
#include "songs/song_dialog.h"
#include "support/edit_windows.h"
#include "support/query_column.h"
#include "support/table_snapshot.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;
using Texts = std::vector<std::string>;

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
    std::vector<std::string> titles() {
        return test::column(db(), "SELECT SongTitle FROM KORFSongs ORDER BY SongCode");
    }

    test::TestEnvironment env;
};

TEST_F(UndoTest, TheWindowListsThePointsAndBringsOneBackAfterItsQuestion) {
    UndoController undo(env.state, env.dialogs);
    undo.load();
    const auto size = [&](int row) {
        return sizeText(std::filesystem::file_size(restorePointsOfCatalogue(env.state)[row].file));
    };
    EXPECT_EQ(undo.rows(),
              (Texts{"2026-12-06 09:30:00  before deleting 1 song  (0 styles, 0 banks, 2 songs; " +
                         size(0) + ")",
                     "2026-12-06 09:15:00  before importing a song list  (0 styles, 0 banks, 1 "
                     "songs; " +
                         size(1) + ")"}));
    EXPECT_EQ(undo.selected(), 0);
    undo.select(1);
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(undo.undo());
    EXPECT_EQ(titles(), (Texts{"Blue Moon", "Summertime", "Yesterday"}));

    // The oldest point is brought back although keeping the new one reaches the limit.
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(undo.undo());
    EXPECT_EQ(titles(), Texts{"Blue Moon"});
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Bring the catalogue back to how it was on 2026-12-06 09:15:00, before "
                     "importing a song list? Every change made since then is undone; ORB first "
                     "keeps a restore point of the catalogue as it is now.",
                     "The catalogue is back as it was on 2026-12-06 09:15:00, before importing a "
                     "song list."}));
    EXPECT_EQ(env.dialogs.calls()[0].defaultAnswer, Answer::No);

    // The undo itself can be undone: its point holds the three songs.
    ASSERT_EQ(undo.rows().size(), 2u);
    EXPECT_EQ(undo.rows()[0],
              "2026-12-06 10:00:00  before undoing the change of 2026-12-06 09:15:00  (0 "
              "styles, 0 banks, 3 songs; " +
                  size(0) + ")");
    undo.select(0);
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(undo.undo());
    EXPECT_EQ(titles(), (Texts{"Blue Moon", "Summertime", "Yesterday"}));
}

TEST_F(UndoTest, ARestorePointThatCannotBeKeptStopsTheUndo) {
    UndoController undo(env.state, env.dialogs);
    undo.load();
    // The folder turns into a file: no new restore point can be kept there.
    std::filesystem::remove_all(env.state.RestorePointFolder);
    test::writeFile(env.state.RestorePointFolder, "");
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(undo.undo());
    // The point's scratch copy for its check cannot be made there either.
    EXPECT_EQ(env.dialogs.messages().back(),
              "The restore point of 2026-12-06 09:30:00 cannot be brought back: its copy cannot "
              "be checked (Not a directory). The catalogue is as it was.");
    EXPECT_EQ(titles(), (Texts{"Blue Moon", "Summertime", "Yesterday"}));
    EXPECT_TRUE(undo.rows().empty());
    EXPECT_FALSE(undo.undoEnabled());
}

TEST(UndoEveryStep, ThePointOfEachStepBringsBackTheTablesAsTheyWere) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    AppState& state = env.state;
    Database& db = state.connection;
    // Styles 41, 57 and 73; 57 and 73 look alike. Bank 7 holds 41, 57 and, in slot 16, 73;
    // bank 9 names the gone style 88 and has a wrong length to repair in style 41.
    for (const auto& [prog, content, length] :
         {std::tuple{41, "aaaa", 3}, {57, "bbbbbb", 6}, {73, "ccccccccc", 9}}) {
        db.execute(
            "INSERT INTO KORFStyles (StyleProg, StyleName1, StyleName2, StyleLength1, "
            "StyleLength2, StyleContent1, StyleContent2, StyleSeek, StyleDesc) VALUES (pProg, "
            "pName, '', pLength, 0, pContent, pEmpty, pSeek, 'desc')",
            {prog, prog == 41 ? "SOLO" : "TWIN", length, SqlParam::blob(content),
             SqlParam::blob(""), SqlParam::blob("same key")});
    }
    db.execute(
        "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, BankStyle02, "
        "BankStyle16) VALUES (7, 'LIVE', 'Saturday', 41, 57, 73)");
    db.execute("INSERT INTO KORFBanks (BankProg, BankName, BankStyle01) VALUES (9, 'OLD', 88)");
    for (const int code : {3, 5}) {
        db.execute("INSERT INTO KORFSongs VALUES (pCode, 'Song', 'Singer')", {code});
        db.execute("INSERT INTO KORFSonSty VALUES (pCode, 57, '120', '0', 'note')", {code});
    }
    SetupToSave gig{"Gig", "Friday", {}, {}};
    gig.floppy[0] = 7;
    ASSERT_TRUE(SaveSetup(state, gig, SameNamedSetup::Keep).done());

    StyleColumnChanges group;
    group.StyleFamily = "Latin";
    const StyleEditValues edited{"SOLO2", "new", "Pop", "Group", "F.STY", "Me"};
    BankSlots slots{};
    slots[0] = 73;
    const std::vector<std::pair<std::string, std::function<void()>>> steps = {
        {"deleting style 57", [&] { DeleteStylesEverywhere(state, {57}); }},
        {"deleting bank 9 OLD", [&] { EXPECT_TRUE(DeleteBank(state, 9).deleted); }},
        {"keeping style 57 in place of style 73", [&] { keepLookalike(state, 57, {73}, true); }},
        {"repairing the catalogue", [&] { repairCatalogue(state); }},
        {"saving bank 7 LIVE",
         [&] {
             EXPECT_TRUE(
                 SaveBank(state, {7, "LIVE", "Sunday", slots}, SameNamedBank::Keep).result ==
                 BankSaving::Result::Stored);
         }},
        {"updating styles 41 and 57",
         [&] {
             EXPECT_EQ(ApplyGroupUpdate(state, {41, 57}, group), 2);
         }},
        {"updating style 41",
         [&] {
             EXPECT_TRUE(EditStyle(state, 41, env.dialogs,
                                   [&](const StyleRow&) { return std::optional(edited); }));
         }},
        {"deleting song 3", [&] { EXPECT_TRUE(DeleteSongs(state, {3}).deleted); }},
        {"updating song 5",
         [&] {
             EXPECT_TRUE(SongDialogController(state, env.dialogs,
                                              {SongDialogMode::Edit, 5, "Other", "Band"})
                             .ok());
         }},
        {"renaming set-up Gig", [&] { EXPECT_TRUE(RenameSetup(state, "Gig", "Show").done()); }},
        {"deleting set-up Gig", [&] { EXPECT_TRUE(DeleteSetup(state, "Gig").done()); }},
    };
    for (const auto& [action, run] : steps) {
        const auto before = test::tableSnapshot(db);
        run();
        const std::vector<RestorePoint> points = restorePointsOfCatalogue(state);
        ASSERT_FALSE(points.empty());
        EXPECT_EQ(points[0].action, action);
        ASSERT_NE(test::tableSnapshot(db), before) << action;
        undoToRestorePoint(state, points, 0);
        EXPECT_EQ(test::tableSnapshot(db), before) << action;
    }
    EXPECT_TRUE(env.dialogs.messages().empty());
}

}  // namespace
}  // namespace orb
