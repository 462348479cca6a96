#include "catalogue/catalogue_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "catalogue/check_controller.h"
#include "cli/cli.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "support/test_environment.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using Kind = CheckFinding::Kind;

// Stores a style without the stores' checks, as an older program or a hand-made change could
// have left it: blocks of `length1` and `length2` bytes, made from the number, and the stored
// lengths given.
void plantStyle(Database& db, std::int32_t prog, const std::string& name, std::size_t length1,
                std::size_t length2, std::int64_t stored1, std::int64_t stored2,
                const std::string& desc = "", const std::string& seed = "") {
    std::string block1;
    for (std::size_t i = 0; i < length1; ++i) {
        block1 += static_cast<char>((i * 7 + static_cast<std::size_t>(prog)) % 256);
    }
    block1 = seed + block1.substr(seed.size());
    const std::string block2 = length2 == 0 ? " " : std::string(length2, static_cast<char>(prog));
    db.execute(
        "INSERT INTO KORFStyles VALUES (pProg, pName, pName2, pLength1, pLength2, pContent1, "
        "pContent2, pSeek, '2026/12/06', pDesc, 'Group', 'Family', 'USER01.STY', 'Author')",
        {prog, name, name, stored1, stored2, SqlParam::blob(block1), SqlParam::blob(block2),
         SqlParam::blob(std::string_view(block1).substr(0, 250)), desc});
}

// Sixteen bytes: the length of the key the content look-up's index holds.
const std::string kSharedKey = "same sixteen key";

// Every kind of finding planted once, among healthy rows whose numbers differ from slot positions
// and counts: styles 21, 34, 61, 62, 75 stored (61 and 62 the same content), 55 and 88 gone.
class CatalogueCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        plantStyle(db(), 21, "ROCK1", 300, 40, 299, 40);               // first length wrong
        plantStyle(db(), 34, "BALLAD", 500, 0, 500, 0, "Slow\nsoft");  // empty second block
        plantStyle(db(), 61, "TWIN", 700, 30, 700, 30, "", kSharedKey);
        plantStyle(db(), 62, "TWIN COPY", 700, 30, 700, 30, "", kSharedKey);
        db().execute(
            "UPDATE KORFStyles SET StyleContent1 = (SELECT StyleContent1 FROM KORFStyles "
            "WHERE StyleProg = 61), StyleContent2 = (SELECT StyleContent2 FROM "
            "KORFStyles WHERE StyleProg = 61), StyleSeek = (SELECT StyleSeek FROM "
            "KORFStyles WHERE StyleProg = 61) WHERE StyleProg = 62");
        // The same start of key as the twins, other content: read in full, not a twin.
        plantStyle(db(), 75, "SWING", 700, 30, 700, 30, "", kSharedKey);
        db().execute(
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, "
            "BankStyle02, BankStyle03, BankStyle16) VALUES (7, 'LIVE', 'Friday', 34, 55, "
            "21, 55)");
        db().execute(
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01) VALUES "
            "(9, 'SPARE', NULL, 75)");
        db().execute("INSERT INTO KORFSongs VALUES (3, 'Blue Moon', 'Rodgers')");
        db().execute("INSERT INTO KORFSongs VALUES (5, 'Ω Song', 'Someone')");
        db().execute("INSERT INTO KORFSonSty VALUES (3, 88, '120', '-2', 'intro')");
        db().execute("INSERT INTO KORFSonSty VALUES (3, 21, '96', '0', ' ')");
        db().execute("INSERT INTO KORFSonSty VALUES (5, 88, '70', '+1', 'end')");
    }

    Database& db() { return env.state.connection; }
    BankSlots slotsOf(std::int32_t bank) { return BankStore(db()).find(bank)->BankStyle; }

    test::TestEnvironment env;
};

TEST_F(CatalogueCheckTest, EveryPlantedFindingIsFoundWithWhatToDo) {
    const CheckReport report = checkCatalogue(db());
    const std::vector<CheckFinding> expected = {
        {Kind::GoneBankSlot,
         "Bank 7 LIVE: slot 2 holds style 55, which is no longer stored. "
         "Repair takes it out of the bank (later slots move up)."},
        {Kind::GoneBankSlot,
         "Bank 7 LIVE: slot 16 holds style 55, which is no longer stored. "
         "Repair takes it out of the bank (later slots move up)."},
        {Kind::GoneLinkStyle,
         "Song 3 \"Blue Moon\" is linked to style 88, which is no longer "
         "stored. Repair keeps the link without a style."},
        {Kind::GoneLinkStyle,
         "Song 5 \"Ω Song\" is linked to style 88, which is no longer "
         "stored. Repair keeps the link without a style."},
        {Kind::WrongLengths,
         "Style 21 ROCK1: its stored lengths (299, 40) differ from its blocks "
         "(300, 40). Repair sets the lengths from the blocks."},
        {Kind::UncarriedText,
         "The description of style 34 holds a line break. Change it in the style's edit window "
         "(double-click the style in the styles window)."},
        {Kind::UncarriedText,
         "The title of song 5 holds \"Ω\", which the keyboard's files cannot carry (Windows-1252 "
         "only). Change it in the song's edit window (songs window, Update)."},
        {Kind::SameContent,
         "Styles 61 and 62 hold the same content. Look-alikes (Styles menu) "
         "keeps one of them and moves the bank slots and song links of the "
         "others onto it."},
    };
    EXPECT_EQ(report.findings, expected);
    EXPECT_EQ(report.summary(), "8 findings; 5 of them can be repaired.");
    EXPECT_EQ(report.exitStatus(), 1);
}

