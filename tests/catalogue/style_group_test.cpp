#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_group.h"
#include "support/edit_windows.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;
using Slots = test::CatalogueTest::Slots;
using Link = test::CatalogueTest::Link;

class StyleGroupTest : public test::CatalogueTest {
protected:
    std::vector<SelectedStyle> threeRows() {
        return {{41, "ROCK1"}, {57, "BALLAD"}, {73, "SWING"}};
    }
};

TEST_F(StyleGroupTest, DeletingStylesAsksThenEmptiesTheirSlotsAndUnlinksTheirSongs) {
    // One style is named in the question; No deletes nothing.
    const std::string before = snapshot();
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(RunGroupDelete(env.state, env.dialogs, {{57, "BALLAD"}}));
    EXPECT_EQ(snapshot(), before);
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(RunGroupDelete(env.state, env.dialogs, threeRows()));
    EXPECT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "Style BALLAD will be deleted from database and from banks. Are you sure?",
                  "3 styles will be deleted from database and from banks. Are you sure?",
                  "Styles have been deleted. Click on Ok to update style grid."}));
    const auto& question = env.dialogs.calls()[1];
    EXPECT_EQ(question.title, "ORB");
    EXPECT_EQ(question.icon, Icon::Question);
    EXPECT_EQ(question.buttons, UserDialogs::Buttons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Answer::No);
    EXPECT_EQ(env.dialogs.calls()[2].icon, Icon::Information);

    EXPECT_EQ(styleNumbers(), std::vector<std::int32_t>{88});
    EXPECT_EQ(slotsOf(5), (Slots{88}));
    EXPECT_EQ(slotsOf(9), (Slots{88, 88}));
    // Song 301 already had a link without a style: the one of style 41 is dropped. Song 302's
    // two links both lose their style; the second would clash with the first and is dropped.
    EXPECT_EQ(links(), (std::vector<Link>{{301, 0, "", "", "free"},
                                          {301, 88, "98", "0", "end"},
                                          {302, 0, "", "", "first"}}));
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(RunGroupDelete(env.state, env.dialogs, {{88, "DISCO"}}));
    EXPECT_EQ(env.dialogs.messages().back(),
              "Style has been deleted. Click on Ok to update style grid.");
}

TEST_F(StyleGroupTest, ARefusedDeleteChangesNothing) {
    // The third style's link (dropped, as its song has a style-less link by then) cannot be
    // removed, after two styles were already deleted.
    db().execute(
        "CREATE TRIGGER refuse_link BEFORE DELETE ON KORFSonSty WHEN OLD.StyleProg = 73 "
        "BEGIN SELECT RAISE(ABORT, 'row is locked'); END");
    const std::string before = snapshot();
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(RunGroupDelete(env.state, env.dialogs, threeRows()));
    EXPECT_EQ(env.dialogs.messages().back(),
              "The styles could not be deleted; none was changed: row is locked");
    EXPECT_EQ(env.dialogs.calls().back().icon, Icon::Critical);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(StyleGroupTest, GroupUpdateProposesTheLastStyleAndWritesOnlyTheChosenColumns) {
    std::optional<GroupValues> proposed;
    StyleColumnChanges changes;
    changes.StyleFamily = "Swing";
    changes.StyleAuthor = "Eve";
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(
        RunGroupUpdate(env.state, env.dialogs, {57, 999, 73}, [&](const GroupValues& values) {
            proposed = values;
            return std::optional(changes);
        }));
    EXPECT_EQ(proposed, (GroupValues{"Jazz", "Big band", "Cid"}));
    EXPECT_EQ(
        env.dialogs.messages(),
        std::vector<std::string>{"A group of 3 styles is about to be updated. Are you sure?"});
    for (const std::int32_t prog : {57, 73}) {
        EXPECT_EQ(storedStyle(prog).StyleFamily, "Swing");
        EXPECT_EQ(storedStyle(prog).StyleAuthor, "Eve");
    }
    EXPECT_EQ(storedStyle(57).StyleCat, "Pop");
    EXPECT_EQ(storedStyle(73).StyleCat, "Big band");
    EXPECT_EQ(storedStyle(41).StyleFamily, "Rock");
    EXPECT_FALSE(env.dialogs.waitCursor());
}

// The group update measures in characters: twenty accented letters fill the family. A cancel
// asks nothing; what the gate or the database refuses changes no style.
TEST_F(StyleGroupTest, AGroupUpdateCountsCharactersAndARefusalOrCancelChangesNothing) {
    std::string twenty;
    for (int i = 0; i < 20; ++i) {
        twenty += "\xC3\xA9";
    }
    StyleColumnChanges changes;
    changes.StyleFamily = twenty;
    const auto update = [&](std::vector<std::int32_t> styles) {
        env.dialogs.clear();
        env.dialogs.answer(Answer::Yes);
        return RunGroupUpdate(env.state, env.dialogs, std::move(styles),
                              [&](const GroupValues&) { return std::optional(changes); });
    };
    EXPECT_TRUE(update({41, 57}));
    EXPECT_EQ(storedStyle(57).StyleFamily, twenty);

    const std::string before = snapshot();
    env.dialogs.clear();
    EXPECT_FALSE(RunGroupUpdate(env.state, env.dialogs, {41, 57},
                                [](const GroupValues&) { return std::nullopt; }));
    EXPECT_TRUE(env.dialogs.calls().empty());
    changes.StyleFamily = "Line\nbreak";
    EXPECT_FALSE(update({41, 57}));
    EXPECT_EQ(env.dialogs.messages().back(),
              "The family of style 41 holds a line break. None was changed.");
    refuseUpdatesOf("KORFStyles", 73);
    changes = {};
    changes.StyleCat = "Evergreen";
    EXPECT_FALSE(update({41, 57, 73}));
    EXPECT_EQ(env.dialogs.messages().back(),
              "The styles could not be updated; none was changed: row is locked");
    EXPECT_EQ(snapshot(), before);
}

TEST(GroupEditController, TickedBoxesLeaveColumnsAndAllThreeActAsExit) {
    test::ScriptedDialogs dialogs;
    GroupEditController edit({"Rock", "Pop", "Ann"}, dialogs);
    const auto leave = [&edit](bool family, bool group, bool author) {
        edit.setDontUpdate(0, family);
        edit.setDontUpdate(1, group);
        edit.setDontUpdate(2, author);
    };
    edit.setField(0, "Latin");
    edit.setField(1, "Dance");
    edit.setField(2, "Bob");
    leave(false, true, false);
    ASSERT_TRUE(edit.update());
    StyleColumnChanges expected;
    expected.StyleFamily = "Latin";
    expected.StyleAuthor = "Bob";
    EXPECT_EQ(edit.result(), expected);

    leave(true, true, true);
    EXPECT_TRUE(edit.update());
    EXPECT_FALSE(edit.result().has_value());
    leave(false, false, false);
    ASSERT_TRUE(edit.update());
    edit.exit();
    EXPECT_FALSE(edit.result().has_value());

    // A ticked box's text is not checked; an unticked one is, naming its field.
    edit.setField(1, "\xCE\xB1\xCE\xB2");
    edit.setField(2, std::string(51, 'a'));
    leave(false, true, false);
    EXPECT_FALSE(edit.update());
    leave(false, false, true);
    EXPECT_FALSE(edit.update());
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{
                  "The author of the selected styles has 51 characters; it takes at most 50.",
                  "The group of the selected styles holds \"\xCE\xB1\", which the keyboard's "
                  "files cannot carry (Windows-1252 only)."}));
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace orb
