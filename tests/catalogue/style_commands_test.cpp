#include <gtest/gtest.h>

#include "app/startup.h"
#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_group.h"
#include "cli/cli.h"
#include "support/edit_windows.h"
#include "support/held_lock.h"

namespace orb {
namespace {

using Slots = test::CatalogueTest::Slots;

class StyleCommandsTest : public test::CatalogueTest {
protected:
    test::CliRun run(std::vector<std::string> args) { return runOnFile(std::move(args)); }
};

TEST_F(StyleCommandsTest, StyleUpdateSetsTheGivenColumnsOrNothing) {
    const test::CliRun done =
        run({"style-update", "--family", "Latin", "--file", "X.STY", "41", "88"});
    EXPECT_EQ(done.status, kExitOk) << done.err;
    EXPECT_EQ(done.out, "2 styles updated.\n");
    EXPECT_EQ(storedStyle(41).StyleFamily, "Latin");
    EXPECT_EQ(storedStyle(88).StyleFile, "X.STY");
    EXPECT_EQ(storedStyle(88).StyleCat, "Club");
    EXPECT_EQ(storedStyle(57).StyleFamily, "Slow");

    const std::string before = snapshot();
    // The second style cannot be written after the first was.
    refuseUpdatesOf("KORFStyles", 57);
    const std::string none = ". None was changed.\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"--author", "Kim", "41", "57"},
         "The styles could not be updated; none was changed: row is locked\n"},
        {{"--family", std::string(21, 'f'), "88"},
         "The family of style 88 has 21 characters; it takes at most 20" + none},
        {{"--group", "\xCE\xB1", "88"},
         "The group of style 88 holds \"\xCE\xB1\", which the keyboard's files cannot carry "
         "(Windows-1252 only)" +
             none},
        // Text that is not UTF-8, a line break or a tab never reaches the catalogue.
        {{"--description", "caf\xE9", "41", "88"},
         "The description of style 41 is not valid UTF-8 text" + none},
        {{"--description", "Slow\nballad", "41", "88"},
         "The description of style 41 holds a line break" + none},
        {{"--description", "Slow\tballad", "41", "88"},
         "The description of style 41 holds a tab" + none},
        {{"--author", "Kim", "41", "999"}, "There is no style 999.\n"},
    };
    for (auto [args, error] : refusals) {
        args.insert(args.begin(), "style-update");
        const test::CliRun refused = run(args);
        EXPECT_EQ(refused.status, kExitFailure) << args[1];
        EXPECT_EQ(refused.err, error);
    }
    EXPECT_EQ(snapshot(), before);

    EXPECT_EQ(run({"style-update", "41"}).status, kExitUsage);
    EXPECT_EQ(run({"style-update", "--family", "Rock"}).status, kExitUsage);
    EXPECT_EQ(run({"style-update", "--family", "Rock", "4x"}).status, kExitUsage);
}

// While another program writes to the database, the command waits, then says so in these words
// and changes nothing; so does the styles window's group update.
TEST_F(StyleCommandsTest, AStyleUpdateOnADatabaseInUseChangesNothing) {
    const test::ShortBusyTimeout timeout;
    const std::string before = snapshot();
    const std::filesystem::path file = env.dir / "ORB.MDB";
    {
        const test::AnotherProgramsLock lock(file);
        const test::CliRun refused = run({"style-update", "--family", "Latin", "41", "88"});
        EXPECT_EQ(refused.status, kExitFailure);
        EXPECT_EQ(refused.err, test::inUseText(file) + "\n");
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_EQ(snapshot(), before);

    OpenDatabase(env.state);
    StyleColumnChanges changes;
    changes.StyleFamily = "Latin";
    {
        const test::AnotherProgramsLock lock(file);
        env.dialogs.answer(UserDialogs::Answer::Yes);
        EXPECT_FALSE(RunGroupUpdate(env.state, env.dialogs, {41, 88},
                                    [&](const GroupValues&) { return std::optional(changes); }));
        EXPECT_EQ(env.dialogs.messages().back(), test::inUseText(file));
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(StyleCommandsTest, StyleDeleteListsFirstAndDeletesEverywhereWithYes) {
    const std::string before = snapshot();
    const test::CliRun listed = run({"style-delete", "73", "41"});
    EXPECT_EQ(listed.status, kExitOk) << listed.err;
    EXPECT_EQ(listed.out, "73\tSWING\n41\tROCK1\nWithout --yes nothing is deleted.\n");
    EXPECT_EQ(snapshot(), before);

    // Bank 9 cannot be rewritten: style 41 is gone and bank 5 rewritten by then.
    db().execute(
        "CREATE TRIGGER refuse_banks BEFORE UPDATE ON KORFBanks WHEN OLD.BankProg = 9 "
        "BEGIN SELECT RAISE(ABORT, 'bank is locked'); END");
    const test::CliRun refused = run({"style-delete", "--yes", "41", "73"});
    EXPECT_EQ(refused.status, kExitFailure);
    EXPECT_EQ(refused.err, "The styles could not be deleted; none was changed: bank is locked\n");
    EXPECT_EQ(snapshot(), before);
    db().execute("DROP TRIGGER refuse_banks");

    const test::CliRun deleted = run({"style-delete", "--yes", "41", "73"});
    EXPECT_EQ(deleted.status, kExitOk) << deleted.err;
    EXPECT_EQ(deleted.out,
              "41\tROCK1\n73\tSWING\n"
              "2 styles deleted from the catalogue, the banks and the song links.\n");
    EXPECT_EQ(styleNumbers(), (std::vector<std::int32_t>{57, 88}));
    EXPECT_EQ(slotsOf(5), (Slots{57, 88}));
    EXPECT_EQ(slotsOf(9), (Slots{88, 57, 88}));
    EXPECT_EQ(run({"style-delete", "--yes"}).status, kExitUsage);
    EXPECT_EQ(run({"style-delete", "999"}).status, kExitFailure);
}

}  // namespace
}  // namespace orb
