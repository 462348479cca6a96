// Single style files: the format byte for byte, then export and import.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cerrno>
#include <fstream>
#include <functional>
#include <sstream>

#include "cli/cli.h"
#include "core/file_replacement.h"
#include "stylefiles/ssf_format.h"
#include "stylefiles/ssf_import.h"
#include "stylefiles/ssf_reader.h"
#include "stylefiles/ssf_writer.h"
#include "stylefiles/style_file_error.h"
#include "stylefiles/style_files_test_support.h"
#include "support/failure_of.h"
#include "support/ssf_file_builder.h"
#include "support/table_snapshot.h"
#include "support/what_was_said.h"

namespace orb {
namespace {

using Texts = std::vector<std::string>;
using test::Shown;
using test::shown;

std::string written(const StyleRow& style) {
    std::ostringstream out;
    writeSsf(out, style, "x.SSF");
    return out.str();
}

std::optional<StyleRow> read(const std::string& bytes) {
    std::istringstream in(bytes);
    return readSsf(in, "F.SSF");
}

TEST(SsfFormat, GoodFilesAreWrittenByteForByteAndReadBack) {
    // Eleven-character names and blank texts.
    const StyleRow style(41, "ROCKY      ", "ROCKY VAR 2", 1000, 200, test::makeChunk(992, 7),
                         test::makeChunk(192, 8), "2026/12/06", " ", " ", " ", " ", " ");
    const std::string bytes = written(style);
    EXPECT_EQ(bytes, test::ssfBytes(test::ssfFields(style.StyleName1, style.StyleName2,
                                                    style.StyleContent1, style.StyleContent2,
                                                    {" ", " ", " ", " ", " "}, "06/12/2026")));
    EXPECT_EQ(bytes.substr(0, 68),
              "SSF_ORB_Quillmar00011ROCKY      00011ROCKY VAR 200005010000000500200");
    EXPECT_EQ(bytes.substr(bytes.size() - 45), "00001 00001 00001 00001 00001 0001006/12/2026");
    StyleRow back = style;
    back.StyleProg = 0;
    EXPECT_EQ(read(bytes), back);

    // Windows-1252 on disk, names included: read as UTF-8, written back as the same bytes.
    const std::string accented = test::ssfBytes(test::ssfFields(
        "Caf\xE9", "Caf\xE9 Var\x80", test::makeChunk(30, 3), test::makeChunk(20, 4),
        {"Jos\xE9", "Gr", "Fam", "D\xE9sc", "USER01.STY"}, "06/12/2026"));
    const StyleRow read1252(0, "Caf\xC3\xA9", "Caf\xC3\xA9 Var\xE2\x82\xAC", 38, 28,
                            test::makeChunk(30, 3), test::makeChunk(20, 4), "2026/12/06",
                            "D\xC3\xA9sc", "Gr", "Fam", "USER01.STY", "Jos\xC3\xA9");
    EXPECT_EQ(read(accented), read1252);
    EXPECT_EQ(written(read1252), accented);

    // Other date separators, and the stored empty part, are read.
    test::SsfFields fields =
        test::ssfFields("A", "B", "12345", " ", {"a", "g", "f", "d", "s"}, "06.12.2026");
    fields[3] = "00000";
    EXPECT_EQ(read(test::ssfBytes(fields)),
              (StyleRow{0, "A", "B", 5, 0, "12345", " ", "2026/12/06", "d", "g", "f", "s", "a"}));
    fields[11] = "29-02-2024";
    EXPECT_EQ(read(test::ssfBytes(fields))->StyleDate, "2024/02/29");
}

TEST(SsfFormat, WhatIsNoSingleStyleFileOrIsDamagedIsRefused) {
    const test::SsfFields good =
        test::ssfFields("A", "B", "12345", "xy", {"a", "g", "f", "d", "s"}, "06/12/2026");
    const std::string bytes = test::ssfBytes(good);
    EXPECT_FALSE(read(""));
    EXPECT_FALSE(read("SSF_ORB_quillmar" + bytes.substr(16)));
    EXPECT_FALSE(read("SSF_ORB"));

    auto with = [&](std::size_t index, const std::string& value) {
        test::SsfFields fields = good;
        fields[index] = value;
        return test::ssfBytes(fields);
    };
    struct Case {
        std::string bytes;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {test::ssfBytes(good, "SSF_ORB_Quillmar", 0, "0001x"),
         "the length of its first name is not five digits"},
        {test::ssfBytes(good, "SSF_ORB_Quillmar", 0, " 0001"),
         "the length of its first name is not five digits"},
        {bytes.substr(0, bytes.size() - 3), "its date is cut short: 10 bytes announced, 7 present"},
        {bytes.substr(0, 21), "its first name is cut short: 1 bytes announced, 0 present"},
        {bytes.substr(0, 24), "it ends before the length of its second name"},
        {with(11, "31/02/2026"), "its date \"31/02/2026\" is no date"},
        {with(11, "06/12/26"), "its date \"06/12/26\" is no date"},
        {with(11, "06/12.2026"), "its date \"06/12.2026\" is no date"},
        {with(2, "00004"), "its first length 4 differs from the 5 bytes of its part"},
        {with(3, "1a"), "its second length \"1a\" is no number"},
        {with(3, ""), "its second length \"\" is no number"},
        {bytes + "x", "it goes on after its date"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::failureOf<StyleFileError>([&] { read(c.bytes); }),
                  "The file F.SSF is damaged: " + c.problem + ".");
    }
}

TEST(SsfFormat, StylesThatNoFileCanCarryAreRefusedBeforeWriting) {
    struct Case {
        std::function<void(StyleRow&)> change;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {[](StyleRow& s) {
             s.StyleContent1.assign(100000, 'x');
             s.StyleLength1 = 100000;
         },
         "its first length 100000 does not fit five digits"},
        {[](StyleRow& s) { s.StyleLength2 = 7; },
         "its second length 7 differs from the 209 bytes of its part"},
        {[](StyleRow& s) { s.StyleDesc = "\xCE\xA9"; },
         "its description holds characters that Windows-1252 cannot carry"},
        {[](StyleRow& s) { s.StyleDate = "06/12/2026"; },
         "its date \"06/12/2026\" is no date of the form yyyy/mm/dd"},
    };
    for (const Case& c : cases) {
        StyleRow style = test::ssfStyle(9, "NINE");
        c.change(style);
        std::ostringstream out;
        EXPECT_THROW(writeSsf(out, style, "n.SSF"), StyleFileError) << c.refusal;
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(ssfRefusal(style), c.refusal);
    }
}

namespace fs = std::filesystem;
using Icon = UserDialogs::Icon;
using Choice = SsfExportController::Choice;
using test::storedStyle;

// Names that reduce to the same file name or to nothing, and a part too large for the format.
struct SsfTransfer : ::testing::Test {
    void SetUp() override {
        env.openFreshDatabase();
        other.openFreshDatabase();
        for (const auto& [prog, name] : std::vector<std::pair<int, std::string>>{
                 {41, "rocky      "}, {57, "Caf\xC3\xA9-Bar"}, {73, "ROCK-Y"}, {88, "- -"}}) {
            StyleStore(db()).insertNumbered(test::ssfStyle(prog, name));
        }
        StyleRow huge = test::ssfStyle(95, "HUGE");
        huge.StyleContent1 = test::everyByte(100000, 3);
        huge.StyleLength1 = 100000;
        StyleStore(db()).insertNumbered(huge);
        fs::create_directories(out);
    }
    Database& db() { return env.state.connection; }
    SsfExportController& open(const SsfExportRequest& request, const fs::path& folder) {
        exporter = std::make_unique<SsfExportController>(env.state, env.dialogs, &windows);
        exporter->load(request);
        exporter->setFolder(folder.string());
        return *exporter;
    }
    SsfImportController& importer(test::TestEnvironment& into, const fs::path& path,
                                  SsfImportController::Choice choice) {
        importing = std::make_unique<SsfImportController>(into.state, into.dialogs);
        importing->load();
        importing->setPath(path.string());
        importing->setChoice(choice);
        return *importing;
    }

