// The commands on the fixture's catalogue: banks 5 {57, 41, 88, 73} and 9 {73, 88, 57, 88}.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "catalogue/catalogue_test_support.h"
#include "cli/cli.h"
#include "core/drive_folder.h"
#include "core/read_back.h"
#include "stylefiles/keyboard_layout.h"
#include "support/query_column.h"
#include "support/temp_dir.h"
#include "support/what_was_said.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::expectBankFile;
using test::filesIn;
using test::kBank5;
using test::kBank9;
using test::refused;
using test::Said;
using test::told;

class CatalogueCommandsTest : public test::CatalogueTest {
protected:
    Said orb(const std::vector<std::string>& args, std::istream* terminal = nullptr) {
        return test::said(runOnFile(args, terminal));
    }
    fs::path stick() { return env.dir / "stick"; }
    fs::path user(int n) {
        return stick() / "ORB.SET" / "STYLE" / ("USER0" + std::to_string(n) + ".STY");
    }
};

// Refusals and edge cases of the bank commands; their ordinary runs are held against the
// windows in window_and_command_test.
TEST_F(CatalogueCommandsTest, BanksAreSavedDeletedAndFoundOrRefused) {
    addBank(2, {41});
    db().execute("UPDATE KORFBanks SET BankName = 'SATURDAY GI' WHERE BankProg = 2");
    const std::vector<std::pair<std::vector<std::string>, Said>> cases = {
        {{"bank-save", "X", "999"}, refused("There is no style 999.")},
        {{"bank-save", " ", "41"}, refused("Please insert bank name!")},
        {{"bank-save", "TWO\nLINES", "57"},
         refused("The name of the new bank holds a line break.")},
        // Cut, a long name could name another bank and, with --overwrite, replace it.
        {{"bank-save", "SATURDAY GIG", "--overwrite", "57", "73"},
         refused("The bank name SATURDAY GIG has 12 characters; a bank name takes at most 11. "
                 "Nothing was stored.")},
        // The last slot of a full bank is found like any other.
        {{"bank-save", "FULL", "73", "73", "73", "73", "73", "73", "73", "73", "73", "73", "73",
          "73", "73", "73", "73", "41"},
         told("Bank 10 FULL stored.")},
        {{"where-is", "41"}, told("5\tBANK5\t2\n10\tFULL\t16\n2\tSATURDAY GI\t1")},
        {{"bank-delete", "FULL"}, told("Bank 10 FULL deleted.")},
        {{"bank-delete", "BANK5"}, told("Bank 5 BANK5 deleted.")},
        {{"bank-delete", "9"}, told("Bank 9 BANK9 deleted.")},
        {{"bank-delete", "9"}, refused("There is no bank 9.")},
        {{"where-is", "88"}, refused("Selected style cannot be found in any bank!")},
        // Eleven characters, accented ones counted as one each, are a name.
        {{"bank-save", "F\xC3\xAATE \xC3\xA0 ROME", "57"},
         told("Bank 3 F\xC3\xAATE \xC3\xA0 ROME stored.")},
    };
    for (const auto& [args, expected] : cases) {
        EXPECT_EQ(orb(args), expected) << args[0] << " " << args[1 % args.size()];
    }
}

TEST_F(CatalogueCommandsTest, MakeStyRefusesAGoneBankALinkLoopAndAFileThatDoesNotReadBack) {
    const fs::path out = env.dir / "live.sty";
    // (What it writes and says is held against the window in window_and_command_test.)
    EXPECT_EQ(orb({"make-sty", "77", out.string()}), refused("There is no bank 77."));

    // An empty OUT, or a link that goes round in a loop, is wrong usage; the loop stays.
    EXPECT_EQ(orb({"make-sty", "5", ""}), (Said{kExitUsage, "", "Usage: orb make-sty BANK OUT\n"}));
    const fs::path loop = env.dir / "loop.sty";
    fs::create_symlink(env.dir / "back.sty", loop);
    fs::create_symlink(loop, env.dir / "back.sty");
    EXPECT_EQ(orb({"make-sty", "5", loop.string()}),
              (Said{kExitUsage, "",
                    "OUT " + loop.string() +
                        " is a symbolic link that goes round in a loop; name a file.\n"}));
    EXPECT_EQ(fs::read_symlink(loop), env.dir / "back.sty");

    // A file that does not read back as written fails the command.
    env.state.readBack = [](const DriveFolder& drive, const DriveFile& file) {
        std::optional<std::string> bytes = readBackFromDisk(drive, file);
        bytes->back() ^= 1;
        return bytes;
    };
    EXPECT_EQ(orb({"make-sty", "BANK9", out.string()}),
              refused("The bank file " + out.string() +
                      " of bank BANK9 does not read back as it was written. The floppy or "
                      "stick may be failing: write it again, or use another one before the "
                      "keyboard needs it."));
}

