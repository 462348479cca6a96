#include "songs/songs_controller.h"

#include <algorithm>

#include "core/drive_folder.h"
#include "core/print_service.h"
#include "songs_fixture.h"
#include "stylefiles/keyboard_layout.h"
#include "support/recording_printer.h"
#include "support/temp_dir.h"
#include "support/what_was_said.h"

namespace orb::test {
namespace {

namespace fs = std::filesystem;
using Answer = UserDialogs::Answer;

class SongsControllerTest : public SongsTest {
public:
    void SetUp() override {
        SongsTest::SetUp();
        controller.load();
    }

    // The row of `title` linked to `style`.
    int rowOf(const std::string& title, std::int32_t style) {
        const auto& rows = controller.rows();
        const auto found = std::find_if(rows.begin(), rows.end(), [&](const SongGridRow& row) {
            return row.SongTitle == title && row.StyleProg == style;
        });
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }

    // `orb --db <the test's database> ARGS...`; the command closes the connection, which is
    // opened again for the checks.
    CliRun cli(std::vector<std::string> args) {
        const std::string path = env.state.DatabasePath;
        args.insert(args.begin(), {"--db", path});
        CliRun run = env.runCli(args);
        db().open(path, Database::OpenMode::ExistingOnly);
        return run;
    }

    SongsController controller{env.state, env.dialogs};
};

TEST_F(SongsControllerTest, OneRowPerLinkAndOneForASongWithoutLinks) {
    std::vector<SongGridRow> rows = controller.rows();
    std::sort(rows.begin(), rows.end(), [](const SongGridRow& a, const SongGridRow& b) {
        return std::tie(a.SongCode, a.StyleProg) < std::tie(b.SongCode, b.StyleProg);
    });
    const std::vector<SongGridRow> expected = {
        {301, "Yesterday", "Beatles", 41, "ROCK1      ", "120", "+2", "intro"},
        {301, "Yesterday", "Beatles", 57, "BALLAD", "70", "-1", "first"},
        {301, "Yesterday", "Beatles", 73, "SWING", "140", "+1", "second"},
        {302, "Alone", "", 0, "", "", "", ""},
        {303, "Its me", "Nobody", 0, "", "90", "0", "gone"},  // its style is gone
    };
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(controller.songMenuEnabled(SongCommand::Delete));
    // The style shows its number, description and family (their shape is pinned with the links).
    db().execute(
        "UPDATE KORFStyles SET StyleDesc = 'Hard', StyleFamily = 'Rock' WHERE StyleProg = 41");
    controller.refill();
    EXPECT_EQ(controller.styleLabel(controller.rows()[rowOf("Yesterday", 41)]),
              "ROCK1 (41, Hard, Rock)");
    EXPECT_EQ(controller.styleLabel(controller.rows()[rowOf("Alone", 0)]), "");
}

// Each header click sorts up, down, then back to none; another header starts afresh; tempo and
// transposition sort as numbers. Only the title and performer headers show their order.
TEST_F(SongsControllerTest, HeaderClicksCycleTheOrder) {
    using Col = SongGridColumn;
    const SongSort up = SongSort::Ascending;
    const SongSort down = SongSort::Descending;
    const SongSort none = SongSort::None;
    const std::string titles = "Alone,Its me,Yesterday,Yesterday,Yesterday,";
    const struct {
        int header;
        SongGridOrder order;
        SongSort title, performer;
        std::string values;  // the sorted column, top to bottom
    } steps[] = {
        {0, {Col::Title, false}, up, none, titles},
        {0, {Col::Title, true}, down, none, "Yesterday,Yesterday,Yesterday,Its me,Alone,"},
        {0, {}, none, none, ""},
        {0, {Col::Title, false}, up, none, titles},
        {1, {Col::Performer, false}, none, up, ",Beatles,Beatles,Beatles,Nobody,"},
        {3, {Col::Tempo, false}, none, none, ",70,90,120,140,"},
        {3, {Col::Tempo, true}, none, none, "140,120,90,70,,"},
        {4, {Col::Transpose, false}, none, none, ",-1,0,+1,+2,"},
    };
    for (const auto& step : steps) {
        controller.headerClicked(step.header);
        EXPECT_EQ(controller.order(), step.order) << step.header;
        EXPECT_EQ(controller.headerSort(0), step.title) << step.header;
        EXPECT_EQ(controller.headerSort(1), step.performer) << step.header;
        if (!step.values.empty()) {
            const std::string SongGridRow::*shown[] = {
                &SongGridRow::SongTitle, &SongGridRow::SongPerformer, nullptr,
                &SongGridRow::StyleTempo, &SongGridRow::StyleTranspose};
            std::string values;
            for (const SongGridRow& row : controller.rows()) {
                values += row.*shown[step.header] + ",";
            }
            EXPECT_EQ(values, step.values) << step.header;
        }
    }
}

TEST_F(SongsControllerTest, OneRowIsDeletedWithoutQuestionSeveralAfterIt) {
    controller.headerClicked(0);  // Alone, Its me, Yesterday x3
    controller.deleteSongs(0, 0);
    EXPECT_TRUE(env.dialogs.calls().empty());  // and no dialog shows the deleted song
    EXPECT_EQ(songs(), (Texts{"301:Yesterday/Beatles", "303:Its me/Nobody"}));

    const std::string question =
        "2 songs are about to be deleted: Its me and Yesterday. Are you sure?";
    env.dialogs.answer(Answer::No);
    controller.deleteSongs(1, 0);  // selected upwards
    EXPECT_EQ(env.dialogs.messages(), Texts{question});
    EXPECT_EQ(songs().size(), 2u);

    env.dialogs.answer(Answer::Yes);
    controller.deleteSongs(1, 0);
    EXPECT_EQ(songs(), Texts{});
    EXPECT_EQ(links(), std::vector<Link>{});
    EXPECT_TRUE(controller.rows().empty());
    EXPECT_FALSE(controller.songMenuEnabled(SongCommand::Update));
}

TEST_F(SongsControllerTest, EraseLinkRemovesOnlyTheLinkOfTheRowAfterTheQuestion) {
    env.dialogs.answer(Answer::Yes);
    controller.eraseLink(rowOf("Yesterday", 57));
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"The link between song and style will be deleted. Are you sure?"});
    EXPECT_EQ(links(), startLinksWith({}, {{301, 57}}));
    EXPECT_EQ(controller.rows().size(), 4u);
}

