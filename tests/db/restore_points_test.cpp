#include "db/restore_points.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <array>
#include <chrono>
#include <thread>

#include "db/changesets.h"
#include "db/point_notes.h"
#include "db/write_transaction.h"
#include "support/failure_of.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

const auto everything = test::tableSnapshot;

// A database with just the tables a restore point counts.
void openCounted(Database& database, const fs::path& file) {
    database.open(file, Database::OpenMode::CreateIfMissing);
    for (const char* table :
         {"KORFStyles (StyleProg)", "KORFBanks (BankProg)", "KORFSongs (SongCode)"}) {
        database.execute(std::string("CREATE TABLE ") + table);
    }
}

// A catalogue of 3 styles (their blocks every byte value), 2 banks and 4 songs with links.
class RestorePointsTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        const std::string allBytes = test::everyByteValue();
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
            "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, BankStyle02) "
            "VALUES (7, 'LIVE', 'Saturday', 34, 21), (9, 'SPARE', NULL, 55, NULL)");
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
    // One step with the restore point of what it changes: the statements in one transaction.
    RestorePoint step(RestorePoints& kept, const std::string& action,
                      const std::vector<std::string>& statements) {
        const StepPoint point(kept, db(), action);
        WriteTransaction transaction(db());
        for (const std::string& sql : statements) {
            db().execute(sql);
        }
        transaction.commit();
        return kept.list(env.state.DatabasePath).front();
    }
    std::string undoFailure(RestorePoints& kept, const std::vector<RestorePoint>& newestFirst) {
        return test::failureOf<RestorePointError>([&] { kept.undo(db(), newestFirst, "undoing"); });
    }
    // The points of `database`, newest first: "sequence time action: styles/banks/songs", the
    // counts as they were before each step.
    std::vector<std::string> listing(const fs::path& database) {
        std::vector<std::string> lines;
        for (const RestorePoint& p : points().list(database)) {
            lines.push_back(std::to_string(p.sequence) + " " + p.time + " " + p.action + ": " +
                            std::to_string(p.styles) + "/" + std::to_string(p.banks) + "/" +
                            std::to_string(p.songs));
        }
        return lines;
    }

    test::TestEnvironment env;
};

TEST_F(RestorePointsTest, KeepsTheNewestOfEachCatalogueWithWhatWasAboutToHappen) {
    RestorePoints kept = points(3);
    const std::vector<std::string> actions = {"deleting 2 styles", "deleting the bank LIVE",
                                              "restoring a dump", "wiping the database"};
    for (std::size_t i = 0; i < actions.size(); ++i) {
        env.clock.setTime("10:0" + std::to_string(i) + ":00");
        kept.keep(db(), actions[i]);
        db().execute("DELETE FROM KORFSongs WHERE SongCode = pCode",
                     {std::array<int, 4>{3, 5, 8, 13}[i]});
    }
    EXPECT_EQ(listing(env.state.DatabasePath),
              (std::vector<std::string>{"4 2026-12-06 10:03:00 wiping the database: 3/2/1",
                                        "3 2026-12-06 10:02:00 restoring a dump: 3/2/2",
                                        "2 2026-12-06 10:01:00 deleting the bank LIVE: 3/2/3"}));
    EXPECT_EQ(test::namesIn(env.dir / "points"),
              (std::vector<std::string>{"point-000002.orbpoint", "point-000002.txt",
                                        "point-000003.orbpoint", "point-000003.txt",
                                        "point-000004.orbpoint", "point-000004.txt"}));

    // Another catalogue's points are its own: neither listed here nor counted in the limit.
    Database other;
    openCounted(other, env.dir / "other.mdb");
    kept.keep(other, "deleting a style");
    EXPECT_EQ(kept.list(env.state.DatabasePath).size(), 3u);
    EXPECT_EQ(listing(env.dir / "other.mdb"),
              std::vector<std::string>{"5 2026-12-06 10:03:00 deleting a style: 0/0/0"});
}

