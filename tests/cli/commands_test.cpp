// The commands, case by case, on a fresh environment each ("{dir}": the case's own folder).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <functional>

#include "cli/cli.h"
#include "stylefiles/style_files_test_support.h"
#include "support/held_lock.h"
#include "support/query_column.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"
#include "support/what_was_said.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::makeChunk;
using test::readFile;
using test::refused;
using test::StyFileBuilder;
using test::TestEnvironment;
using test::told;
using test::writeFile;

constexpr const char* kContains = "~";  // an expected output starting so is a part of the output

struct Step {
    std::vector<std::string> args;
    test::Said said;
};

struct Case {
    const char* name;
    std::function<void(TestEnvironment&)> prepare;
    std::vector<Step> steps;
    std::function<void(TestEnvironment&)> check;
};

std::string expand(const std::string& text, const TestEnvironment& env) {
    return test::replaceAll(text, "{dir}", env.dir.path().string());
}

void expectOutput(const std::string& expected, const std::string& actual, const char* what) {
    if (expected.starts_with(kContains)) {
        EXPECT_NE(actual.find(expected.substr(1)), std::string::npos) << what << ": " << actual;
    } else {
        EXPECT_EQ(actual, expected) << what;
    }
}

void initDatabase(TestEnvironment& env) {
    ASSERT_EQ(env.runCli({"--db", (env.dir / "orb.mdb").string(), "init"}).status, 0);
}

// A bank of three styles with names padded as the reader gives them back.
std::string rewriteBank(int bank) {
    StyFileBuilder builder;
    builder.style(0, "ROCK       ", makeChunk(100, 1), "ROCK B     ", makeChunk(10, 2), bank)
        .style(2, "BALLAD     ", makeChunk(200, 3), "", "", bank)
        .style(3, "SWING      ", makeChunk(50, 4), "SWING B    ", makeChunk(5, 5), bank);
    return builder.bytes();
}

