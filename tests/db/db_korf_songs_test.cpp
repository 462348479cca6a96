#include <gtest/gtest.h>

#include <string>

#include "db/db_korf_son_sty.h"
#include "db/db_korf_songs.h"
#include "support/test_environment.h"

namespace orb {
namespace {

class SongTablesTest : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }

    Database& db() { return env.state.connection; }

    void insertSong(std::int32_t code, const std::string& title, const std::string& performer) {
        DbKORFSongs song(db());
        song.SongCode = code;
        song.SongTitle = title;
        song.SongPerformer = performer;
        ASSERT_TRUE(song.InsKORFSongs()) << song.clsKORFSongsError;
    }

    test::TestEnvironment env;
};

TEST_F(SongTablesTest, SongsAreInsertedLoadedUpdatedAndDeleted) {
    DbKORFSongs song(db());
    EXPECT_EQ(song.NextKORFSong(), 1);
    insertSong(1, "Yesterday", "The Beatles");
    insertSong(2, "Imagine", "");
    insertSong(7, "Let It Be", "The Beatles");
    EXPECT_EQ(song.NextKORFSong(), 8);

    song.SongCode = 2;
    song.SongTitle = "stale";
    ASSERT_TRUE(song.GetKORFSongs());
    EXPECT_EQ(song.SongTitle, "Imagine");
    EXPECT_EQ(song.SongPerformer, "");

    song.SongTitle = "Imagine (live)";
    song.SongPerformer = "John Lennon's band";
    ASSERT_TRUE(song.UpdKORFSongs());
    DbKORFSongs loaded(db());
    loaded.SongCode = 2;
    ASSERT_TRUE(loaded.GetKORFSongs());
    EXPECT_EQ(loaded.SongTitle, "Imagine (live)");
    EXPECT_EQ(loaded.SongPerformer, "John Lennon's band");

    // A refused performer leaves the title as it was.
    song.SongTitle = "Changed";
    song.SongPerformer = std::string(201, 'p');
    EXPECT_FALSE(song.UpdKORFSongs());
    EXPECT_EQ(song.clsKORFSongsError,
              "19 The text for KORFSongs.SongPerformer is longer than its 200 characters");
    ASSERT_TRUE(loaded.GetKORFSongs());
    EXPECT_EQ(loaded.SongTitle, "Imagine (live)");

    song.SongCode = 3;
    song.clsKORFSongsError = "left over";
    EXPECT_FALSE(song.UpdKORFSongs());
    EXPECT_EQ(song.clsKORFSongsError, "");
    EXPECT_FALSE(song.GetKORFSongs());
    EXPECT_TRUE(song.DelKORFSongs());
    song.SongCode = 7;
    EXPECT_TRUE(song.DelKORFSongs());
    EXPECT_EQ(song.NextKORFSong(), 3);

    song.SongCode = 1;
    song.SongPerformer = "Someone";
    EXPECT_FALSE(song.InsKORFSongs());
    EXPECT_EQ(song.clsKORFSongsError, "19 UNIQUE constraint failed: KORFSongs.SongCode");
}

TEST_F(SongTablesTest, DuplicateTestOnTitleAndPerformer) {
    insertSong(1, "Don't Stop", "Fleetwood Mac");
    insertSong(2, "Alone", "");
    DbKORFSongs song(db());
    song.SongTitle = "don't stop";
    song.SongPerformer = "FLEETWOOD MAC";
    EXPECT_TRUE(song.GetKORFSongsTP()) << song.clsKORFSongsError;
    EXPECT_EQ(song.SongCode, 0);  // loads nothing
    song.SongPerformer = "Fleetwood";
    EXPECT_FALSE(song.GetKORFSongsTP());
    EXPECT_EQ(song.clsKORFSongsError, "");

    // A blank performer is never a duplicate, and the database is not asked.
    song.SongTitle = "Alone";
    song.SongPerformer = "";
    EXPECT_FALSE(song.GetKORFSongsTP());
    song.SongPerformer = "   ";
    song.clsKORFSongsError = "earlier";
    db().execute("DROP TABLE KORFSongs");
    EXPECT_FALSE(song.GetKORFSongsTP());
    EXPECT_EQ(song.clsKORFSongsError, "earlier");

    song.SongPerformer = "Someone";
    EXPECT_FALSE(song.GetKORFSongsTP());
    EXPECT_EQ(song.clsKORFSongsError, "1 no such table: KORFSongs");
    EXPECT_THROW(song.NextKORFSong(), DbError);
}

