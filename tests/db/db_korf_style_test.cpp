#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "db/db_korf_style.h"
#include "support/test_environment.h"

namespace orb {
namespace {

// A chunk as a bank file holds it: 8-byte header (tag, big-endian length), then `size` bytes
// that start with `seed` and run through every byte value.
std::string block(std::size_t size, unsigned seed) {
    std::string bytes = {'\x03', '\x00', '\x00', '\x18'};
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((size >> shift) & 0xFF);
    }
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>((seed + i * 7) & 0xFF);
    }
    return bytes;
}

class DbKORFStyleTest : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }

    Database& db() { return env.state.connection; }

    DbKORFStyle styleWith(std::int32_t prog, std::string name, std::string content1,
                          std::string content2) {
        DbKORFStyle style(db());
        style.StyleProg = prog;
        style.StyleName1 = std::move(name);
        style.StyleName2 = "Second";
        style.StyleLength1 = static_cast<std::int32_t>(content1.size());
        style.StyleLength2 = static_cast<std::int32_t>(content2.size());
        style.StyleContent1 = std::move(content1);
        style.StyleContent2 = std::move(content2);
        style.StyleDate = "2026/12/06";
        style.StyleDesc = "Desc";
        style.StyleCat = "Cat";
        style.StyleFamily = "Family";
        style.StyleFile = "USER01.STY";
        style.StyleAuthor = "Author";
        return style;
    }

    void insert(std::int32_t prog, std::string name, std::string content1, std::string content2) {
        DbKORFStyle style =
            styleWith(prog, std::move(name), std::move(content1), std::move(content2));
        ASSERT_TRUE(style.InsKORFStyles()) << style.clsKORFStylesError;
    }

    std::string storedBytes(std::int32_t prog, const std::string& column) {
        Rows rows = db().query("SELECT typeof(" + column + "), " + column +
                               " FROM KORFStyles WHERE StyleProg = " + std::to_string(prog));
        EXPECT_TRUE(rows.next());
        EXPECT_EQ(rows.text(0), "blob") << column;
        return std::string(rows.bytes(1));
    }

    test::TestEnvironment env;
};

TEST_F(DbKORFStyleTest, InsertStoresEveryByteAndBlanksAnEmptyBlockAndLoadsBack) {
    const std::string first = block(3000, 0);
    DbKORFStyle style = styleWith(4, "Rock 'n' Po", first, "");
    ASSERT_TRUE(style.InsKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError, "");
    // The blank and the key stay in the properties.
    EXPECT_EQ(style.StyleContent2, " ");
    EXPECT_EQ(style.StyleSeek, first.substr(0, 250));
    EXPECT_EQ(storedBytes(4, "StyleContent1"), first);
    EXPECT_EQ(storedBytes(4, "StyleContent2"), " ");
    EXPECT_EQ(storedBytes(4, "StyleSeek"), first.substr(0, 250));

    // A short block is its own key; an empty first block is stored as a blank too.
    insert(5, "Short", block(92, 1), block(300, 2));
    EXPECT_EQ(storedBytes(5, "StyleSeek"), block(92, 1));
    insert(6, "Empty", "", "");
    EXPECT_EQ(storedBytes(6, "StyleContent1"), " ");
    EXPECT_EQ(storedBytes(6, "StyleSeek"), " ");

    DbKORFStyle loaded(db());
    loaded.StyleProg = 4;
    loaded.StyleSeek = "stale";
    ASSERT_TRUE(loaded.GetKORFStyles());
    KORFStylesRow expected = style;
    EXPECT_EQ(static_cast<const KORFStylesRow&>(loaded), expected);
    EXPECT_EQ(loaded.StyleLength2, 0);

    // A key that differs in the table is made again from the loaded block.
    db().execute("UPDATE KORFStyles SET StyleSeek = pSeek WHERE StyleProg = 4",
                 {SqlParam::blob("other")});
    ASSERT_TRUE(loaded.GetKORFStyles());
    EXPECT_EQ(loaded.StyleSeek, first.substr(0, 250));
}

