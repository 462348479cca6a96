#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "catalogue/catalogue_test_support.h"
#include "cli/cli.h"
#include "core/read_back.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// setups, setup-save, setup-delete, setup-write and identify on the fixture's banks 5 and 9.
class SetupCommandsTest : public test::CatalogueTest {
protected:
    std::string setups() { return runOnFile({"setups"}).out; }
    static std::map<std::string, std::string> filesIn(const fs::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                files[fs::relative(entry.path(), folder).string()] = test::readFile(entry.path());
            }
        }
        return files;
    }
};

TEST_F(SetupCommandsTest, SetupsAreSavedListedAndDeletedInTheirShapes) {
    const test::CliRun saved =
        runOnFile({"setup-save", "Gig 2024", "--description", "Summer tour", "--floppy", "BANK9",
                   "-", "5", "--hd", "-", "5", "-", "-", "-", "-", "-", "-", "9"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "Set-up Gig 2024 stored.\n");
    ASSERT_EQ(runOnFile({"setup-save", "Band", "--hd", "-", "-", "-", "9"}).status, 0);
    const std::string listed =
        "Band\t\t0\t0\t0\t0\t0\t0\t9\t0\t0\t0\t0\t0\n"
        "Gig 2024\tSummer tour\t9\t0\t5\t0\t5\t0\t0\t0\t0\t0\t0\t9\n";
    EXPECT_EQ(setups(), listed);

    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> refused = {
        {{"setup-save", "gig 2024", "--floppy", "5"},
         1,
         "A set-up named gig 2024 is already stored. Give --overwrite to replace it.\n"},
        {{"setup-save", "Solo", "--floppy", "5", "NOPE"},
         1,
         "There is no bank NOPE; the set-up was not stored.\n"},
        {{"setup-delete", "Solo"}, 1, "There is no set-up Solo.\n"},
    };
    for (const auto& [args, status, err] : refused) {
        const test::CliRun run = runOnFile(args);
        EXPECT_EQ(run.status, status) << args[1];
        EXPECT_EQ(run.err, err);
    }
    EXPECT_EQ(setups(), listed);

    EXPECT_EQ(runOnFile({"setup-save", "GIG 2024", "--overwrite", "--floppy", "5"}).out,
              "Set-up GIG 2024 stored.\n");
    EXPECT_EQ(runOnFile({"setup-delete", "band"}).out, "Set-up Band deleted.\n");
    EXPECT_EQ(runOnFile({"bank-delete", "5"}).out,
              "Bank 5 BANK5 deleted.\nThe set-up GIG 2024 used it and shows it as a gone bank "
              "now.\n");
    EXPECT_EQ(setups(), "GIG 2024\t\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n");
}

TEST_F(SetupCommandsTest, ADryRunTellsEachFileAndWritesNothingAndAGoneBankWritesNothing) {
    ASSERT_EQ(
        runOnFile({"setup-save", "Gig", "--floppy", "9", "-", "5", "--hd", "-", "-", "-", "5"})
            .status,
        0);
    const fs::path stick = env.dir / "stick";
    const fs::path disk = env.dir / "disk";
    test::writeFile(stick / "holiday.jpg", "photo");
    fs::create_directories(disk);
    const std::vector<std::string> dryRun = {"setup-write",  "Gig",     "--dry-run",  "--floppy-to",
                                             stick.string(), "--hd-to", disk.string()};
    const test::CliRun fresh = runOnFile(dryRun);
    EXPECT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_EQ(fresh.out,
              "ORB.SET/STYLE/USER01.STY\tnew\nORB.SET/STYLE/USER03.STY\tnew\n"
              "!456.SET/STYLE/USER01.STY\tnew\n");
    EXPECT_EQ(filesIn(stick), (std::map<std::string, std::string>{{"holiday.jpg", "photo"}}));

    // Without --yes and a terminal the floppy is not emptied.
    std::vector<std::string> write = dryRun;
    write[2] = "--yes";
    const test::CliRun written = runOnFile(write);
    EXPECT_EQ(written.status, 0) << written.err;
    const fs::path user01 = stick / "ORB.SET" / "STYLE" / "USER01.STY";
    test::expectBankFile(db(), user01, {73, 88, 57, 88}, 17);
    test::writeFile(user01, "worn out");
    const auto before = filesIn(stick);
    EXPECT_EQ(runOnFile(dryRun).out,
              "ORB.SET/STYLE/USER01.STY\tchanged\nORB.SET/STYLE/USER03.STY\tunchanged\n"
              "!456.SET/STYLE/USER01.STY\tunchanged\n");
    EXPECT_EQ(filesIn(stick), before);

    ASSERT_EQ(runOnFile({"bank-delete", "BANK9"}).status, 0);
    for (const std::vector<std::string>& args : {dryRun, write}) {
        const test::CliRun gone = runOnFile(args);
        EXPECT_EQ(gone.status, 1);
        EXPECT_EQ(gone.err,
                  "The set-up Gig uses bank 9, which is no longer stored; nothing was written.\n");
    }
    EXPECT_EQ(filesIn(stick), before);
    const test::CliRun noTerminal = runOnFile({"setup-write", "Gig"});
    EXPECT_EQ(noTerminal.status, 1);
}

TEST_F(SetupCommandsTest, IdentifyTellsAFileAndAFolderWithoutBankFiles) {
    const fs::path file = env.dir / "old" / "USER07.STY";
    test::writeFile(file, test::expectedBankFile(db(), {57, 41, 88, 73}, 23));
    const test::CliRun told = runOnFile({"identify", file.string()});
    EXPECT_EQ(told.status, 0) << told.err;
    EXPECT_EQ(told.out, file.string() +
                            "\t23\tstored bank 5 BANK5\n\t1\tBALLAD\t57\n\t2\tROCK1\t41\n"
                            "\t3\tDISCO\t88\n\t4\tSWING\t73\n");
    const test::CliRun nothingNew = runOnFile({"identify", file.string(), "--import-new"});
    EXPECT_EQ(nothingNew.status, 0);
    EXPECT_EQ(nothingNew.out, told.out + "There is no new style to import.\n");

    fs::create_directories(env.dir / "blank");
    const test::CliRun blank = runOnFile({"identify", (env.dir / "blank").string()});
    EXPECT_EQ(blank.status, 1);
    EXPECT_EQ(blank.out, "");
    EXPECT_EQ(blank.err, "There is no Pa bank file in " + (env.dir / "blank").string() + ".\n");
}

TEST_F(SetupCommandsTest, AFileThatDoesNotReadBackFailsTheCommand) {
    env.state.readBack = [](const DriveFolder& drive, const DriveFile& file) {
        std::optional<std::string> bytes = readBackFromDisk(drive, file);
        bytes->back() ^= 1;
        return bytes;
    };
    const fs::path out = env.dir / "live.sty";
    const test::CliRun made = runOnFile({"make-sty", "BANK9", out.string()});
    EXPECT_EQ(made.status, 1);
    EXPECT_EQ(made.out, "");
    EXPECT_EQ(made.err, "The bank file " + out.string() +
                            " of bank BANK9 does not read back as it was written. The floppy or "
                            "stick may be failing: write it again, or use another one before the "
                            "keyboard needs it.\n");
}

}  // namespace
}  // namespace orb