    test::TestEnvironment env;
    test::TestEnvironment other;  // a second catalogue to import into
    fs::path out = env.dir / "export";
    test::RecordingExportWindows windows;
    std::unique_ptr<SsfExportController> exporter;
    std::unique_ptr<SsfImportController> importing;
};

TEST_F(SsfTransfer, ExportNamesFilesLeavesOutWhatCannotBeReadBackAndRemembersTheFolder) {
    SsfExportController& all = open({{57}, {41, 57, 73, 88, 95, 33}, false}, out);
    all.setChoice(Choice::AllStyles);
    EXPECT_TRUE(all.run());
    EXPECT_EQ(test::namesIn(out), (Texts{"CAFBAR.SSF", "ROCKY.SSF", "ROCKY_2.SSF", "STYLE88.SSF"}));
    EXPECT_EQ(all.result().written,
              (std::vector<fs::path>{out / "ROCKY.SSF", out / "CAFBAR.SSF", out / "ROCKY_2.SSF",
                                     out / "STYLE88.SSF"}));
    std::ifstream second(out / "ROCKY_2.SSF", std::ios::binary);
    EXPECT_EQ(readSsf(second, "ROCKY_2.SSF")->StyleName1, "ROCK-Y");
    EXPECT_EQ(shown(env.dialogs),
              (Shown{{"All styles successfully exported to SSF files!", Icon::Information}}));
    EXPECT_EQ(windows.logs,
              Texts{"These styles were not exported:\n"
                    "Style 95 HUGE: its first length 100000 does not fit five digits.\n"
                    "Style 33: it is no longer in the catalogue.\n"});
    EXPECT_EQ(all.job().value(), 6);
    EXPECT_EQ(all.job().summary(),
              "4 single style files written to " + out.string() + ", 2 left out.");

    // Closing remembers the folder, trimmed; the next opening shows it; a blank one is not kept.
    all.setFolder("  " + out.string() + " ");
    all.close();
    EXPECT_EQ(env.settings.get("SSF", "EXPORT", ""), out.string());
    SsfExportController next(env.state, env.dialogs);
    next.load({{57}, {}, false});
    EXPECT_EQ(next.folder(), out.string());
    next.setFolder("   ");
    next.close();
    EXPECT_EQ(env.settings.get("SSF", "EXPORT", ""), out.string());
    EXPECT_FALSE(next.run());

    // The selected styles, into a folder typed with its trailing separator.
    env.dialogs.clear();
    fs::remove_all(out);
    fs::create_directories(out);
    SsfExportController& again = open({{57}, {}, false}, out.string() + "/");
    EXPECT_TRUE(again.run());
    EXPECT_EQ(test::namesIn(out), Texts{"CAFBAR.SSF"});
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"Styles export to SSF file terminated without errors!"});

