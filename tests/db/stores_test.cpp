#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <tuple>
#include <vector>

#include "db/bank_store.h"
#include "db/known_songs.h"
#include "db/link_store.h"
#include "db/song_store.h"
#include "db/style_store.h"
#include "support/failure_of.h"
#include "support/link_rows.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using test::makeChunk;

StyleRow styleWith(std::int32_t prog, const std::string& name, const std::string& content1,
                   const std::string& content2) {
    const auto length1 = static_cast<std::int32_t>(content1.size());
    const auto length2 = static_cast<std::int32_t>(content2.size());
    return {prog,         name,   "Second", length1,  length2,      content1, content2,
            "2026/12/06", "Desc", "Cat",    "Family", "USER01.STY", "Author"};
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }

    Database& db() { return env.state.connection; }

    void insert(std::int32_t prog, const std::string& name, const std::string& content1,
                const std::string& content2) {
        store.insertNumbered(styleWith(prog, name, content1, content2));
    }

    test::TestEnvironment env;
    StyleStore store{env.state.connection};
    BankStore banks{env.state.connection};
    SongStore songs{env.state.connection};
    LinkStore links{env.state.connection};
};

TEST_F(StoreTest, StyleNumbersAndMissingRows) {
    EXPECT_EQ(store.next(), 1);
    // The first style of an empty catalogue gets 1, whatever number the row holds.
    EXPECT_EQ(store.insert(styleWith(55, "A", makeChunk(10, 1), makeChunk(10, 2))), 1);
    insert(2, "B", makeChunk(10, 3), makeChunk(10, 4));
    insert(7, "C", makeChunk(10, 5), makeChunk(10, 6));
    EXPECT_EQ(store.next(), 8);
    EXPECT_EQ(store.insert(styleWith(0, "D", makeChunk(10, 7), makeChunk(10, 8))), 8);
    EXPECT_EQ(store.find(8)->StyleName1, "D");

    EXPECT_FALSE(store.find(3));
    EXPECT_FALSE(store.findWithoutBlocks(3));
    StyleColumnChanges changes;
    changes.StyleDesc = "new";
    EXPECT_FALSE(store.change(3, changes));
    EXPECT_FALSE(store.replace(styleWith(3, "X", makeChunk(10, 1), ""), TextPlace()));
    EXPECT_FALSE(banks.update({3, "X", "", {}}));
    EXPECT_NO_THROW(store.remove(3));
    EXPECT_FALSE(store.find(3));

    store.remove(8);
    store.remove(7);
    EXPECT_EQ(store.next(), 3);  // the number of a deleted highest style comes back

    EXPECT_EQ(test::failureOf<StoreError>([&] { insert(1, "A again", makeChunk(10, 3), ""); }),
              "UNIQUE constraint failed: KORFStyles.StyleProg");
}

TEST_F(StoreTest, StyleNameLookupsIgnoreLetterCaseAndPaddingAndFindApostrophes) {
    insert(1, "Rock 'n' Ro", makeChunk(100, 1), makeChunk(10, 2));
    insert(2, "ROCK 'N' RO", makeChunk(200, 3), makeChunk(10, 4));
    insert(41, "ROCK1      ", makeChunk(10, 1), "");
    insert(88, std::string("Rock1") + std::string(6, '\0'), makeChunk(10, 2), "");
    insert(73, "SWING", makeChunk(10, 3), "");
    insert(60, "ROCK12", makeChunk(10, 4), "");
    insert(96, "ROCK1 X", makeChunk(10, 5), "");

    const std::vector<StyleRow> found = store.findByName("rock 'n' ro");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].StyleProg + found[1].StyleProg, 3);
    for (const StyleRow& row : found) {
        EXPECT_EQ(row.StyleContent1, row.StyleProg == 1 ? makeChunk(100, 1) : makeChunk(200, 3));
    }
    EXPECT_TRUE(store.findByName("Missing").empty());
    EXPECT_EQ(store.numbersNamed("Rock1"), (std::vector<std::int32_t>{41, 88}));
    EXPECT_EQ(store.numbersNamed("ROCK"), std::vector<std::int32_t>{});
    EXPECT_EQ(store.numbersNamed(" swing "), std::vector<std::int32_t>{73});
    EXPECT_EQ(store.numbersNamed("   "), std::vector<std::int32_t>{});
}