TEST_F(DbKORFStyleTest, MissingRowsAndNumbers) {
    DbKORFStyle style(db());
    EXPECT_EQ(style.NextKORFStyle(), 1);
    insert(1, "A", block(10, 1), block(10, 2));
    insert(2, "B", block(10, 3), block(10, 4));
    insert(7, "C", block(10, 5), block(10, 6));
    EXPECT_EQ(style.NextKORFStyle(), 8);

    style.clsKORFStylesError = "left over";
    style.StyleProg = 3;
    style.StyleName1 = "kept";
    EXPECT_FALSE(style.GetKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError, "");
    EXPECT_EQ(style.StyleName1, "kept");
    EXPECT_FALSE(style.GetKORFStylesNoContent());
    style.clsKORFStylesError = "left over";
    EXPECT_FALSE(style.UpdKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError, "");
    EXPECT_FALSE(style.UpdKORFStylesContent());
    EXPECT_EQ(style.clsKORFStylesError, "");
    EXPECT_TRUE(style.DelKORFStyles());

    style.StyleProg = 7;
    EXPECT_TRUE(style.DelKORFStyles());
    EXPECT_EQ(style.NextKORFStyle(), 3);  // the number of a deleted highest style comes back

    // Numbers are bound, so looking up many of them prepares each statement once.
    const auto prepared = [this] {
        int count = 0;
        for (sqlite3_stmt* s = sqlite3_next_stmt(db().handle(), nullptr); s != nullptr;
             s = sqlite3_next_stmt(db().handle(), s)) {
            ++count;
        }
        return count;
    };
    const int before = prepared();
    for (std::int32_t number = 100; number < 400; ++number) {
        style.StyleProg = number;
        EXPECT_FALSE(style.GetKORFStyles());
        EXPECT_FALSE(style.GetKORFStylesNoContent());
    }
    EXPECT_LE(prepared() - before, 2);
}

TEST_F(DbKORFStyleTest, UpdateWritesTheDescriptionOnlyAndAllOrNothing) {
    const std::string first = block(500, 9);
    const std::string second = block(400, 8);
    insert(3, "Old", first, second);

    DbKORFStyle style = styleWith(3, "New", "ignored", "ignored");
    style.StyleName2 = "New 2";
    style.StyleLength1 = 11;
    style.StyleLength2 = 22;
    style.StyleDesc = "New desc";
    style.StyleAuthor = "New author";
    ASSERT_TRUE(style.UpdKORFStyles()) << style.clsKORFStylesError;

    DbKORFStyle loaded(db());
    loaded.StyleProg = 3;
    ASSERT_TRUE(loaded.GetKORFStyles());
    EXPECT_EQ(loaded.StyleName1, "New");
    EXPECT_EQ(loaded.StyleName2, "New 2");
    EXPECT_EQ(loaded.StyleLength1, 11);
    EXPECT_EQ(loaded.StyleLength2, 22);
    EXPECT_EQ(loaded.StyleDesc, "New desc");
    EXPECT_EQ(loaded.StyleAuthor, "New author");
    EXPECT_EQ(loaded.StyleContent1, first);
    EXPECT_EQ(loaded.StyleContent2, second);
    EXPECT_EQ(storedBytes(3, "StyleSeek"), first.substr(0, 250));

    // A refused value in the last column leaves the earlier ones as they were.
    style.StyleName1 = "Newer";
    style.StyleAuthor = std::string(51, 'x');
    EXPECT_FALSE(style.UpdKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError,
              "19 The text for KORFStyles.StyleAuthor is longer than its 50 characters");
    ASSERT_TRUE(loaded.GetKORFStyles());
    EXPECT_EQ(loaded.StyleName1, "New");
    EXPECT_EQ(loaded.StyleAuthor, "New author");
}

