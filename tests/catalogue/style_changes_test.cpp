#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/korg_utility.h"
#include "catalogue/style_changes.h"
#include "catalogue/style_edit.h"
#include "catalogue/style_group.h"
#include "cli/cli.h"
#include "support/edit_windows.h"

namespace orb {
namespace {

using test::Numbers;
using test::Texts;

using StyleChangesTest = test::CatalogueTest;

const std::vector<SelectedStyle> kThreeRows = {{41, "ROCK1"}, {57, "BALLAD"}, {73, "SWING"}};

TEST_F(StyleChangesTest, DeletingStylesAsksThenEmptiesTheirSlotsAndUnlinksTheirSongs) {
    // Refused, nothing changes: the third style's link (dropped, as its song has a style-less
    // link by then) cannot be removed, after two styles were already deleted.
    db().execute(
        "CREATE TRIGGER refuse_link BEFORE DELETE ON KORFSonSty WHEN OLD.StyleProg = 73 "
        "BEGIN SELECT RAISE(ABORT, 'row is locked'); END");
    const std::string before = snapshot();
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(RunGroupDelete(env.state, env.dialogs, kThreeRows));
    EXPECT_EQ(env.dialogs.messages().back(),
              "The styles could not be deleted; none was changed: row is locked");
    EXPECT_EQ(env.dialogs.calls().back().icon, Icon::Critical);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(db().inTransaction());
    db().execute("DROP TRIGGER refuse_link");
    env.dialogs.clear();

    // One style is named in the question; No deletes nothing.
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(RunGroupDelete(env.state, env.dialogs, {{57, "BALLAD"}}));
    EXPECT_EQ(snapshot(), before);
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(RunGroupDelete(env.state, env.dialogs, kThreeRows));
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Style BALLAD will be deleted from database and from banks. Are you sure?",
                     "3 styles will be deleted from database and from banks. Are you sure?",
                     "Styles have been deleted. Click on Ok to update style grid."}));
    const auto& question = env.dialogs.calls()[1];
    EXPECT_EQ(std::tie(question.title, question.icon, question.buttons, question.defaultAnswer),
              std::tuple("ORB", Icon::Question, UserDialogs::Buttons::YesNo, Answer::No));
    EXPECT_EQ(env.dialogs.calls()[2].icon, Icon::Information);

    EXPECT_EQ(styleNumbers(), Numbers{88});
    EXPECT_EQ(slotsOf(5), (BankSlots{88}));
    EXPECT_EQ(slotsOf(9), (BankSlots{88, 88}));
    // Song 301 already had a link without a style: the one of style 41 is dropped. Song 302's
    // two links both lose their style; the second would clash with the first and is dropped.
    EXPECT_EQ(test::linkRows(db()), (std::vector<test::LinkRow>{{301, 0, "", "", "free"},
                                                                {301, 88, "98", "0", "end"},
                                                                {302, 0, "", "", "first"}}));
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(RunGroupDelete(env.state, env.dialogs, {{88, "DISCO"}}));
    EXPECT_EQ(env.dialogs.messages().back(),
              "Style has been deleted. Click on Ok to update style grid.");
}

