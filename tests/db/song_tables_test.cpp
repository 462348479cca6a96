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

TEST_F(SongTablesTest, SongsAreInsertedFoundUpdatedAndDeleted) {
    EXPECT_EQ(songs.next(), 1);
    songs.insert({1, "Yesterday", "The Beatles"});
    songs.insert({2, "Imagine", ""});
    songs.insert({7, "Let It Be", "The Beatles"});
    EXPECT_EQ(songs.next(), 8);
    EXPECT_EQ(songs.count(), 3);
    EXPECT_EQ(songs.find(2), (SongRow{2, "Imagine", ""}));

    ASSERT_TRUE(songs.update({2, "Imagine (live)", "John Lennon's band"}));
    EXPECT_EQ(songs.find(2), (SongRow{2, "Imagine (live)", "John Lennon's band"}));

    // A refused performer leaves the title as it was.
    EXPECT_EQ(test::failureOf<StoreError>([&] {
                  songs.update({2, "Changed", std::string(201, 'p')});
              }),
              "The performer of song 2 has 201 characters; it takes at most 200.");
    EXPECT_EQ(songs.find(2)->SongTitle, "Imagine (live)");

    EXPECT_FALSE(songs.update({3, "None", ""}));
    EXPECT_FALSE(songs.find(3));
    EXPECT_NO_THROW(songs.remove(3));
    songs.remove(7);
    EXPECT_EQ(songs.next(), 3);
    EXPECT_THROW(songs.insert({1, "Again", "Someone"}), StoreError);
}

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

TEST_F(SongTablesTest, LinksAreUpdatedReplacedAndDeleted) {
    links.insert({1, 10, "", "", "note 1/10"});
    links.insert({1, 11, "", "", ""});
    EXPECT_EQ(links.find(1, 11), (LinkRow{1, 11, " ", " ", " "}));   // blanks for empty texts
    EXPECT_THROW(links.insert({1, 11, "120", "", ""}), StoreError);  // the same link again
    links.insert({2, 10, "", "", "note 2/10"});
    ASSERT_TRUE(links.update({1, 11, "96", "+1", "don't rush, intro 2x"}));
    EXPECT_EQ(links.find(1, 11), (LinkRow{1, 11, "96", "+1", "don't rush, intro 2x"}));
    EXPECT_EQ(links.find(1, 10), (LinkRow{1, 10, " ", " ", "note 1/10"}));

    // A refused note leaves tempo and transposition as they were.
    EXPECT_EQ(test::failureOf<StoreError>([&] {
                  links.update({1, 11, "100", "+1", "tab\there"});
              }),
              "The note of the link of song 1 to style 11 holds a tab.");
    EXPECT_EQ(links.find(1, 11)->StyleTempo, "96");
    EXPECT_FALSE(links.update({1, 12, "", "", ""}));

    // The links of song 1 replaced at once; a refused link among them leaves all as they were.
    EXPECT_EQ(test::failureOf<StoreError>([&] {
                  links.replaceOfSong(1, {{1, 20, "90", "", "ok"}, {1, 21, "90", "", "\xCE\xA9"}});
              }),
              "The note of the link of song 1 to style 21 holds \"\xCE\xA9\", which the "
              "keyboard's files cannot carry (Windows-1252 only).");
    EXPECT_TRUE(links.find(1, 10));
    EXPECT_FALSE(links.find(1, 20));
    links.replaceOfSong(1, {{1, 20, "90", "", "ok"}});
    EXPECT_FALSE(links.find(1, 10));
    EXPECT_TRUE(links.find(1, 20));
    EXPECT_TRUE(links.find(2, 10));

    links.replaceOfStyle(10, {{3, 10, "", "", ""}});
    EXPECT_FALSE(links.find(2, 10));
    EXPECT_TRUE(links.find(3, 10));
    links.remove(3, 10);
    links.removeOfSong(1);
    EXPECT_EQ(links.count(), 0);
}

TEST_F(SongTablesTest, ADeletedStylesLinksKeepTheirSongWithoutStyle) {
    songs.insert({1, "One", ""});
    songs.insert({2, "Two", ""});
    links.insert({1, 5, "120", "+2", "with five"});
    links.insert({1, 0, "", "", "already free"});
    links.insert({2, 5, "98", "-1", "only five"});
    links.insert({2, 6, "70", "0", "six"});
    links.unlinkStyle(5);
    // Song 1 already had a link without style, which it keeps; song 2's link loses its style,
    // tempo and transposition and keeps its note.
    EXPECT_EQ(links.find(1, 0), (LinkRow{1, 0, " ", " ", "already free"}));
    EXPECT_FALSE(links.find(1, 5));
    EXPECT_EQ(links.find(2, 0), (LinkRow{2, 0, "", "", "only five"}));
    EXPECT_EQ(links.find(2, 6), (LinkRow{2, 6, "70", "0", "six"}));
    EXPECT_EQ(links.count(), 3);
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