TEST_F(RestorePointsTest, BringingBackGivesByteIdenticalTablesInOneStep) {
    const auto before = everything(db());
    RestorePoints kept = points();
    const RestorePoint point = kept.keep(db(), "deleting 3 styles");
    {
        // Kept by a version whose name index lacked the number: it is brought up to date.
        Database copy;
        copy.open(point.file, Database::OpenMode::ExistingOnly);
        copy.execute("DROP INDEX KORFStylesNameProg");
        copy.execute("CREATE INDEX KORFStylesName ON KORFStyles (StyleName1)");
        copy.execute("PRAGMA user_version = 2");
    }
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
}

// Undo takes several steps back at once, newest first: later changes to rows that no step
// touched stay, later changes to the same rows stop it and are named.
TEST_F(RestorePointsTest, UndoTakesStepsBackUnlessLaterChangesToTheSameRowsStandInTheWay) {
    RestorePoints kept = points();
    const auto before = everything(db());
    const RestorePoint bank =
        step(kept, "saving bank 7", {"UPDATE KORFBanks SET BankName = 'GIG' WHERE BankProg = 7"});
    const RestorePoint style = step(kept, "deleting style 34",
                                    {"DELETE FROM KORFStyles WHERE StyleProg = 34",
                                     "DELETE FROM KORFSonSty WHERE StyleProg = 34"});
    const RestorePoint song =
        step(kept, "deleting song 5", {"DELETE FROM KORFSongs WHERE SongCode = 5"});
    EXPECT_EQ(style.kind, RestorePoint::Kind::Changes);
    EXPECT_LT(style.size, 2000u);  // the style's blocks and four links, not the catalogue

    // A new style under the deleted one's number, and the bank saved again.
    db().execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (34, 'NEW')");
    db().execute("UPDATE KORFBanks SET BankName = 'AGAIN' WHERE BankProg = 7");
    const auto changed = everything(db());
    EXPECT_EQ(undoFailure(kept, {song, style, bank}),
              "The restore point of 2026-12-06 12:00:00 cannot be brought back: later changes to "
              "the same rows stand in the way (style 34, bank 7). The catalogue is as it was.");
    EXPECT_EQ(everything(db()), changed);
    EXPECT_EQ(kept.list(env.state.DatabasePath).size(), 3u);

    db().execute("DELETE FROM KORFStyles WHERE StyleProg = 34");
    db().execute("UPDATE KORFBanks SET BankName = 'GIG' WHERE BankProg = 7");
    db().execute("INSERT INTO KORFSongs VALUES (99, 'Later', 'Someone')");
    kept.undo(db(), {song, style, bank}, "undoing");
    db().execute("DELETE FROM KORFSongs WHERE SongCode = 99");
    EXPECT_EQ(everything(db()), before);
    // The undo kept a point of its own, which takes the three steps again.
    EXPECT_EQ(listing(env.state.DatabasePath).front(), "4 2026-12-06 12:00:00 undoing: 2/2/4");
}

TEST_F(RestorePointsTest, AStepWhosePointCannotBeSyncedChangesNothing) {
    RestorePoints kept = points();
    kept.setSyncCheck([](const fs::path&) { return std::string("Input/output error"); });
    const auto before = everything(db());
    EXPECT_EQ(test::failureOf<RestorePointError>(
                  [&] { step(kept, "deleting song 3", {"DELETE FROM KORFSongs"}); }),
              "ORB could not keep a restore point before deleting song 3: the copy could not be "
              "written to the disk (Input/output error). Nothing was changed.");
    EXPECT_EQ(everything(db()), before);
    EXPECT_TRUE(test::namesIn(env.dir / "points").empty());
}