    // Search is a folder dialog starting in the folder typed, and remembers the one chosen.
    env.dialogs.file("/music/ssf");
    again.search();
    EXPECT_EQ(again.folder(), "/music/ssf");
    EXPECT_EQ(env.dialogs.calls().back().kind, test::ScriptedDialogs::Call::Kind::Folder);
    EXPECT_EQ(env.dialogs.calls().back().proposal, out.string() + "/");
    EXPECT_EQ(env.settings.get("LASTFOLDER", "SSF", ""), "/music/ssf");

    // A folder that is not there is made after a question; No stops before anything is written.
    env.dialogs.clear();
    const fs::path gone = out / "new" / "gone";
    env.dialogs.answer(UserDialogs::Answer::No);
    EXPECT_FALSE(open({{57, 41}, {}, false}, gone).run());
    const std::string question = "The folder " + gone.string() + " does not exist. Create it?";
    EXPECT_EQ(env.dialogs.messages(), Texts{question});
    EXPECT_FALSE(fs::exists(out / "new"));
    EXPECT_TRUE(exporter->controlsEnabled());
    env.dialogs.clear();
    env.dialogs.answer(UserDialogs::Answer::Yes);
    EXPECT_TRUE(open({{57, 41}, {}, false}, gone).run());
    EXPECT_EQ(test::namesIn(gone), (Texts{"CAFBAR.SSF", "ROCKY.SSF"}));
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{question, "Styles export to SSF file terminated without errors!"}));
    // The import's Open dialog starts where that export went.
    env.dialogs.file("");
    importer(env, out / "CAFBAR.SSF", SsfImportController::Choice::File).search();
    EXPECT_EQ(env.dialogs.calls().back().proposal, gone.string());
}

