#include <gtest/gtest.h>

#include "bank_fixture.h"
#include "catalogue/style_changes.h"
#include "catalogue/style_group.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;

// Deleting styles or banks first keeps a restore point of the catalogue as it was; when none can
// be kept nothing is deleted. The command line deletes through the same steps.
class RestorePointsBeforeDeleting : public test::BankTest {
protected:
    std::vector<RestorePoint> points() { return env.state.restorePoints().list(db().path()); }
    // The folder of restore points turns into a file: no point can be kept there.
    void blockRestorePoints() {
        std::filesystem::remove_all(env.state.RestorePointFolder);
        test::writeFile(env.state.RestorePointFolder, "");
    }
};

TEST_F(RestorePointsBeforeDeleting, TheActionNamesTheStylesOrCountsThem) {
    EXPECT_EQ(styleDeletionAction({41}), "deleting style 41");
    EXPECT_EQ(styleDeletionAction({73, 41}), "deleting styles 73 and 41");
    EXPECT_EQ(styleDeletionAction({1, 2, 3, 4, 5}), "deleting styles 1, 2, 3, 4 and 5");
    EXPECT_EQ(styleDeletionAction({1, 2, 3, 4, 5, 6}), "deleting 6 styles");
}

TEST_F(RestorePointsBeforeDeleting, AGroupDeleteInTheWindowKeepsOneOrDeletesNothing) {
    const std::string before = snapshot();
    env.clock.setTime("21:40:00");
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(RunGroupDelete(env.state, env.dialogs, {{57, "BALLAD"}, {96, "TANGO"}}));
    EXPECT_EQ(styleNumbers(), (std::vector<std::int32_t>{41, 64, 73, 88}));

    const std::vector<RestorePoint> kept = points();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].action, "deleting styles 57 and 96");
    EXPECT_EQ(kept[0].time, "2026-12-06 21:40:00");
    EXPECT_EQ(kept[0].styles, 6);
    EXPECT_EQ(kept[0].banks, 2);
    EXPECT_EQ(kept[0].songs, 0);
    env.state.restorePoints().bringBack(db(), kept[0]);
    EXPECT_EQ(snapshot(), before);

    // No restore point, no delete.
    blockRestorePoints();
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(RunGroupDelete(env.state, env.dialogs, {{57, "BALLAD"}}));
    ASSERT_EQ(env.dialogs.calls().size(), 2u);
    EXPECT_TRUE(env.dialogs.messages()[1].starts_with(
        "ORB could not keep a restore point before deleting style 57: the folder " +
        env.state.RestorePointFolder.string() + " cannot be made ("))
        << env.dialogs.messages()[1];
    EXPECT_TRUE(env.dialogs.messages()[1].ends_with("). Nothing was changed."));
    EXPECT_EQ(env.dialogs.calls()[1].icon, Icon::Critical);
    // The command says so and fails.
    const test::CliRun refused = runOnFile({"style-delete", "--yes", "41"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.starts_with(
        "ORB could not keep a restore point before deleting style 41: the folder "))
        << refused.err;
    EXPECT_EQ(snapshot(), before);
}

TEST_F(RestorePointsBeforeDeleting, DeletingABankKeepsOneOrDeletesNothing) {
    const auto deleteInDialog = [this](std::int32_t prog) {
        dialogScript = [this, prog](BankDialogController& dialog) {
            dialog.selectNode(bankNode(dialog.nodes(), prog));
            env.dialogs.answer(Answer::Yes);
            dialog.deleteSelected();
            return false;
        };
        bank().load();
    };
    deleteInDialog(9);
    EXPECT_FALSE(BankStore(db()).find(9).has_value());
    ASSERT_EQ(points().size(), 1u);
    EXPECT_EQ(points()[0].action, "deleting bank 9 BANK9");
    EXPECT_EQ(points()[0].banks, 2);

    // No restore point, no delete.
    addBank(12, {64, 96});
    blockRestorePoints();
    env.dialogs.clear();
    deleteInDialog(12);
    ASSERT_EQ(env.dialogs.messages().size(), 2u);
    EXPECT_EQ(env.dialogs.messages()[0], "Deleting bank BANK12 from database?");
    EXPECT_TRUE(env.dialogs.messages()[1].starts_with(
        "ORB could not keep a restore point before deleting bank 12 BANK12: "))
        << env.dialogs.messages()[1];
    EXPECT_EQ(env.dialogs.calls()[1].icon, Icon::Critical);
    EXPECT_EQ(slotsOf(12), (Slots{64, 96}));
    EXPECT_EQ(BankStore(db()).all().size(), 2u);
}

}  // namespace
}  // namespace orb
