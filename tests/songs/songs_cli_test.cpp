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
    EXPECT_EQ(imported.out, "1 songs and 1 links stored\n");
    EXPECT_EQ(songs().back(), "304:Volare/Modugno");
    EXPECT_EQ(cli({"song-import", file.string(), "--fields", "style,title,artist", "--separator",
                   "|", "--duplicates", "insert"})
                  .out,
              "2 songs and 2 links stored\n");

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
    const CliRun deleted = cli({"song-delete", "301", "303"});
    EXPECT_EQ(deleted.out, "2 songs deleted\n");
    EXPECT_EQ(links(),
              (std::vector<Link>{
                  {304, 73, " ", " ", " "}, {305, 73, " ", " ", " "}, {306, 73, " ", " ", " "}}));
}

}  // namespace
}  // namespace orb::test