TEST_F(DbKORFStyleTest, ContentUpdateRewritesBothBlocksAndTheKey) {
    insert(3, "Old", block(500, 9), block(400, 8));
    insert(4, "Other", block(600, 1), block(300, 2));

    DbKORFStyle style(db());
    style.StyleProg = 3;
    style.StyleContent1 = block(700, 50);
    style.StyleContent2 = "";
    ASSERT_TRUE(style.UpdKORFStylesContent()) << style.clsKORFStylesError;
    EXPECT_EQ(storedBytes(3, "StyleContent1"), block(700, 50));
    EXPECT_EQ(storedBytes(3, "StyleContent2"), " ");
    EXPECT_EQ(storedBytes(3, "StyleSeek"), block(700, 50).substr(0, 250));
    EXPECT_EQ(storedBytes(4, "StyleContent1"), block(600, 1));

    DbKORFStyle finder(db());
    EXPECT_EQ(finder.GetKORFStylesByContent(block(700, 50), ""), 3);
    EXPECT_EQ(finder.GetKORFStylesByContent(block(500, 9), block(400, 8)), -1);
}

TEST_F(DbKORFStyleTest, FailuresGiveFalseWithTheEngineText) {
    insert(1, "A", block(10, 1), block(10, 2));
    DbKORFStyle twice = styleWith(1, "A again", block(10, 3), block(10, 4));
    EXPECT_FALSE(twice.InsKORFStyles());
    EXPECT_EQ(twice.clsKORFStylesError, "19 UNIQUE constraint failed: KORFStyles.StyleProg");

    DbKORFStyle tooLong = styleWith(2, "Twelve chars", block(10, 3), block(10, 4));
    EXPECT_FALSE(tooLong.InsKORFStyles());
    EXPECT_EQ(tooLong.clsKORFStylesError,
              "19 The text for KORFStyles.StyleName1 is longer than its 11 characters");
    tooLong.StyleName1 = "Eleven char";
    EXPECT_TRUE(tooLong.InsKORFStyles());  // the error text is cleared by the next operation
    EXPECT_EQ(tooLong.clsKORFStylesError, "");

    DbKORFStyle unbound;
    EXPECT_FALSE(unbound.GetKORFStyles());
    EXPECT_EQ(unbound.clsKORFStylesError, "21 no active connection has been set");

    db().execute("DROP TABLE KORFStyles");
    DbKORFStyle style(db());
    const std::string noTable = "1 no such table: KORFStyles";
    EXPECT_FALSE(style.DelKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError, noTable);
    EXPECT_FALSE(style.GetKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError, noTable);
    EXPECT_FALSE(style.UpdKORFStyles());
    EXPECT_EQ(style.clsKORFStylesError, noTable);
    EXPECT_FALSE(style.GetKORFStylesByName().has_value());
    EXPECT_EQ(style.clsKORFStylesError, noTable);
    // These two let the failure through.
    EXPECT_THROW(style.NextKORFStyle(), DbError);
    EXPECT_THROW(style.GetKORFStylesByContent("a", "b"), DbError);
}

TEST_F(DbKORFStyleTest, LookupByNameFindsApostrophesAndIgnoresLetterCase) {
    insert(1, "Rock 'n' Ro", block(100, 1), block(10, 2));
    insert(2, "ROCK 'N' RO", block(200, 3), block(10, 4));
    insert(3, "Ballad", block(100, 5), block(10, 6));

    DbKORFStyle style(db());
    style.StyleName1 = "rock 'n' ro";
    const auto found = style.GetKORFStylesByName();
    ASSERT_TRUE(found.has_value()) << style.clsKORFStylesError;
    ASSERT_EQ(found->size(), 2u);
    EXPECT_EQ((*found)[0].StyleProg + (*found)[1].StyleProg, 3);
    for (const KORFStylesRow& row : *found) {
        EXPECT_EQ(row.StyleContent1, row.StyleProg == 1 ? block(100, 1) : block(200, 3));
        EXPECT_EQ(row.StyleFile, "USER01.STY");
    }
    style.StyleName1 = "Missing";
    ASSERT_TRUE(style.GetKORFStylesByName().has_value());
    EXPECT_TRUE(style.GetKORFStylesByName()->empty());
}