TEST_F(StoreTest, StyleContentSearchComparesBothBlocksByteForByte) {
    std::string original = makeChunk(3000, 7);
    std::string laterByteChanged = original;
    laterByteChanged[2000] = static_cast<char>(laterByteChanged[2000] ^ 0x80);
    const std::string second = makeChunk(400, 3);
    std::string otherSecond = second;
    otherSecond.back() = static_cast<char>(otherSecond.back() + 1);

    insert(1, "Original", original, second);
    insert(2, "Variant", laterByteChanged, second);
    insert(3, "Other 2nd", original, otherSecond);
    insert(4, "No part 2", makeChunk(500, 9), "");

    EXPECT_EQ(store.findByContent(original, second), 1);
    EXPECT_EQ(store.findByContent(laterByteChanged, second), 2);
    EXPECT_EQ(store.findByContent(original, otherSecond), 3);
    // Shares the first 250 bytes with style 1 but is longer: not a duplicate.
    EXPECT_EQ(store.findByContent(original + "x", second), std::nullopt);
    EXPECT_EQ(store.findByContent(original.substr(0, 2999), second), std::nullopt);
    // A style without a second part is found again, though the table holds a blank for it.
    EXPECT_EQ(store.findByContent(makeChunk(500, 9), ""), 4);
    EXPECT_EQ(store.findByContent(makeChunk(500, 9), makeChunk(1, 0)), std::nullopt);
    EXPECT_EQ(store.findByContent("", ""), std::nullopt);
}

int recordStatement(unsigned, void* context, void* statement, void*) {
    auto* seen = static_cast<std::vector<std::string>*>(context);
    seen->push_back(sqlite3_sql(static_cast<sqlite3_stmt*>(statement)));
    return 0;
}

// The content search reads only the rows its key index names; a name look-up is answered by the
// name index alone, no style's row being read for a name.
TEST_F(StoreTest, StyleSearchesUseTheirIndexes) {
    insert(1, "Original", makeChunk(3000, 7), makeChunk(400, 3));
    std::vector<std::string> seen;
    sqlite3_trace_v2(db().handle(), SQLITE_TRACE_STMT, recordStatement, &seen);
    EXPECT_EQ(store.findByContent(makeChunk(3000, 7), makeChunk(400, 3)), 1);
    EXPECT_EQ(store.numbersNamed("original"), std::vector<std::int32_t>{1});
    sqlite3_trace_v2(db().handle(), 0, nullptr, nullptr);
    ASSERT_EQ(seen.size(), 2u);

    // The plans of the very statements the searches ran.
    const std::vector<std::pair<std::vector<SqlParam>, std::string>> searches = {
        {{SqlParam::blob("key")}, "USING INDEX KORFStylesSeekKey (<expr>=?)"},
        {{"a", "b"}, "USING COVERING INDEX KORFStylesNameProg"},
    };
    for (std::size_t i = 0; i < searches.size(); ++i) {
        Rows plan = db().query("EXPLAIN QUERY PLAN " + seen[i], searches[i].first);
        std::string details;
        while (plan.next()) {
            details += plan.text("detail") + ";";
        }
        EXPECT_NE(details.find("SEARCH"), std::string::npos) << details;
        EXPECT_NE(details.find(searches[i].second), std::string::npos) << details;
        EXPECT_EQ(details.find("SCAN"), std::string::npos) << details;
    }
}

