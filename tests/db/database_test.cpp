#include <gtest/gtest.h>

#include "db/database.h"
#include "db/sql_parameters.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.open(dir / "test.db", Database::OpenMode::CreateIfMissing);
        db.execute("CREATE TABLE T (Id Long, Name text(20) COLLATE NOCASE, Data LongBinary)");
    }
    test::TempDir dir;
    Database db;
};

TEST(SqlParameters, NamesBecomePositionsInOrderOfFirstAppearance) {
    const auto sql =
        toPositionalParameters("UPDATE T SET a = pB, b = pA WHERE c = pB AND d = 'pC' AND PRIMARY");
    EXPECT_EQ(sql.text, "UPDATE T SET a = ?1, b = ?2 WHERE c = ?1 AND d = 'pC' AND PRIMARY");
    EXPECT_EQ(sql.parameterCount, 2);
    EXPECT_EQ(toPositionalParameters("SELECT 'it''s pX', pY").text, "SELECT 'it''s pX', ?1");
}

TEST_F(DatabaseTest, BlocksComeBackByteForByte) {
    const std::string all = test::everyByteValue();
    const std::string digits = "0123";
    db.execute("INSERT INTO T (Id, Name, Data) VALUES (pId, pName, pData)",
               {1, "one", SqlParam::blob(digits)});
    db.execute("INSERT INTO T (Id, Name, Data) VALUES (pId, pName, pData)",
               {2, "two", SqlParam::blob(all)});
    db.execute("INSERT INTO T (Id, Name, Data) VALUES (pId, pName, pData)",
               {3, "three", SqlParam::blob("")});

    Rows rows = db.query("SELECT * FROM T ORDER BY Id");
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.bytes("DATA"), digits);  // not the number 123
    EXPECT_TRUE(rows.value("data").isBlob());
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.bytes("Data"), all);
    ASSERT_TRUE(rows.next());
    EXPECT_FALSE(rows.isNull("Data"));
    EXPECT_EQ(rows.bytes(2), "");
    EXPECT_FALSE(rows.next());
}

TEST_F(DatabaseTest, ColumnsByNameIgnoreCaseAndTextComparesWithoutCase) {
    db.execute("INSERT INTO T (Id, Name) VALUES (pId, pName)", {7, "Rock Ballad"});
    Rows rows = db.query("SELECT Id, Name FROM T WHERE Name = pName", {"ROCK BALLAD"});
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.integer("iD"), 7);
    EXPECT_EQ(rows.text("NAME"), "Rock Ballad");
    EXPECT_EQ(rows.columnIndex("name"), 1);
    EXPECT_THROW(rows.columnIndex("missing"), DbError);
}

TEST_F(DatabaseTest, ErrorTextIsTheEngineMessageWithoutItsCode) {
    try {
        db.execute("SELECT * FROM Missing");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), 1);
        EXPECT_EQ(std::string(e.what()), "no such table: Missing");
        EXPECT_EQ(e.kind(), StoreError::Kind::Refused);
    }
    EXPECT_THROW(db.execute("INSERT INTO T (Id) VALUES (pId)", {1, 2}), DbError);
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

}  // namespace
}  // namespace orb
