#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "db/database.h"
#include "db/sql_parameters.h"
#include "db/write_transaction.h"
#include "support/failure_of.h"
#include "support/held_lock.h"
#include "support/query_column.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

// A database file with a table T, the connection under test on it, and another program's
// connection on the same file.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.open(dir / "test.db", Database::OpenMode::CreateIfMissing);
        db.execute("CREATE TABLE T (Id Long, Data LongBinary)");
        other.open(dir / "test.db", Database::OpenMode::ExistingOnly);
    }

    std::vector<std::string> ids() { return test::column(db, "SELECT Id FROM T ORDER BY Id"); }

    const test::ShortBusyTimeout timeout;
    test::TempDir dir;
    Database db;
    Database other;
};

TEST(SqlParameters, NamesBecomePositionsInOrderOfFirstAppearance) {
    const auto sql =
        toPositionalParameters("UPDATE T SET a = pB, b = pA WHERE c = pB AND d = 'pC' AND PRIMARY");
    EXPECT_EQ(sql.text, "UPDATE T SET a = ?1, b = ?2 WHERE c = ?1 AND d = 'pC' AND PRIMARY");
    EXPECT_EQ(sql.parameterCount, 2);
    EXPECT_EQ(toPositionalParameters("SELECT 'it''s pX', pY").text, "SELECT 'it''s pX', ?1");
}

// A block of digits stays bytes, not the number 123; an empty block stays a block, not null.
// Columns are found by name whatever the letter case; a missing one is an error.
TEST_F(DatabaseTest, BlocksComeBackByteForByte) {
    const std::vector<std::string> blocks = {"0123", test::everyByteValue(), ""};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        db.execute("INSERT INTO T (Id, Data) VALUES (pId, pData)",
                   {static_cast<std::int32_t>(i), SqlParam::blob(blocks[i])});
    }
    Rows rows = db.query("SELECT * FROM T ORDER BY Id");
    for (const std::string& block : blocks) {
        ASSERT_TRUE(rows.next());
        EXPECT_TRUE(rows.value("data").isBlob());
        EXPECT_EQ(rows.bytes("DATA"), block);
    }
    EXPECT_FALSE(rows.next());
    EXPECT_THROW(rows.columnIndex("missing"), DbError);
}

TEST_F(DatabaseTest, AStatementGivenMoreParametersThanItTakesIsRefused) {
    EXPECT_THROW(db.execute("INSERT INTO T (Id) VALUES (pId)", {1, 2}), DbError);
    EXPECT_EQ(ids(), std::vector<std::string>{});
}

// Open rows survive the same statement run again and a cache full of other statements, as a
// long import makes them.
TEST_F(DatabaseTest, StatementsInUseSurviveTheirOwnRerunAndAFullCache) {
    for (int id = 1; id <= 3; ++id) {
        db.execute("INSERT INTO T (Id) VALUES (pId)", {id});
    }
    Rows outer = db.query("SELECT Id FROM T ORDER BY Id");
    ASSERT_TRUE(outer.next());
    Rows inner = db.query("SELECT Id FROM T ORDER BY Id");
    ASSERT_TRUE(inner.next());
    for (int n = 0; n < 1000; ++n) {
        Rows one = db.query("SELECT Id FROM T WHERE Id = " + std::to_string(n));
        one.next();
    }
    ASSERT_TRUE(outer.next());
    EXPECT_EQ(outer.integer(0), 2);
    EXPECT_EQ(inner.integer(0), 1);
    ASSERT_TRUE(outer.next());
    EXPECT_EQ(outer.integer(0), 3);
    EXPECT_FALSE(outer.next());
}

TEST_F(DatabaseTest, RollsBackUnlessCommittedAndNestsAsASavepoint) {
    {
        WriteTransaction transaction(db);
        db.execute("INSERT INTO T (Id) VALUES (1)");
    }
    EXPECT_EQ(ids(), std::vector<std::string>{});
    {
        WriteTransaction outer(db);
        db.execute("INSERT INTO T (Id) VALUES (2)");
        {
            WriteTransaction failed(db);
            db.execute("INSERT INTO T (Id) VALUES (3)");
        }
        {
            WriteTransaction kept(db);
            db.execute("INSERT INTO T (Id) VALUES (4)");
            kept.commit();
        }
        EXPECT_TRUE(db.inTransaction());
        outer.commit();
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(ids(), (std::vector<std::string>{"2", "4"}));
    {
        WriteTransaction outer(db);
        {
            WriteTransaction inner(db);
            db.execute("INSERT INTO T (Id) VALUES (5)");
            inner.commit();
        }
    }
    EXPECT_EQ(ids(), (std::vector<std::string>{"2", "4"}));
}

TEST_F(DatabaseTest, ALastingLockOfAnotherProgramIsWaitedForAndThenToldInUse) {
    other.execute("BEGIN IMMEDIATE");
    other.execute("INSERT INTO T (Id) VALUES (9)");
    const auto start = std::chrono::steady_clock::now();
    const auto refused = test::errorOf<StoreError>([&] { WriteTransaction transaction(db); });
    ASSERT_TRUE(refused) << "the write lock was taken twice";
    EXPECT_TRUE(refused->inUse());
    EXPECT_EQ(std::string(refused->what()), test::inUseText(dir / "test.db"));
    // It waited for the busy timeout rather than failing at once.
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(test::ShortBusyTimeout::kMilliseconds - 50));
    EXPECT_FALSE(db.inTransaction());
    other.execute("ROLLBACK");
    EXPECT_EQ(ids(), std::vector<std::string>{});
}

// A COMMIT refused while another program reads leaves nothing half-open: the transaction is
// rolled back, and the next one commits for real instead of becoming a savepoint of it.
TEST_F(DatabaseTest, ABusyCommitRollsBackAndTheNextWriteIsCommitted) {
    other.execute("BEGIN");
    std::optional<Rows> reading(other.query("SELECT count(*) FROM T"));
    ASSERT_TRUE(reading->next());
    {
        WriteTransaction transaction(db);
        db.execute("INSERT INTO T (Id) VALUES (7)");
        const auto refused = test::errorOf<StoreError>([&] { transaction.commit(); });
        EXPECT_TRUE(refused && refused->inUse()) << "the commit went through a reader's lock";
    }
    EXPECT_FALSE(db.inTransaction());
    reading.reset();
    other.execute("COMMIT");
    {
        WriteTransaction transaction(db);
        db.execute("INSERT INTO T (Id) VALUES (8)");
        transaction.commit();
    }
    EXPECT_EQ(test::column(other, "SELECT Id FROM T"), std::vector<std::string>{"8"});
}

}  // namespace
}  // namespace orb
