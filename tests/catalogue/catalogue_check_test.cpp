#include "catalogue/catalogue_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/check_controller.h"
#include "catalogue/lookalikes.h"
#include "catalogue/lookalikes_controller.h"
#include "cli/cli.h"
#include "db/link_store.h"
#include "support/failure_of.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using Kind = CheckFinding::Kind;
using test::failureOf;

// Stores a style without the stores' checks, as a hand-made change to the database could
// have left it: blocks of `length1` and `length2` bytes, made from `madeFrom` (else the number),
// and the stored lengths given.
void plantStyle(Database& db, std::int32_t prog, const std::string& name, std::size_t length1,
                std::size_t length2, std::int64_t stored1, std::int64_t stored2,
                const std::string& desc = "", const std::string& seed = "",
                std::int32_t madeFrom = 0, const std::string& family = "Family") {
    const std::int32_t from = madeFrom != 0 ? madeFrom : prog;
    std::string block1;
    for (std::size_t i = 0; i < length1; ++i) {
        block1 += static_cast<char>((i * 7 + static_cast<std::size_t>(from)) % 256);
    }
    block1 = seed + block1.substr(seed.size());
    const std::string block2 = length2 == 0 ? " " : std::string(length2, static_cast<char>(from));
    db.execute(
        "INSERT INTO KORFStyles VALUES (pProg, pName, pName2, pLength1, pLength2, pContent1, "
        "pContent2, pSeek, '2026/12/06', pDesc, 'Group', pFamily, 'USER01.STY', 'Author')",
        {prog, name, name, stored1, stored2, SqlParam::blob(block1), SqlParam::blob(block2),
         SqlParam::blob(std::string_view(block1).substr(0, 250)), desc, family});
}

// Sixteen bytes: the length of the key the content look-up's index holds.
const std::string kSharedKey = "same sixteen key";

// Every kind of finding planted once, among healthy rows whose numbers differ from slot positions
// and counts: styles 21, 34, 61, 62, 75 stored (61 and 62 the same content), 55 and 88 gone.
class CatalogueCheckTest : public test::FreshCatalogueTest {
protected:
    void SetUp() override {
        FreshCatalogueTest::SetUp();
        plantStyle(db(), 21, "ROCK1", 300, 40, 299, 40);               // first length wrong
        plantStyle(db(), 34, "BALLAD", 500, 0, 500, 0, "Slow\nsoft");  // empty second block
        plantStyle(db(), 61, "TWIN", 700, 30, 700, 30, "", kSharedKey);
        plantStyle(db(), 62, "TWIN COPY", 700, 30, 700, 30, "", kSharedKey, 61);
        // The same start of key as the twins, other content: read in full, not a twin.
        plantStyle(db(), 75, "SWING", 700, 30, 700, 30, "", kSharedKey);
        db().execute(
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, BankStyle02, "
            "BankStyle03, BankStyle16) VALUES (7, 'LIVE', 'Friday', 34, 55, 21, 55)");
        db().execute(
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01) VALUES (9, 'SPARE', "
            "NULL, 75)");
        db().execute("INSERT INTO KORFSongs VALUES (3, 'Blue Moon', 'Rodgers')");
        db().execute("INSERT INTO KORFSongs VALUES (5, 'Ω Song', 'Someone')");
        db().execute("INSERT INTO KORFSonSty VALUES (3, 88, '120', '-2', 'intro')");
        db().execute("INSERT INTO KORFSonSty VALUES (3, 21, '96', '0', ' ')");
        db().execute("INSERT INTO KORFSonSty VALUES (5, 88, '70', '+1', 'end')");
    }
};