TEST_F(CatalogueCommandsTest, FloppyWipesOnlyWhenToldOrAnswered) {
    test::writeFile(stick() / "holiday.jpg", "photo");
    const std::vector<std::string> args = {"floppy", "9", "-", "BANK5", "--to", stick().string()};
    EXPECT_EQ(orb(args), refused("Writing the floppy deletes everything in " + stick().string() +
                                 " first, and there is no terminal to ask on: give --yes. "
                                 "Nothing was deleted."));
    std::istringstream no("n\n");
    EXPECT_EQ(orb(args, &no), (Said{1, "", floppyWipeQuestion(stick().string()) + " [y/N] "}));
    EXPECT_EQ(test::readFile(stick() / "holiday.jpg"), "photo");

    std::istringstream yes("y\n");
    EXPECT_EQ(std::get<1>(orb(args, &yes)),
              "DIRECT FD floppy successfully created!\n2 bank files read back from the disk and "
              "verified.\n");
    EXPECT_FALSE(fs::exists(stick() / "holiday.jpg"));

    // The folder of the database is never wiped.
    EXPECT_EQ(orb({"floppy", "5", "--to", env.dir.path().string(), "--yes"}),
              refused(wipeRefusal(env.dir.path(), filesInUse(env.state))));
    EXPECT_TRUE(fs::exists(env.dir / "ORB.MDB"));
    EXPECT_EQ(orb({"floppy", "NOPE", "--to", stick().string(), "--yes"}),
              refused("There is no bank NOPE."));
}

TEST_F(CatalogueCommandsTest, HdTransferLeavesTheUsersFilesAndWantsAFolder) {
    const fs::path disk = env.dir / "pa";
    fs::create_directories(disk);
    // (The files and the message are the bank dialog's: see window_and_command_test.)
    // The user's own file of the old probe's name is neither read nor deleted.
    test::writeFile(disk / ".orb-drive-probe", "mine");
    EXPECT_EQ(std::get<0>(orb({"hd-transfer", "5", "--to", disk.string()})), 0);
    EXPECT_EQ(test::readFile(disk / ".orb-drive-probe"), "mine");
    EXPECT_EQ(orb({"hd-transfer", "5"}), refused("No hard disk folder is set: give --to DIR."));
}

TEST_F(CatalogueCommandsTest, SetupsAreSavedListedAndDeletedInTheirShapes) {
    EXPECT_EQ(orb({"setup-save", "Gig 2024", "--description", "Summer tour", "--floppy", "BANK9",
                   "-", "5", "--hd", "-", "5", "-", "-", "-", "-", "-", "-", "9"}),
              told("Set-up Gig 2024 stored."));
    ASSERT_EQ(std::get<0>(orb({"setup-save", "Band", "--hd", "-", "-", "-", "9"})), 0);
    const Said listed = {0,
                         "Band\t\t0\t0\t0\t0\t0\t0\t9\t0\t0\t0\t0\t0\n"
                         "Gig 2024\tSummer tour\t9\t0\t5\t0\t5\t0\t0\t0\t0\t0\t0\t9\n",
                         ""};
    EXPECT_EQ(orb({"setups"}), listed);
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"setup-save", "gig 2024", "--floppy", "5"},
         "A set-up named gig 2024 is already stored. Give --overwrite to replace it."},
        {{"setup-save", "Solo", "--floppy", "5", "NOPE"},
         "There is no bank NOPE; the set-up was not stored."},
        {{"setup-delete", "Solo"}, "There is no set-up Solo."},
    };
    for (const auto& [args, message] : refusals) {
        EXPECT_EQ(orb(args), refused(message)) << args[1];
    }
    EXPECT_EQ(orb({"setups"}), listed);

    EXPECT_EQ(std::get<1>(orb({"setup-save", "GIG 2024", "--overwrite", "--floppy", "5"})),
              "Set-up GIG 2024 stored.\n");
    EXPECT_EQ(std::get<1>(orb({"setup-delete", "band"})), "Set-up Band deleted.\n");
    EXPECT_EQ(std::get<1>(orb({"bank-delete", "5"})),
              "Bank 5 BANK5 deleted.\nThe set-up GIG 2024 used it and shows it as a gone bank "
              "now.\n");
    EXPECT_EQ(std::get<1>(orb({"setups"})), "GIG 2024\t\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n");
}

