#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>

#include "core/file_access.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

void writeText(const fs::path& target, const std::string& text) {
    replaceFileSafely(target, "The file", [&](std::ostream& out) { out << text; });
}

// The message of the FileAccessError that `work` throws, "" when it throws none.
std::string failureOf(const std::function<void()>& work) {
    return test::failureOf<FileAccessError>(work);
}

TEST(ReplaceFileSafely, ALinkKeepsPointingAtTheReplacedFile) {
    TempDir dir;
    fs::create_directory(dir / "dumps");
    writeFile(dir / "dumps" / "old.odd", "old dump");
    fs::create_symlink(fs::path("dumps") / "old.odd", dir / "latest.odd");

    writeText(dir / "latest.odd", "new dump, longer");
    EXPECT_TRUE(fs::is_symlink(dir / "latest.odd"));
    EXPECT_EQ(readFile(dir / "dumps" / "old.odd"), "new dump, longer");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"dumps", "latest.odd"}));
    EXPECT_EQ(namesIn(dir / "dumps"), std::vector<std::string>{"old.odd"});
}

TEST(ReplaceFileSafely, RefusesWhatIsNoRegularFileAndKeepsItAsItWas) {
    TempDir dir;
    const fs::path fifo = dir / "pipe.odd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(failureOf([&] { writeText(fifo, "data"); }),
              "The file " + fifo.string() + " cannot be written: it is not a regular file.");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"pipe.odd"});

    // Reading refuses it at once instead of blocking in open.
    EXPECT_EQ(failureOf([&] { openRegularFile(fifo, "The dump file"); }),
              "The dump file " + fifo.string() + " cannot be read: it is not a regular file.");
    EXPECT_THROW(openRegularFile(dir / "none", "The file"), FileAccessError);
    writeFile(dir / "plain", "abc");
    std::ifstream in = openRegularFile(dir / "plain", "The file");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "abc");
}

TEST(ReplaceFileSafely, RefusesAMissingFolderAndAFolderAsTarget) {
    TempDir dir;
    const auto noFolder = dir / "missing" / "USER01.STY";
    EXPECT_EQ(failureOf([&] { writeText(noFolder, "x"); }),
              "The file " + noFolder.string() + " cannot be written: the folder " +
                  (dir / "missing").string() + " does not exist.");
    EXPECT_EQ(failureOf([&] { writeText(dir.path(), "x"); }),
              "The file " + dir.path().string() + " cannot be written: it is a folder.");
}

TEST(ReplaceFileSafely, ANameAtTheFileSystemLimitCanBeWritten) {
    TempDir dir;
    const fs::path target = dir / (std::string(251, 'n') + ".odd");
    writeText(target, "first");
    writeText(target, "second");
    EXPECT_EQ(readFile(target), "second");
    EXPECT_EQ(namesIn(dir.path()).size(), 1u);
}

TEST(ReplaceFileSafely, AFailedWriteLeavesTheOldFileAndNoTemporaryOne) {
    TempDir dir;
    writeFile(dir / "bank.sty", "old bank");
    EXPECT_THROW(replaceFileSafely(dir / "bank.sty", "The bank file",
                                   [](std::ostream& out) {
                                       out << "half";
                                       throw std::runtime_error("stopped");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(readFile(dir / "bank.sty"), "old bank");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"bank.sty"});
}

TEST(ReplaceFileSafely, RemovesOnlyOurTemporaryFilesLeftByAnEarlierRun) {
    TempDir dir;
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
    const std::vector<std::string> names = {
        ".orb-0123456789abcdef.tmp",  // ours, left by a killed write: goes
        ".orb-fedcba9876543210.tmp",  // ours, but written during this run: stays
        ".orb-0123456789ABCDEF.tmp",  // not our pattern
        "keep.tmp",
    };
    for (const std::string& name : names) {
        writeFile(dir / name, "x");
    }
    fs::last_write_time(dir / names[0], longAgo);
    fs::last_write_time(dir / names[2], longAgo);
    fs::last_write_time(dir / names[3], longAgo);

    writeText(dir / "new.odd", "dump");
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{".orb-0123456789ABCDEF.tmp", ".orb-fedcba9876543210.tmp",
                                        "keep.tmp", "new.odd"}));
    EXPECT_TRUE(isTemporaryFileName(names[0]));
    EXPECT_FALSE(isTemporaryFileName(names[2]));
}

}  // namespace
}  // namespace orb