// One sync for all files, renamed only then; a file system without permissions still gets them.
TEST_F(SsfTransfer, AFailedSyncOrACancelLeavesTheOlderFiles) {
    test::writeFile(out / "ROCKY.SSF", "older rocky");
    test::writeFile(out / "STYLE88.SSF", "older 88");
    const auto refuse = [](int error) { return [error](auto...) { return errno = error, -1; }; };
    const auto olderKept = [&] {
        EXPECT_EQ(test::filesIn(out),
                  (std::map<std::string, std::string>{{"ROCKY.SSF", "older rocky"},
                                                      {"STYLE88.SSF", "older 88"}}));
        EXPECT_TRUE(exporter->result().written.empty());
    };
    const std::string nothing = "SSF export stopped: nothing written to " + out.string() +
                                "; the files there are as they were.";
    {
        const ScopedFileSystemCalls failing({refuse(EPERM), refuse(EIO), refuse(EIO)});
        EXPECT_FALSE(open({{41, 88}, {}, false}, out).run());
    }
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"The single style file " + (out / "ROCKY.SSF").string() +
                    " cannot be written: it could not be written to the disk "
                    "(Input/output error).\n" +
                    nothing});
    EXPECT_EQ(exporter->job().summary(), nothing);
    olderKept();

    env.dialogs.clear();
    env.dialogs.cancelAtCheck(2);
    EXPECT_FALSE(open({{41, 88}, {}, false}, out).run());
    EXPECT_EQ(env.dialogs.messages(), Texts{"SSF export cancelled: nothing written to " +
                                            out.string() + "; the files there are as they were."});
    olderKept();

    env.dialogs.clear();
    env.dialogs.cancelAtCheck(0);
    int syncs = 0;
    const ScopedFileSystemCalls noPermissions(
        {refuse(EOPNOTSUPP), [&syncs](int fd) { return ++syncs, ::fsync(fd); }, {}});
    EXPECT_TRUE(open({{41, 88}, {}, false}, out).run());
    EXPECT_EQ(syncs, 3) << "each of the two files and the folder";
    EXPECT_EQ(test::namesIn(out), (Texts{"ROCKY.SSF", "STYLE88.SSF"}));
    std::ifstream rocky(out / "ROCKY.SSF", std::ios::binary);
    EXPECT_EQ(readSsf(rocky, "ROCKY.SSF")->StyleName1, storedStyle(db(), 41).StyleName1);
}

TEST_F(SsfTransfer, ExportedStylesComeBackWholeIntoAnEmptyCatalogue) {
    EXPECT_TRUE(open({{41, 57}, {}, false}, out).run());
    for (const char* file : {"CAFBAR.SSF", "ROCKY.SSF"}) {
        EXPECT_TRUE(importer(other, out / file, SsfImportController::Choice::File).run());
    }
    EXPECT_EQ(shown(other.dialogs),
              Shown(2, {"SSF file import ended without errors", Icon::Information}));
    for (const auto& [prog, exported] : {std::pair{1, 57}, std::pair{2, 41}}) {
        StyleRow expected = storedStyle(db(), exported);
        expected.StyleProg = prog;
        EXPECT_EQ(storedStyle(other.state.connection, prog), expected);
    }
}