TEST_F(CatalogueCheckTest, EveryPlantedFindingIsFoundWithWhatToDo) {
    const CheckReport report = checkCatalogue(db());
    const std::vector<CheckFinding> expected = {
        {Kind::GoneBankSlot,
         "Bank 7 LIVE: slot 2 holds style 55, which is no longer stored. Repair takes it out of "
         "the bank (later slots move up)."},
        {Kind::GoneBankSlot,
         "Bank 7 LIVE: slot 16 holds style 55, which is no longer stored. Repair takes it out of "
         "the bank (later slots move up)."},
        {Kind::GoneLinkStyle,
         "Song 3 \"Blue Moon\" is linked to style 88, which is no longer stored. Repair keeps the "
         "link without a style."},
        {Kind::GoneLinkStyle,
         "Song 5 \"Ω Song\" is linked to style 88, which is no longer stored. Repair keeps the "
         "link without a style."},
        {Kind::WrongLengths,
         "Style 21 ROCK1: its stored lengths (299, 40) differ from its blocks (300, 40). Repair "
         "sets the lengths from the blocks."},
        {Kind::UncarriedText,
         "The description of style 34 holds a line break. Change it in the style's edit window "
         "(double-click the style in the styles window)."},
        {Kind::UncarriedText,
         "The title of song 5 holds \"Ω\", which the keyboard's files cannot carry (Windows-1252 "
         "only). Change it in the song's edit window (songs window, Update)."},
        {Kind::SameContent,
         "Styles 61 and 62 hold the same content. Look-alikes (Styles menu) keeps one of them and "
         "moves the bank slots and song links of the others onto it."},
    };
    EXPECT_EQ(report.findings, expected);
    EXPECT_EQ(report.summary(), "8 findings; 5 of them can be repaired.");
    EXPECT_EQ(report.exitStatus(), 1);
}

TEST_F(CatalogueCheckTest, RepairMendsWhatItCanInOneStepAfterARestorePoint) {
    env.clock.setTime("21:40:00");
    const std::string before = test::tableSnapshot(db());
    // The lengths are set last: refused there, the emptied slots and cleared links come back too.
    db().execute(
        "CREATE TRIGGER refuse_lengths BEFORE UPDATE OF StyleLength1 ON KORFStyles BEGIN SELECT "
        "RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(repairCatalogue(env.state), OrbError);
    EXPECT_EQ(test::tableSnapshot(db()), before);
    EXPECT_FALSE(db().inTransaction());
    db().execute("DROP TRIGGER refuse_lengths");

    const RepairOutcome outcome = repairCatalogue(env.state);
    EXPECT_EQ(outcome.summary(),
              "Repaired: 2 bank slots emptied, 2 song links cleared and 1 style's lengths set "
              "(restore point of 2026-12-06 21:40:00).");
    EXPECT_EQ(slotsOf(7), (BankSlots{34, 21}));
    EXPECT_EQ(slotsOf(9), (BankSlots{75}));
    // Song 3 had no style-less link: its link to 88 becomes one, without tempo or transposition.
    EXPECT_EQ(test::linkRows(db()),
              (std::vector<test::LinkRow>{
                  {3, 0, "", "", "intro"}, {3, 21, "96", "0", " "}, {5, 0, "", "", "end"}}));

    // What is left cannot be mended without losing a style or a person's text.
    const CheckReport after = checkCatalogue(db());
    ASSERT_EQ(after.findings.size(), 3u);
    EXPECT_EQ(after.repairableCount(), 0u);
    EXPECT_EQ(after.summary(), "3 findings; none of them can be repaired by ORB.");
    EXPECT_EQ(repairCatalogue(env.state).summary(), "There was nothing that ORB can repair.");

    // The one restore point, kept before the repair that changed something, undoes it.
    const auto points = env.state.restorePoints().list(env.state.DatabasePath);
    ASSERT_EQ(points.size(), 1u);
    env.state.restorePoints().bringBack(db(), points[0]);
    EXPECT_EQ(test::tableSnapshot(db()), before);
    repairCatalogue(env.state);

    // Once the texts and the twin are dealt with, the catalogue passes.
    db().execute("UPDATE KORFStyles SET StyleDesc = 'Slow soft' WHERE StyleProg = 34");
    db().execute("UPDATE KORFSongs SET SongTitle = 'O Song' WHERE SongCode = 5");
    db().execute("DELETE FROM KORFStyles WHERE StyleProg = 62");
    EXPECT_TRUE(checkCatalogue(db()).healthy());
    EXPECT_EQ(checkCatalogue(db()).summary(), "The catalogue is healthy.");
    EXPECT_EQ(checkCatalogue(db()).exitStatus(), 0);
}

TEST(CatalogueCheck, ADamagedFileIsSaidAndNeitherCheckedFurtherNorRepaired) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    for (int prog = 1; prog <= 40; ++prog) {
        plantStyle(env.state.connection, prog, "STYLE", 3000, 100, 3000, 100);
    }
    env.state.connection.close();
    const auto scribble = [&](std::streamoff at, std::size_t size) {
        std::fstream file(env.state.DatabasePath, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(at);
        file.write(std::string(size, '\x5A').data(), static_cast<std::streamsize>(size));
    };
    // Scribble over a page in the middle of the file: the header stays, the tree breaks.
    scribble(4096 * 6, 4096);
    env.state.connection.open(env.state.DatabasePath, Database::OpenMode::ExistingOnly);
    const CheckReport report = checkCatalogue(env.state.connection);
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].kind, Kind::DamagedFile);
    EXPECT_TRUE(report.findings[0].text.starts_with("The database file " + env.state.DatabasePath +
                                                    " is damaged ("))
        << report.findings[0].text;
    EXPECT_TRUE(report.findings[0].text.ends_with(
        "). Bring back a restore point or a backup; nothing else was checked."));
    EXPECT_EQ(report.exitStatus(), 2);
    EXPECT_THROW(repairCatalogue(env.state), OrbError);
    EXPECT_FALSE(fs::exists(env.state.RestorePointFolder));

    // A file SQLite cannot even open (its table list malformed) is a damaged file too.
    env.state.connection.close();
    scribble(100, 3000);
    const test::CliRun malformed = env.runCli({"--db", env.state.DatabasePath, "check"});
    EXPECT_EQ(malformed.status, 2) << malformed.err;
    EXPECT_NE(malformed.err.find("malformed"), std::string::npos) << malformed.err;
}

