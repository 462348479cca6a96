#include "songs/songs_controller.h"
#include "songs_fixture.h"
#include "support/temp_dir.h"

namespace orb::test {
namespace {

class SongsCliTest : public SongsTest {
public:
    // `orb --db <the test's database> ARGS...`; the command closes the connection, which is
    // opened again for the checks.
    CliRun cli(std::vector<std::string> args) {
        const std::string path = env.state.DatabasePath;
        args.insert(args.begin(), {"--db", path});
        CliRun run = env.runCli(args);
        db().open(path, Database::OpenMode::ExistingOnly);
        return run;
    }
};

TEST_F(SongsCliTest, SongsImportAndDeleteRunTheSameLogicHeadless) {
    const CliRun listed = cli({"songs"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("301\tYesterday\tBeatles\t57\tBALLAD\t70\t-1\tfirst\n"),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("303\tIts me\tNobody\t0\t\t90\t0\tgone\n"), std::string::npos);

    const auto file = env.dir.path() / "list.txt";
    writeFile(file, "SWING|Volare|Modugno\nSWING|Yesterday|Beatles\n");
    const CliRun imported =
        cli({"song-import", file.string(), "--fields", "style,title,artist", "--separator", "|"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out,
              "Song import ended: 1 song and 1 link stored, 0 lines naming no stored style.\n");
    EXPECT_EQ(songs().back(), "304:Volare/Modugno");
    EXPECT_EQ(cli({"song-import", file.string(), "--fields", "style,title,artist", "--separator",
                   "|", "--duplicates", "insert"})
                  .out,
              "Song import ended: 2 songs and 2 links stored, 0 lines naming no stored style.\n");

    writeFile(file, "Ciao;Me;SWING\nLungo;Me;SWING;12345678901\n");
    const CliRun refused =
        cli({"song-import", file.string(), "--fields", "title,artist,style,tempo"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "The tempo of the song on line 2 has 11 characters; it takes at most 10. Nothing of "
              "the song list has been stored.\n");
    EXPECT_EQ(songs().size(), 6u);
    EXPECT_EQ(cli({"song-import", file.string(), "--fields", "title,tempo"}).status, 64);

    EXPECT_EQ(cli({"song-delete", "301", "777"}).status, 1);
    EXPECT_EQ(songs().size(), 6u);
}

// The songs window and `orb song-delete` delete through one operation: a refusal in the middle
// of a block keeps every song and link and is told in the same words.
TEST_F(SongsCliTest, TheWindowAndTheCommandDeleteAlike) {
    db().execute(
        "CREATE TRIGGER lock_303 BEFORE DELETE ON KORFSongs WHEN OLD.SongCode = 303 "
        "BEGIN SELECT RAISE(ABORT, 'song 303 is locked'); END");
    const std::string refusal =
        "The songs could not be deleted (song 303 is locked); nothing was deleted.";
    const std::vector<std::string> allSongs = songs();
    const std::vector<Link> allLinks = links();

    SongsController window(env.state, env.dialogs);
    window.load();
    window.headerClicked(0);  // Alone (302), Its me (303), then Yesterday (301) three times
    env.dialogs.answer(UserDialogs::Answer::Yes);
    window.deleteSongs(0, 3);
    EXPECT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "3 songs are about to be deleted: Alone, Its me and Yesterday. Are you sure?",
                  refusal}));
    EXPECT_EQ(env.dialogs.calls().back().icon, UserDialogs::Icon::Critical);
    EXPECT_EQ(songs(), allSongs);
    EXPECT_EQ(links(), allLinks);
    EXPECT_EQ(window.rows().size(), 5u);

    const CliRun refused = cli({"song-delete", "302", "303", "301"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, refusal + "\n");
    EXPECT_EQ(songs(), allSongs);
    EXPECT_EQ(links(), allLinks);

    db().execute("DROP TRIGGER lock_303");
    const CliRun deleted = cli({"song-delete", "303", "301"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "2 songs deleted\n");
    EXPECT_EQ(songs(), std::vector<std::string>{"302:Alone/"});
    EXPECT_EQ(links(), std::vector<Link>{});
}

}  // namespace
}  // namespace orb::test
