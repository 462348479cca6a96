#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>

#include "core/file_access.h"
#include "core/file_replacement.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace orb::test {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& target, const std::string& text) {
    replaceFileSafely(target, "The file", [&](std::ostream& out) { out << text; });
}

TEST(ReplaceFileSafely, ALinkKeepsPointingAtTheReplacedFileAndAFailedWriteLeavesIt) {
    TempDir dir;
    fs::create_directory(dir / "dumps");
    writeFile(dir / "dumps" / "old.odd", "old dump");
    fs::create_symlink(fs::path("dumps") / "old.odd", dir / "latest.odd");

    writeText(dir / "latest.odd", "new dump, longer");
    EXPECT_TRUE(fs::is_symlink(dir / "latest.odd"));
    EXPECT_EQ(readFile(dir / "dumps" / "old.odd"), "new dump, longer");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"dumps", "latest.odd"}));
    EXPECT_EQ(namesIn(dir / "dumps"), std::vector<std::string>{"old.odd"});

    // A write that fails leaves the old file and no temporary one.
    EXPECT_THROW(replaceFileSafely(dir / "latest.odd", "The file",
                                   [](std::ostream& out) {
                                       out << "half";
                                       throw std::runtime_error("stopped");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(readFile(dir / "dumps" / "old.odd"), "new dump, longer");
    EXPECT_EQ(namesIn(dir / "dumps"), std::vector<std::string>{"old.odd"});

    // A name at the file system's limit can be written, its temporary name being shorter.
    const fs::path longest = dir / (std::string(251, 'n') + ".odd");
    writeText(longest, "first");
    writeText(longest, "second");
    EXPECT_EQ(readFile(longest), "second");
    EXPECT_EQ(namesIn(dir.path()).size(), 3u);
}

TEST(ReplaceFileSafely, RefusesWhatIsNoRegularFileOrHasNoFolderAndKeepsItAsItWas) {
    TempDir dir;
    const fs::path fifo = dir / "pipe.odd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string end = " cannot be written: ";
    const std::vector<std::pair<fs::path, std::string>> refused = {
        {fifo, "it is not a regular file."},
        {dir / "missing" / "USER01.STY",
         "the folder " + (dir / "missing").string() + " does not exist."},
        {dir.path(), "it is a folder."},
    };
    for (const auto& [target, reason] : refused) {
        EXPECT_EQ(failureOf<FileAccessError>([&] { writeText(target, "x"); }),
                  "The file " + target.string() + end + reason);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"pipe.odd"});

    // Reading refuses it at once instead of blocking in open.
    EXPECT_EQ(failureOf<FileAccessError>([&] { openRegularFile(fifo, "The dump file"); }),
              "The dump file " + fifo.string() + " cannot be read: it is not a regular file.");
    EXPECT_THROW(openRegularFile(dir / "none", "The file"), FileAccessError);
    writeFile(dir / "plain", "abc");
    std::ifstream in = openRegularFile(dir / "plain", "The file");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "abc");
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

// Few files are synced one by one, many with one call for their disk; either way a failed sync
// replaces nothing and leaves no temporary file.
TEST(FileReplacement, SyncsOnceForManyFilesAndAFailedSyncReplacesNothing) {
    for (const std::size_t count : {std::size_t{3}, std::size_t{17}}) {
        TempDir dir;
        writeFile(dir / "f0.ssf", "older");
        const auto name = [](std::size_t i) { return "f" + std::to_string(i) + ".ssf"; };
        const auto replaceAll = [&] {
            FileReplacement files("The file");
            for (std::size_t i = 0; i < count; ++i) {
                files.add(dir / name(i), [i](std::ostream& out) { out << "new " << i * 7; });
            }
            files.commit();
            EXPECT_EQ(files.replaced().size(), count);
        };
        int fileSyncs = 0;
        int diskSyncs = 0;
        const auto failing = [](int& calls) {
            return [&calls](int) { return ++calls, errno = EIO, -1; };
        };
        {
            const ScopedFileSystemCalls refused({{}, failing(fileSyncs), failing(diskSyncs)});
            EXPECT_EQ(failureOf<FileAccessError>(replaceAll),
                      "The file " + (dir / "f0.ssf").string() +
                          " cannot be written: it could not be written to "
                          "the disk (Input/output error).");
        }
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"f0.ssf"});
        EXPECT_EQ(readFile(dir / "f0.ssf"), "older");
        EXPECT_EQ(fileSyncs + diskSyncs, 1);

        fileSyncs = diskSyncs = 0;
        const ScopedFileSystemCalls counted({{},
                                             [&](int fd) { return ++fileSyncs, ::fsync(fd); },
                                             [&](int fd) { return ++diskSyncs, ::syncfs(fd); }});
        replaceAll();
        EXPECT_EQ(namesIn(dir.path()).size(), count);
        EXPECT_EQ(readFile(dir / name(count - 1)), "new " + std::to_string((count - 1) * 7));
        EXPECT_EQ(diskSyncs, count > 16 ? 1 : 0) << count;
        EXPECT_EQ(fileSyncs, (count > 16 ? 0 : static_cast<int>(count)) + 1) << "and the folder";

        // Once the files are renamed, a folder that cannot be synced is said, not passed over.
        if (count > 16) {
            const ScopedFileSystemCalls folderRefused(
                {{}, failing(fileSyncs), [](int fd) { return ::syncfs(fd); }});
            EXPECT_EQ(failureOf<FileAccessError>(replaceAll),
                      "The files were written, but the folder " + dir.path().string() +
                          " could not be synced to the disk (Input/output error); they may not "
                          "last a power cut.");
            EXPECT_EQ(readFile(dir / name(0)), "new 0");
        }
    }
}

// Keeping the older file's permissions is a courtesy where the file system cannot (FAT); any
// other refusal stops the write.
TEST(FileReplacement, AFileSystemThatKeepsNoPermissionsStillGetsTheFile) {
    TempDir dir;
    writeFile(dir / "bank.sty", "older");
    std::string expected = "older";
    for (const int error : {ENOSYS, EPERM, ENOTSUP, EOPNOTSUPP, EIO}) {
        const ScopedFileSystemCalls refusing(
            {[error](int, unsigned) { return errno = error, -1; }, {}, {}});
        const std::string text = "bank " + std::to_string(error);
        const std::string failure =
            failureOf<FileAccessError>([&] { writeText(dir / "bank.sty", text); });
        if (error == EIO) {
            EXPECT_EQ(failure, "The file " + (dir / "bank.sty").string() +
                                   " cannot be written: its permissions cannot be kept "
                                   "(Input/output error).");
        } else {
            EXPECT_EQ(failure, "") << error;
            expected = text;
        }
        EXPECT_EQ(readFile(dir / "bank.sty"), expected);
    }
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"bank.sty"});
}

}  // namespace
}  // namespace orb::test