TEST_F(CatalogueCheckTest, ManyFindingsOfOneKindAreOneLineWithTheListBehindIt) {
    for (std::int32_t i = 0; i < 11; ++i) {
        plantStyle(db(), 100 + i, "COPY", 320 + i, 12, 320 + i, 12);
        plantStyle(db(), 200 + i, "COPY", 320 + i, 12, 320 + i, 12, "", "", 100 + i);
    }
    const std::string line =
        "12 styles are stored twice: Look-alikes (Styles menu) keeps one of each and moves the "
        "bank slots and song links of the others onto it.";
    CheckController check(env.state, env.dialogs);
    check.check();
    ASSERT_EQ(check.rows().size(), 8u);
    EXPECT_EQ(check.rows()[7], line);
    ASSERT_EQ(check.details(7).size(), 12u);
    EXPECT_TRUE(check.details(6).empty());
    EXPECT_TRUE(check.lookalikesEnabled());
    EXPECT_EQ(check.summary(), "19 findings; 5 of them can be repaired.");
    // The command prints the line, then its list a finding a line; findings left exit 1.
    env.settings.set("PATH", "DATABASE", env.state.DatabasePath);
    db().close();
    const test::CliRun found = env.runCli({"check"});
    EXPECT_EQ(found.status, 1);
    EXPECT_TRUE(found.out.starts_with("Bank 7 LIVE: slot 2 holds style 55")) << found.out;
    EXPECT_NE(found.out.find("\n" + line + "\n\t" + check.details(7)[0] + "\n"), std::string::npos);
    EXPECT_NE(found.out.find("\n\t" + check.details(7)[3] + "\n"), std::string::npos);
    EXPECT_TRUE(found.out.ends_with("\n19 findings; 5 of them can be repaired.\n")) << found.out;
    const test::CliRun repaired = env.runCli({"check", "--repair"});
    EXPECT_EQ(repaired.status, 1);
    EXPECT_TRUE(
        repaired.out.starts_with("Repaired: 2 bank slots emptied, 2 song links cleared and 1 "
                                 "style's lengths set (restore point of "))
        << repaired.out;
    EXPECT_TRUE(repaired.out.ends_with("\n14 findings; none of them can be repaired by ORB.\n"))
        << repaired.out;
    EXPECT_EQ(env.runCli({"check", "--fix"}).status, kExitUsage);
}

