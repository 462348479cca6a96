#include <gtest/gtest.h>

#include "db/column_sizes.h"
#include "db/database.h"
#include "db/schema.h"
#include "support/failure_of.h"
#include "support/query_column.h"
#include "support/temp_dir.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using test::column;
const std::string kSchemaNames = "SELECT name FROM sqlite_master ORDER BY name";

class Schema : public ::testing::Test {
protected:
    test::TestEnvironment env;
    Database& db = env.state.connection;
};

TEST_F(Schema, AnEmptyDatabaseGetsTheFourTablesWithTheirColumns) {
    env.openFreshDatabase();
    EXPECT_EQ(env.settings.get("PARAMETERS", "VERSION", ""), "2.31");
    EXPECT_EQ(schemaVersionOf(db), 3);

    // The declared text sizes are the ones of the size table, which the guards enforce.
    std::size_t sized = 0;
    for (const char* table : {"KORFBanks", "KORFStyles", "KORFSongs", "KORFSonSty", "KORFSetups"}) {
        Rows rows = db.query("SELECT name, type FROM pragma_table_info(pTable)", {table});
        while (rows.next()) {
            const std::string type = rows.text(1);
            if (type.size() > 5 && (type[0] == 't' || type[0] == 'T') && type[4] == '(') {
                ++sized;
                EXPECT_EQ(type.substr(5, type.size() - 6),
                          std::to_string(columnSize(table, rows.text(0))))
                    << table << "." << rows.text(0);
            }
        }
    }
    EXPECT_EQ(sized, kColumnSizes.size());
    // Text compares without regard to letter case.
    db.execute("INSERT INTO KORFBanks (BankProg, BankName) VALUES (1, 'User0001')");
    EXPECT_TRUE(db.query("SELECT 1 FROM KORFBanks WHERE BankName = 'USER0001'").next());
}

TEST_F(Schema, ARefusedStepIsReportedWithTheFileAndNothingIsRecorded) {
    // Opened without the right to write, which holds even for a test run as root.
    const auto bare = env.dir / "bare.mdb";
    test::writeFile(bare, "");
    Database readOnly;
    readOnly.open(bare, Database::OpenMode::ReadOnly);
    const auto refused =
        test::errorOf<DataPathError>([&] { CreateTables(readOnly, env.settings); });
    ASSERT_TRUE(refused) << "the schema step went on without its tables";
    EXPECT_EQ(std::string(refused->what()),
              "The tables of the ORB database " + bare.string() +
                  " cannot be made ready; nothing was stored and ORB cannot work with it ("
                  "attempt to write a readonly database).");
    EXPECT_EQ(refused->code(), 8);
    EXPECT_EQ(env.settings.get("PARAMETERS", "VERSION", ""), "");
    EXPECT_EQ(test::readFile(bare), "");

    // A complete ORB database needs no write, so it opens read-only as well.
    env.openFreshDatabase();
    const std::string complete = env.state.DatabasePath;
    env.state.connection.close();
    readOnly.open(complete, Database::OpenMode::ReadOnly);
    EXPECT_NO_THROW(CreateTables(readOnly, env.settings));
}

// A step that fails after the first tables were made leaves none of them: the whole schema step
// is one transaction.
TEST_F(Schema, AStepThatFailsHalfWayLeavesNoTableMade) {
    const auto path = env.dir / "half.mdb";
    {
        Database creator;
        creator.open(path, Database::OpenMode::CreateIfMissing);
        // A view where the songs table belongs: its table statement passes, its index cannot.
        creator.execute("CREATE VIEW KORFSongs AS SELECT 1 AS SongCode, 'x' AS SongTitle");
    }
    Database half;
    half.open(path, Database::OpenMode::ExistingOnly);
    EXPECT_EQ(test::failureOf<DataPathError>([&] { CreateTables(half, env.settings); }),
              "The tables of the ORB database " + path.string() +
                  " cannot be made ready; nothing was stored and ORB cannot work with it "
                  "(views may not be indexed).");
    EXPECT_FALSE(half.inTransaction());
    EXPECT_EQ(column(half, kSchemaNames), std::vector<std::string>{"KORFSongs"});
    EXPECT_EQ(schemaVersionOf(half), 0);
    EXPECT_EQ(env.settings.get("PARAMETERS", "VERSION", ""), "");
}

