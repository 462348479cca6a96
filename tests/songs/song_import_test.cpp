#include "songs/song_import.h"

#include "core/file_access.h"
#include "songs/song_import_controller.h"
#include "songs_fixture.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace orb::test {
namespace {

using F = SongField;
using Answer = UserDialogs::Answer;

SongFieldChoices choices(std::initializer_list<SongField> first) {
    SongFieldChoices all{};
    all.fill(F::Skip);
    std::copy(first.begin(), first.end(), all.begin());
    return all;
}

TEST(SongLineTest, FieldsRepeatTheLastBlankTheEmptyAndQuoteApostrophesBackwards) {
    const SongFieldChoices tas = choices({F::Title, F::Artist, F::Style});
    const std::vector<std::tuple<std::string, SongFieldChoices, SongLine>> cases = {
        {"Title;Artist;Style", tas, {"Title", "Artist", "Style", " ", " ", " "}},
        // A title alone: the artist repeats it and is dropped; the style repeats it too.
        {"Volare", tas, {"Volare", " ", "Volare", " ", " ", " "}},
        {"Don't;O'Hara;;x", tas, {"Don`t", "O`Hara", " ", " ", " ", " "}},
        {"a;b;c;d;e;f",
         choices({F::Notes, F::Skip, F::Tempo, F::Transpose, F::Title, F::Style}),
         {"e", " ", "f", "c", "d", "a"}},
        // The last selector of a meaning wins.
        {"one;two", choices({F::Title, F::Title}), {"two", " ", " ", " ", " ", " "}},
    };
    for (const auto& [line, fields, expected] : cases) {
        EXPECT_EQ(splitSongLine(line, ';', fields), expected) << line;
    }
    EXPECT_EQ(splitSongLine("A#B", '#', tas).artist, "B");
}

class SongImportTest : public SongsTest {
public:
    std::filesystem::path list(const std::string& bytes) {
        const auto path = env.dir.path() / "songs.txt";
        writeFile(path, bytes);
        return path;
    }