using Group = LookalikeGroup::Kind;

// A style whose blocks are made from `content`: styles given the same content hold the same bytes.
void addStyle(Database& db, std::int32_t prog, const std::string& name, int content,
              const std::string& desc, const std::string& family) {
    const std::size_t length1 = 400 + static_cast<std::size_t>(content);
    const std::size_t length2 = 20 + static_cast<std::size_t>(content);
    plantStyle(db, prog, name, length1, length2, static_cast<std::int64_t>(length1),
               static_cast<std::int64_t>(length2), desc, "", content, family);
}

// Three variants named ROCK1 (12 and 77 one content, 40 another, names padded differently),
// one content under the names BALLAD and SLOW (90, 91), and a style alike to nothing (95).
class LookalikesTest : public test::FreshCatalogueTest {
protected:
    void SetUp() override {
        FreshCatalogueTest::SetUp();
        addStyle(db(), 12, "ROCK1", 1, "Bright", "Pop");
        addStyle(db(), 40, "rock1      ", 2, "Dark", "Rock");
        addStyle(db(), 77, std::string("ROCK1\0\0", 7), 1, "Copy", "Pop");
        addStyle(db(), 90, "BALLAD", 3, "Slow", "Pop");
        addStyle(db(), 91, "SLOW", 3, "", "");
        addStyle(db(), 95, "OTHER", 4, "", "");
        BankStore(db()).insertNumbered({3, "LIVE", "", {40, 12, 40, 95}});
        db().execute("INSERT INTO KORFSongs VALUES (8, 'Both', 'Singer')");
        db().execute("INSERT INTO KORFSongs VALUES (9, 'Only forty', 'Singer')");
        LinkStore links(db());
        links.insert({8, 40, "100", "-1", "forty"});
        links.insert({8, 12, "120", "+2", "twelve"});
        links.insert({9, 40, "90", "0", "nine"});
    }
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
            EXPECT_EQ(style.StyleFile + " " + style.StyleDate, "USER01.STY 2026/12/06");
            style.fingerprint = style.StyleFile = style.StyleDate = "";
            style.StyleLength1 = style.StyleLength2 = 0;
        }
    }
    const std::vector<LookalikeGroup> expected = {
        {Group::SameNameOtherContent,
         "ROCK1: 3 styles, 2 contents",
         {{12, "ROCK1", "Bright", "Pop", 1, 1, 1},
          {40, "rock1", "Dark", "Rock", 2, 2, 2},
          {77, "ROCK1", "Copy", "Pop", 0, 0, 1}}},
        {Group::SameNameSameContent,
         "tango: 2 styles, the same content",
         {{58, "tango", "", "", 0, 0, 1}, {63, "TANGO", "Latin", "Dance", 0, 0, 1}}},
        {Group::SameContentOtherNames,
         "The same content: BALLAD, SLOW",
         {{90, "BALLAD", "Slow", "Pop", 0, 0, 1}, {91, "SLOW", "", "", 0, 0, 1}}},
    };
    EXPECT_EQ(groups, expected);
}

