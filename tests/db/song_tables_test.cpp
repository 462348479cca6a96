#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "db/known_songs.h"
#include "db/link_store.h"
#include "db/song_store.h"
#include "support/failure_of.h"
#include "support/test_environment.h"

namespace orb {
namespace {

class SongTablesTest : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }

    Database& db() { return env.state.connection; }

    test::TestEnvironment env;
    SongStore songs{env.state.connection};
    LinkStore links{env.state.connection};
};

// The import's memory answers as the table does (NOCASE folds ASCII letters only and stops at a
// code 0; a blob or NULL equals no text), and the table answers the same after the run's songs.
TEST_F(SongTablesTest, DuplicateTestOnTitleAndPerformerFromTheTableOrFromMemory) {
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
TEST_F(SongTablesTest, TheStyleSideOfTheLinksChangesWholeOrNotAtAll) {
    links.insert({1, 5, "120", "+2", "with five"});
    links.insert({1, 7, "", "", "with seven"});
    links.insert({2, 5, "98", "-1", "only five"});
    links.insert({2, 0, "", "", "already free"});
    const auto all = [&] {
        std::vector<std::optional<LinkRow>> found;
        for (const auto& [song, style] : {std::pair{1, 5}, {1, 7}, {2, 5}, {2, 0}, {3, 5}}) {
            found.push_back(links.find(song, style));
        }
        return found;
    };
    const auto before = all();
    EXPECT_THROW(links.replaceOfStyle(5, {{3, 5, "", "", "ok"}, {4, 5, "", "", "tab\there"}}),
                 StoreError);
    EXPECT_EQ(all(), before);
    // Each first deletes the link that its update would double, then updates the rest.
    db().execute(
        "CREATE TRIGGER refuse_update BEFORE UPDATE ON KORFSonSty BEGIN SELECT RAISE(ABORT, "
        "'refused'); END");
    EXPECT_THROW(links.unlinkStyle(5), StoreError);
    EXPECT_THROW(links.moveStyle(5, 7), StoreError);
    EXPECT_EQ(all(), before);
}

}  // namespace
}  // namespace orb
