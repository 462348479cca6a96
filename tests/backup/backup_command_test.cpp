#include <gtest/gtest.h>

#include <sstream>

#include "backup/dump_builder.h"
#include "cli/cli.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(BackupCommands, BackupCheckAndRestore) {
    test::TestEnvironment env;
    const std::string db = (env.dir / "orb.mdb").string();
    ASSERT_EQ(env.runCli({"--db", db, "init"}).status, 0);
    {
        Database connection;
        connection.open(db, Database::OpenMode::ExistingOnly);
        connection.execute("INSERT INTO KORFSongs VALUES (3, 'Moon River', 'Mancini')");
    }
    const std::string dump = (env.dir / "copy.dump").string();  // no question without a window
    const test::CliRun backup = env.runCli({"--db", db, "backup", dump});
    EXPECT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(backup.out, "ORB database backup completed without errors!\n");
    EXPECT_NE(test::readFile(dump).find("Moon River\r\nMancini\r\n"), std::string::npos);

    const std::string other = (env.dir / "other.mdb").string();
    ASSERT_EQ(env.runCli({"--db", other, "init"}).status, 0);
    const test::CliRun check = env.runCli({"--db", other, "restore", dump});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, dump +
                             " is an ORB dump file of 1 rows and would restore; add --yes to "
                             "replace the catalogue with it.\n");
    const test::CliRun restore = env.runCli({"--db", other, "restore", dump, "--yes"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(restore.out, "ORB database restore completed without errors!\n");
    Database restored;
    restored.open(other, Database::OpenMode::ExistingOnly);
    Rows rows = restored.query("SELECT SongTitle FROM KORFSongs");
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.text(0), "Moon River");
}

TEST(BackupCommands, FailuresExitWithOneAndAMessage) {
    test::TestEnvironment env;
    const std::string db = (env.dir / "orb.mdb").string();
    ASSERT_EQ(env.runCli({"--db", db, "init"}).status, 0);
    const auto bad = env.dir / "bad.odd";
    test::writeFile(bad, "ORB BACKUP\r\nTABLE KORFSONGS\r\n");
    const test::CliRun check = env.runCli({"--db", db, "restore", bad.string()});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, bad.string() +
                             " is not an ORB dump file or is damaged: Line 2: "
                             "\"TABLE KORFBANKS\" was expected.\n");
    const test::CliRun restore = env.runCli({"--db", db, "restore", bad.string(), "--yes"});
    EXPECT_EQ(restore.status, 1);
    EXPECT_EQ(restore.err, bad.string() +
                               " is not a ORB backup files or is corrupted! Restore "
                               "process aborted!\n");
    const test::CliRun noFolder =
        env.runCli({"--db", db, "backup", (env.dir / "missing" / "x.odd").string()});
    EXPECT_EQ(noFolder.status, 1);
    const std::string target = (env.dir / "missing" / "x.odd").string();
    EXPECT_EQ(noFolder.err, "The backup to " + target + " failed: The dump file " + target +
                                " cannot be written: the folder " + (env.dir / "missing").string() +
                                " does not exist.\nNo dump file has been written.\n");
    EXPECT_EQ(env.runCli({"--db", db, "backup"}).status, kExitUsage);
}

}  // namespace
}  // namespace orb
