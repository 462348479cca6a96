#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "backup/backup_controller.h"
#include "backup/catalogue_backup.h"
#include "backup/dump_builder.h"
#include "backup/dump_writer.h"
#include "support/query_column.h"
#include "support/test_environment.h"
#include "support/what_was_said.h"

namespace orb {
namespace {

using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;

class BackupControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        env.state.connection.execute("INSERT INTO KORFSongs VALUES (1, 'Blue Moon', 'Rodgers')");
    }
    long long songCount() { return test::rowCount(env.state.connection, "KORFSongs"); }
    // `bytes` written as the dump file `name`, the one the controller is to restore.
    std::filesystem::path toRestore(const std::string& name, const std::string& bytes) {
        const auto dump = env.dir / name;
        test::writeFile(dump, bytes);
        controller.setRestorePath(dump.string());
        return dump;
    }
    void answerYesTwice() {
        env.dialogs.answer(Answer::Yes);
        env.dialogs.answer(Answer::Yes);
    }
    // The whole catalogue as a dump would hold it.
    std::string catalogue() {
        std::ostringstream out;
        writeDump(env.state.connection, out);
        return out.str();
    }
    test::TestEnvironment env;
    BackupController controller{env.state, env.dialogs};
};

TEST_F(BackupControllerTest, ACancelledRestoreOrBackupChangesNothing) {
    const auto older = env.dir / "older.odd";
    test::writeFile(older, "an older dump");
    test::DumpBuilder builder;
    for (int code = 11; code <= 16; ++code) {
        builder.song(code, "Song " + std::to_string(code), "Band");
    }
    const auto dump = toRestore("six.odd", builder.bytes());
    const std::string before = catalogue();
    const long long dumpRows = checkDumpFile(dump.string()).totalRows;

    // The third check comes when some songs of the dump have been stored.
    answerYesTwice();
    env.dialogs.cancelAtCheck(3);
    EXPECT_FALSE(controller.restore());
    EXPECT_EQ(env.dialogs.cancelChecks(), 3);
    EXPECT_EQ(catalogue(), before);
    EXPECT_FALSE(env.state.connection.inTransaction());
    EXPECT_EQ(env.dialogs.messages().back(), controller.job().summary());
    EXPECT_EQ(controller.job().summary(),
              "Restore cancelled: the database has been left as it was.");
    EXPECT_TRUE(controller.job().cancelled());
    EXPECT_FALSE(controller.progressVisible());

    // A backup cancelled half way leaves the older dump as it was and no other file.
    const std::vector<std::string> filesBefore = test::namesIn(env.dir.path());
    controller.setBackupPath(older.string());
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    env.dialogs.cancelAtCheck(env.dialogs.cancelChecks() + 1);
    EXPECT_FALSE(controller.backup());
    EXPECT_EQ(env.dialogs.messages().back(), "Backup cancelled: no dump file has been written.");
    EXPECT_TRUE(controller.job().cancelled());
    EXPECT_EQ(test::readFile(older), "an older dump");
    EXPECT_EQ(test::namesIn(env.dir.path()), filesBefore);

    // Not cancelled, both reach their end and say so in one line.
    env.dialogs.cancelAtCheck(0);
    answerYesTwice();
    EXPECT_TRUE(controller.restore());
    EXPECT_EQ(controller.job().value(), dumpRows);
    EXPECT_EQ(controller.job().summary(), "Restore ended: " + std::to_string(dumpRows) +
                                              " rows restored from " + dump.string() + ".");
    EXPECT_EQ(songCount(), 6);
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(controller.backup());
    EXPECT_EQ(controller.job().value(), controller.job().maximum());
    EXPECT_EQ(controller.job().summary(), "Backup ended: " + std::to_string(dumpRows) +
                                              " rows written to " + older.string() + ".");
}