const std::string kDb = "{dir}/orb.mdb";
const std::vector<Case> kCases = {
    {"InitCreatesTheDatabaseWhereToldOrStoredAndPrintsItsPath",
     [](TestEnvironment& env) {
         env.settings.set("PATH", "DATABASE", expand("{dir}/gone.mdb", env));
     },
     {Step({"init"}, told("{dir}/gone.mdb")),
      Step({"--db", "{dir}/sub/cat.mdb", "init"}, told("{dir}/sub/cat.mdb")),
      // --db after the command word, and a second init keeps the file.
      Step({"init", "--db", "{dir}/sub/cat.mdb"}, told("{dir}/sub/cat.mdb"))},
     [](TestEnvironment& env) {
         EXPECT_TRUE(fs::exists(env.dir / "gone.mdb"));
         Database db;
         db.open(env.dir / "sub" / "cat.mdb", Database::OpenMode::ExistingOnly);
         EXPECT_EQ(db.query("SELECT * FROM KORFBanks").columnCount(), 19);
     }},
    {"InitOnAFileThatIsNotADatabaseFailsAndLeavesIt",
     [](TestEnvironment& env) { writeFile(env.dir / "x.mdb", std::string(1000, 'x')); },
     {Step({"--db", "{dir}/x.mdb", "init"},
           refused("The file {dir}/x.mdb cannot be opened as an ORB database (file is not a "
                   "database: {dir}/x.mdb)."))},
     [](TestEnvironment& env) { EXPECT_EQ(readFile(env.dir / "x.mdb"), std::string(1000, 'x')); }},
    {"InitRefusesAnotherProgramsDatabaseAndTakesAnEmptyOne",
     [](TestEnvironment& env) {
         Database other;
         other.open(env.dir / "other.sqlite", Database::OpenMode::CreateIfMissing);
         other.execute("CREATE TABLE Contacts (Name text)");
         other.execute("INSERT INTO Contacts VALUES (pName)", {"Ann"});
         writeFile(env.dir / "empty.mdb", "");
         Database bare;
         bare.open(env.dir / "bare.mdb", Database::OpenMode::CreateIfMissing);
         bare.execute("PRAGMA user_version = 7");
     },
     {Step({"--db", "{dir}/other.sqlite", "init"},
           refused("The file {dir}/other.sqlite holds another program's tables and none of ORB's; "
                   "it is not an ORB database and was left as it was.")),
      Step({"--db", "{dir}/empty.mdb", "init"}, told("{dir}/empty.mdb")),
      Step({"--db", "{dir}/bare.mdb", "init"}, told("{dir}/bare.mdb"))},
     [](TestEnvironment& env) {
         Database other;
         other.open(env.dir / "other.sqlite", Database::OpenMode::ExistingOnly);
         EXPECT_THROW(other.query("SELECT * FROM KORFStyles"), DbError);
         EXPECT_EQ(other.query("SELECT Name FROM Contacts").next(), true);
         for (const char* name : {"empty.mdb", "bare.mdb"}) {
             Database db;
             db.open(env.dir / name, Database::OpenMode::ExistingOnly);
             EXPECT_EQ(db.query("SELECT * FROM KORFStyles").columnCount(), 14) << name;
         }
     }},
    {"HelpAndVersion",
     nullptr,
     {Step({"--help"}, {0, "~Usage: orb [--db PATH] COMMAND", ""}),
      Step({"--help"}, {0, "~\n  init", ""}), Step({"--version"}, told("orb 2.31")),
      Step({"undo", "--help"},
           told("Usage: orb [--db PATH] undo [N] [--yes]\nUndoes the steps of restore points 1 to "
                "N (default 1, the newest), newest first in one step, after a question (asked on "
                "the terminal unless --yes), keeping a restore point of the undo first. Later "
                "changes to the same rows refuse the undo, which then changes nothing."))},
     nullptr},
    {"StyInfoListsTheStylesOfEachBankTellsOtherFilesAndMakesNoDatabase",
     [](TestEnvironment& env) {
         writeFile(env.dir / "USER01.STY",
                   StyFileBuilder()
                       .style(0, "ROCK", makeChunk(100, 1), "ROCK B", makeChunk(10, 2), 17)
                       .style(4, "BALLAD", makeChunk(200, 3), "", "", 17)
                       .bytes());
         writeFile(env.dir / "TWO.STY", StyFileBuilder()
                                            .style(0, "A", makeChunk(1, 1), "", "", 18)
                                            .style(0, "B", makeChunk(2, 2), "", "", 17)
                                            .bytes());
         writeFile(env.dir / "Old Arranger.sty", "KORGM" + std::string(100, '\0'));
         writeFile(env.dir / "notes.sty", "ten bytes!");
         writeFile(env.dir / "EMPTY.STY", "");
         ASSERT_EQ(mkfifo((env.dir / "PIPE.STY").c_str(), 0600), 0);
     },
     {Step({"sty-info", "{dir}/USER01.STY"},
           told("1\tROCK       \t108\tROCK B     \t18\n5\tBALLAD     \t208\t\t0")),
      Step({"sty-info", "{dir}/TWO.STY"},
           told("bank\t18\n1\tA          \t9\t\t0\nbank\t17\n1\tB          \t10\t\t0")),
      Step({"sty-info", "{dir}/Old Arranger.sty"},
           {2, "OLDARR~1.STY is probably a style for KORG  iS40,iS50 arrangers\n", ""}),
      Step({"sty-info", "{dir}/notes.sty"},
           {2,
            "NOTES.STY is not a Pa style, is damaged, its format is unknown or you have no "
            "rights to access it!\n",
            ""}),
      Step({"sty-info", "{dir}/EMPTY.STY"}, refused("The file {dir}/EMPTY.STY is empty.")),
      Step({"sty-info", "{dir}/NONE.STY"}, refused("The file {dir}/NONE.STY does not exist.")),
      // A FIFO is refused at once instead of blocking the command for good.
      Step({"sty-info", "{dir}/PIPE.STY"},
           refused("The file {dir}/PIPE.STY cannot be read: it is not a regular file."))},
     [](TestEnvironment& env) { EXPECT_FALSE(fs::exists(env.dir / "ORB.MDB")); }},
    {"StyRewriteRenumbersTheBankAndKeepsEverySlot",
     [](TestEnvironment& env) {
         writeFile(env.dir / "IN.STY", rewriteBank(17));
         writeFile(env.dir / "I30.STY", "KORGI" + std::string(40, ' '));
     },
     {Step({"sty-rewrite", "{dir}/IN.STY", "{dir}/SAME.STY"}, {0, "", ""}),
      Step({"sty-rewrite", "{dir}/IN.STY", "{dir}/OUT.STY", "--bank-number", "3"}, {0, "", ""}),
      // In place as well.
      Step({"sty-rewrite", "--bank-number", "255", "{dir}/IN.STY", "{dir}/IN.STY"}, {0, "", ""}),
      Step({"sty-rewrite", "{dir}/I30.STY", "{dir}/OUT.STY"},
           {2, "I30.STY is probably a style for KORG  i30 arranger\n", ""})},
     [](TestEnvironment& env) {
         EXPECT_EQ(readFile(env.dir / "SAME.STY"), rewriteBank(17));
         EXPECT_EQ(readFile(env.dir / "OUT.STY"), rewriteBank(3));
         EXPECT_EQ(readFile(env.dir / "IN.STY"), rewriteBank(255));
     }},
    // A restore without --yes only checks the file; with --yes it refuses in the backup window's
    // words.
    {"BackupAndRestoreAndTheirFailures",
     [](TestEnvironment& env) {
         initDatabase(env);
         Database db;
         db.open(env.dir / "orb.mdb", Database::OpenMode::ExistingOnly);
         db.execute("INSERT INTO KORFSongs VALUES (3, 'Moon River', 'Mancini')");
         writeFile(env.dir / "bad.odd", "ORB BACKUP\r\nTABLE KORFSONGS\r\n");
     },
     {// No extension question without a window.
      Step({"--db", kDb, "backup", "{dir}/copy.dump"},
           told("ORB database backup completed without errors!")),
      Step({"--db", kDb, "restore", "{dir}/copy.dump"},
           told("{dir}/copy.dump is an ORB dump file of 1 rows and would restore; add --yes to "
                "replace the catalogue with it.")),
      Step({"--db", kDb, "restore", "{dir}/copy.dump", "--yes"},
           told("ORB database restore completed without errors!\n"
                "0 banks, 1 song, 0 links and 0 styles restored")),
      Step({"--db", kDb, "restore", "{dir}/bad.odd"},
           refused("{dir}/bad.odd is not an ORB dump file or is damaged: Line 2: \"TABLE "
                   "KORFBANKS\" was expected.")),
      Step({"--db", kDb, "restore", "{dir}/bad.odd", "--yes"},
           refused("{dir}/bad.odd is not a ORB backup files or is corrupted! Restore process "
                   "aborted!\nLine 2: \"TABLE KORFBANKS\" was expected.")),
      Step({"--db", kDb, "backup", "{dir}/missing/x.odd"},
           refused("The backup to {dir}/missing/x.odd failed: The dump file {dir}/missing/x.odd "
                   "cannot be written: the folder {dir}/missing does not exist.\nNo dump file has "
                   "been written."))},
     nullptr},
    {"ImportFolderAndFileWithTheirOptions",
     [](TestEnvironment& env) {
         initDatabase(env);
         writeFile(env.dir / "banks" / "A.STY", test::bankFile("ALPHA", 2, 1));
         writeFile(env.dir / "banks" / "SUB" / "B.STY", test::bankFile("BETA", 1, 2));
         writeFile(env.dir / "banks" / "I5.STY", "KORG< and more bytes than any header holds");
     },
     {Step({"--db", kDb, "import", "--family", "Pop", "{dir}/banks"},
           told("I5.STY is probably a style for KORG  i5 arranger\n"
                "Style import ended: 2 styles imported, 0 skipped as duplicates, 1 bank stored.")),
      Step({"--db", kDb, "import", "--subfolders", "--no-bank", "--mode", "content", "{dir}/banks"},
           told("Style ALPHA1      from file A.STY is the same as style ALPHA1      from file "
                "A.STY, and will not be imported!\n"
                "Style ALPHA2      from file A.STY is the same as style ALPHA2      from file "
                "A.STY, and will not be imported!\n"
                "I5.STY is probably a style for KORG  i5 arranger\n"
                "Style import ended: 1 style imported, 2 skipped as duplicates, 0 banks stored.")),
      Step({"--db", kDb, "import", "--mode", "all", "{dir}/banks/A.STY"},
           told("Style import ended: 2 styles imported, 0 skipped as duplicates, 1 bank stored.")),
      Step({"--db", kDb, "import", "--mode", "name", "{dir}/banks/A.STY"},
           told("Style import ended: 0 styles imported, 0 skipped as duplicates, 1 bank stored, 2 "
                "styles replaced."))},
     [](TestEnvironment& env) {
         // 2 + 1 (BETA) + 2 again (all); by name replaced two and added none. Every run but
         // the --no-bank one stored a bank.
         Database db;
         db.open(env.dir / "orb.mdb", Database::OpenMode::ExistingOnly);
         EXPECT_EQ(test::styleCount(db), 5);
         EXPECT_EQ(test::rowCount(db, "KORFBanks"), 3);
     }},
};