TEST_F(Schema, AVersion1FileIsBroughtUpToDate) {
    env.openFreshDatabase();
    std::vector<std::string> current = column(db, kSchemaNames);
    // The older songs table has neither a performer nor a key.
    std::erase(current, "KORFSongs_SongPerformer_size_update");
    std::erase(current, "sqlite_autoindex_KORFSongs_1");
    // The version-1 layout: the index on the whole key, the name index without the number and
    // one insert guard per column.
    db.execute("DROP INDEX KORFStylesSeekKey");
    db.execute("CREATE INDEX KORFStylesSeek ON KORFStyles (StyleSeek)");
    db.execute("DROP INDEX KORFStylesNameProg");
    db.execute("CREATE INDEX KORFStylesName ON KORFStyles (StyleName1)");
    for (const char* table : {"KORFBanks", "KORFStyles", "KORFSongs", "KORFSonSty"}) {
        db.execute("DROP TRIGGER " + std::string(table) + "_size_insert");
    }
    for (const ColumnSize& column : kColumnSizes) {
        const std::string name = std::string(column.table) + "." + std::string(column.column);
        db.execute("CREATE TRIGGER " + std::string(column.table) + "_" +
                   std::string(column.column) + "_size_insert BEFORE INSERT ON " +
                   std::string(column.table) + " WHEN length(NEW." + std::string(column.column) +
                   ") > " + std::to_string(column.size) + " BEGIN SELECT RAISE(ABORT, 'old " +
                   name + "'); END");
    }
    db.execute("PRAGMA user_version = 1");
    db.execute("INSERT INTO KORFStyles (StyleProg, StyleName1, StyleSeek) VALUES (7, 'Kept', pKey)",
               {SqlParam::blob("0123456789abcdefXYZ")});
    // An older songs table keeps its rows and its shape; the retired KORFConfs goes.
    db.execute("DROP TABLE KORFSongs");
    db.execute("CREATE TABLE KORFSongs (SongCode Long, SongTitle text(200))");
    db.execute("INSERT INTO KORFSongs VALUES (1, 'A')");
    db.execute("CREATE TABLE KORFConfs (ConfProg Long, ConfDesc text(50))");
    env.settings.set("PARAMETERS", "VERSION", "2.0");

    CreateTables(db, env.settings);

    EXPECT_EQ(env.settings.get("PARAMETERS", "VERSION", ""), "2.31");
    EXPECT_EQ(column(db, kSchemaNames), current);
    EXPECT_EQ(column(db, "SELECT name FROM pragma_table_info('KORFSongs')"),
              (std::vector<std::string>{"SongCode", "SongTitle"}));
    EXPECT_TRUE(db.query("SELECT 1 FROM KORFSongs WHERE SongTitle = 'A'").next());
    EXPECT_EQ(schemaVersionOf(db), 3);
    Rows kept = db.query("SELECT StyleProg FROM KORFStyles WHERE substr(StyleSeek, 1, 16) = pKey",
                         {SqlParam::blob("0123456789abcdef")});
    ASSERT_TRUE(kept.next());
    EXPECT_EQ(kept.integer(0), 7);
    EXPECT_EQ(test::failureOf<DbError>([&] {
                  db.execute("INSERT INTO KORFBanks (BankName) VALUES (pName)",
                             {std::string(51, 'b')});
              }),
              "The text for KORFBanks.BankName is longer than its 50 characters");
}

// Every sized column of every table, through the one insert guard of its table and its own
// update guard: one character too many is refused with the column's message and nothing is
// stored or changed; the full size is taken. Characters, not bytes, count: the text is of "é".
TEST_F(Schema, EveryGuardRefusesOneCharacterTooMany) {
    env.openFreshDatabase();
    for (const ColumnSize& column : kColumnSizes) {
        const std::string table(column.table);
        const std::string name(column.column);
        std::string tooLong;
        for (int i = 0; i <= column.size; ++i) {
            tooLong += "\xC3\xA9";
        }
        const std::string message = "The text for " + table + "." + name + " is longer than its " +
                                    std::to_string(column.size) + " characters";
        const std::string insert = "INSERT INTO " + table + " (" + name + ") VALUES (pText)";
        const auto refusal = [&](const std::string& sql) {
            return test::failureOf<DbError>([&] { db.execute(sql, {tooLong}); });
        };
        EXPECT_EQ(refusal(insert), message);
        EXPECT_FALSE(db.query("SELECT * FROM " + table).next()) << name;
        db.execute(insert, {tooLong.substr(2)});
        EXPECT_EQ(refusal("UPDATE " + table + " SET " + name + " = pText"), message);
        EXPECT_EQ(test::column(db, "SELECT length(" + name + ") FROM " + table),
                  std::vector<std::string>{std::to_string(column.size)})
            << name;
        db.execute("DELETE FROM " + table);
    }
}

}  // namespace
}  // namespace orb
