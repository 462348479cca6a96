#include "catalogue/lookalikes.h"

#include <gtest/gtest.h>

#include <tuple>

#include "catalogue/lookalikes_controller.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/style_store.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Kind = LookalikeGroup::Kind;

// Stores a style whose blocks are made from `content`: styles given the same content hold the
// same bytes.
void addStyle(Database& db, std::int32_t prog, const std::string& name, int content,
              const std::string& desc, const std::string& family) {
    StyleRow style;
    style.StyleProg = prog;
    style.StyleName1 = name;
    style.StyleName2 = name;
    for (int i = 0; i < 400 + content; ++i) {
        style.StyleContent1 += static_cast<char>((i * 31 + content * 17) % 256);
    }
    style.StyleContent2 = std::string(20 + content, static_cast<char>(content));
    style.StyleLength1 = static_cast<std::int32_t>(style.StyleContent1.size());
    style.StyleLength2 = static_cast<std::int32_t>(style.StyleContent2.size());
    style.StyleDesc = desc;
    style.StyleFamily = family;
    StyleStore(db).insertNumbered(style);
}

// Three variants named ROCK1 (12 and 77 one content, 40 another, names padded differently),
// one content under the names BALLAD and SLOW (90, 91), and a style alike to nothing (95).
class LookalikesTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        addStyle(db(), 12, "ROCK1", 1, "Bright", "Pop");
        addStyle(db(), 40, "rock1      ", 2, "Dark", "Rock");
        addStyle(db(), 77, std::string("ROCK1\0\0", 7), 1, "Copy", "Pop");
        addStyle(db(), 90, "BALLAD", 3, "Slow", "Pop");
        addStyle(db(), 91, "SLOW", 3, "", "");
        addStyle(db(), 95, "OTHER", 4, "", "");
        BankRow bank;
        bank.BankName = "LIVE";
        bank.BankStyle = {40, 12, 40, 95};
        bank.BankProg = 3;
        BankStore(db()).insertNumbered(bank);
        db().execute("INSERT INTO KORFSongs VALUES (8, 'Both', 'Singer')");
        db().execute("INSERT INTO KORFSongs VALUES (9, 'Only forty', 'Singer')");
        LinkStore links(db());
        links.insert({8, 40, "100", "-1", "forty"});
        links.insert({8, 12, "120", "+2", "twelve"});
        links.insert({9, 40, "90", "0", "nine"});
    }
    Database& db() { return env.state.connection; }

    test::TestEnvironment env;
};

TEST_F(LookalikesTest, GroupsOfOneNameAndOfOneContentWithWhatReferToThem) {
    // A style imported twice: one name, one content.
    addStyle(db(), 63, "TANGO", 5, "Latin", "Dance");
    addStyle(db(), 58, "tango ", 5, "", "");
    std::vector<LookalikeGroup> groups = findLookalikes(db());
    ASSERT_EQ(groups.size(), 3u);
    // Equal contents print alike, other contents not; lengths are the blocks'.
    const std::vector<LookalikeStyle>& rock = groups[0].styles;
    EXPECT_EQ(rock[0].fingerprint, rock[2].fingerprint);
    EXPECT_NE(rock[0].fingerprint, rock[1].fingerprint);
    EXPECT_EQ(rock[1].fingerprint.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(std::pair(rock[1].StyleLength1, rock[1].StyleLength2), std::pair(402, 22));
    for (LookalikeGroup& group : groups) {
        for (LookalikeStyle& style : group.styles) {
            EXPECT_EQ(style.fingerprint.size(), 6u);
            style.fingerprint.clear();
            style.StyleLength1 = style.StyleLength2 = 0;
        }
    }
    const std::vector<LookalikeGroup> expected = {
        {Kind::SameNameOtherContent,
         "ROCK1: 3 styles, 2 contents",
         {{12, "ROCK1", "Bright", "Pop", 1, 1, 1},
          {40, "rock1", "Dark", "Rock", 2, 2, 2},
          {77, "ROCK1", "Copy", "Pop", 0, 0, 1}}},
        {Kind::SameNameSameContent,
         "tango: 2 styles, the same content",
         {{58, "tango", "", "", 0, 0, 1}, {63, "TANGO", "Latin", "Dance", 0, 0, 1}}},
        {Kind::SameContentOtherNames,
         "The same content: BALLAD, SLOW",
         {{90, "BALLAD", "Slow", "Pop", 0, 0, 1}, {91, "SLOW", "", "", 0, 0, 1}}},
    };
    EXPECT_EQ(groups, expected);
}

TEST_F(LookalikesTest, KeepingOneMovesEverySlotAndLinkOfTheOthersInOneStep) {
    env.clock.setTime("18:30:00");
    // The last slot of a full bank counts and moves like any other.
    BankRow full;
    full.BankName = "FULL";
    full.BankProg = 5;
    full.BankStyle.fill(95);
    full.BankStyle.back() = 77;
    BankStore(db()).insertNumbered(full);
    EXPECT_EQ(findLookalikes(db())[0].styles[2].bankSlots, 1);
    // A style named twice is one style.
    const KeepOutcome outcome = keepLookalike(env.state, 12, {40, 77, 40}, true);
    EXPECT_EQ(outcome.summary(12),
              "Style 12 now stands in 3 bank slots and 1 song link of the others; 2 styles were "
              "deleted (restore point of 2026-12-06 18:30:00).");
    EXPECT_EQ(BankStore(db()).find(3)->BankStyle, (BankSlots{12, 12, 12, 95}));
    EXPECT_EQ(BankStore(db()).find(5)->BankStyle.back(), 12);
    LinkStore links(db());
    // Song 8 was linked to both: its own link to 12 stays, with its values.
    EXPECT_EQ(links.find(8, 12), (LinkRow{8, 12, "120", "+2", "twelve"}));
    EXPECT_FALSE(links.find(8, 40));
    EXPECT_EQ(links.find(9, 12), (LinkRow{9, 12, "90", "0", "nine"}));
    EXPECT_FALSE(StyleStore(db()).findWithoutBlocks(40));
    EXPECT_FALSE(StyleStore(db()).findWithoutBlocks(77));
    const auto points = env.state.restorePoints().list(env.state.DatabasePath);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].action, "keeping style 12 in place of styles 40 and 77");
    // The names left are one content each.
    EXPECT_EQ(findLookalikes(db()).size(), 1u);
}