// Each point is spoilt one way; bringing it back is refused and nothing changes.
TEST_F(RestorePointsTest, DamagedOrForeignPointsAreRefused) {
    const auto spoilCopy = [](const std::string& sql) {
        return [sql](const RestorePoint& point) {
            Database copy;
            copy.open(point.file, Database::OpenMode::ExistingOnly);
            ASSERT_EQ(sqlite3_exec(copy.handle(), sql.c_str(), nullptr, nullptr, nullptr), 0);
        };
    };
    // Changes of a table shaped unlike ORB's, with a note that matches them.
    const auto foreignChanges = [this](const std::string& table) {
        return [this, table](const RestorePoint& point) {
            Database other;
            other.open(env.dir / "foreign.db", Database::OpenMode::CreateIfMissing);
            other.execute("CREATE TABLE IF NOT EXISTS " + table +
                          " (StyleProg Long PRIMARY KEY, a, b)");
            std::string changes;
            {
                ChangeSession session(other);
                other.execute("INSERT OR REPLACE INTO " + table + " VALUES (21, 'X', 'Y')");
                changes = session.changes();
            }
            test::writeFile(point.file, changes);
            RestorePoint noted = point;
            noted.size = changes.size();
            noted.digest = digestOf(changes);
            fs::remove(fs::path(point.file).replace_extension(".txt"));
            test::writeFile(fs::path(point.file).replace_extension(".txt"), noteText(noted));
        };
    };
    struct Case {
        const char* name;
        bool whole;
        std::function<void(const RestorePoint&)> spoil;
        std::string why;
    };
    const std::vector<Case> cases = {
        {"cut to nothing", true, [](const RestorePoint& p) { fs::resize_file(p.file, 0); },
         "is no ORB catalogue: it does not hold ORB's tables"},
        {"a table turned into a view", true,
         spoilCopy("DROP TABLE KORFSongs; CREATE VIEW KORFSongs AS SELECT 1 AS SongCode"),
         "is no ORB catalogue: it does not hold ORB's tables"},
        {"a column short", true,
         spoilCopy("DROP TABLE KORFSonSty; CREATE TABLE KORFSonSty (SongCode Long, StyleProg "
                   "Long, CONSTRAINT MyFiCo PRIMARY KEY (SongCode, StyleProg))"),
         "is no ORB catalogue: it holds other tables, columns, indexes or triggers than ORB's"},
        {"a foreign trigger", true,
         spoilCopy("CREATE TRIGGER Evil AFTER INSERT ON KORFSongs BEGIN DELETE FROM KORFStyles;"
                   "END"),
         "is no ORB catalogue: it holds other tables, columns, indexes or triggers than ORB's"},
        {"another program's file", true,
         spoilCopy("DROP VIEW QUERY1; DROP TABLE KORFSonSty; DROP TABLE KORFSongs; DROP TABLE "
                   "KORFBanks; DROP TABLE KORFStyles; DROP TABLE KORFSetups; CREATE TABLE "
                   "Notes (Text)"),
         "is no ORB catalogue: it holds other tables, columns, indexes or triggers than ORB's"},
        {"a changed byte", false,
         [](const RestorePoint& p) {
             std::string bytes = test::readFile(p.file);
             bytes[bytes.size() / 2] ^= 1;
             test::writeFile(p.file, bytes);
         },
         "is damaged"},
        {"changes of another table", false, foreignChanges("Evil"),
         "is no ORB restore point: it changes Evil, which is no table of ORB"},
        {"changes of a table of another shape", false, foreignChanges("KORFStyles"),
         "is no ORB restore point: its changes of KORFStyles do not fit that table"},
    };
    for (const Case& c : cases) {
        fs::remove_all(env.dir / "points");
        fs::remove(env.dir / "foreign.db");
        RestorePoints kept = points();
        const RestorePoint point = c.whole ? kept.keep(db(), "emptying the database")
                                           : step(kept, "updating style 21",
                                                  {"UPDATE KORFStyles SET StyleDesc = '" +
                                                   std::string(c.name) + "' WHERE StyleProg = 21"});
        c.spoil(point);
        const auto changed = everything(db());
        const std::vector<RestorePoint> listed = kept.list(env.state.DatabasePath);
        ASSERT_EQ(listed.size(), 1u) << c.name;
        const std::string failure = undoFailure(kept, listed);
        EXPECT_TRUE(failure.ends_with(c.why + ". The catalogue is as it was."))
            << c.name << ": " << failure;
        EXPECT_EQ(everything(db()), changed) << c.name;
    }
}