// Taking a style out of every bank moves the later slots up, whatever texts the bank holds.
TEST_F(StoreTest, BankTakingAStyleOutMovesLaterSlotsUp) {
    banks.insertNumbered({1, "Holder", "", {6, 5, 6, 8}});
    banks.insertNumbered({3, "Last", "", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6}});
    // A text that the gate would refuse today does not stop the slots from being rewritten.
    db().execute("UPDATE KORFBanks SET BankDesc = 'old' || char(9) || 'tab' WHERE BankProg = 1");
    banks.removeStyle(6);
    EXPECT_EQ(banks.find(1), (BankRow{1, "Holder", "old\ttab", {5, 8}}));
    EXPECT_EQ(banks.find(3),
              (BankRow{3, "Last", "", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}}));
}

// The import's memory answers as the table does (NOCASE folds ASCII letters only and stops at a
// code 0; a blob or NULL equals no text), and the table answers the same after the run's songs.
TEST_F(StoreTest, SongDuplicateTestOnTitleAndPerformerFromTheTableOrFromMemory) {
    songs.insert({1, "Don't Stop", "Fleetwood Mac"});
    songs.insert({2, "Alone", ""});
    db().execute(
        "INSERT INTO KORFSongs VALUES (3, '\xC3\x89t\xC3\xA9', 'Zaz'), (4, CAST(X'41420043' AS "
        "TEXT), 'Nul'), (5, X'4869', 'Blob'), (6, 'Nobody', NULL)");
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {"don't stop", "FLEETWOOD MAC", true},
        {"Don't Stop", "Fleetwood", false},
        {"Don't Stop ", "Fleetwood Mac", false},
        {"Alone", "", false},
        {"Alone", "   ", false},
        {"\xC3\x89T\xC3\x89", "Zaz", false},
        {"\xC3\x89t\xC3\xA9", "ZAZ", true},
        {std::string("ab\0X", 4), "nul", true},
        {std::string("ab\0", 3), "Nul", false},
        {"Hi", "Blob", false},
        {"Nobody", "Someone", false},
        {"New", "Band", true}};
    KnownSongs inMemory(db(), songs, 6);
    KnownSongs fromTable(db(), songs, 5);
    songs.insert({7, "NEW", "band"});
    inMemory.stored("NEW", "band");
    for (const auto& [title, performer, stored] : cases) {
        SCOPED_TRACE(title + "/" + performer);
        EXPECT_EQ(songs.holds(title, performer), stored);
        EXPECT_EQ(inMemory.holds(title, performer), stored);
        EXPECT_EQ(fromTable.holds(title, performer), stored);
    }
    // A blank performer is never a duplicate, and the database is not asked.
    db().execute("DROP TABLE KORFSongs");
    EXPECT_FALSE(songs.holds("Alone", "   "));
    EXPECT_THROW(songs.holds("Alone", "Someone"), StoreError);
    EXPECT_THROW(fromTable.holds("Alone", "Someone"), StoreError);
    EXPECT_THROW(songs.next(), StoreError);
}

// The style side changes all its links or none: a refusal after a first statement undoes it.
TEST_F(StoreTest, SongTheStyleSideOfTheLinksChangesWholeOrNotAtAll) {
    links.insert({1, 5, "120", "+2", "with five"});
    links.insert({1, 7, "", "", "with seven"});
    links.insert({2, 5, "98", "-1", "only five"});
    links.insert({2, 0, "", "", "already free"});
    const auto before = test::linkRows(db());
    EXPECT_THROW(links.replaceOfStyle(5, {{3, 5, "", "", "ok"}, {4, 5, "", "", "tab\there"}}),
                 StoreError);
    EXPECT_EQ(test::linkRows(db()), before);
    // Each first deletes the link that its update would double, then updates the rest.
    db().execute(
        "CREATE TRIGGER refuse_update BEFORE UPDATE ON KORFSonSty BEGIN SELECT RAISE(ABORT, "
        "'refused'); END");
    EXPECT_THROW(links.unlinkStyle(5), StoreError);
    EXPECT_THROW(links.moveStyle(5, 7), StoreError);
    EXPECT_EQ(test::linkRows(db()), before);
}

}  // namespace
}  // namespace orb
