#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "support/test_environment.h"

namespace orb {
namespace {

TEST(RestorePointCommands, ListAndUndoAfterTheQuestion) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.settings.set("PATH", "DATABASE", env.state.DatabasePath);
    Database& db = env.state.connection;
    db.execute("INSERT INTO KORFSongs VALUES (12, 'Blue Moon', 'Rodgers')");
    env.clock.setTime("20:05:00");
    const std::string size =
        std::to_string(env.state.restorePoints().keep(db, "deleting 1 song").size);
    db.execute("DELETE FROM KORFSongs");
    env.state.connection.close();

    const test::CliRun listed = env.runCli({"restore-points"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "1\t2026-12-06 20:05:00\tdeleting 1 song\t0\t0\t1\t" + size + "\n");

    const test::CliRun noTerminal = env.runCli({"undo"});
    EXPECT_EQ(noTerminal.status, 1);
    EXPECT_EQ(noTerminal.err,
              "Undoing changes the catalogue, and there is no terminal to ask on: give --yes. "
              "Nothing was changed.\n");
    std::istringstream no("n\n");
    EXPECT_EQ(env.runCli({"undo", "1"}, &no).status, 1);
    EXPECT_EQ(env.runCli({"undo", "2", "--yes"}).err,
              "There is no restore point 2 of this catalogue; orb restore-points lists them.\n");

    const test::CliRun undone = env.runCli({"undo", "--yes"});
    EXPECT_EQ(undone.status, 0) << undone.err;
    EXPECT_EQ(undone.out,
              "The catalogue is back as it was on 2026-12-06 20:05:00, before deleting 1 song.\n");
    const test::CliRun after = env.runCli({"restore-points"});
    EXPECT_TRUE(after.out.starts_with(
        "1\t2026-12-06 20:05:00\tundoing the change of 2026-12-06 20:05:00\t0\t0\t0\t"))
        << after.out;
    EXPECT_TRUE(
        after.out.ends_with("\n2\t2026-12-06 20:05:00\tdeleting 1 song\t0\t0\t1\t" + size + "\n"))
        << after.out;
    db.open(env.state.DatabasePath, Database::OpenMode::ExistingOnly);
    Rows rows = db.query("SELECT SongTitle FROM KORFSongs");
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.text(0), "Blue Moon");
}

}  // namespace
}  // namespace orb
