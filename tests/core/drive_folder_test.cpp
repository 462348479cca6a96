#include "core/drive_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace orb::test {
namespace {

namespace fs = std::filesystem;

// Runs `work` in a child process with a mount namespace of its own, so that the file systems
// it mounts vanish with it whatever happens. Returns what `work` returned (its complaints, ""
// when all was well, passed on through `report`), or nullopt when no mount namespace can be made.
std::optional<std::string> inOwnMountNamespace(const fs::path& report,
                                               const std::function<std::string()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        bool ready = ::unshare(CLONE_NEWNS) == 0;
        if (!ready && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) {
            std::ofstream("/proc/self/setgroups") << "deny";
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
            std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
            ready = true;
        }
        if (!ready || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            ::_exit(77);
        }
        std::ofstream(report) << work();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "the child process failed";
    }
    return readFile(report);
}

bool driveReady(const fs::path& folder) {
    const auto opened = DriveFolder::open(folder);
    return opened && opened->writable();
}

// Opens the folder without following a link, refuses as wipeRefusal does, and empties it.
void wipeDriveFolder(const fs::path& folder, const std::vector<fs::path>& keep) {
    const auto opened = DriveFolder::open(folder, false);
    if (!opened) {
        throw FileAccessError(wipeRefusal(folder, keep));
    }
    planWipe(*opened, keep);
    wipeOpenedFolder(*opened);
}

// A home folder of the test's own, so that the refusals never depend on the real one.
class DriveFolderTest : public ::testing::Test {
protected:
    fs::path stick() { return dir.path() / "stick"; }

    TempDir dir;
    const ScopedHome home{dir / "users" / "me"};
};

