#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "db/write_transaction.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

using Clock = std::chrono::steady_clock;

// A database file with a table T, the connection under test on it, and another program's
// connection on the same file. The busy timeout is short so that a lasting lock fails quickly.
class WriteTransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousTimeout = Database::busyTimeout();
        Database::setBusyTimeout(kTimeout);
        db.open(dir / "test.db", Database::OpenMode::CreateIfMissing);
        db.execute("CREATE TABLE T (Id Long)");
        other.open(dir / "test.db", Database::OpenMode::ExistingOnly);
    }
    void TearDown() override { Database::setBusyTimeout(previousTimeout); }

    std::vector<std::int64_t> ids() {
        std::vector<std::int64_t> all;
        Rows rows = db.query("SELECT Id FROM T ORDER BY Id");
        while (rows.next()) {
            all.push_back(rows.integer(0));
        }
        return all;
    }

    static constexpr int kTimeout = 300;
    int previousTimeout = 0;
    test::TempDir dir;
    Database db;
    Database other;
};

TEST_F(WriteTransactionTest, RollsBackUnlessCommittedAndNestsAsASavepoint) {
    {
        WriteTransaction transaction(db);
        db.execute("INSERT INTO T (Id) VALUES (1)");
    }
    EXPECT_EQ(ids(), std::vector<std::int64_t>{});
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
    EXPECT_EQ(ids(), (std::vector<std::int64_t>{2, 4}));
    {
        WriteTransaction outer(db);
        {
            WriteTransaction inner(db);
            db.execute("INSERT INTO T (Id) VALUES (5)");
            inner.commit();
        }
    }
    EXPECT_EQ(ids(), (std::vector<std::int64_t>{2, 4}));
}

TEST_F(WriteTransactionTest, ALastingLockOfAnotherProgramIsWaitedForAndThenToldInUse) {
    other.execute("BEGIN IMMEDIATE");
    other.execute("INSERT INTO T (Id) VALUES (9)");
    const auto start = Clock::now();
    try {
        WriteTransaction transaction(db);
        FAIL() << "the write lock was taken twice";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.inUse());
        EXPECT_EQ(std::string(e.what()), "The database " + (dir / "test.db").string() +
                                             " is in use by another program; try again when it "
                                             "is closed.");
    }
    // It waited for the busy timeout rather than failing at once.
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(kTimeout - 50));
    EXPECT_FALSE(db.inTransaction());
    other.execute("ROLLBACK");
    EXPECT_EQ(ids(), std::vector<std::int64_t>{});
}

// A COMMIT refused while another program reads leaves nothing half-open: the transaction is
// rolled back, and the next one commits for real instead of becoming a savepoint of it.
TEST_F(WriteTransactionTest, ABusyCommitRollsBackAndTheNextWriteIsCommitted) {
    other.execute("BEGIN");
    std::optional<Rows> reading(other.query("SELECT count(*) FROM T"));
    ASSERT_TRUE(reading->next());
    {
        WriteTransaction transaction(db);
        db.execute("INSERT INTO T (Id) VALUES (7)");
        try {
            transaction.commit();
            FAIL() << "the commit went through a reader's lock";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.inUse());
        }
    }
    EXPECT_FALSE(db.inTransaction());
    reading.reset();
    other.execute("COMMIT");
    {
        WriteTransaction transaction(db);
        db.execute("INSERT INTO T (Id) VALUES (8)");
        transaction.commit();
    }
    Rows seen = other.query("SELECT group_concat(Id) FROM T");
    ASSERT_TRUE(seen.next());
    EXPECT_EQ(seen.text(0), "8");
}

}  // namespace
}  // namespace orb