TEST_F(LookalikesTest, KeepingOneMovesEverySlotAndLinkOfTheOthersInOneStep) {
    // Refusals change nothing (and keep no restore point: one is counted below).
    const std::vector<std::tuple<std::int32_t, Numbers, std::string>> refused = {
        {12, {40, 12}, "Style 12 is the one kept; it cannot also be one of the others."},
        {12, {40, 66}, "There is no style 66; nothing was changed."},
        {66, {40}, "There is no style 66; nothing was changed."},
        {12, {}, "Name at least one other style whose bank slots and song links move."},
    };
    for (const auto& [keep, others, message] : refused) {
        EXPECT_EQ(failureOf<OrbError>([&] { keepLookalike(env.state, keep, others, true); }),
                  message);
    }
    EXPECT_EQ(slotsOf(3), (BankSlots{40, 12, 40, 95}));
    EXPECT_EQ(styleNumbers(), (Numbers{12, 40, 77, 90, 91, 95}));

    env.clock.setTime("18:30:00");
    // The last slot of a full bank counts and moves like any other.
    BankSlots full;
    full.fill(95);
    full.back() = 77;
    BankStore(db()).insertNumbered({5, "FULL", "", full});
    EXPECT_EQ(findLookalikes(db())[0].styles[2].bankSlots, 1);
    // A style named twice is one style.
    const KeepOutcome outcome = keepLookalike(env.state, 12, {40, 77, 40}, true);
    EXPECT_EQ(outcome.summary(12),
              "Style 12 now stands in 3 bank slots and 1 song link of the others; 2 styles were "
              "deleted (restore point of 2026-12-06 18:30:00).");
    EXPECT_EQ(slotsOf(3), (BankSlots{12, 12, 12, 95}));
    EXPECT_EQ(slotsOf(5).back(), 12);
    // Song 8 was linked to both: its own link to 12 stays, with its values.
    EXPECT_EQ(test::linkRows(db()), (std::vector<test::LinkRow>{{8, 12, "120", "+2", "twelve"},
                                                                {9, 12, "90", "0", "nine"}}));
    EXPECT_EQ(styleNumbers(), (Numbers{12, 90, 91, 95}));
    const auto points = env.state.restorePoints().list(env.state.DatabasePath);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].action, "keeping style 12 in place of styles 40 and 77");
    // The names left are one content each.
    EXPECT_EQ(findLookalikes(db()).size(), 1u);
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
              (Texts{"Keep style 40 rock1 and move every bank slot and song link of "
                     "styles 12 and 77 onto it? ORB keeps a restore point first.",
                     "Style 40 now stands in 1 bank slot and 0 song links of the "
                     "others (restore point of 2026-12-06 12:00:00)."}));
    EXPECT_TRUE(StyleStore(db()).findWithoutBlocks(12));  // kept: the box was not ticked
    EXPECT_EQ(lookalikes.rows().size(), 5u);
}

TEST_F(LookalikesTest, TheCommandListsTheGroupsAndKeepsAfterTheQuestion) {
    EXPECT_EQ(said(runOnFile({"lookalikes"})),
              test::told("1\tsame name\tROCK1: 3 styles, 2 contents\n"
                         "\t12\tROCK1\tBright\tPop\t1\t1\t1\n"
                         "\t40\trock1\tDark\tRock\t2\t2\t2\n"
                         "\t77\tROCK1\tCopy\tPop\t0\t0\t1\n"
                         "2\tsame content\tThe same content: BALLAD, SLOW\n"
                         "\t90\tBALLAD\tSlow\tPop\t0\t0\t1\n"
                         "\t91\tSLOW\t\t\t0\t0\t1"));
    EXPECT_EQ(runOnFile({"lookalikes", "--keep", "90", "91"}).status, 1);  // nobody to ask
    EXPECT_EQ(said(runOnFile({"lookalikes", "--keep", "90", "91", "--yes"})),
              test::told("Style 90 now stands in 0 bank slots and 0 song links of the others "
                         "(restore point of 2026-12-06 12:00:00)."));
    EXPECT_EQ(runOnFile({"lookalikes", "--keep", "90"}).status, 64);
    EXPECT_EQ(said(runOnFile({"lookalikes", "--keep", "90", "91", "--yes", "--yes"})),
              (test::Said{64, "",
                          "The option --yes is given more than once.\nUsage: orb [--db PATH] "
                          "lookalikes [--keep STYLE OTHER... [--delete-others] [--yes]]\n"}));
    EXPECT_EQ(runOnFile({"lookalikes", "90", "91"}).status, 64);
}

}  // namespace
}  // namespace orb