TEST_F(SongsControllerTest, SongDialogAddsEditsAndReportsWhatItCannotStore) {
    const SongDialogRequest add = controller.addRequest();
    EXPECT_EQ(add.SongCode, 304);
    SongDialogController adding(env.state, env.dialogs, add);
    EXPECT_EQ(adding.okCaption(), "Insert");
    adding.setTitle("Volare");
    adding.setPerformer("Modugno");
    EXPECT_TRUE(adding.ok());
    controller.songDialogClosed(true);
    EXPECT_EQ(controller.rows().size(), 6u);

    const auto edit = controller.editRequest(rowOf("Alone", 0));
    ASSERT_TRUE(edit.has_value());
    EXPECT_EQ(edit->mode, SongDialogMode::Edit);
    SongDialogController editing(env.state, env.dialogs, *edit);
    EXPECT_EQ(editing.okCaption(), "Update");
    editing.setPerformer("Heart");
    EXPECT_TRUE(editing.ok());
    EXPECT_EQ(songs()[1], "302:Alone/Heart");

    editing.setTitle("Alone \xF0\x9F\x8E\xB5");  // a note emoji
    EXPECT_FALSE(editing.ok());
    editing.setTitle("Alone");
    editing.setPerformer("Heart\tand soul");
    EXPECT_FALSE(editing.ok());
    adding.setTitle("Line\nbreak");
    EXPECT_FALSE(adding.ok());
    EXPECT_EQ(songs()[1], "302:Alone/Heart");
    db().execute("DELETE FROM KORFSongs WHERE SongCode = 302");
    editing.setPerformer("Heart");
    EXPECT_FALSE(editing.ok());
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"The title of song 302 holds \"\xF0\x9F\x8E\xB5\", which the keyboard's files "
                     "cannot carry (Windows-1252 only).",
                     "The performer of song 302 holds a tab.",
                     "The title of the new song holds a line break.",
                     "The song cannot be stored: it is no longer there."}));
}

class FloppyTest : public SongsControllerTest {
public:
    fs::path floppy() { return env.state.FloppyPath; }
    fs::path user01() { return floppy() / "ORB.SET" / "STYLE" / "USER01.STY"; }

    // The first table entry: the name, seven NULs, the part, the bank number and the slot.
    std::string firstEntry() { return readFile(user01()).substr(36, 21); }
    static std::string entry(const std::string& name) {
        return name + std::string(7, '\0') + "\x02\x11" + std::string(1, '\0');
    }
    // Saves the style of `row` to the floppy as `name`, answering the question that follows.
    bool save(int row, const std::string& name, Answer answer) {
        env.dialogs.input(name);
        env.dialogs.answer(answer);
        return controller.saveToFloppy(row);
    }
};