TEST_F(SongTablesTest, LinksStoreABlankForAnEmptyText) {
    DBKORFSonSty link(db());
    link.SongCode = 1;
    link.StyleProg = 2;
    link.StyleTempo = "";
    link.StyleTranspose = "-2";
    link.SongNote = "";
    EXPECT_EQ(link.StyleTempo, " ");
    ASSERT_TRUE(link.InsKORFSonSty()) << link.clsKORFSonStyError;
    {
        Rows rows = db().query("SELECT StyleTempo, StyleTranspose, SongNote FROM KORFSonSty");
        ASSERT_TRUE(rows.next());
        EXPECT_EQ(rows.text(0), " ");
        EXPECT_EQ(rows.text(1), "-2");
        EXPECT_EQ(rows.text(2), " ");
    }
    // An object never set also writes blanks.
    DBKORFSonSty fresh(db());
    fresh.SongCode = 1;
    fresh.StyleProg = 3;
    ASSERT_TRUE(fresh.InsKORFSonSty());
    EXPECT_TRUE(db().query("SELECT 1 FROM KORFSonSty WHERE StyleProg = 3 AND StyleTempo = ' ' "
                           "AND StyleTranspose = ' ' AND SongNote = ' '")
                    .next());

    link.StyleTempo = "120";
    EXPECT_FALSE(link.InsKORFSonSty());
    EXPECT_EQ(link.clsKORFSonStyError,
              "19 UNIQUE constraint failed: KORFSonSty.SongCode, KORFSonSty.StyleProg");
}

TEST_F(SongTablesTest, LinksAreUpdatedLoadedAndDeleted) {
    for (const auto& [song, style] : {std::pair{1, 10}, {1, 11}, {2, 10}}) {
        DBKORFSonSty link(db());
        link.SongCode = song;
        link.StyleProg = style;
        link.SongNote = "note " + std::to_string(song) + "/" + std::to_string(style);
        ASSERT_TRUE(link.InsKORFSonSty());
    }
    DBKORFSonSty link(db());
    link.SongCode = 1;
    link.StyleProg = 11;
    link.StyleTempo = "96";
    link.StyleTranspose = "+1";
    link.SongNote = "don't rush, intro 2x";
    ASSERT_TRUE(link.UpdKORFSonSty()) << link.clsKORFSonStyError;

    DBKORFSonSty loaded(db());
    loaded.SongCode = 1;
    loaded.StyleProg = 11;
    ASSERT_TRUE(loaded.GetKORFSonSty());
    EXPECT_EQ(loaded.StyleTempo, "96");
    EXPECT_EQ(loaded.StyleTranspose, "+1");
    EXPECT_EQ(loaded.SongNote, "don't rush, intro 2x");
    loaded.StyleProg = 10;
    ASSERT_TRUE(loaded.GetKORFSonSty());
    EXPECT_EQ(loaded.StyleTempo, " ");
    EXPECT_EQ(loaded.SongNote, "note 1/10");

    // A refused note leaves tempo and transposition as they were.
    link.StyleTempo = "100";
    link.SongNote = std::string(201, 'n');
    EXPECT_FALSE(link.UpdKORFSonSty());
    EXPECT_EQ(link.clsKORFSonStyError,
              "19 The text for KORFSonSty.SongNote is longer than its 200 characters");
    loaded.StyleProg = 11;
    ASSERT_TRUE(loaded.GetKORFSonSty());
    EXPECT_EQ(loaded.StyleTempo, "96");

    link.StyleProg = 12;
    EXPECT_FALSE(link.UpdKORFSonSty());
    EXPECT_EQ(link.clsKORFSonStyError, "");
    EXPECT_FALSE(link.GetKORFSonSty());
    EXPECT_TRUE(link.DelKORFSonSty());

    link.StyleProg = 10;
    EXPECT_TRUE(link.DelKORFSonSty());
    loaded.StyleProg = 10;
    EXPECT_FALSE(loaded.GetKORFSonSty());
    loaded.SongCode = 2;
    EXPECT_TRUE(loaded.GetKORFSonSty());

    EXPECT_TRUE(link.DelKORFSonStySong());
    Rows rows = db().query("SELECT SongCode, StyleProg FROM KORFSonSty");
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.integer(0), 2);
    EXPECT_FALSE(rows.next());
}

}  // namespace
}  // namespace orb