TEST_F(SsfTransfer, TheFolderImportStopsAtTheFirstStylePresentAndPassesOverOtherFiles) {
    open({{}, {41, 57, 73}, false}, out).setChoice(Choice::AllStyles);
    ASSERT_TRUE(exporter->run());
    StyleStore(other.state.connection).insertNumbered(storedStyle(db(), 41));
    fs::rename(out / "CAFBAR.SSF", out / "a.ssf");
    fs::rename(out / "ROCKY.SSF", out / "c.SSF");  // present
    fs::rename(out / "ROCKY_2.SSF", out / "e.SSF");
    test::writeFile(out / "b.SSF", "A letter, no style.");
    const std::string damaged = test::readFile(out / "e.SSF");
    test::writeFile(out / "bb.Ssf", damaged.substr(0, damaged.size() - 1));
    test::writeFile(out / "c.txt", "not looked at");

    SsfImportController& folder = importer(other, out, SsfImportController::Choice::Folder);
    EXPECT_FALSE(folder.run());
    std::vector<std::string> read;
    for (const SsfImportedFile& file : folder.files()) {
        read.push_back(file.path.filename().string());
    }
    EXPECT_EQ(read, (Texts{"a.ssf", "b.SSF", "bb.Ssf", "c.SSF"}));
    EXPECT_EQ(folder.files()[0].outcome.styleProg, 42);
    const std::string unreadable =
        "\n" + (out / "b.SSF").string() + " is not a single style file.\nThe file " +
        (out / "bb.Ssf").string() +
        " is damaged: its date is cut short: 10 bytes announced, 9 present. Nothing was "
        "imported from it.";
    EXPECT_EQ(shown(other.dialogs),
              (Shown{{"SSF file import aborted: style already present (" +
                          (out / "c.SSF").string() + ")" + unreadable +
                          "\n1 style imported, 2 files could not be read, 1 file not read.",
                      Icon::Exclamation}}));
    EXPECT_EQ(test::styleCount(other.state.connection), 2);
    EXPECT_TRUE(folder.importedAny());

    // Passing over what is stored, the same folder goes on to the end.
    other.dialogs.clear();
    SsfImportController& skipping = importer(other, out, SsfImportController::Choice::Folder);
    EXPECT_FALSE(skipping.skipPresent()) << "stopping is the default";
    skipping.setSkipPresent(true);
    EXPECT_FALSE(skipping.run());
    EXPECT_EQ(other.dialogs.messages(), Texts{"SSF file import ended without errors" + unreadable +
                                              "\n1 style imported, 2 styles already stored passed "
                                              "over, 2 files could not be read."});
    EXPECT_EQ(skipping.files().back().outcome.styleProg, 43);
    EXPECT_EQ(test::styleCount(other.state.connection), 3);

    // Every style stored: nothing imported, nothing amiss.
    fs::remove(out / "b.SSF");
    fs::remove(out / "bb.Ssf");
    other.dialogs.clear();
    importer(other, out, SsfImportController::Choice::Folder).setSkipPresent(true);
    EXPECT_TRUE(importing->run());
    EXPECT_EQ(shown(other.dialogs), (Shown{{"SSF file import ended without errors\n0 styles "
                                            "imported, 3 styles already stored passed over.",
                                            Icon::Information}}));
    EXPECT_EQ(test::styleCount(other.state.connection), 3);
}

TEST_F(SsfTransfer, ACancelledFolderImportStoresNothing) {
    open({{}, {41, 57, 73, 88}, false}, out).setChoice(Choice::AllStyles);
    ASSERT_TRUE(exporter->run());
    StyleStore(other.state.connection).insertNumbered(test::ssfStyle(7, "KEPT"));
    const std::string before = test::tableSnapshot(other.state.connection);

    // The second check comes after the first file's style was stored.
    other.dialogs.cancelAtCheck(2);
    SsfImportController& folder = importer(other, out, SsfImportController::Choice::Folder);
    EXPECT_FALSE(folder.run());
    EXPECT_EQ(other.dialogs.cancelChecks(), 2);
    EXPECT_EQ(
        shown(other.dialogs),
        (Shown{{"SSF file import cancelled: nothing of this run was stored.", Icon::Information}}));
    EXPECT_EQ(test::tableSnapshot(other.state.connection), before);
    EXPECT_FALSE(other.state.connection.inTransaction());
    EXPECT_TRUE(folder.files().empty());
    EXPECT_FALSE(folder.importedAny());
    EXPECT_TRUE(folder.controlsEnabled());

    // A run that is not cancelled afterwards stores them all.
    other.dialogs.cancelAtCheck(0);
    other.dialogs.clear();
    EXPECT_TRUE(importer(other, out, SsfImportController::Choice::Folder).run());
    EXPECT_EQ(test::styleCount(other.state.connection), 5);
    EXPECT_FALSE(importing->job().cancelled());
    EXPECT_EQ(importing->job().summary(), "4 styles imported.");
}

