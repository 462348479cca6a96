#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "catalogue/catalogue_test_support.h"
#include "cli/cli.h"
#include "core/drive_folder.h"
#include "stylefiles/keyboard_layout.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::expectBankFile;

const std::vector<std::int32_t> kBank5 = {57, 41, 88, 73};
const std::vector<std::int32_t> kBank9 = {73, 88, 57, 88};

// make-sty, floppy and hd-transfer on the fixture's banks 5 and 9.
class KeyboardCommandsTest : public test::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        test::writeFile(stick() / "holiday.jpg", "photo");
    }
    fs::path stick() { return env.dir / "stick"; }
    fs::path user(int n) {
        return stick() / "ORB.SET" / "STYLE" / ("USER0" + std::to_string(n) + ".STY");
    }
};

TEST_F(KeyboardCommandsTest, MakeStyWritesTheBankWithNumber17) {
    const fs::path out = env.dir / "live.sty";
    const test::CliRun made = runOnFile({"make-sty", "BANK9", out.string()});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out,
              out.string() +
                  " successfully created\n1 bank file read back from the disk and verified.\n");
    expectBankFile(db(), out, kBank9, 17);
    EXPECT_EQ(runOnFile({"make-sty", "5", out.string()}).status, 0);
    expectBankFile(db(), out, kBank5, 17);
    const test::CliRun missing = runOnFile({"make-sty", "77", out.string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "There is no bank 77.\n");

    // An empty OUT, or a link that goes round in a loop, is wrong usage; the loop stays.
    const test::CliRun empty = runOnFile({"make-sty", "5", ""});
    EXPECT_EQ(empty.status, kExitUsage);
    EXPECT_EQ(empty.err, "Usage: orb make-sty BANK OUT\n");
    const fs::path loop = env.dir / "loop.sty";
    fs::create_symlink(env.dir / "back.sty", loop);
    fs::create_symlink(loop, env.dir / "back.sty");
    const test::CliRun looping = runOnFile({"make-sty", "5", loop.string()});
    EXPECT_EQ(looping.status, kExitUsage);
    EXPECT_EQ(looping.err, "OUT " + loop.string() +
                               " is a symbolic link that goes round in a loop; name a file.\n");
    EXPECT_TRUE(fs::is_symlink(loop));
    EXPECT_EQ(fs::read_symlink(loop), env.dir / "back.sty");
}

TEST_F(KeyboardCommandsTest, FloppyWipesOnlyWhenToldOrAnswered) {
    const std::vector<std::string> args = {"floppy", "9", "-", "BANK5", "--to", stick().string()};
    const test::CliRun refused = runOnFile(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Writing the floppy deletes everything in " + stick().string() +
                               " first, and there is no terminal to ask on: give --yes. Nothing "
                               "was deleted.\n");
    std::istringstream no("n\n");
    const test::CliRun declined = runOnFile(args, &no);
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(declined.err, floppyWipeQuestion(stick().string()) + " [y/N] ");
    EXPECT_EQ(test::readFile(stick() / "holiday.jpg"), "photo");

    std::istringstream yes("y\n");
    const test::CliRun written = runOnFile(args, &yes);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out,
              "DIRECT FD floppy successfully created!\n2 bank files read back from the disk and "
              "verified.\n");
    EXPECT_FALSE(fs::exists(stick() / "holiday.jpg"));
    expectBankFile(db(), user(1), kBank9, 17);
    EXPECT_FALSE(fs::exists(user(2)));
    expectBankFile(db(), user(3), kBank5, 19);

    EXPECT_EQ(runOnFile({"floppy", "-", "5", "--to", stick().string(), "--yes"}).status, 0);
    EXPECT_EQ(test::readFile(user(2)), test::expectedBankFile(db(), kBank5, 18));
    EXPECT_FALSE(fs::exists(user(1)));

    // The folder of the database is never wiped.
    const test::CliRun database =
        runOnFile({"floppy", "5", "--to", env.dir.path().string(), "--yes"});
    EXPECT_EQ(database.status, 1);
    EXPECT_EQ(database.err, wipeRefusal(env.dir.path(), filesInUse(env.state)) + "\n");
    EXPECT_TRUE(fs::exists(env.dir / "ORB.MDB"));
    EXPECT_EQ(runOnFile({"floppy", "NOPE", "--to", stick().string(), "--yes"}).err,
              "There is no bank NOPE.\n");
}

TEST_F(KeyboardCommandsTest, HdTransferFillsTheSetFoldersInQueueOrder) {
    const fs::path disk = env.dir / "pa";
    fs::create_directories(disk);
    const test::CliRun result =
        runOnFile({"hd-transfer", "5", "-", "-", "BANK9", "9", "--to", disk.string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "DIRECT HD styles successfully created!\n3 bank files read back from the disk and "
              "verified.\n\nPlease reboot your Pa60 / Pa80\n");
    expectBankFile(db(), disk / "!123.SET" / "STYLE" / "USER01.STY", kBank5, 17);
    expectBankFile(db(), disk / "!456.SET" / "STYLE" / "USER01.STY", kBank9, 17);
    expectBankFile(db(), disk / "!456.SET" / "STYLE" / "USER02.STY", kBank9, 18);
    EXPECT_FALSE(fs::exists(disk / "!123.SET" / "STYLE" / "USER02.STY"));
    EXPECT_FALSE(fs::exists(disk / "!789.SET"));
    // The user's own file of the old probe's name is neither read nor deleted.
    test::writeFile(disk / ".orb-drive-probe", "mine");
    EXPECT_EQ(runOnFile({"hd-transfer", "5", "--to", disk.string()}).status, 0);
    EXPECT_EQ(test::readFile(disk / ".orb-drive-probe"), "mine");
    const test::CliRun noDisk = runOnFile({"hd-transfer", "5"});
    EXPECT_EQ(noDisk.status, 1);
    EXPECT_EQ(noDisk.err, "No hard disk folder is set: give --to DIR.\n");
}

}  // namespace
}  // namespace orb