TEST_F(FloppyTest, AFloppyWithOrbSetGetsOnlyUser01ReplacedUnderThePaddedNameAfterAQuestion) {
    fs::create_directories(floppy() / "ORB.SET" / "STYLE");
    writeFile(user01(), "old bank");
    writeFile(floppy() / "ORB.SET" / "STYLE" / "USER02.STY", "second bank");
    writeFile(floppy() / "notes.txt", "keep me");
    const std::string replace = user01().string() + " already exists. Do you want to replace it?";
    EXPECT_FALSE(save(rowOf("Yesterday", 41), "BOSSA ", Answer::No));
    EXPECT_EQ(readFile(user01()), "old bank");
    EXPECT_TRUE(save(rowOf("Yesterday", 41), "BOSSA ", Answer::Yes));
    EXPECT_EQ(env.dialogs.calls()[0].text, "Insert style name");
    EXPECT_EQ(env.dialogs.calls()[0].proposal, "Yesterday");
    EXPECT_EQ(
        env.dialogs.messages(),
        (Texts{replace, replace,
               user01().string() +
                   " successfully created!\n1 bank file read back from the disk and verified."}));
    EXPECT_EQ(firstEntry(), entry("BOSSA      "));
    EXPECT_EQ(readFile(floppy() / "ORB.SET" / "STYLE" / "USER02.STY"), "second bank");
    EXPECT_EQ(readFile(floppy() / "notes.txt"), "keep me");

    EXPECT_TRUE(save(rowOf("Yesterday", 57), "ABCDEFGHIJKLMN", Answer::Yes));
    EXPECT_EQ(firstEntry(), entry("ABCDEFGHIJK"));
}

TEST_F(FloppyTest, AFloppyWithoutOrbSetIsWipedOnlyAfterTheNameAndYes) {
    fs::create_directories(floppy() / "old");
    writeFile(floppy() / "old" / "file", "x");
    env.dialogs.input(std::nullopt);  // a cancelled name deletes nothing
    EXPECT_FALSE(controller.saveToFloppy(rowOf("Yesterday", 73)));
    EXPECT_FALSE(save(rowOf("Yesterday", 73), "SWING", Answer::No));
    EXPECT_TRUE(fs::exists(floppy() / "old" / "file"));

    EXPECT_TRUE(save(rowOf("Yesterday", 73), "SWING", Answer::Yes));
    EXPECT_FALSE(fs::exists(floppy() / "old"));
    EXPECT_EQ(firstEntry(), entry("SWING      "));
    EXPECT_EQ(env.dialogs.messages()[0],
              "Floppy " + floppy().string() + " is about to be completely deleted. Are you sure?");
}

TEST_F(FloppyTest, NotReadyRefusedWipesAndRowsWithoutStyleWriteNothing) {
    EXPECT_FALSE(controller.saveToFloppy(rowOf("Yesterday", 41)));
    EXPECT_FALSE(controller.saveToFloppy(rowOf("Alone", 0)));
    // The floppy folder holds the open database: the wipe is refused.
    env.state.FloppyPath = env.dir.path().string();
    EXPECT_FALSE(save(rowOf("Yesterday", 41), "SWING", Answer::Yes));
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Floppy disk " + (env.dir.path() / "floppy").string() + ": is not ready!",
                     floppyWipeQuestion(env.dir.path().string()),
                     wipeRefusal(env.dir.path(), filesInUse(env.state))}));
    EXPECT_TRUE(fs::exists(env.state.DatabasePath));
    EXPECT_EQ(controller.rows().size(), 5u);
}