class Commands : public ::testing::TestWithParam<Case> {};

TEST_P(Commands, RunAsTheTableSays) {
    const Case& c = GetParam();
    TestEnvironment env;
    if (c.prepare) {
        c.prepare(env);
    }
    for (const Step& step : c.steps) {
        std::vector<std::string> args;
        std::string shown;
        for (const std::string& arg : step.args) {
            args.push_back(expand(arg, env));
            shown += " " + arg;
        }
        SCOPED_TRACE("orb" + shown);
        const test::CliRun run = env.runCli(args);
        const auto& [status, out, err] = step.said;
        EXPECT_EQ(run.status, status) << run.err;
        expectOutput(expand(out, env), run.out, "standard output");
        expectOutput(expand(err, env), run.err, "standard error");
    }
    if (c.check) {
        c.check(env);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Commands, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, UsageErrorsNameTheCommandsUsage) {
    TestEnvironment env;
    initDatabase(env);
    const std::string floppy = "Usage: orb floppy BANK [BANK [BANK]] [--to DIR] [--yes]\n";
    const std::string undo = "Usage: orb undo [N] [--yes]\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"frobnicate"}, "~frobnicate"},
        {{"--db"}, "--db needs a path.\n"},
        {{"--db", "x"}, "~"},
        {{"--db", "a", "--db", "b", "banks"}, "The option --db is given more than once.\n"},
        {{"banks", "--force"}, "Unknown option 'force'.\nUsage: orb banks\n"},
        {{"undo", "--yes", "--yes"},
         "The option --yes is given more than once.\nUsage: orb [--db PATH] undo [N] [--yes]\n"},
        {{"backup", "a", "b"}, "Usage: orb backup FILE\n"},
        {{"backup"}, "~"},
        {{"where-is", "+12"}, "Usage: orb where-is STYLE\n"},
        {{"where-is", " 12"}, "Usage: orb where-is STYLE\n"},
        {{"where-is"}, "Usage: orb where-is STYLE\n"},
        {{"floppy", "5", "9", "5", "9", "--yes"}, floppy},
        {{"floppy", "-", "--yes"}, floppy},
        {{"hd-transfer", "5", "5", "5", "5", "5", "5", "5", "5", "5", "5"},
         "Usage: orb hd-transfer BANK... [--to DIR] (at most 9 banks)\n"},
        {{"setup-save", "Solo", "--floppy", "5", "9", "5", "9"},
         "Usage: orb setup-save NAME [--description D] [--floppy B1 [B2 [B3]]] [--hd B1 ... B9] "
         "[--overwrite]\n"},
        {{"setup-save", "Solo", "--colour", "red"}, "~'colour'"},
        {{"setup-delete"}, "Usage: orb setup-delete NAME\n"},
        {{"undo", "0"}, undo},
        {{"undo", "x"}, undo},
        {{"undo", "1", "2"}, undo},
        {{"restore-points", "1"}, "Usage: orb restore-points\n"},
        {{"make-sty", "5"}, "Usage: orb make-sty BANK OUT\n"},
        {{"identify"}, "Usage: orb identify PATH [--import-new]\n"},
        {{"sty-info"}, "~"},
        {{"sty-rewrite", "IN.STY", "OUT.STY", "--bank-number", "256"}, "~"},
        {{"sty-rewrite", "IN.STY", "OUT.STY", "--bank-number", "x"}, "~"},
        {{"sty-rewrite", "IN.STY"}, "~"},
        {{"import"}, "~"},
        {{"import", "--mode", "fuzzy", "A.STY"}, "~"},
        {{"import", "A.STY", "--bogus"}, "~"},
    };
    for (const auto& [args, err] : cases) {
        std::vector<std::string> full = args;
        if (args[0] != "--db") {
            full.insert(full.begin(), {"--db", (env.dir / "orb.mdb").string()});
        }
        const test::CliRun run = env.runCli(full);
        EXPECT_EQ(run.status, kExitUsage) << args[0] << " " << args.back();
        EXPECT_EQ(run.out, "") << args[0];
        expectOutput(err, run.err, args[0].c_str());
    }
}