// A cancel asks nothing, and what the gate or the database refuses changes no style; an update
// proposes the last style's values and writes only the chosen columns.
TEST_F(StyleChangesTest, GroupUpdateProposesTheLastStyleAndWritesOnlyTheChosenColumns) {
    std::optional<GroupValues> proposed;
    StyleColumnChanges changes;
    changes.StyleFamily = "Line\nbreak";
    const auto update = [&](Numbers styles) {
        env.dialogs.clear();
        env.dialogs.answer(Answer::Yes);
        return RunGroupUpdate(env.state, env.dialogs, std::move(styles),
                              [&](const GroupValues& values) {
                                  proposed = values;
                                  return std::optional(changes);
                              });
    };
    const std::string before = snapshot();
    EXPECT_FALSE(RunGroupUpdate(env.state, env.dialogs, {41, 57},
                                [](const GroupValues&) { return std::nullopt; }));
    EXPECT_TRUE(env.dialogs.calls().empty());
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
    db().execute("DROP TRIGGER refuse_KORFStyles");

    changes = {{}, {}, "Swing", {}, {}, "Eve"};
    EXPECT_TRUE(update({57, 999, 73}));
    EXPECT_EQ(proposed, (GroupValues{"Jazz", "Big band", "Cid"}));
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"A group of 3 styles is about to be updated. Are you sure?"});
    for (const std::int32_t prog : {57, 73}) {
        EXPECT_EQ(storedStyle(prog).StyleFamily, "Swing");
        EXPECT_EQ(storedStyle(prog).StyleAuthor, "Eve");
    }
    EXPECT_EQ(storedStyle(57).StyleCat, "Pop");
    EXPECT_EQ(storedStyle(73).StyleCat, "Big band");
    EXPECT_EQ(storedStyle(41).StyleFamily, "Rock");
    EXPECT_FALSE(env.dialogs.waitCursor());
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
    EXPECT_EQ(edit.result(), (StyleColumnChanges{{}, {}, "Latin", {}, {}, "Bob"}));

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
              (Texts{"The author of the selected styles has 51 characters; it takes at most 50.",
                     "The group of the selected styles holds \"\xCE\xB1\", which the keyboard's "
                     "files cannot carry (Windows-1252 only)."}));
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(StyleChangesTest, StyleUpdateSetsTheGivenColumnsOrNothing) {
    EXPECT_EQ(said(runOnFile({"style-update", "--family", "Latin", "--file", "X.STY", "41", "88"})),
              test::told("2 styles updated."));
    EXPECT_EQ(storedStyle(41).StyleFamily, "Latin");
    EXPECT_EQ(storedStyle(88).StyleFile, "X.STY");
    EXPECT_EQ(storedStyle(88).StyleCat, "Club");
    EXPECT_EQ(storedStyle(57).StyleFamily, "Slow");

    const std::string before = snapshot();
    // The second style cannot be written after the first was.
    refuseUpdatesOf("KORFStyles", 57);
    const std::string none = ". None was changed.\n";
    const std::vector<std::pair<Texts, std::string>> refusals = {
        {{"--author", "Kim", "41", "57"},
         "The styles could not be updated; none was changed: row is locked\n"},
        {{"--group", "\xCE\xB1", "88"},
         "The group of style 88 holds \"\xCE\xB1\", which the keyboard's files cannot carry "
         "(Windows-1252 only)" +
             none},
        // Text that is not UTF-8 or holds a line break never reaches the catalogue.
        {{"--description", "caf\xE9", "41", "88"},
         "The description of style 41 is not valid UTF-8 text" + none},
        {{"--description", "Slow\nballad", "41", "88"},
         "The description of style 41 holds a line break" + none},
        {{"--author", "Kim", "41", "999"}, "There is no style 999.\n"},
    };
    for (auto [args, error] : refusals) {
        args.insert(args.begin(), "style-update");
        EXPECT_EQ(said(runOnFile(args)), (test::Said{kExitFailure, "", error})) << args[1];
    }
    EXPECT_EQ(snapshot(), before);

    EXPECT_EQ(runOnFile({"style-update", "41"}).status, kExitUsage);
    EXPECT_EQ(runOnFile({"style-update", "--family", "Rock"}).status, kExitUsage);
    EXPECT_EQ(runOnFile({"style-update", "--family", "Rock", "4x"}).status, kExitUsage);
}

TEST_F(StyleChangesTest, StyleDeleteListsFirstAndDeletesEverywhereWithYes) {
    const std::string before = snapshot();
    EXPECT_EQ(said(runOnFile({"style-delete", "73", "41"})),
              test::told("73\tSWING\n41\tROCK1\nWithout --yes nothing is deleted."));
    EXPECT_EQ(snapshot(), before);

    // Bank 9 cannot be rewritten: style 41 is gone and bank 5 rewritten by then.
    db().execute(
        "CREATE TRIGGER refuse_banks BEFORE UPDATE ON KORFBanks WHEN OLD.BankProg = 9 "
        "BEGIN SELECT RAISE(ABORT, 'bank is locked'); END");
    EXPECT_EQ(said(runOnFile({"style-delete", "--yes", "41", "73"})),
              (test::Said{kExitFailure, "41\tROCK1\n73\tSWING\n",
                          "The styles could not be deleted; none was changed: bank is locked\n"}));
    EXPECT_EQ(snapshot(), before);
    db().execute("DROP TRIGGER refuse_banks");

    EXPECT_EQ(said(runOnFile({"style-delete", "--yes", "41", "73"})),
              test::told("41\tROCK1\n73\tSWING\n"
                         "2 styles deleted from the catalogue, the banks and the song links."));
    EXPECT_EQ(styleNumbers(), (Numbers{57, 88}));
    EXPECT_EQ(slotsOf(5), (BankSlots{57, 88}));
    EXPECT_EQ(slotsOf(9), (BankSlots{88, 57, 88}));
    EXPECT_EQ(runOnFile({"style-delete", "--yes"}).status, kExitUsage);
    EXPECT_EQ(runOnFile({"style-delete", "999"}).status, kExitFailure);
}