TEST_F(SongsControllerTest, PrintPrintsTheRowsInGridOrder) {
    controller.headerClicked(1);
    controller.headerClicked(1);  // performer descending: Nobody, Beatles x3, ""
    RecordingPrinter printer;
    EXPECT_TRUE(controller.print(printer));
    ASSERT_EQ(printer.printed.size(), 1u);
    const std::vector<PrintLine>& printed = printer.printed[0];
    ASSERT_EQ(printed.size(), 8u);
    EXPECT_EQ(printed[0], (PrintLine{"Songs (5)", "ARIAL", 12}));
    const std::string heading = "Title" + std::string(27, ' ') + "Performer" +
                                std::string(13, ' ') + "Style" + std::string(8, ' ') + "Tempo" +
                                std::string(3, ' ') + "Tran" + std::string(4, ' ') + "Notes";
    EXPECT_EQ(printed[2], (PrintLine{heading, "Courier New", 8}));
    EXPECT_EQ(printed[3].text, "Its me" + std::string(26, ' ') + "Nobody" + std::string(16, ' ') +
                                   std::string(13, ' ') + "90" + std::string(6, ' ') + "0" +
                                   std::string(7, ' ') + "gone");
    EXPECT_TRUE(printed[7].text.starts_with("Alone "));
}

TEST_F(SongsControllerTest, CliSongsImportAndDeleteRunTheSameLogicHeadless) {
    EXPECT_EQ(said(cli({"songs"})),
              told("301\tYesterday\tBeatles\t41\tROCK1      \t120\t+2\tintro\n"
                   "301\tYesterday\tBeatles\t57\tBALLAD\t70\t-1\tfirst\n"
                   "301\tYesterday\tBeatles\t73\tSWING\t140\t+1\tsecond\n"
                   "302\tAlone\t\t0\t\t\t\t\n"
                   "303\tIts me\tNobody\t0\t\t90\t0\tgone"));

    const auto file = env.dir.path() / "list.txt";
    writeFile(file, "SWING|Volare|Modugno\nSWING|Yesterday|Beatles\n");
    EXPECT_EQ(said(cli({"song-import", file.string(), "--fields", "style,title,artist",
                        "--separator", "|"})),
              told("Song import ended: 1 song and 1 link stored, 0 lines naming no stored style."));
    EXPECT_EQ(songs().back(), "304:Volare/Modugno");
    EXPECT_EQ(cli({"song-import", file.string(), "--fields", "style,title,artist", "--separator",
                   "|", "--duplicates", "insert"})
                  .out,
              "Song import ended: 2 songs and 2 links stored, 0 lines naming no stored style.\n");

    writeFile(file, "Ciao;Me;SWING\nLungo;Me;SWING;12345678901\n");
    EXPECT_EQ(said(cli({"song-import", file.string(), "--fields", "title,artist,style,tempo"})),
              refused("The tempo of the song on line 2 has 11 characters; it takes at most 10. "
                      "Nothing of the song list has been stored."));
    EXPECT_EQ(songs().size(), 6u);
    EXPECT_EQ(cli({"song-import", file.string(), "--fields", "title,tempo"}).status, 64);

    EXPECT_EQ(cli({"song-delete", "301", "777"}).status, 1);
    EXPECT_EQ(songs().size(), 6u);
}

// The songs window and `orb song-delete` delete through one operation: a refusal in the middle
// of a block keeps every song and link and is told in the same words.
TEST_F(SongsControllerTest, CliTheWindowAndTheCommandDeleteAlike) {
    db().execute(
        "CREATE TRIGGER lock_303 BEFORE DELETE ON KORFSongs WHEN OLD.SongCode = 303 "
        "BEGIN SELECT RAISE(ABORT, 'song 303 is locked'); END");
    const std::string refusal =
        "The songs could not be deleted (song 303 is locked); nothing was deleted.";
    const Texts allSongs = songs();
    const std::vector<Link> allLinks = links();

    controller.headerClicked(0);  // Alone (302), Its me (303), then Yesterday (301) three times
    env.dialogs.answer(Answer::Yes);
    controller.deleteSongs(0, 3);
    EXPECT_EQ(shown(env.dialogs),
              (Shown{{"3 songs are about to be deleted: Alone, Its me and Yesterday. Are you sure?",
                      UserDialogs::Icon::Question},
                     {refusal, UserDialogs::Icon::Critical}}));
    EXPECT_EQ(songs(), allSongs);
    EXPECT_EQ(links(), allLinks);
    EXPECT_EQ(controller.rows().size(), 5u);

    EXPECT_EQ(said(cli({"song-delete", "302", "303", "301"})), refused(refusal));
    EXPECT_EQ(songs(), allSongs);
    EXPECT_EQ(links(), allLinks);

    db().execute("DROP TRIGGER lock_303");
    EXPECT_EQ(said(cli({"song-delete", "303", "301"})), told("2 songs deleted"));
    EXPECT_EQ(songs(), Texts{"302:Alone/"});
    EXPECT_EQ(links(), std::vector<Link>{});
}

}  // namespace
}  // namespace orb::test
