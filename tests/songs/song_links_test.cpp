#include "songs/song_links.h"

#include <deque>

#include "songs_fixture.h"

namespace orb::test {
namespace {

class SongLinksTest : public SongsTest {
public:
    // A double click on a local row, the link edit window answered from a queue; each opening's
    // caption and values are recorded.
    void editLocal(SongLinksController& links, int row) {
        const std::optional<LinkEditRequest> request = links.editLocal(row);
        ASSERT_TRUE(request);
        answer(links, *request);
    }
    // Added rows: a style's window asks each added song's values.
    void addAvailable(SongLinksController& links, const std::vector<int>& rows) {
        for (const LinkEditRequest& request : links.addAvailable(rows)) {
            answer(links, request);
        }
    }
    void answer(SongLinksController& links, const LinkEditRequest& request) {
        edits.emplace_back(request.caption, request.values);
        const std::optional<LinkValues> answer = editorAnswers.front();
        editorAnswers.pop_front();
        if (answer) {
            links.localEdited(request.row, *answer);
        }
    }

    // The links window of a song or of a style, loaded.
    SongLinksController opened(LinkSubject subject, std::int32_t id, const std::string& caption) {
        SongLinksController links(env.state, env.dialogs, subject, id, caption);
        links.load();
        return links;
    }
    SongLinksController forSong(std::int32_t song) {
        return opened(LinkSubject::Song, song, "Yesterday");
    }

    static Texts names(const SongLinksController& links, const std::vector<ListedLink>& list) {
        Texts all;
        for (const ListedLink& element : list) {
            all.push_back(std::to_string(links.idOf(element)) + " " + links.nameOf(element));
        }
        return all;
    }