TEST_F(LookalikesTest, RefusalsChangeNothingAndKeepNoRestorePoint) {
    const std::vector<std::tuple<std::int32_t, std::vector<std::int32_t>, std::string>> refused = {
        {12, {40, 12}, "Style 12 is the one kept; it cannot also be one of the others."},
        {12, {40, 66}, "There is no style 66; nothing was changed."},
        {66, {40}, "There is no style 66; nothing was changed."},
        {12, {}, "Name at least one other style whose bank slots and song links move."},
    };
    for (const auto& [keep, others, message] : refused) {
        try {
            keepLookalike(env.state, keep, others, true);
            ADD_FAILURE() << message;
        } catch (const OrbError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
    EXPECT_EQ(BankStore(db()).find(3)->BankStyle, (BankSlots{40, 12, 40, 95}));
    EXPECT_TRUE(StyleStore(db()).findWithoutBlocks(40));
    EXPECT_TRUE(env.state.restorePoints().list(env.state.DatabasePath).empty());
}

TEST_F(LookalikesTest, TheWindowKeepsTheSelectedStyleOfItsGroupAfterItsQuestion) {
    LookalikesController lookalikes(env.state, env.dialogs);
    lookalikes.load();
    ASSERT_EQ(lookalikes.rows().size(), 5u);
    EXPECT_EQ(lookalikes.rows()[3].group, 2);
    EXPECT_FALSE(lookalikes.deleteOthers());
    lookalikes.select(1);  // style 40 of the ROCK1 group
    env.dialogs.answer(UserDialogs::Answer::Yes);
    lookalikes.keepSelected();
    EXPECT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "Keep style 40 rock1 and move every bank slot and song link of styles 12 and "
                  "77 onto it? ORB keeps a restore point first.",
                  "Style 40 now stands in 1 bank slot and 0 song links of the others (restore "
                  "point of 2026-12-06 12:00:00)."}));
    // Song 8 was linked to both: its link to 40 stays, the one to 12 is gone.
    EXPECT_FALSE(LinkStore(db()).find(8, 12));
    EXPECT_EQ(BankStore(db()).find(3)->BankStyle, (BankSlots{40, 40, 40, 95}));
    EXPECT_TRUE(StyleStore(db()).findWithoutBlocks(12));  // kept: the box was not ticked
    EXPECT_EQ(lookalikes.rows().size(), 5u);
}

TEST_F(LookalikesTest, TheCommandListsTheGroupsAndKeepsAfterTheQuestion) {
    env.settings.set("PATH", "DATABASE", env.state.DatabasePath);
    db().close();
    const test::CliRun listed = env.runCli({"lookalikes"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "1\tsame name\tROCK1: 3 styles, 2 contents\n"
              "\t12\tROCK1\tBright\tPop\t1\t1\t1\n"
              "\t40\trock1\tDark\tRock\t2\t2\t2\n"
              "\t77\tROCK1\tCopy\tPop\t0\t0\t1\n"
              "2\tsame content\tThe same content: BALLAD, SLOW\n"
              "\t90\tBALLAD\tSlow\tPop\t0\t0\t1\n"
              "\t91\tSLOW\t\t\t0\t0\t1\n");
    EXPECT_EQ(env.runCli({"lookalikes", "--keep", "90", "91"}).status, 1);  // nobody to ask
    const test::CliRun kept = env.runCli({"lookalikes", "--keep", "90", "91", "--yes"});
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(kept.out,
              "Style 90 now stands in 0 bank slots and 0 song links of the others "
              "(restore point of 2026-12-06 12:00:00).\n");
    EXPECT_EQ(env.runCli({"lookalikes", "--keep", "90"}).status, 64);
    const test::CliRun twice = env.runCli({"lookalikes", "--keep", "90", "91", "--yes", "--yes"});
    EXPECT_EQ(twice.status, 64);
    EXPECT_EQ(twice.err,
              "The option --yes is given more than once.\nUsage: orb [--db PATH] lookalikes "
              "[--keep STYLE OTHER... [--delete-others] [--yes]]\n");
    EXPECT_EQ(env.runCli({"lookalikes", "90", "91"}).status, 64);
}

}  // namespace
}  // namespace orb
