#include <gtest/gtest.h>

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
    EXPECT_NE(result.err.find("cannot be opened as an ORB database"), std::string::npos);
    EXPECT_EQ(test::readFile(path), std::string(1000, 'x'));
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
    EXPECT_TRUE(wantsCommandLine({"init"}));
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