    std::deque<std::optional<LinkValues>> editorAnswers;
    std::vector<std::pair<std::string, LinkValues>> edits;
};

TEST_F(SongLinksTest, SongWindowListsAddsRefusesDuplicatesAndStoresBlanks) {
    SongLinksController links = forSong(302);
    EXPECT_EQ(names(links, links.available()),
              (Texts{"57 BALLAD", "88 Rock1", "41 ROCK1      ", "73 SWING"}));
    EXPECT_TRUE(names(links, links.local()).empty());
    links.addAvailable({2, 0});  // a selection made upwards adds as well
    links.addAvailable({0});
    EXPECT_EQ(env.dialogs.messages(), Texts{"Style already linked to song"});
    EXPECT_EQ(names(links, links.local()), (Texts{"57 BALLAD", "41 ROCK1      "}));
    EXPECT_TRUE(links.store());
    EXPECT_EQ(linkRows(db()), startLinksWith({{302, 41, " ", " ", " "}, {302, 57, " ", " ", " "}}));
}

TEST_F(SongLinksTest, StylesOfOneNameShowTheirNumberDescriptionAndFamily) {
    db().execute(
        "UPDATE KORFStyles SET StyleDesc = ' Hard rock ', StyleFamily = 'Rock' "
        "WHERE StyleProg = 41");
    db().execute("UPDATE KORFStyles SET StyleDesc = ' ', StyleFamily = 'Pop' WHERE StyleProg = 88");
    SongLinksController links = forSong(302);
    env.dialogs.input("r");
    links.askFilter();
    Texts labels;
    for (const ListedLink& element : links.available()) {
        labels.push_back(links.labelOf(element));
    }
    EXPECT_EQ(labels, (Texts{"Rock1 (88, Pop)", "ROCK1 (41, Hard rock, Rock)"}));
    SongLinksController songs = opened(LinkSubject::Style, 57, "BALLAD");
    EXPECT_EQ(songs.labelOf(songs.local().front()), "Yesterday");
}

TEST_F(SongLinksTest, EditingKeepsExitRemovingAndAnEmptyListRemovesEveryLink) {
    SongLinksController links = forSong(301);
    EXPECT_EQ(names(links, links.local()), (Texts{"57 BALLAD", "41 ROCK1      ", "73 SWING"}));
    editorAnswers = {std::nullopt, LinkValues{"outro", "96", "-3"}};
    editLocal(links, 0);
    editLocal(links, 2);
    EXPECT_EQ(edits[0],
              std::make_pair(std::string("Yesterday - BALLAD"), LinkValues{"first", "70", "-1"}));
    EXPECT_EQ(links.local().front().SongNote, "first");
    links.removeLocal(1);
    ASSERT_TRUE(links.store());
    EXPECT_EQ(linkRows(db()),
              startLinksWith({{301, 73, "96", "-3", "outro"}}, {{301, 41}, {301, 73}}));

    SongLinksController emptied = forSong(301);
    emptied.removeLocal(0);
    emptied.removeLocal(0);
    ASSERT_TRUE(emptied.store());
    EXPECT_EQ(linkRows(db()), startLinksWith({}, {{301, 41}, {301, 57}, {301, 73}}));
}

TEST_F(SongLinksTest, FilterContainsStartsWithAllAndTakesApostrophes) {
    addStyle(95, "ROCK'N");
    SongLinksController links = forSong(302);
    const std::vector<std::pair<std::optional<std::string>, Texts>> cases = {
        {"ll", {"57 BALLAD"}},                                // contains
        {"r%", {"95 ROCK'N", "88 Rock1", "41 ROCK1      "}},  // starts with
        {"k'", {"95 ROCK'N"}},                                // an apostrophe
        {"", {"57 BALLAD", "95 ROCK'N", "88 Rock1", "41 ROCK1      ", "73 SWING"}},
        {"wing", {"73 SWING"}},
        {std::nullopt, {"57 BALLAD", "95 ROCK'N", "88 Rock1", "41 ROCK1      ", "73 SWING"}},
    };
    for (const auto& [answer, expected] : cases) {
        env.dialogs.input(answer);
        links.askFilter();
        EXPECT_EQ(names(links, links.available()), expected) << answer.value_or("<cancel>");
    }
    EXPECT_EQ(links.filterText(), "%");
    EXPECT_EQ(env.dialogs.calls()[0].text, "Insert styles filtering value (% = no filter)");
    EXPECT_EQ(env.dialogs.calls()[0].title, "ORB - Set filter");
    EXPECT_EQ(env.dialogs.calls()[1].proposal, "%ll%");
}

TEST_F(SongLinksTest, StyleWindowAsksTheLinkAtOnceAndReplacesTheStylesLinks) {
    SongLinksController links = opened(LinkSubject::Style, 57, "BALLAD");
    EXPECT_EQ(names(links, links.available()), (Texts{"302 Alone", "303 Its me", "301 Yesterday"}));
    EXPECT_EQ(names(links, links.local()), Texts{"301 Yesterday"});
    editorAnswers = {LinkValues{"slow", "60", "+5"}, std::nullopt};
    addAvailable(links, {1, 0});
    addAvailable(links, {2});
    EXPECT_EQ(env.dialogs.messages(), Texts{"Song already linked to style"});
    EXPECT_EQ(edits[0], std::make_pair(std::string("BALLAD - Alone"), LinkValues{}));
    ASSERT_TRUE(links.store());
    EXPECT_EQ(linkRows(db()),
              startLinksWith({{302, 57, "60", "+5", "slow"}, {303, 57, " ", " ", " "}}));
}

TEST_F(SongLinksTest, ARefusedStoreKeepsTheStoredLinksAndSaysWhy) {
    db().execute(
        "CREATE TRIGGER refuse_links BEFORE INSERT ON KORFSonSty WHEN NEW.StyleProg = 73 "
        "BEGIN SELECT RAISE(ABORT, 'link refused'); END");
    SongLinksController links = forSong(301);
    links.removeLocal(0);
    EXPECT_FALSE(links.store());
    EXPECT_EQ(linkRows(db()), startLinksWith({}));

    // A note the gate refuses: its sentence names the link.
    db().execute("DROP TRIGGER refuse_links");
    SongLinksController edited = forSong(302);
    edited.addAvailable({0});  // BALLAD, style 57
    editorAnswers.push_back(LinkValues{"line\nbreak", "", ""});
    editLocal(edited, 0);
    EXPECT_FALSE(edited.store());
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"The links cannot be stored: link refused\nThe stored links have been left "
                     "as they were.",
                     "The note of the link of song 302 to style 57 holds a line break. The stored "
                     "links have been left as they were."}));
    EXPECT_EQ(linkRows(db()), startLinksWith({}));
}

}  // namespace
}  // namespace orb::test