// Notes and files that are not ours, or another program's, in the points folder.
TEST_F(RestorePointsTest, ThePointsFolderTrustsNoNameItDidNotMake) {
    RestorePoints kept = points();
    const fs::path folder = env.dir / "points";
    fs::create_directories(folder);
    // A FIFO named like a note would block a reader for ever; a link as the next note's name
    // would be written through.
    ASSERT_EQ(::mkfifo((folder / "point-000007.txt").c_str(), 0600), 0);
    test::writeFile(env.dir / "outside.txt", "mine");
    fs::create_symlink(env.dir / "outside.txt", folder / "point-000008.txt");
    // A file without a note under the number after that may be a writer's on its way to the
    // note; one left an hour ago by a run that stopped before its note goes with the next point.
    test::writeFile(folder / "point-000009.orbpoint", "theirs");
    test::writeFile(folder / "point-000003.orbchanges", "stopped");
    fs::last_write_time(folder / "point-000003.orbchanges",
                        fs::file_time_type::clock::now() - std::chrono::minutes(61));
    const RestorePoint point = kept.keep(db(), "emptying the database");
    EXPECT_EQ(point.sequence, 10);
    EXPECT_EQ(test::readFile(env.dir / "outside.txt"), "mine");
    EXPECT_EQ(test::readFile(folder / "point-000009.orbpoint"), "theirs");
    EXPECT_FALSE(fs::exists(folder / "point-000003.orbchanges"));

    // Notes out of range or with escape codes; a database path with a line break.
    const auto note = [&](const std::string& name, const std::string& text) {
        test::writeFile(folder / (name + ".txt"), text);
        test::writeFile(folder / (name + ".orbpoint"), "");
    };
    const std::string database = fs::weakly_canonical(env.state.DatabasePath).string();
    note("point-000011", "sequence=9223372036854775807\ndatabase=" + database + "\n");
    note("point-000012", "sequence=-3\ndatabase=" + database + "\n");
    note("point-000013",
         "sequence=13\ndatabase=" + database + "\naction=\x1b]0;owned\x07\x1b[2J\n");
    Database lined;
    openCounted(lined, env.dir / "line\nbreak.mdb");
    const RestorePoint linedPoint = kept.keep(lined, "emptying the database");
    EXPECT_EQ(listing(env.dir / "line\nbreak.mdb"),
              std::vector<std::string>{std::to_string(linedPoint.sequence) +
                                       " 2026-12-06 12:00:00 emptying the database: 0/0/0"});
    EXPECT_EQ(listing(env.state.DatabasePath),
              (std::vector<std::string>{"13  ?]0;owned??[2J: 0/0/0",
                                        "10 2026-12-06 12:00:00 emptying the database: 3/2/4"}));
}

TEST_F(RestorePointsTest, TwoWritersAtOnceKeepEveryPoint) {
    Database other;
    openCounted(other, env.dir / "other.mdb");
    const auto keepMany = [this](Database& database) {
        RestorePoints kept = points(50);
        for (int i = 0; i < 20; ++i) {
            kept.keep(database, "emptying the database");
        }
    };
    std::thread first([&] { keepMany(other); });
    Database mine;
    mine.open(env.state.DatabasePath, Database::OpenMode::ExistingOnly);
    keepMany(mine);
    first.join();
    EXPECT_EQ(points().list(env.state.DatabasePath).size(), 20u);
    EXPECT_EQ(points().list(env.dir / "other.mdb").size(), 20u);
}

}  // namespace
}  // namespace orb