TEST_F(BackupControllerTest, BackupAsksAboutTheExtensionAndKeepsThePathAsTyped) {
    controller.setBackupPath("   ");
    EXPECT_FALSE(controller.backup());
    controller.setBackupPath((env.dir / "dump.bak").string());
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(controller.backup());
    EXPECT_FALSE(std::filesystem::exists(env.dir / "dump.bak"));
    controller.setBackupPath(" " + (env.dir / "Mixed.odd").string() + " ");
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(controller.backup());
    EXPECT_EQ(test::shown(env.dialogs),
              (test::Shown{{"Please insert ODD file path!", Icon::Critical},
                           {"File extension is not ODD. Confirm backup file name?", Icon::Question},
                           {"Confirm database backup?", Icon::Question},
                           {"ORB database backup completed without errors!", Icon::None}}));
    EXPECT_EQ(env.dialogs.calls()[0].title, "ORB");
    EXPECT_EQ(env.dialogs.calls()[1].defaultAnswer, Answer::No);
    EXPECT_FALSE(env.dialogs.waitCursor());
    EXPECT_NE(test::readFile(env.dir / "Mixed.odd").find("Blue Moon\r\nRodgers\r\n"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(env.dir / "MIXED.ODD"));
}

TEST_F(BackupControllerTest, RestoreChecksAsksTwiceAndReplacesTheCatalogue) {
    controller.setRestorePath("");
    EXPECT_FALSE(controller.restore());
    controller.setRestorePath((env.dir / "none.odd").string());
    EXPECT_FALSE(controller.restore());
    const auto notDump = toRestore("notes.odd", "ORB BACKUP \r\n");
    EXPECT_FALSE(controller.restore());
    const auto dump =
        toRestore("good.odd", test::DumpBuilder().song(7, "Imported", "Someone").bytes());
    env.dialogs.answer(Answer::Yes);
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(controller.restore());
    EXPECT_EQ(songCount(), 1);
    EXPECT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "Please insert ODD file path!", "Can't find restore file!",
                  notDump.string() + " is not a ORB backup files or is corrupted! Restore process "
                                     "aborted!\nLine 1: \"ORB BACKUP\" was expected.",
                  "Restore file has been correctly checked. Confirm restore to ORB database?",
                  "Warning: current data will be lost! Confirm restore to ORB database?"}));

    // What the window is told: "CHECKING" during the check, then the bar up to the dump's rows,
    // hidden at the end.
    using Seen = std::tuple<bool, bool, long long, long long>;
    std::vector<Seen> seen;
    controller.onChange([&] {
        seen.emplace_back(controller.checkingVisible(), controller.progressVisible(),
                          controller.job().value(), controller.job().maximum());
    });
    answerYesTwice();
    EXPECT_TRUE(controller.restore());
    EXPECT_EQ(env.dialogs.messages().back(), "ORB database restore completed without errors!");
    const long long dumpRows = checkDumpFile(dump.string()).totalRows;
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), Seen(true, false, 0, 0));
    EXPECT_NE(std::find(seen.begin(), seen.end(), Seen(false, true, dumpRows, dumpRows)),
              seen.end());
    EXPECT_EQ(seen.back(), Seen(false, false, dumpRows, dumpRows));
    EXPECT_EQ(catalogue(), test::readFile(dump));
}

TEST_F(BackupControllerTest, ARestoreKeepsARestorePointFirstAndAFailedOneChangesNothing) {
    toRestore("gig.odd", test::DumpBuilder().song(7, "Imported", "Someone").bytes());
    answerYesTwice();
    ASSERT_TRUE(controller.restore());
    const std::vector<RestorePoint> points = env.state.restorePoints().list(env.state.DatabasePath);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].action, "restoring the backup gig.odd");
    EXPECT_EQ(points[0].songs, 1);

    // The check passes (a number used twice is for the database to refuse), the restore fails.
    const std::string restored = catalogue();
    const auto dump =
        toRestore("cut.odd", test::DumpBuilder().song(7, "A", "B").song(7, "C", "D").bytes());
    env.dialogs.clear();
    answerYesTwice();
    EXPECT_FALSE(controller.restore());
    EXPECT_EQ(env.dialogs.messages().back(),
              "The restore from " + dump.string() +
                  " failed: Line 11: the row ending here cannot be stored in KORFSongs: UNIQUE "
                  "constraint failed: KORFSongs.SongCode.\nThe database has been left as it was.");
    EXPECT_EQ(env.dialogs.calls().back().icon, Icon::Critical);
    EXPECT_EQ(catalogue(), restored);

    std::filesystem::remove_all(env.state.RestorePointFolder);
    test::writeFile(env.state.RestorePointFolder, "");
    toRestore("gig.odd", test::DumpBuilder().song(8, "Other", "Someone").bytes());
    env.dialogs.clear();
    answerYesTwice();
    EXPECT_FALSE(controller.restore());
    EXPECT_EQ(catalogue(), restored);
    ASSERT_EQ(env.dialogs.messages().size(), 3u);
    EXPECT_TRUE(env.dialogs.messages()[2].starts_with(
        "ORB could not keep a restore point before restoring the backup gig.odd: "))
        << env.dialogs.messages()[2];
    EXPECT_EQ(env.dialogs.calls()[2].icon, Icon::Critical);
    EXPECT_FALSE(controller.progressVisible());
}

}  // namespace
}  // namespace orb