TEST_F(CatalogueCheckTest, RepairMendsWhatItCanInOneStepAfterARestorePoint) {
    env.clock.setTime("21:40:00");
    const auto before = test::tableRows(db());
    const RepairOutcome outcome = repairCatalogue(env.state);
    EXPECT_EQ(outcome.summary(),
              "Repaired: 2 bank slots emptied, 2 song links cleared and 1 style's lengths set "
              "(restore point of 2026-12-06 21:40:00).");
    EXPECT_EQ(slotsOf(7), (BankSlots{34, 21}));
    EXPECT_EQ(slotsOf(9), (BankSlots{75}));
    // Song 3 already had no link without a style: its link to 88 becomes that one.
    EXPECT_EQ(LinkStore(db()).find(3, 0)->SongNote, "intro");
    EXPECT_FALSE(LinkStore(db()).find(3, 88));
    EXPECT_TRUE(LinkStore(db()).find(3, 21));

    // What is left cannot be mended without losing a style or a person's text.
    const CheckReport after = checkCatalogue(db());
    ASSERT_EQ(after.findings.size(), 3u);
    EXPECT_EQ(after.repairableCount(), 0u);
    EXPECT_EQ(after.summary(), "3 findings; none of them can be repaired by ORB.");
    EXPECT_EQ(repairCatalogue(env.state).summary(), "There was nothing that ORB can repair.");

    // The one point, kept before the repair that changed something, holds the catalogue from
    // before it.
    const auto points = env.state.restorePoints().list(env.state.DatabasePath);
    ASSERT_EQ(points.size(), 1u);
    env.state.restorePoints().bringBack(db(), points[0]);
    EXPECT_EQ(test::tableRows(db()), before);
    repairCatalogue(env.state);

    // Once the texts and the twin are dealt with, the catalogue passes.
    db().execute("UPDATE KORFStyles SET StyleDesc = 'Slow soft' WHERE StyleProg = 34");
    db().execute("UPDATE KORFSongs SET SongTitle = 'O Song' WHERE SongCode = 5");
    db().execute("DELETE FROM KORFStyles WHERE StyleProg = 62");
    EXPECT_TRUE(checkCatalogue(db()).healthy());
    EXPECT_EQ(checkCatalogue(db()).summary(), "The catalogue is healthy.");
    EXPECT_EQ(checkCatalogue(db()).exitStatus(), 0);
}

// The lengths are set last: refused there, the emptied slots and cleared links come back too.
TEST_F(CatalogueCheckTest, ARepairRefusedHalfWayChangesNothing) {
    db().execute(
        "CREATE TRIGGER refuse_lengths BEFORE UPDATE OF StyleLength1 ON KORFStyles BEGIN SELECT "
        "RAISE(ABORT, 'refused'); END");
    const BankSlots slots = slotsOf(7);
    EXPECT_THROW(repairCatalogue(env.state), OrbError);
    EXPECT_EQ(slotsOf(7), slots);
    EXPECT_TRUE(LinkStore(db()).find(3, 88));
    EXPECT_FALSE(db().inTransaction());
}

TEST(CatalogueCheck, ADamagedFileIsSaidAndNeitherCheckedFurtherNorRepaired) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    for (int prog = 1; prog <= 40; ++prog) {
        plantStyle(env.state.connection, prog, "STYLE", 3000, 100, 3000, 100);
    }
    env.state.connection.close();
    // Scribble over a page in the middle of the file: the header stays, the tree breaks.
    {
        std::fstream file(env.state.DatabasePath, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4096 * 6);
        const std::string scribble(4096, '\x5A');
        file.write(scribble.data(), static_cast<std::streamsize>(scribble.size()));
    }
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

    // A file whose table list SQLite finds malformed cannot even be opened: still a damaged
    // file for the command, not a failure.
    env.state.connection.close();
    {
        std::fstream file(env.state.DatabasePath, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(100);
        const std::string scribble(3000, '\x5A');
        file.write(scribble.data(), static_cast<std::streamsize>(scribble.size()));
    }
    const test::CliRun malformed = env.runCli({"--db", env.state.DatabasePath, "check"});
    EXPECT_EQ(malformed.status, 2) << malformed.err;
    EXPECT_NE(malformed.err.find("malformed"), std::string::npos) << malformed.err;
}

TEST_F(CatalogueCheckTest, ManyFindingsOfOneKindAreOneLineWithTheListBehindIt) {
    for (std::int32_t i = 0; i < 11; ++i) {
        plantStyle(db(), 100 + i, "COPY", 320 + i, 12, 320 + i, 12);
        plantStyle(db(), 200 + i, "COPY", 320 + i, 12, 320 + i, 12);
    }
    db().execute(
        "UPDATE KORFStyles SET StyleContent1 = (SELECT s.StyleContent1 FROM KORFStyles s WHERE "
        "s.StyleProg = KORFStyles.StyleProg - 100), StyleContent2 = (SELECT s.StyleContent2 FROM "
        "KORFStyles s WHERE s.StyleProg = KORFStyles.StyleProg - 100), StyleSeek = (SELECT "
        "s.StyleSeek FROM KORFStyles s WHERE s.StyleProg = KORFStyles.StyleProg - 100) WHERE "
        "StyleProg >= 200");
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
    // The command prints the same line, then the list behind it, a finding a line; it exits 1
    // while findings are left, repaired or not.
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
        repaired.out.starts_with("Repaired: 2 bank slots emptied, 2 song links cleared "
                                 "and 1 style's lengths set (restore point of "))
        << repaired.out;
    EXPECT_TRUE(repaired.out.ends_with("\n14 findings; none of them can be repaired by ORB.\n"))
        << repaired.out;
    EXPECT_EQ(env.runCli({"check", "--fix"}).status, kExitUsage);
}

}  // namespace
}  // namespace orb