    SongImportSummary import(const std::string& bytes,
                             SongFieldChoices fields = choices({F::Title, F::Artist, F::Style,
                                                                F::Tempo, F::Transpose,
                                                                F::Notes})) {
        SongImportOptions options;
        options.fields = fields;
        return ImportSongLines(env.state, env.dialogs, readSongList(list(bytes)), options);
    }
};

// The bytes of `text` (ASCII and the code points given as \u escapes by the caller) as UTF-16
// with its byte-order mark.
std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST_F(SongImportTest, ListsAreReadInTheirEncodingWithoutTheirLineEnds) {
    const std::vector<std::pair<std::string, Texts>> cases = {
        {"Caf\xE9;A\r\nB;C\r\n", {"Caf\xC3\xA9;A", "B;C"}},            // Windows-1252, CR LF
        {"Caf\xC3\xA9\nlast", {"Caf\xC3\xA9", "last"}},                // UTF-8, LF, no last end
        {"\xEF\xBB\xBFplain\n\n", {"plain", ""}},                      // byte-order mark
        {"\xEF\xBB\xBF\xC3\x89t\xC3\xA9\r\n", {"\xC3\x89t\xC3\xA9"}},  // both
        {"\xEF\xBB\xBF\xC9t\xE9\n", {"\xC3\x89t\xC3\xA9"}},            // a mark before Windows-1252
        // Not UTF-8 although it looks like it in places: Windows-1252 throughout.
        {"\xC3\xA9t\xE9\n", {"\xC3\x83\xC2\xA9t\xC3\xA9"}},
        // A "Unicode" text file, little- and big-endian, with a note outside the first plane.
        {utf16(u"Caf\u00E9;Jos\u00E9\r\nB;\U0001F3B5\r\n", false),
         {"Caf\xC3\xA9;Jos\xC3\xA9", "B;\xF0\x9F\x8E\xB5"}},
        {utf16(u"\u20AC 5;x\nlast", true), {"\xE2\x82\xAC 5;x", "last"}},
    };
    for (const auto& [bytes, lines] : cases) {
        EXPECT_EQ(readSongList(list(bytes)), lines);
    }
    // A UTF-16 mark before bytes that are no UTF-16: an odd count, a high surrogate without
    // its low one (also at the very end), a lone low surrogate.
    for (const std::string& bytes : {std::string("\xFF\xFE") + "A", utf16(u"A\xD800;B", false),
                                     utf16(u"AB\xD800", true), utf16(u"A\xDC00;B", false)}) {
        const auto path = list(bytes);
        EXPECT_EQ(test::failureOf<FileAccessError>([&] { readSongList(path); }),
                  "The song list " + path.string() +
                      " begins with the mark of UTF-16 text but is not UTF-16 text.");
    }
    EXPECT_EQ(songListPreview(list("one\r\ntwo\nthree\n")), "one\ntwo\nthree\n. . .");
    EXPECT_EQ(songListPreview(list("1\n2\n3\n4\n5\n6\n7\n")), "1\n2\n3\n4\n5\n. . .");
    EXPECT_EQ(songListPreview(env.dir.path() / "missing.txt"), "");
}

TEST_F(SongImportTest, LinesBecomeSongsLinkedToEveryStyleOfTheirName) {
    const SongImportSummary summary = import(
        "Volare;Modugno; rock1 ;100;+1;cha\r\n\r\n;nobody;BALLAD\r\nIt's;;SWING\r\n"
        "Alone;;NOSUCH\r\n");
    EXPECT_EQ(songs(), (Texts{"301:Yesterday/Beatles", "302:Alone/", "303:Its me/Nobody",
                              "304:Volare/Modugno", "305:It`s/ ", "306:Alone/ "}));
    EXPECT_EQ(links(), startLinksWith({{304, 41, "100", "+1", "cha"},
                                       {304, 88, "100", "+1", "cha"},
                                       {305, 73, "SWING", "SWING", "SWING"}}));  // the last repeats
    EXPECT_EQ(summary.songs, 3);
    EXPECT_EQ(summary.links, 3);
    EXPECT_EQ(summary.unmatchedStyles, Texts{"line 5: NOSUCH"});
    EXPECT_TRUE(env.dialogs.calls().empty());  // no artist, no duplicate question
}

TEST_F(SongImportTest, AStoredSongWithItsArtistIsAskedForAndSkippedOrInserted) {
    const std::string line = "Yesterday;Beatles;SWING\n";
    env.dialogs.answer(Answer::No);
    import(line);
    env.dialogs.answer(Answer::Yes);
    import(line);
    EXPECT_EQ(
        env.dialogs.messages(),
        Texts(2, "Song Yesterday already inside database. Would you like to insert it anyway?"));
    EXPECT_EQ(songs().back(), "304:Yesterday/Beatles");
    SongImportOptions skip;
    skip.fields = choices({F::Title, F::Artist, F::Style});
    skip.duplicates = DuplicateSongs::Skip;
    ImportSongLines(env.state, env.dialogs, {"Yesterday;Beatles;SWING"}, skip);
    EXPECT_EQ(songs().size(), 4u);
}

TEST_F(SongImportTest, ARefusedLineStopsTheRunAndKeepsNothing) {
    const std::vector<Link> before = links();
    const std::string twoLines = "Volare;Modugno;SWING\nNel blu;Modugno;BALLAD\n";
    // The database refuses the link to style 57 by the raise given, or the text gate names the
    // field and the line.
    const std::vector<std::tuple<std::string, std::string, std::string>> refused = {
        {"RAISE(ABORT, 'link refused')", twoLines,
         "Line 2: the link of \"Nel blu\" to style 57 cannot be stored: link refused."},
        // A refusal that ends the whole transaction: the statement's rows are not tried again one
        // by one, which would store them outside it.
        {"RAISE(ROLLBACK, 'all undone')", twoLines,
         "Lines 1 to 2: the links cannot be stored: all undone."},
        {"RAISE(ROLLBACK, 'all undone')", "Nel blu;Modugno;BALLAD\n",
         "Line 1: the link of \"Nel blu\" to style 57 cannot be stored: all undone."},
        {"", "Ciao;\xF0\x9F\x8E\xB5;SWING\n",
         "The performer of the song on line 1 holds \"\xF0\x9F\x8E\xB5\", which the "
         "keyboard's files cannot carry (Windows-1252 only)."},
        {"", "Ciao;Bob;SWING\nAddio;Bob;SWING;120;+1;two\x01\n",
         "The note of the song on line 2 holds a control character (code 1)."},
        {"", "Ciao;Bob;SWING;" + std::string(11, '9') + "\n",
         "The tempo of the song on line 1 has 11 characters; it takes at most 10."},
        // The first refused line is named, though its link would be stored after the next song.
        {"", "Ciao;Bob;SWING;1;2;a\tb\nAddio\x02;Bob;SWING\n",
         "The note of the song on line 1 holds a tab."},
    };
    for (const auto& [raise, bytes, reason] : refused) {
        if (!raise.empty()) {
            db().execute(
                "CREATE TRIGGER refuse BEFORE INSERT ON KORFSonSty WHEN NEW.StyleProg = 57 BEGIN "
                "SELECT " +
                raise + "; END");
        }
        EXPECT_EQ(test::failureOf<SongImportError>([&] { import(bytes); }),
                  reason + " Nothing of the song list has been stored.");
        db().execute("DROP TRIGGER IF EXISTS refuse");
    }
    EXPECT_EQ(songs().size(), 3u);
    EXPECT_EQ(links(), before);
}

// A list longer than a statement of links, with a song twice: the second is a duplicate of the
// first, whether the stored songs are few enough to be read once (five lines) or not (two).
TEST_F(SongImportTest, LongListsKeepEveryLinkAndSeeTheirOwnSongs) {
    env.dialogs.answer(Answer::No);
    env.dialogs.answer(Answer::No);
    import("Volare;Modugno\nVOLARE;modugno\n");
    import("Ciao;Bob\nA\nB\nC\nciao;BOB\n");
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Song VOLARE already inside database. Would you like to insert it anyway?",
                     "Song ciao already inside database. Would you like to insert it anyway?"}));
    std::string bytes;
    std::vector<Link> expected = links();
    for (int line = 0; line < 131; ++line) {
        bytes += "T" + std::to_string(line) + ";;SWING;" + std::to_string(line + 40) + ";0;n\n";
        expected.push_back({309 + line, 73, std::to_string(line + 40), "0", "n"});
    }
    EXPECT_EQ(import(bytes).links, 131);
    EXPECT_EQ(links(), expected);
}