TEST_F(SsfTransfer, ASingleFileThatCannotBeImportedSaysWhyAndStoresNothing) {
    ASSERT_TRUE(open({{57}, {}, false}, out).run());
    const std::string good = test::readFile(out / "CAFBAR.SSF");
    std::string longName = good;
    longName.replace(16, 13, "00012Caf\xE9-Bar-Bar");  // a name longer than its column
    test::writeFile(out / "long.SSF", longName);
    test::writeFile(out / "cut.SSF", good.substr(0, 37));
    test::writeFile(out / "text.SSF", "Dear musician");
    struct Case {
        std::string file;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"none.SSF", "SSF file not found"},
        {"text.SSF", (out / "text.SSF").string() + " is not a single style file."},
        {"cut.SSF", "The file " + (out / "cut.SSF").string() +
                        " is damaged: its second name is cut short: 6 bytes announced, 3 "
                        "present. Nothing was imported from it."},
        {"long.SSF", "The name of the style in " + (out / "long.SSF").string() +
                         " has 12 characters; it takes at most 11. Nothing was imported from it."},
    };
    for (const Case& c : cases) {
        other.dialogs.clear();
        EXPECT_FALSE(importer(other, out / c.file, SsfImportController::Choice::File).run());
        EXPECT_EQ(shown(other.dialogs), (Shown{{c.message, Icon::Critical}})) << c.file;
        EXPECT_EQ(test::styleCount(other.state.connection), 0);
    }
    // Search puts the chosen file's full path in the field; for a folder import it is a folder
    // dialog.
    other.dialogs.file((out / "cut.SSF").string());
    importing->search();
    EXPECT_EQ(importing->path(), (out / "cut.SSF").string());
    EXPECT_EQ(other.dialogs.calls().back().kind, test::ScriptedDialogs::Call::Kind::OpenFile);
    importing->setChoice(SsfImportController::Choice::Folder);
    other.dialogs.file(out.string());
    importing->search();
    EXPECT_EQ(importing->path(), out.string());
    EXPECT_EQ(other.dialogs.calls().back().kind, test::ScriptedDialogs::Call::Kind::Folder);
    EXPECT_EQ(other.settings.get("LASTFOLDER", "SSF", ""), out.string());
}

// What the commands alone say: the styles left out, a run stopped after a file was imported.
TEST_F(SsfTransfer, TheCommandsTellWhatWasLeftOutAndWhatWasImported) {
    const std::string database = (env.dir / "ORB.MDB").string();
    using test::Said;
    using test::told;
    const auto orb = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--db", database});
        return test::said(env.runCli(args));
    };
    // Each command closes the state's connection when it ends.
    const auto deleteStyle = [&](int prog) {
        Database other;
        other.open(database, Database::OpenMode::ExistingOnly);
        other.execute("DELETE FROM KORFStyles WHERE StyleProg = pStyleProg", {prog});
    };
    const std::string rocky = (out / "ROCKY.SSF").string();
    EXPECT_EQ(orb({"ssf-export", "95", "41", out.string()}),
              (Said{1, "Styles export to SSF file terminated without errors!\n" + rocky + "\n",
                    "These styles were not exported:\nStyle 95 HUGE: its first length 100000 "
                    "does not fit five digits.\n"}));
    EXPECT_EQ(test::namesIn(out), Texts{"ROCKY.SSF"});
    EXPECT_EQ(std::get<0>(orb({"ssf-export", "--all", out.string()})), 1);
    EXPECT_EQ(test::namesIn(out), (Texts{"CAFBAR.SSF", "ROCKY.SSF", "ROCKY_2.SSF", "STYLE88.SSF"}));
    EXPECT_EQ(orb({"ssf-export", "--bank", "9", out.string()}),
              test::refused("There is no bank 9."));
    EXPECT_EQ(orb({"ssf-import", rocky}),
              test::refused("SSF file import aborted: style already present"));
    deleteStyle(57);
    EXPECT_EQ(orb({"ssf-import", out.string()}),
              (Said{1, (out / "CAFBAR.SSF").string() + "\timported as style 96\tCaf\xC3\xA9-Bar\n",
                    "SSF file import aborted: style already present (" + rocky +
                        ")\n1 style imported, 2 files not read.\n"}));
    deleteStyle(88);
    EXPECT_EQ(orb({"ssf-import", (out / "STYLE88.SSF").string()}),
              told((out / "STYLE88.SSF").string() +
                   "\timported as style 97\t- -\nSSF file import ended without errors"));
    for (const std::vector<std::string>& usage : {Texts{"ssf-export", "x7", out.string()},
                                                  {"ssf-import", "--skip-present"},
                                                  {"ssf-import", out.string(), out.string()}}) {
        EXPECT_EQ(std::get<0>(orb(usage)), kExitUsage) << usage[1];
    }
}

}  // namespace
}  // namespace orb