TEST_F(DbKORFStyleTest, NoContentReadGivesBlanksForTheBlocks) {
    insert(9, "Described", block(1000, 1), block(300, 2));
    DbKORFStyle style(db());
    style.StyleProg = 9;
    ASSERT_TRUE(style.GetKORFStylesNoContent());
    EXPECT_EQ(style.StyleName1, "Described");
    EXPECT_EQ(style.StyleName2, "Second");
    EXPECT_EQ(style.StyleLength1, 1008);
    EXPECT_EQ(style.StyleLength2, 308);
    EXPECT_EQ(style.StyleDate, "2026/12/06");
    EXPECT_EQ(style.StyleFamily, "Family");
    EXPECT_EQ(style.StyleContent1, " ");
    EXPECT_EQ(style.StyleContent2, " ");
    EXPECT_EQ(style.StyleSeek, " ");
}

TEST_F(DbKORFStyleTest, ContentSearchComparesBothBlocksByteForByte) {
    std::string original = block(3000, 7);
    std::string laterByteChanged = original;
    laterByteChanged[2000] = static_cast<char>(laterByteChanged[2000] ^ 0x80);
    const std::string second = block(400, 3);
    std::string otherSecond = second;
    otherSecond.back() = static_cast<char>(otherSecond.back() + 1);

    insert(1, "Original", original, second);
    insert(2, "Variant", laterByteChanged, second);
    insert(3, "Other 2nd", original, otherSecond);
    insert(4, "No part 2", block(500, 9), "");

    DbKORFStyle style(db());
    EXPECT_EQ(style.GetKORFStylesByContent(original, second), 1);
    EXPECT_EQ(style.StyleSeek, original.substr(0, 250));
    EXPECT_EQ(style.GetKORFStylesByContent(laterByteChanged, second), 2);
    EXPECT_EQ(style.GetKORFStylesByContent(original, otherSecond), 3);
    // Shares the first 250 bytes with style 1 but is longer: not a duplicate.
    EXPECT_EQ(style.GetKORFStylesByContent(original + "x", second), -1);
    EXPECT_EQ(style.GetKORFStylesByContent(original.substr(0, 2999), second), -1);
    // A style without a second part is found again, though the table holds a blank for it.
    EXPECT_EQ(style.GetKORFStylesByContent(block(500, 9), ""), 4);
    EXPECT_EQ(style.GetKORFStylesByContent(block(500, 9), block(1, 0)), -1);
    EXPECT_EQ(style.GetKORFStylesByContent("", ""), -1);
    EXPECT_EQ(style.StyleSeek, " ");
}

int recordStatement(unsigned, void* context, void* statement, void*) {
    auto* seen = static_cast<std::vector<std::string>*>(context);
    seen->push_back(sqlite3_sql(static_cast<sqlite3_stmt*>(statement)));
    return 0;
}

TEST_F(DbKORFStyleTest, ContentSearchUsesTheKeyIndex) {
    insert(1, "Original", block(3000, 7), block(400, 3));
    std::vector<std::string> seen;
    sqlite3_trace_v2(db().handle(), SQLITE_TRACE_STMT, recordStatement, &seen);
    DbKORFStyle style(db());
    EXPECT_EQ(style.GetKORFStylesByContent(block(3000, 7), block(400, 3)), 1);
    sqlite3_trace_v2(db().handle(), 0, nullptr, nullptr);
    ASSERT_EQ(seen.size(), 1u);

    // The plan of the very statement the search ran.
    Rows plan = db().query("EXPLAIN QUERY PLAN " + seen[0], {SqlParam::blob("key")});
    std::string details;
    while (plan.next()) {
        details += plan.text("detail") + ";";
    }
    EXPECT_NE(details.find("SEARCH"), std::string::npos) << details;
    EXPECT_NE(details.find("USING INDEX KORFStylesSeekKey (<expr>=?)"), std::string::npos)
        << details;
    EXPECT_EQ(details.find("SCAN"), std::string::npos) << details;
}

}  // namespace
}  // namespace orb