TEST_F(SongImportTest, TheWindowNeedsTitleAndStyleShowsProgressAndReportsUnmatchedNames) {
    SongImportController window(env.state, env.dialogs);
    window.setPath(list("Volare;Modugno;NOSUCH\nIt's;x;SWING\n").string());
    window.setField(0, F::Title);
    EXPECT_FALSE(window.start());
    window.setField(2, F::Style);
    window.setField(1, F::Artist);
    EXPECT_TRUE(window.start());
    EXPECT_EQ(env.dialogs.calls()[0].title, "ORB song import");
    EXPECT_EQ(songs().size(), 5u);
    EXPECT_EQ(window.job().value(), 2);
    EXPECT_EQ(window.job().maximum(), 2);

    // Cancelled after its first line, the import stores nothing.
    const auto before = songs();
    window.setPath(list("Blue;Band;SWING\nGreen;Band;SWING\nRed;Band;SWING\n").string());
    env.dialogs.cancelAtCheck(2);
    EXPECT_FALSE(window.start());
    EXPECT_EQ(songs(), before);
    EXPECT_TRUE(window.job().cancelled());
    EXPECT_FALSE(db().inTransaction());
    env.dialogs.cancelAtCheck(0);

    window.setSeparatorIndex(2);  // ","
    window.setPath(list("A,B,SWING\nC,D,SWING\n").string());
    db().execute(
        "CREATE TRIGGER refuse_songs BEFORE INSERT ON KORFSongs WHEN NEW.SongTitle = 'C' BEGIN "
        "SELECT RAISE(ABORT, 'no more songs'); END");
    EXPECT_FALSE(window.start());
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"WARNING: song title and style name are mandatory!",
                     "No stored style has the style name of these lines:\nline 1: NOSUCH",
                     "Song import ended: 2 songs and 1 link stored, 1 line naming no stored style.",
                     "Song import cancelled: nothing of this run was stored.",
                     "The song list " + window.path() +
                         " was not imported. Line 2: the song \"C\" cannot be stored: no more "
                         "songs. Nothing of the song list has been stored."}));
}

}  // namespace
}  // namespace orb::test
