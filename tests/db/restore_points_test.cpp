#include "db/restore_points.h"

#include <gtest/gtest.h>

#include <array>

#include "support/failure_of.h"
#include "support/test_environment.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

// Every row of the four tables and every schema entry, as stored: what "byte-identical" means.
std::vector<std::vector<SqlValue>> everything(Database& db) {
    std::vector<std::vector<SqlValue>> rows;
    for (const char* sql :
         {"SELECT type, name, sql FROM sqlite_master ORDER BY name",
          "SELECT * FROM KORFStyles ORDER BY StyleProg",
          "SELECT * FROM KORFBanks ORDER BY BankProg", "SELECT * FROM KORFSongs ORDER BY SongCode",
          "SELECT * FROM KORFSonSty ORDER BY SongCode, StyleProg"}) {
        Rows result = db.query(sql);
        while (result.next()) {
            std::vector<SqlValue> row;
            for (int column = 0; column < result.columnCount(); ++column) {
                row.push_back(result.value(column));
            }
            rows.push_back(std::move(row));
        }
        rows.push_back({SqlValue::text(std::string("end of ") + sql)});
    }
    return rows;
}

// A catalogue of 3 styles (their blocks every byte value), 2 banks and 4 songs with links.
class RestorePointsTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        std::string allBytes;
        for (int value = 0; value < 256; ++value) {
            allBytes += static_cast<char>(value);
        }
        for (const int prog : {21, 34, 55}) {
            const std::string block1 = allBytes + std::to_string(prog);
            const std::string block2 = std::to_string(prog) + allBytes.substr(prog);
            db().execute(
                "INSERT INTO KORFStyles VALUES (pProg, 'NAME', 'SECOND', pLength1, "
                "pLength2, pContent1, pContent2, pSeek, '2026/12/06', 'desc', 'Group', 'Family', "
                "'USER01.STY', 'Author')",
                {prog, static_cast<std::int32_t>(block1.size()),
                 static_cast<std::int32_t>(block2.size()), SqlParam::blob(block1),
                 SqlParam::blob(block2), SqlParam::blob(block1.substr(0, 250))});
        }
        db().execute(
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, "
            "BankStyle02) VALUES (7, 'LIVE', 'Saturday', 34, 21)");
        db().execute(
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01) "
            "VALUES (9, 'SPARE', NULL, 55)");
        for (const int code : {3, 5, 8, 13}) {
            db().execute("INSERT INTO KORFSongs VALUES (pCode, pTitle, 'Singer')",
                         {code, "Song " + std::to_string(code)});
            db().execute("INSERT INTO KORFSonSty VALUES (pCode, 34, '120', '-2', 'note')", {code});
        }
    }

    Database& db() { return env.state.connection; }
    RestorePoints points(int limit = 10) {
        return RestorePoints(env.dir / "points", limit, env.clock);
    }

    test::TestEnvironment env;
};