TEST_F(CatalogueCommandsTest, ADryRunTellsEachFileAndWritesNothingAndAGoneBankWritesNothing) {
    ASSERT_EQ(orb({"setup-save", "Gig", "--floppy", "9", "-", "5", "--hd", "-", "-", "-", "5"}),
              told("Set-up Gig stored."));
    const fs::path disk = env.dir / "disk";
    test::writeFile(stick() / "holiday.jpg", "photo");
    fs::create_directories(disk);
    const std::vector<std::string> dryRun = {
        "setup-write",    "Gig",     "--dry-run",  "--floppy-to",
        stick().string(), "--hd-to", disk.string()};
    EXPECT_EQ(orb(dryRun), told("ORB.SET/STYLE/USER01.STY\tnew\nORB.SET/STYLE/USER03.STY\tnew\n"
                                "!456.SET/STYLE/USER01.STY\tnew"));
    EXPECT_EQ(filesIn(stick()), (std::map<std::string, std::string>{{"holiday.jpg", "photo"}}));
    // Without --yes and a terminal the floppy is not emptied.
    EXPECT_EQ(orb({"setup-write", "Gig", "--floppy-to", stick().string()}),
              refused("Writing the set-up's floppy deletes everything in " + stick().string() +
                      " first, and there is no terminal to ask on: give --yes. Nothing was "
                      "deleted."));

    std::vector<std::string> write = dryRun;
    write[2] = "--yes";
    EXPECT_EQ(std::get<0>(orb(write)), 0);
    expectBankFile(db(), user(1), kBank9, 17);
    test::writeFile(user(1), "worn out");
    const auto before = filesIn(stick());
    EXPECT_EQ(std::get<1>(orb(dryRun)),
              "ORB.SET/STYLE/USER01.STY\tchanged\nORB.SET/STYLE/USER03.STY\tunchanged\n"
              "!456.SET/STYLE/USER01.STY\tunchanged\n");
    EXPECT_EQ(filesIn(stick()), before);

    ASSERT_EQ(std::get<0>(orb({"bank-delete", "BANK9"})), 0);
    for (const std::vector<std::string>& args : {dryRun, write}) {
        EXPECT_EQ(orb(args),
                  refused("The set-up Gig uses bank 9, which is no longer stored; nothing was "
                          "written."));
    }
    EXPECT_EQ(filesIn(stick()), before);
}

TEST_F(CatalogueCommandsTest, IdentifyTellsAFileAndAFolderWithoutBankFiles) {
    const fs::path file = env.dir / "old" / "USER07.STY";
    test::writeFile(file, test::expectedBankFile(db(), kBank5, 23));
    const std::string listing = file.string() +
                                "\t23\tstored bank 5 BANK5\n\t1\tBALLAD\t57\n\t2\tROCK1\t41\n"
                                "\t3\tDISCO\t88\n\t4\tSWING\t73";
    EXPECT_EQ(orb({"identify", file.string()}), told(listing));
    EXPECT_EQ(orb({"identify", file.string(), "--import-new"}),
              told(listing + "\nThere is no new style to import."));
    fs::create_directories(env.dir / "blank");
    EXPECT_EQ(orb({"identify", (env.dir / "blank").string()}),
              refused("There is no Pa bank file in " + (env.dir / "blank").string() + "."));
}

TEST(RestorePointCommands, ListAndUndoAfterTheQuestion) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.settings.set("PATH", "DATABASE", env.state.DatabasePath);
    Database& db = env.state.connection;
    db.execute("INSERT INTO KORFSongs VALUES (12, 'Blue Moon', 'Rodgers')");
    env.clock.setTime("20:05:00");
    const std::string size =
        std::to_string(env.state.restorePoints().keep(db, "deleting 1 song").size);
    db.execute("DELETE FROM KORFSongs");
    env.state.connection.close();
    const auto orb = [&](const std::vector<std::string>& args, std::istream* terminal = nullptr) {
        return test::said(env.runCli(args, terminal));
    };

    EXPECT_EQ(orb({"restore-points"}),
              told("1\t2026-12-06 20:05:00\tdeleting 1 song\t0\t0\t1\t" + size));
    EXPECT_EQ(orb({"undo"}),
              refused("Undoing changes the catalogue, and there is no terminal to ask "
                      "on: give --yes. Nothing was changed."));
    std::istringstream no("n\n");
    EXPECT_EQ(std::get<0>(orb({"undo", "1"}, &no)), 1);
    EXPECT_EQ(std::get<2>(orb({"undo", "2", "--yes"})),
              "There is no restore point 2 of this catalogue; orb restore-points lists them.\n");
    EXPECT_EQ(orb({"undo", "--yes"}),
              told("The catalogue is back as it was on 2026-12-06 20:05:00, before deleting 1 "
                   "song."));
    // The undo kept a restore point first (its rows: undo_test).
    const std::string after = std::get<1>(orb({"restore-points"}));
    EXPECT_TRUE(after.starts_with("1\t2026-12-06 20:05:00\tundoing the change of ")) << after;
    db.open(env.state.DatabasePath, Database::OpenMode::ExistingOnly);
    EXPECT_EQ(test::column(db, "SELECT SongTitle FROM KORFSongs"),
              std::vector<std::string>{"Blue Moon"});
}

}  // namespace
}  // namespace orb
