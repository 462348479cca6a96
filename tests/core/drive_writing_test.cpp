#include "core/drive_writing.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace orb::test {
namespace {

namespace fs = std::filesystem;

// A drive of 512-byte blocks whose free room the test sets.
class DriveWritingTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(stick()); }

    fs::path stick() { return dir.path() / "stick"; }
    DriveFolder drive() { return *DriveFolder::open(stick()); }
    DriveWriting how(bool wipe) {
        DriveWriting writing;
        writing.wipe = wipe;
        writing.room = [this](const DriveFolder&) { return DriveRoom{freeBytes, 512}; };
        return writing;
    }
    // Two banks of the floppy layout: 700 and 300 bytes, two blocks and one.
    std::vector<DriveFile> banks() {
        return {{{"ORB.SET", "STYLE"}, "USER01.STY", std::string(700, '\x11')},
                {{"ORB.SET", "STYLE"}, "USER03.STY", std::string(300, '\x33')}};
    }
    std::string failureOf(const DriveFolder& folder, const std::vector<DriveFile>& files,
                          const DriveWriting& writing) {
        return test::failureOf<FileAccessError>([&] { writeToDrive(folder, files, writing); });
    }

    TempDir dir;
    std::uintmax_t freeBytes = 0;
};

TEST_F(DriveWritingTest, TheRoomIsCountedBeforeAnythingIsDeletedOrMade) {
    const fs::path style = stick() / "ORB.SET" / "STYLE";
    // Two folders and three blocks of files need 2560 bytes; the check wants more than that.
    freeBytes = 2560;
    const std::string noRoom = "There is not enough room in " + stick().string() + " for " +
                               (style / "USER03.STY").string() +
                               ": it needs 512 bytes, and only 512 are left for it. Nothing was "
                               "deleted or written.";
    EXPECT_EQ(failureOf(drive(), banks(), how(false)), noRoom);
    EXPECT_TRUE(fs::is_empty(stick()));  // no folder made for a refused write

    // A wipe frees what it deletes: 1,500 bytes in three blocks and a folder's block.
    writeFile(stick() / "old" / "song.mid", std::string(1500, 'm'));
    freeBytes = 512;
    EXPECT_EQ(failureOf(drive(), banks(), how(true)), noRoom);
    EXPECT_EQ(readFile(stick() / "old" / "song.mid"), std::string(1500, 'm'));
    freeBytes = 513;
    EXPECT_NE(failureOf(drive(), banks(), how(false)), "");  // not without the wipe's room
    EXPECT_EQ(failureOf(drive(), banks(), how(true)), "");
    EXPECT_EQ(namesIn(stick()), std::vector<std::string>{"ORB.SET"});
    EXPECT_EQ(readFile(style / "USER01.STY"), std::string(700, '\x11'));
    EXPECT_EQ(readFile(style / "USER03.STY"), std::string(300, '\x33'));

    // Without a wipe, the file a new one replaces frees its room once the new one is whole.
    freeBytes = 1024 + 1;
    std::vector<std::size_t> written;
    DriveWriting again = how(false);
    again.afterEach = [&](std::size_t index) { written.push_back(index); };
    std::vector<DriveFile> larger = banks();
    larger[0].bytes = std::string(1000, '\x44');
    larger[1].bytes = std::string(900, '\x55');
    EXPECT_EQ(failureOf(drive(), larger, again), "");
    EXPECT_EQ(written, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(readFile(style / "USER03.STY"), std::string(900, '\x55'));
    freeBytes = 1024;
    EXPECT_NE(failureOf(drive(), banks(), how(false)), "");
}

TEST_F(DriveWritingTest, WhatCannotBeWrittenIsFoundFirstAndAFailureHalfWaySaysWhatHappened) {
    freeBytes = 1 << 20;
    const fs::path style = stick() / "ORB.SET" / "STYLE";
    writeFile(style / "USER03.STY", "protected");
    fs::permissions(style / "USER03.STY", fs::perms::owner_read);
    EXPECT_EQ(failureOf(drive(), banks(), how(false)), "The bank file " +
                                                           (style / "USER03.STY").string() +
                                                           " cannot be written: it is read-only.");
    EXPECT_EQ(namesIn(style), std::vector<std::string>{"USER03.STY"});

    // A link in place of a layout folder is refused before anything is written.
    fs::remove_all(stick() / "ORB.SET");
    writeFile(dir.path() / "elsewhere" / "keep.txt", "keep");
    fs::create_directory_symlink(dir.path() / "elsewhere", stick() / "ORB.SET");
    EXPECT_EQ(failureOf(drive(), banks(), how(false)),
              "The folder " + (stick() / "ORB.SET").string() +
                  " is a symbolic link, which ORB does not follow on a drive.");
    EXPECT_EQ(namesIn(dir.path() / "elsewhere"), std::vector<std::string>{"keep.txt"});

    // A file that turns read-only after the check: the message tells of the wipe and the
    // first file.
    fs::remove(stick() / "ORB.SET");
    writeFile(stick() / "a.txt", "a");
    writeFile(stick() / "b" / "c.txt", "c");
    DriveWriting writing = how(true);
    writing.afterEach = [&](std::size_t index) {
        if (index == 0) {
            writeFile(style / "USER03.STY", "sneaked in");
            fs::permissions(style / "USER03.STY", fs::perms::owner_read);
        }
    };
    EXPECT_EQ(failureOf(drive(), banks(), writing),
              "The bank file " + (style / "USER03.STY").string() +
                  " cannot be written: it is read-only. Before this, " + stick().string() +
                  " was emptied (2 files and 1 folder deleted) and " +
                  (style / "USER01.STY").string() + " was written.");

    // A wipe that fails half-way writes nothing and says so.
    int calls = 0;
    std::string failedName;
    writing = how(true);
    writing.remove = [&](int fd, const char* name, int flags) {
        if (++calls == 2) {
            failedName = name;
            errno = EIO;
            return -1;
        }
        return ::unlinkat(fd, name, flags);
    };
    const std::string failure = failureOf(drive(), banks(), writing);
    EXPECT_EQ(failure, (style / failedName).string() +
                           " cannot be deleted: Input/output error. Already deleted from " +
                           stick().string() + ": 1 file and 0 folders. Nothing was written.");
    EXPECT_EQ(namesIn(style).size(), 1u);

    // A wipe that fails on its very first entry says that nothing was deleted.
    calls = 1;
    const std::vector<std::string> left = namesIn(style);
    EXPECT_EQ(
        failureOf(drive(), banks(), writing),
        (style / failedName).string() +
            " cannot be deleted: Input/output error. Nothing was deleted. Nothing was written.");
    EXPECT_EQ(namesIn(style), left);
}

}  // namespace
}  // namespace orb::test
