#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "cli/cli.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(CommandLine, InitCreatesTheDatabaseAndPrintsItsPath) {
    test::TestEnvironment env;
    const auto path = (env.dir / "sub" / "cat.mdb").string();
    const test::CliRun result = env.runCli({"--db", path, "init"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, path + "\n");
    Database db;
    db.open(path, Database::OpenMode::ExistingOnly);
    EXPECT_TRUE(db.query("SELECT * FROM KORFBanks").columnCount() == 19);
    // --db after the command word works as well, and a second init keeps the file.
    EXPECT_EQ(env.runCli({"init", "--db", path}).status, 0);
}

TEST(CommandLine, InitOnAFileThatIsNotADatabaseFails) {
    test::TestEnvironment env;
    const auto path = env.dir / "x.mdb";
    test::writeFile(path, std::string(1000, 'x'));
    const test::CliRun result = env.runCli({"--db", path.string(), "init"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "The file " + path.string() +
                              " cannot be opened as an ORB database (26 file is not a database: " +
                              path.string() + ").\n");
    EXPECT_EQ(test::readFile(path), std::string(1000, 'x'));
}

TEST(CommandLine, InitRefusesAnotherProgramsDatabaseAndTakesAnEmptyOne) {
    test::TestEnvironment env;
    const auto other = env.dir / "other.sqlite";
    {
        Database db;
        db.open(other, Database::OpenMode::CreateIfMissing);
        db.execute("CREATE TABLE Contacts (Name text)");
        db.execute("INSERT INTO Contacts VALUES (pName)", {"Ann"});
    }
    const std::string before = test::readFile(other);
    const test::CliRun refused = env.runCli({"--db", other.string(), "init"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "The file " + other.string() +
                               " holds another program's tables and none of ORB's; it is not an "
                               "ORB database and was left as it was.\n");
    EXPECT_EQ(test::readFile(other), before);

    // An empty file, and a database without tables, become ORB databases.
    const auto empty = env.dir / "empty.mdb";
    test::writeFile(empty, "");
    EXPECT_EQ(env.runCli({"--db", empty.string(), "init"}).status, 0);
    const auto bare = env.dir / "bare.mdb";
    {
        Database db;
        db.open(bare, Database::OpenMode::CreateIfMissing);
        db.execute("PRAGMA user_version = 7");
    }
    EXPECT_EQ(env.runCli({"--db", bare.string(), "init"}).status, 0);
    for (const auto& path : {empty, bare}) {
        Database db;
        db.open(path, Database::OpenMode::ExistingOnly);
        EXPECT_EQ(db.query("SELECT * FROM KORFStyles").columnCount(), 14) << path;
    }
}

TEST(CommandLine, InitOnALockedDatabaseSaysItIsInUse) {
    test::TestEnvironment env;
    const auto path = (env.dir / "busy.mdb").string();
    ASSERT_EQ(env.runCli({"--db", path, "init"}).status, 0);
    Database other;
    other.open(path, Database::OpenMode::ExistingOnly);
    other.execute("BEGIN EXCLUSIVE");
    const int waited = Database::busyTimeout();
    Database::setBusyTimeout(50);
    const test::CliRun result = env.runCli({"--db", path, "init"});
    Database::setBusyTimeout(waited);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "The database " + path +
                              " is in use by another program; nothing was changed. Close the "
                              "other program and try again (5 database is locked: " +
                              path + ").\n");
    EXPECT_EQ(result.out, "");
    other.execute("ROLLBACK");
    EXPECT_EQ(env.runCli({"--db", path, "init"}).status, 0);
}

TEST(CommandLine, HelpAndUsageErrors) {
    test::TestEnvironment env;
    const test::CliRun help = env.runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: orb [--db PATH] COMMAND"), std::string::npos);
    EXPECT_NE(help.out.find("  init"), std::string::npos);
    EXPECT_EQ(env.runCli({"frobnicate"}).status, kExitUsage);
    EXPECT_EQ(env.runCli({"--db"}).status, kExitUsage);
    EXPECT_EQ(env.runCli({"--db", "x"}).status, kExitUsage);
    EXPECT_FALSE(wantsCommandLine({}));
    EXPECT_FALSE(wantsCommandLine({"--db", "x"}));
    // Without its path, --db is a usage error of the command line, never the windows.
    EXPECT_TRUE(wantsCommandLine({"--db"}));
    const test::CliRun noPath = env.runCli({"--db"});
    EXPECT_EQ(noPath.err, "--db needs a path.\n");
    EXPECT_TRUE(wantsCommandLine({"init"}));
}

TEST(CommandLine, WithoutADisplayTheProgramEndsWithAMessage) {
    test::TestEnvironment env;
    // An empty environment: no display, no platform choice, and settings in the test's folder.
    const std::string command =
        "env -i HOME=" + env.dir.path().string() + " " + ORB_PROGRAM + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;  // not ended by a signal
    EXPECT_EQ(WEXITSTATUS(status), kExitFailure);
    EXPECT_NE(output.find(kNoDisplayMessage), std::string::npos) << output;
}

TEST(CommandLine, InitUsesTheStoredPathAndCreatesItWhenGone) {
    test::TestEnvironment env;
    const auto gone = (env.dir / "gone.mdb").string();
    env.settings.set("PATH", "DATABASE", gone);
    const test::CliRun result = env.runCli({"init"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, gone + "\n");
    EXPECT_TRUE(std::filesystem::exists(gone));
}

}  // namespace
}  // namespace orb
