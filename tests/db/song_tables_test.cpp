#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

TEST_F(SongTablesTest, DuplicateTestOnTitleAndPerformer) {
    songs.insert({1, "Don't Stop", "Fleetwood Mac"});
    songs.insert({2, "Alone", ""});
    EXPECT_TRUE(songs.holds("don't stop", "FLEETWOOD MAC"));
    EXPECT_FALSE(songs.holds("Don't Stop", "Fleetwood"));

    // A blank performer is never a duplicate, and the database is not asked.
    EXPECT_FALSE(songs.holds("Alone", ""));
    db().execute("DROP TABLE KORFSongs");
    EXPECT_FALSE(songs.holds("Alone", "   "));
    EXPECT_THROW(songs.holds("Alone", "Someone"), StoreError);
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