TEST_F(RestorePointsTest, KeepsTheNewestOfEachCatalogueWithWhatWasAboutToHappen) {
    RestorePoints kept = points(3);
    const std::vector<std::string> actions = {"deleting 2 styles", "deleting the bank LIVE",
                                              "restoring a dump", "wiping the database"};
    for (std::size_t i = 0; i < actions.size(); ++i) {
        env.clock.setTime("10:0" + std::to_string(i) + ":00");
        const RestorePoint point = kept.keep(db(), actions[i]);
        EXPECT_EQ(point.sequence, static_cast<std::int64_t>(i) + 1);
        db().execute("DELETE FROM KORFSongs WHERE SongCode = pCode",
                     {std::array<int, 4>{3, 5, 8, 13}[i]});
    }
    const std::vector<RestorePoint> listed = kept.list(env.state.DatabasePath);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].action, "wiping the database");
    EXPECT_EQ(listed[0].time, "2026-12-06 10:03:00");
    EXPECT_EQ(listed[2].action, "deleting the bank LIVE");
    EXPECT_EQ(listed[2].time, "2026-12-06 10:01:00");
    // Counts as they were before each step: songs 4, then 3, then 2.
    EXPECT_EQ((std::vector<std::int64_t>{listed[0].songs, listed[1].songs, listed[2].songs}),
              (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(listed[0].styles, 3);
    EXPECT_EQ(listed[0].banks, 2);
    EXPECT_FALSE(fs::exists(env.dir / "points" / "point-000001.orbpoint"));
    EXPECT_FALSE(fs::exists(env.dir / "points" / "point-000001.txt"));
    EXPECT_EQ(test::namesIn(env.dir / "points").size(), 6u);

    // Another catalogue's points are its own: neither listed here nor counted in the limit.
    Database other;
    other.open(env.dir / "other.mdb", Database::OpenMode::CreateIfMissing);
    other.execute("CREATE TABLE KORFStyles (StyleProg INTEGER)");
    other.execute("CREATE TABLE KORFBanks (BankProg INTEGER)");
    other.execute("CREATE TABLE KORFSongs (SongCode INTEGER)");
    kept.keep(other, "deleting a style");
    EXPECT_EQ(kept.list(env.state.DatabasePath).size(), 3u);
    ASSERT_EQ(kept.list(env.dir / "other.mdb").size(), 1u);
    EXPECT_EQ(kept.list(env.dir / "other.mdb")[0].sequence, 5);
}

TEST_F(RestorePointsTest, BringingBackGivesByteIdenticalTablesInOneStep) {
    const auto before = everything(db());
    RestorePoints kept = points();
    const RestorePoint point = kept.keep(db(), "deleting 3 styles");
    db().execute("DELETE FROM KORFStyles");
    db().execute("UPDATE KORFBanks SET BankStyle01 = 0");
    db().execute("INSERT INTO KORFSongs VALUES (99, 'New', 'Song')");
    db().execute("CREATE TABLE Scratch (x)");
    ASSERT_NE(everything(db()), before);

    kept.bringBack(db(), point);
    EXPECT_EQ(everything(db()), before);
    // The point stays, for a second change of mind.
    EXPECT_EQ(kept.list(env.state.DatabasePath).size(), 1u);

    // A damaged copy is found before anything is replaced.
    db().execute("DELETE FROM KORFSongs WHERE SongCode = 3");
    const auto changed = everything(db());
    test::writeFile(point.file, std::string(8192, 'x'));
    const std::string failure =
        test::failureOf<RestorePointError>([&] { kept.bringBack(db(), point); });
    EXPECT_TRUE(
        failure.starts_with("The restore point of 2026-12-06 12:00:00 cannot be brought "
                            "back: its copy " +
                            point.file.string()))
        << failure;
    EXPECT_TRUE(failure.ends_with(". The catalogue is as it was.")) << failure;
    EXPECT_EQ(everything(db()), changed);
}

TEST_F(RestorePointsTest, NoRoomStopsTheStepAndLeavesNoHalfCopy) {
    RestorePoints kept = points();
    std::uintmax_t free = 0;
    kept.setRoomReader([&free](const fs::path&) { return free; });
    const std::uintmax_t size = fs::file_size(env.state.DatabasePath);
    free = size;  // the copy needs the file's pages and a little room beside
    const std::string failure =
        test::failureOf<RestorePointError>([&] { kept.keep(db(), "deleting 3 styles"); });
    EXPECT_EQ(failure,
              "ORB could not keep a restore point before deleting 3 styles: there is not "
              "enough room in " +
                  (env.dir / "points").string() + " (" + std::to_string(size + 65536) +
                  " bytes needed, " + std::to_string(size) + " free). Nothing was changed.");
    EXPECT_TRUE(test::namesIn(env.dir / "points").empty());
    free = size + 65536;
    EXPECT_EQ(kept.keep(db(), "deleting 3 styles").sequence, 1);

    // A folder that cannot be made is said as plainly.
    test::writeFile(env.dir / "blocker", "");
    RestorePoints blocked(env.dir / "blocker" / "points", 10, env.clock);
    EXPECT_TRUE(test::failureOf<RestorePointError>([&] { blocked.keep(db(), "restoring a dump"); })
                    .starts_with("ORB could not keep a restore point before restoring a dump: the "
                                 "folder " +
                                 (env.dir / "blocker" / "points").string() + " cannot be made ("));
}

}  // namespace
}  // namespace orb