TEST_F(DriveFolderTest, ReadinessMakesNothingInTheFolderAndFollowsNoNameInIt) {
    writeFile(dir.path() / "plain.txt", "x");
    EXPECT_FALSE(driveReady(dir.path() / "missing"));
    EXPECT_FALSE(driveReady(dir.path() / "plain.txt"));
    EXPECT_FALSE(driveReady(""));

    // Names that a probe could trip over stay exactly as they are: a link to a file elsewhere, a
    // FIFO that would block anyone opening it, a file of the person's own.
    fs::create_directories(stick());
    writeFile(dir.path() / "victim.txt", "precious");
    fs::create_symlink(dir.path() / "victim.txt", stick() / ".orb-drive-probe");
    ASSERT_EQ(::mkfifo((stick() / "probe-fifo").c_str(), 0600), 0);
    writeFile(stick() / "mine.txt", "mine");
    EXPECT_TRUE(driveReady(stick()));
    EXPECT_EQ(readFile(dir.path() / "victim.txt"), "precious");
    EXPECT_EQ(namesIn(stick()),
              (std::vector<std::string>{".orb-drive-probe", "mine.txt", "probe-fifo"}));

    const auto readOnlyMount = inOwnMountNamespace(dir / "complaints", [this]() -> std::string {
        const fs::path mounted = stick() / "ro";
        fs::create_directories(mounted);
        if (::mount("none", mounted.c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0) {
            return "tmpfs not mounted";
        }
        return driveReady(mounted) ? "a read-only file system was called ready" : "";
    });
    if (readOnlyMount) {
        EXPECT_EQ(*readOnlyMount, "");
    }
}

TEST_F(DriveFolderTest, WipeRefusesRootHomeAndFoldersHoldingFilesInUseByIdentity) {
    const fs::path database = dir.path() / "data" / "sub" / "ORB.MDB";
    writeFile(database, "db");
    // The same database reached through a link: the refusal must not depend on the text.
    fs::create_directory_symlink(dir.path() / "data", dir.path() / "data-link");
    const fs::path databaseByLink = dir.path() / "data-link" / "sub" / "ORB.MDB";
    // A second name of the database inside the folder is the database all the same.
    const fs::path copy = stick() / "backup" / "copy.MDB";
    fs::create_directories(copy.parent_path());
    fs::create_hard_link(database, copy);
    // The program's own folder is checked without a wipe.
    const fs::path program = programFile();
    ASSERT_FALSE(program.empty());
    const std::vector<std::tuple<fs::path, std::vector<fs::path>, std::string>> refused = {
        {"/", {}, "it is the root of the file system"},
        {dir.path() / "users" / "me", {}, "it is the home folder or a folder above it"},
        {dir.path() / "users", {}, "it is the home folder or a folder above it"},
        {dir.path() / "data", {database}, "it holds " + database.string() + ", which ORB is using"},
        {dir.path() / "data" / "sub",
         {databaseByLink},
         "it holds " + databaseByLink.string() + ", which ORB is using"},
        {dir.path() / "data-link",
         {database},
         "it is a symbolic link; give the folder it leads to"},
        {stick(),
         {database},
         "it holds " + copy.string() + ", which is " + database.string() + " under another name"},
        {program.parent_path(), {program}, "it holds " + program.string() + ", which ORB is using"},
        {dir.path() / "users" / "me" / "stick-not-there", {}, "it is no folder that can be opened"},
    };
    for (const auto& [folder, keep, reason] : refused) {
        EXPECT_EQ(wipeRefusal(folder, keep),
                  "ORB does not wipe " + folder.string() + ": " + reason + ". Nothing was deleted.")
            << folder;
    }
    EXPECT_EQ(failureOf<FileAccessError>([&] { wipeDriveFolder(stick(), {database}); }),
              wipeRefusal(stick(), {database}));
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_EQ(readFile(database), "db");
}

// Another program swaps the folder for a link to the home folder between plan and wipe: a new
// plan is refused, and the wipe stays in the folder it opened.
TEST_F(DriveFolderTest, WipeDeletesEverythingInsideTheFolderItOpenedAndFollowsNoLink) {
    writeFile(stick() / "ORB.SET" / "STYLE" / "USER01.STY", "bank");
    writeFile(stick() / "readme.txt", "text");
    fs::permissions(stick() / "readme.txt", fs::perms::owner_read);
    writeFile(dir.path() / "elsewhere" / "song.txt", "keep me");
    fs::create_directory_symlink(dir.path() / "elsewhere", stick() / "ORB.SET" / "linked");
    fs::create_symlink(dir.path() / "elsewhere" / "song.txt", stick() / "song-link.txt");
    writeFile(dir.path() / "users" / "me" / "mail.txt", "mail");
    const auto opened = DriveFolder::open(stick(), false);
    ASSERT_TRUE(opened);
    planWipe(*opened, {});
    fs::rename(stick(), dir.path() / "stick-moved");
    fs::create_directory_symlink(dir.path() / "users" / "me", stick());
    EXPECT_EQ(failureOf<FileAccessError>([&] { planWipe(*opened, {}); }),
              "ORB does not wipe " + stick().string() +
                  ": it is a symbolic link; give the folder it leads to. Nothing was deleted.");
    wipeOpenedFolder(*opened);
    EXPECT_TRUE(fs::is_empty(dir.path() / "stick-moved"));
    EXPECT_EQ(readFile(dir.path() / "users" / "me" / "mail.txt"), "mail");
    EXPECT_EQ(readFile(dir.path() / "elsewhere" / "song.txt"), "keep me");
}

// The home of the password database is spared whatever HOME says.
TEST_F(DriveFolderTest, TheRealHomeIsRefusedWithHomeUnsetOrOdd) {
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_TRUE(user != nullptr && user->pw_dir != nullptr);
    const fs::path realHome = user->pw_dir;
    for (const char* home : {static_cast<const char*>(nullptr), "", ".", "relative/home"}) {
        home == nullptr ? unsetenv("HOME") : setenv("HOME", home, 1);
        EXPECT_EQ(wipeRefusal(realHome, {}),
                  "ORB does not wipe " + realHome.string() +
                      ": it is the home folder or a folder above it. Nothing was deleted.")
            << (home == nullptr ? "unset" : home);
    }
}

// A tmpfs has a device of its own; a folder of the same file system bound inside has not.
TEST_F(DriveFolderTest, AFileSystemMountedInsideIsRefusedBeforeAnythingIsDeleted) {
    const auto complaints = inOwnMountNamespace(dir / "complaints", [this]() -> std::string {
        writeFile(stick() / "top.sty", "top");
        writeFile(dir.path() / "source" / "ORB.MDB", "database");
        std::string found;
        for (const bool bind : {false, true}) {
            const fs::path mounted = stick() / (bind ? "bound" : "data");
            fs::create_directories(mounted);
            const int done = bind ? ::mount((dir.path() / "source").c_str(), mounted.c_str(),
                                            nullptr, MS_BIND, nullptr)
                                  : ::mount("none", mounted.c_str(), "tmpfs", 0, "size=64k");
            if (done != 0) {
                return "not mounted";
            }
            const std::string expected = "ORB does not wipe " + stick().string() +
                                         ": another file system is mounted on " + mounted.string() +
                                         ". Nothing was deleted.";
            if (wipeRefusal(stick(), {}) != expected) {
                found += "refusal: " + wipeRefusal(stick(), {}) + "\n";
            }
            if (failureOf<FileAccessError>([&] { wipeDriveFolder(stick(), {}); }) != expected) {
                found += "the wipe was not refused\n";
            }
            ::umount(mounted.c_str());
        }
        if (!fs::exists(stick() / "top.sty") ||
            readFile(dir.path() / "source" / "ORB.MDB") != "database") {
            found += "something was deleted\n";
        }
        return found;
    });
    if (!complaints) {
        GTEST_SKIP() << "no mount namespace can be made on this machine";
    }
    EXPECT_EQ(*complaints, "");
}

TEST_F(DriveFolderTest, ReplacingAFileWritesItWholeAndRefusesWhatItMustNotFollow) {
    fs::create_directories(stick());
    // A killed write's temporary file goes with the next write there.
    writeFile(stick() / ".orb-00000000000000aa.tmp", "half a bank");
    fs::last_write_time(stick() / ".orb-00000000000000aa.tmp",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto drive = DriveFolder::open(stick());
    ASSERT_TRUE(drive);
    const std::string bytes("\x00\xFF\x1A\r\nbank", 9);
    drive->replaceFile("USER01.STY", bytes, "The bank file");
    EXPECT_EQ(readFile(stick() / "USER01.STY"), bytes);
    fs::permissions(stick() / "USER01.STY",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    drive->replaceFile("USER01.STY", "second", "The bank file");
    EXPECT_EQ(readFile(stick() / "USER01.STY"), "second");
    EXPECT_EQ(fs::status(stick() / "USER01.STY").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    writeFile(dir.path() / "victim.sty", "victim");
    fs::create_symlink(dir.path() / "victim.sty", stick() / "USER02.STY");
    writeFile(stick() / "USER03.STY", "protected");
    fs::permissions(stick() / "USER03.STY", fs::perms::owner_read);
    ASSERT_EQ(::mkfifo((stick() / "PIPE.STY").c_str(), 0600), 0);
    fs::create_directory_symlink(dir.path(), stick() / "SET");
    const std::string start = "The bank file " + stick().string() + "/";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"USER02.STY", "it is a symbolic link, which ORB does not follow on a drive."},
        {"USER03.STY", "it is read-only."},
        {"PIPE.STY", "it is not a regular file."},
        {"../escape.STY", "a file name must not be empty, \".\", \"..\" or hold a \"/\"."},
    };
    for (const auto& [name, reason] : refused) {
        EXPECT_EQ(
            failureOf<FileAccessError>([&] { drive->replaceFile(name, "new", "The bank file"); }),
            start + name + " cannot be written: " + reason);
    }
    EXPECT_EQ(readFile(dir.path() / "victim.sty"), "victim");
    EXPECT_EQ(readFile(stick() / "USER03.STY"), "protected");
    EXPECT_FALSE(fs::exists(dir.path() / "escape.STY"));
    EXPECT_EQ(failureOf<FileAccessError>([&] { drive->subFolder("SET", true); }),
              "The folder " + (stick() / "SET").string() +
                  " is a symbolic link, which ORB does not follow on a drive.");
    EXPECT_EQ(namesIn(stick()), (std::vector<std::string>{"PIPE.STY", "SET", "USER01.STY",
                                                          "USER02.STY", "USER03.STY"}));
}

}  // namespace
}  // namespace orb::test
