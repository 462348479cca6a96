#include "core/drive_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace orb::test {
namespace {

namespace fs = std::filesystem;

// A home folder of the test's own, so that the refusals never depend on the real one.
class DriveFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        savedHome_ = home == nullptr ? "" : home;
        fs::create_directories(dir.path() / "users" / "me");
        setenv("HOME", (dir.path() / "users" / "me").c_str(), 1);
    }
    void TearDown() override { setenv("HOME", savedHome_.c_str(), 1); }

    TempDir dir;

private:
    std::string savedHome_;
};

TEST_F(DriveFolderTest, ReadyMeansAnExistingFolderThatTakesAFile) {
    writeFile(dir.path() / "plain.txt", "x");
    EXPECT_FALSE(driveReady(dir.path() / "missing"));
    EXPECT_FALSE(driveReady(dir.path() / "plain.txt"));
    EXPECT_FALSE(driveReady(""));
    EXPECT_TRUE(driveReady(dir.path()));
    // The probe file leaves nothing behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST_F(DriveFolderTest, WipeRefusesRootHomeFoldersAboveItAndFoldersHoldingFilesInUse) {
    const fs::path database = dir.path() / "data" / "sub" / "ORB.MDB";
    fs::create_directories(database.parent_path());
    writeFile(database, "db");
    const std::vector<fs::path> keep{database};
    const std::string end = ". Nothing was deleted.";
    const std::vector<std::pair<fs::path, std::string>> refused = {
        {"/", "it is the root of the file system"},
        {dir.path() / "users" / "me", "it is the home folder or a folder above it"},
        {dir.path() / "users", "it is the home folder or a folder above it"},
        {dir.path() / "data", "it holds " + database.string() + ", which ORB is using"},
    };
    for (const auto& [folder, reason] : refused) {
        EXPECT_EQ(wipeRefusal(folder, keep),
                  "ORB does not wipe " + folder.string() + ": " + reason + end);
    }
    EXPECT_EQ(wipeRefusal(dir.path() / "users" / "me" / "stick", keep), "");
    EXPECT_EQ(wipeRefusal(dir.path() / "data2", keep), "");

    try {
        wipeDriveFolder(dir.path() / "data", keep);
        FAIL() << "the wipe was not refused";
    } catch (const FileAccessError& e) {
        EXPECT_EQ(std::string(e.what()), wipeRefusal(dir.path() / "data", keep));
    }
    EXPECT_EQ(readFile(database), "db");
}

TEST_F(DriveFolderTest, WipeDeletesEveryFileAndFolderAtTheTopAndCreateMakesParents) {
    const fs::path stick = dir.path() / "stick";
    fs::create_directories(stick / "ORB.SET" / "STYLE");
    writeFile(stick / "ORB.SET" / "STYLE" / "USER01.STY", "bank");
    writeFile(stick / "readme.txt", "text");
    fs::permissions(stick / "readme.txt", fs::perms::owner_read);
    wipeDriveFolder(stick, {});
    EXPECT_TRUE(fs::is_directory(stick));
    EXPECT_TRUE(fs::is_empty(stick));

    createDriveFolder(stick / "ORB.SET" / "STYLE");
    EXPECT_TRUE(fs::is_directory(stick / "ORB.SET" / "STYLE"));
    writeFile(dir.path() / "blocker", "");
    try {
        createDriveFolder(dir.path() / "blocker" / "STYLE");
        FAIL() << "a folder was made under a file";
    } catch (const FileAccessError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with(
            "The folder " + (dir.path() / "blocker" / "STYLE").string() + " cannot be created: "));
    }
}

}  // namespace
}  // namespace orb::test