TEST(CommandLine, WantsTheCommandLineForACommandWordOrABareDb) {
    EXPECT_FALSE(wantsCommandLine({}));
    EXPECT_FALSE(wantsCommandLine({"--db", "x"}));
    EXPECT_TRUE(wantsCommandLine({"--db"}));  // a usage error of the command line, not the windows
    EXPECT_TRUE(wantsCommandLine({"init"}));
    // A file alone opens in the windows, as a file manager starts ORB; anything more is a command
    // line.
    EXPECT_FALSE(wantsCommandLine({"/home/ann/Gig.sty"}));
    EXPECT_EQ(fileForWindows({"Monday.ODD"}), "Monday.ODD");
    EXPECT_EQ(fileForWindows({"Beat.Ssf"}), "Beat.Ssf");
    EXPECT_EQ(fileForWindows({"notes.txt"}), std::nullopt);
    EXPECT_EQ(fileForWindows({"--db", "Gig.STY"}), std::nullopt);
    EXPECT_EQ(fileForWindows({"Gig.STY", "init"}), std::nullopt);
    EXPECT_TRUE(wantsCommandLine({"Gig.STY", "--yes"}));
}

// The schema step only reads a complete catalogue, so reading commands run while another program
// writes; only a lock that keeps readers out stops even init.
TEST(CommandLine, ADatabaseThatAnotherProgramHolds) {
    TestEnvironment env;
    initDatabase(env);
    const std::string db = (env.dir / "orb.mdb").string();
    const test::ShortBusyTimeout shortWait;
    {
        const test::AnotherProgramsLock lock(db);
        for (const char* command : {"styles", "banks", "songs"}) {
            const test::CliRun run = env.runCli({"--db", db, command});
            EXPECT_EQ(run.status, 0) << command;
            EXPECT_EQ(run.err, "") << command;
        }
    }
    Database other;
    other.open(db, Database::OpenMode::ExistingOnly);
    other.execute("BEGIN EXCLUSIVE");
    EXPECT_EQ(test::said(env.runCli({"--db", db, "init"})), test::refused(test::inUseText(db)));
    other.execute("ROLLBACK");
    EXPECT_EQ(env.runCli({"--db", db, "init"}).status, 0);
}

TEST(CommandLine, WithoutADisplayTheProgramEndsWithAMessage) {
    TestEnvironment env;
    // An empty environment: no display, no platform choice, and settings in the test's folder.
    const std::string command =
        "env -i HOME=" + env.dir.path().string() + " " + ORB_PROGRAM + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;  // not ended by a signal
    EXPECT_EQ(WEXITSTATUS(status), kExitFailure);
    EXPECT_NE(output.find(kNoDisplayMessage), std::string::npos) << output;
}

}  // namespace
}  // namespace orb