TEST_F(StyleChangesTest, ExitChangesNothingUpdateWritesTheSixValuesAndRefusalsAreReported) {
    const std::string before = snapshot();
    std::optional<StyleRow> shown;
    EXPECT_FALSE(EditStyle(env.state, 57, env.dialogs, [&](const StyleRow& style) {
        shown = style;
        return std::optional<StyleEditValues>();
    }));
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->StyleName1, "BALLAD");
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(EditStyle(env.state, 999, env.dialogs, [](const StyleRow&) {
        ADD_FAILURE() << "no window for a style that is gone";
        return std::optional<StyleEditValues>();
    }));

    const StyleEditValues edited{"SLOW", "A slow one", "Soul", "Ballads", "MY.STY", "Zoe"};
    EXPECT_EQ(EditStyle(env.state, 57, env.dialogs,
                        [&](const StyleRow&) { return std::optional(edited); }),
              edited);
    const StyleRow stored = storedStyle(57);
    EXPECT_EQ((StyleEditValues{stored.StyleName1, stored.StyleDesc, stored.StyleFamily,
                               stored.StyleCat, stored.StyleFile, stored.StyleAuthor}),
              edited);
    EXPECT_EQ(stored.StyleName2, "BALLAD2");
    EXPECT_EQ(stored.StyleContent1, test::makeChunk(57 * 3, 57));
    EXPECT_TRUE(env.dialogs.calls().empty());

    // Each box holds as many characters as its column: that many are stored, one more the text
    // gate refuses with its message, and nothing is written.
    for (std::size_t i = 0; i < kStyleFieldColumns.size(); ++i) {
        for (const int extra : {0, 1}) {
            env.dialogs.clear();
            const std::string unchanged = snapshot();
            std::array<std::string, 6> values{"N", "D", "F", "C", "S", "A"};
            const int size = kStyleFieldColumns[i]->size;
            values[i] = std::string(static_cast<std::size_t>(size + extra), 'x');
            const StyleEditValues typed{values[0], values[1], values[2],
                                        values[3], values[4], values[5]};
            const auto written = EditStyle(env.state, 73, env.dialogs,
                                           [&](const StyleRow&) { return std::optional(typed); });
            EXPECT_EQ(written.has_value(), extra == 0) << kStyleFieldLabels[i];
            if (extra == 1) {
                EXPECT_EQ(env.dialogs.messages(),
                          Texts{"The " + std::string(kStyleFieldColumns[i]->label) +
                                " of style 73 has " + std::to_string(size + 1) +
                                " characters; it takes at most " + std::to_string(size) + "."});
                EXPECT_EQ(snapshot(), unchanged);
            } else {
                EXPECT_TRUE(env.dialogs.messages().empty());
            }
        }
    }
    // What the database refuses, with its words after the system's own.
    refuseUpdatesOf("KORFStyles", 41);
    env.dialogs.clear();
    EXPECT_FALSE(EditStyle(env.state, 41, env.dialogs,
                           [&](const StyleRow&) { return std::optional(edited); }));
    EXPECT_EQ(env.dialogs.messages(), Texts{"The style could not be updated: row is locked"});
}

TEST(StyleEditController, ShowsTheStyleAndRefusesWhatTheColumnsCannotHold) {
    test::ScriptedDialogs dialogs;
    StyleRow style = test::balladRow();
    style.StyleDesc = " ";  // as an import stores it
    StyleEditController edit(style, dialogs);
    EXPECT_EQ((Texts{edit.code(), edit.length(), edit.date(), edit.field(0), edit.field(1),
                     edit.field(5)}),
              (Texts{"57", "1234", "2026/12/06", "BALLAD", "", "Ben"}));

    edit.setField(1, "caf\xC3\xA9 \xF0\x9F\x8E\xB9");
    EXPECT_FALSE(edit.update());
    edit.setField(1, "caf\xC3\xA9");
    edit.setField(0, "TWELVE CHARS");
    EXPECT_FALSE(edit.update());
    EXPECT_FALSE(edit.result().has_value());
    EXPECT_EQ(dialogs.messages(),
              (Texts{"The description of style 57 holds \"\xF0\x9F\x8E\xB9\", which the keyboard's "
                     "files cannot carry (Windows-1252 only).",
                     "The name of style 57 has 12 characters; it takes at most 11."}));
    edit.setField(0, "  ELEVEN CH");     // kept as typed, blanks included
    edit.setField(1, " caf\xC3\xA9  ");  // a description is stored without blanks around it
    ASSERT_TRUE(edit.update());
    EXPECT_EQ(edit.result()->StyleName1, "  ELEVEN CH");
    EXPECT_EQ(edit.result()->StyleDesc, "caf\xC3\xA9");
    edit.exit();
    EXPECT_FALSE(edit.result().has_value());
}

class RecordingStarter : public ProgramStarter {
public:
    bool startDetached(const std::filesystem::path& program, const Texts& arguments) override {
        starts.push_back({program.string()});
        starts.back().insert(starts.back().end(), arguments.begin(), arguments.end());
        return succeed;
    }
    std::vector<Texts> starts;  // each: the program, then its arguments
    bool succeed = true;
};

class KorgUtilityTest : public test::CatalogueTest {
protected:
    std::filesystem::path makeUtility(const std::string& name, bool executable) {
        const auto path = env.dir / name;
        test::writeFile(path, "#!/bin/sh\n");
        std::filesystem::permissions(path, executable ? std::filesystem::perms::owner_all
                                                      : std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_write);
        return path;
    }

    bool send(std::int32_t style, const std::string& utility) {
        return SendStyleToKorgUtility(db(), style, utility, workFolder, starter, env.dialogs);
    }

    RecordingStarter starter;
    std::filesystem::path workFolder = env.dir / "tmp";
};

TEST_F(KorgUtilityTest, TheStyleGoesAsAOneStyleBankSeventeenToTheUtilityOrTheMessageSaysWhyNot) {
    const auto utility = makeUtility("korg util", true);
    // Without its temporary folder the work file cannot be written, and that is said.
    EXPECT_FALSE(send(41, utility.string()));
    ASSERT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_NE(env.dialogs.messages()[0].find("WRK.STY"), std::string::npos);
    EXPECT_TRUE(starter.starts.empty());
    env.dialogs.clear();

    std::filesystem::create_directories(workFolder);
    ASSERT_TRUE(send(73, utility.string()));

    const std::string expected =
        test::StyFileBuilder()
            .style(0, "SWING", test::makeChunk(73 * 3, 73), "SWING2", test::makeChunk(78, 1073), 17)
            .bytes();
    EXPECT_EQ(test::readFile(workFolder / "WRK.STY"), expected);
    EXPECT_EQ(starter.starts,
              (std::vector<Texts>{{utility.string(), (workFolder / "WRK.STY").string()}}));
    EXPECT_TRUE(env.dialogs.calls().empty());

    // A style that is gone: nothing written, nothing started, nothing said.
    EXPECT_FALSE(send(999, utility.string()));
    EXPECT_EQ(starter.starts.size(), 1u);
    EXPECT_TRUE(env.dialogs.calls().empty());

    // A utility that cannot start is named in the message.
    const auto missing = (env.dir / "no such utility").string();
    const auto plain = makeUtility("plain", false).string();
    EXPECT_FALSE(send(73, missing));
    EXPECT_FALSE(send(73, plain));
    EXPECT_FALSE(send(73, env.dir.path().string()));
    starter.succeed = false;
    EXPECT_FALSE(send(73, utility.string()));
    EXPECT_EQ(
        env.dialogs.messages(),
        (Texts{
            "The Korg utility " + missing + " cannot be started: the file does not exist.",
            "The Korg utility " + plain + " cannot be started: the file is not executable.",
            "The Korg utility " + env.dir.path().string() + " cannot be started: it is not a file.",
            "The Korg utility " + utility.string() + " could not be started."}));
    EXPECT_EQ(starter.starts.size(), 2u);
}

}  // namespace
}  // namespace orb
