#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "db/bank_store.h"
#include "db/style_store.h"
#include "state/app_state.h"
#include "stylefiles/short_name.h"
#include "stylefiles/style_files_test_support.h"
#include "stylefiles/style_import.h"
#include "support/held_lock.h"
#include "support/sty_file_builder.h"
#include "support/table_snapshot.h"
#include "support/test_environment.h"
#include "support/what_was_said.h"

namespace orb {
namespace {

using Texts = std::vector<std::string>;

namespace fs = std::filesystem;
using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;
using test::bankFile;
using test::firstBlock;
using test::secondBlock;
using test::Shown;
using test::shown;
using test::styleCount;
using Banks = std::vector<std::pair<std::string, std::vector<std::int32_t>>>;

constexpr auto Folder = ImportRequest::Source::Folder;
constexpr auto File = ImportRequest::Source::File;

std::string summary(int styles, int skipped, const std::string& banks) {
    return "Style import ended: " + std::to_string(styles) + " style" + (styles == 1 ? "" : "s") +
           " imported, " + std::to_string(skipped) + " skipped as duplicates, " + banks + ".";
}

class StyleImport : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }
    // A controller as the window opens it for a folder or one file, on `path` in the folder.
    StyleImportController& open(ImportRequest::Source source, const std::string& path = "") {
        controller = std::make_unique<StyleImportController>(env.state, env.dialogs, &windows);
        controller->reopen(source);
        if (!path.empty()) {
            controller->setPath((env.dir / path).string());
        }
        return *controller;
    }
    void values(const std::array<std::string, 3>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            controller->setValue(i, texts[i]);
        }
    }
    Database& db() { return env.state.connection; }
    StyleRow stored(std::int32_t prog) { return test::storedStyle(db(), prog); }
    // Each stored bank in number order, with its slots up to the last filled one.
    Banks banks() {
        std::vector<BankRow> rows = BankStore(db()).all();
        std::sort(rows.begin(), rows.end(),
                  [](const BankRow& a, const BankRow& b) { return a.BankProg < b.BankProg; });
        Banks result;
        for (const BankRow& bank : rows) {
            auto end = bank.BankStyle.end();
            while (end != bank.BankStyle.begin() && end[-1] == 0) {
                --end;
            }
            result.emplace_back(bank.BankName,
                                std::vector<std::int32_t>(bank.BankStyle.begin(), end));
        }
        return result;
    }
    std::string descriptionOf(std::int32_t bank) { return BankStore(db()).find(bank)->BankDesc; }

    test::TestEnvironment env;
    test::RecordingWindows windows;
    std::unique_ptr<StyleImportController> controller;
};

TEST_F(StyleImport, ReopeningKeepsWhatWasTypedAndABlankPathStartsNothing) {
    StyleImportController& c = open(Folder);
    EXPECT_EQ(c.request(), ImportRequest{});
    EXPECT_FALSE(c.statusVisible());
    values({"Pop", "Live", "Me"});
    c.setPath("   ");
    c.setMode(DuplicateMode::OverwriteByName);
    c.setConfirmEachStyle(true);
    c.setSaveBankStructure(false);
    c.setIncludeSubFolders(true);
    EXPECT_FALSE(c.run());
    EXPECT_EQ(c.outcome(), ImportOutcome::NothingImported);

    // The options start afresh; the texts and the sub-folder box stay.
    c.reopen(File);
    ImportRequest expected;
    expected.source = File;
    expected.path = "   ";
    expected.values = {"Pop", "Live", "Me"};
    expected.includeSubFolders = true;
    EXPECT_EQ(c.request(), expected);
}

TEST_F(StyleImport, FolderOfThreeBanksAndAForeignFile) {
    const fs::path folder = env.dir / "banks";
    test::writeFile(folder / "A.STY", bankFile("ALPHA", 2, 1));
    test::writeFile(folder / "B.STY", bankFile("BETA", 3, 2));
    test::writeFile(folder / "x.sty", bankFile("XRAY", 1, 3));
    test::writeFile(folder / "D.STY", "KORGM and more bytes than a header holds, surely");
    test::writeFile(folder / "NOTES.TXT", bankFile("NOTE", 1, 4));
    StyleImportController& c = open(Folder, "banks");
    values({"Pop", "Ballads", "Mario Rossi"});
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(c.run());

    ASSERT_EQ(
        shown(env.dialogs),
        (Shown{{"Import process terminated. Should I show you the import log?", Icon::Question},
               {summary(6, 0, "3 banks stored"), Icon::Information}}));
    EXPECT_EQ(env.dialogs.calls()[0].title, "ORB Style import");
    EXPECT_EQ(env.dialogs.calls()[0].buttons, UserDialogs::Buttons::YesNo);
    EXPECT_EQ(windows.shownLogs,
              Texts{"D.STY is probably a style for KORG  iS40,iS50 arrangers\r\n"});

    EXPECT_EQ(styleCount(db()), 6);
    EXPECT_EQ(banks(), (Banks{{"A001", {1, 2}}, {"B002", {3, 4, 5}}, {"X003", {6}}}));
    EXPECT_EQ(descriptionOf(3), "");
    const std::string first = firstBlock(2, 1);
    const std::string second = secondBlock(2, 1);
    EXPECT_EQ(stored(4),
              (StyleRow{4, "BETA2      ", "BETA2B     ", static_cast<std::int32_t>(first.size()),
                        static_cast<std::int32_t>(second.size()), first, second, "2026/12/06", " ",
                        "Ballads", "Pop", "B.STY", "Mario Rossi"}));
    EXPECT_EQ(stored(6).StyleFile, "X.STY");
    EXPECT_EQ(std::tuple(c.job().value(), c.job().maximum()), std::tuple(4, 4));
    EXPECT_TRUE(c.statusVisible());
    EXPECT_EQ(c.status(2), folder.string());
    EXPECT_EQ(c.outcome(), ImportOutcome::RunStarted);
}

TEST_F(StyleImport, TheSameFileTwiceByContentThenEverythingNumberedOnFromTheHighest) {
    db().execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (41, 'OLD')");
    test::writeFile(env.dir / "USER01.STY", bankFile("ONE", 3, 9));
    StyleImportController& c = open(File, "USER01.STY");
    ASSERT_TRUE(c.run());
    // No log, so nothing is asked: the run only says what it did.
    EXPECT_EQ(env.dialogs.messages(), Texts{summary(3, 0, "1 bank stored")});

    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(db()), 4);
    std::string log;
    for (const char* name : {"ONE1 ", "ONE2 ", "ONE3 "}) {
        const std::string padded = name + std::string(6, ' ');
        log += "Style " + padded + " from file USER01.STY is the same as style " + padded +
               " from file USER01.STY, and will not be imported!\r\n";
    }
    EXPECT_EQ(windows.shownLogs, Texts{log});

    // Each run starts from the catalogue as it finds it.
    db().execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (50, 'LATER')");
    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(db()), 8);
    EXPECT_EQ(banks(), (Banks{{"USER0001", {42, 43, 44}},
                              {"USER0002", {42, 43, 44}},
                              {"USER0003", {51, 52, 53}}}));
    EXPECT_EQ(stored(53).StyleContent1, firstBlock(9, 2));
}

TEST_F(StyleImport, OverwriteByNameKeepsTheNumberAfterARestorePoint) {
    test::writeFile(env.dir / "OLD.STY", bankFile("SAME", 2, 5));
    test::writeFile(env.dir / "AGAIN.STY", bankFile("OTHER", 2, 8));
    // SAME2 comes back with other contents and no second part; NEW1 is not stored yet.
    test::StyFileBuilder newer;
    newer.style(0, "NEW1", firstBlock(6, 0), "NEW1B", secondBlock(6, 0))
        .style(1, "SAME2", firstBlock(6, 1), "SAME2B", "");
    test::writeFile(env.dir / "NEWER.STY", newer.bytes());
    const auto points = [&] { return env.state.restorePoints().list(env.state.DatabasePath); };
    // Into an empty catalogue nothing can be overwritten, nor by content.
    StyleImportController& c = open(File, "OLD.STY");
    c.setMode(DuplicateMode::OverwriteByName);
    ASSERT_TRUE(c.run());
    c.setMode(DuplicateMode::SkipSameContent);
    c.setPath((env.dir / "AGAIN.STY").string());
    ASSERT_TRUE(c.run());
    EXPECT_TRUE(points().empty());

    c.setPath((env.dir / "NEWER.STY").string());
    c.setMode(DuplicateMode::OverwriteByName);
    values({"Jazz", "", "Me"});
    ASSERT_TRUE(c.run());
    ASSERT_EQ(points().size(), 1u);
    EXPECT_EQ(points()[0].action, "importing NEWER.STY, which overwrites styles of the same name");
    EXPECT_EQ(points()[0].styles, 4);
    EXPECT_EQ(points()[0].banks, 2);
    EXPECT_EQ(styleCount(db()), 5);
    const std::string first = firstBlock(6, 1);
    EXPECT_EQ(stored(2), (StyleRow{2, "SAME2      ", "", static_cast<std::int32_t>(first.size()), 0,
                                   first, " ", "2026/12/06", " ", "", "Jazz", "NEWER.STY", "Me"}));
    Rows seek = db().query("SELECT StyleSeek FROM KORFStyles WHERE StyleProg = 2");
    ASSERT_TRUE(seek.next());
    EXPECT_EQ(seek.bytes(0), std::string_view(first).substr(0, 250));
    // The untouched style of the first file is still as it was.
    EXPECT_EQ(stored(1).StyleContent1, firstBlock(5, 0));
    EXPECT_EQ(banks().back(), (Banks::value_type{"NEWER003", {5, 2}}));

    // Without a restore point the import does not start.
    fs::remove_all(env.state.RestorePointFolder);
    test::writeFile(env.state.RestorePointFolder, "");
    const std::string before = test::tableSnapshot(db());
    env.dialogs.clear();
    c.setPath((env.dir / "AGAIN.STY").string());
    EXPECT_FALSE(c.run());
    ASSERT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_TRUE(env.dialogs.messages()[0].starts_with(
        "ORB could not keep a restore point before importing AGAIN.STY, which overwrites styles "
        "of the same name: the folder "))
        << env.dialogs.messages()[0];
    EXPECT_EQ(env.dialogs.calls()[0].icon, Icon::Critical);
    EXPECT_EQ(test::tableSnapshot(db()), before);
}

TEST_F(StyleImport, ConfirmDialogChoosesStylesAndValues) {
    test::writeFile(env.dir / "USER01.STY", bankFile("FIVE", 5, 11));
    StyleImportController& c = open(File, "USER01.STY");
    c.setConfirmEachStyle(true);
    values({"Rock", "Live", "Band"});
    windows.onConfirm = [](StyleConfirmation& dialog) {
        dialog.setChecked(1, false);
        dialog.setChecked(3, false);
        dialog.setValue(0, "Soft rock");
        EXPECT_TRUE(dialog.importSelected());
        return dialog.result();
    };
    ASSERT_TRUE(c.run());

    ASSERT_EQ(windows.shownConfirmations.size(), 1u);
    const StyleConfirmation& asked = windows.shownConfirmations[0];
    EXPECT_EQ(asked.caption(), "USER01.STY");
    EXPECT_EQ(asked.labels(),
              (std::array<std::string, 16>{"FIVE1      ", "FIVE2      ", "FIVE3      ",
                                           "FIVE4      ", "FIVE5      "}));
    EXPECT_EQ(asked.tags(), (std::array<int, 16>{1, 2, 3, 4, 5}));
    EXPECT_EQ(asked.checked(), (std::array<bool, 16>{true, true, true, true, true}));
    EXPECT_EQ(asked.values(),
              (StyleValues{"Rock", "Live", "Band", "Imported from file USER01.STY"}));
    EXPECT_EQ(styleCount(db()), 3);
    EXPECT_EQ(banks(), (Banks{{"USER0001", {1, 0, 2, 0, 3}}}));
    EXPECT_EQ(descriptionOf(1), "Imported from file USER01.STY");
    EXPECT_EQ(stored(2).StyleName1, "FIVE3      ");
    EXPECT_EQ(stored(2).StyleFamily, "Soft rock");

    // Closed without "Import Selected Styles": nothing of the bank is imported, whatever the
    // boxes of an earlier bank said.
    windows.onConfirm = [](const StyleConfirmation&) { return std::nullopt; };
    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(db()), 3);
    EXPECT_EQ(banks().back(), (Banks::value_type{"USER0002", {}}));
}

TEST_F(StyleImport, ConfirmationSelectsAndRefusesValuesTheFilesCannotCarry) {
    // A style without a name is still a style.
    const std::vector<BankFileStyle> styles = {{1, "A", "", 1, 0, "x", ""},
                                               {2, "", "", 1, 0, "y", ""}};
    StyleConfirmation dialog(env.dialogs);
    dialog.fill(styles, "Q.STY", {"Pop", "Live", "Me", "ignored"});
    dialog.unselectAll();
    EXPECT_EQ(dialog.checked(), (std::array<bool, 16>{}));
    dialog.selectAll();
    EXPECT_EQ(dialog.checked(), (std::array<bool, 16>{true, true}));
    dialog.setChecked(0, false);

    // The same gate as the import's values (see below), and the bank's description; "è" passes.
    const std::string description = dialog.values()[3];
    dialog.setValue(3, "\xCE\xB1\xCE\xB2");
    EXPECT_FALSE(dialog.importSelected());
    dialog.setValue(3, description);
    EXPECT_EQ(shown(env.dialogs),
              (Shown{{"The description of the imported bank holds \"\xCE\xB1\", "
                      "which the keyboard's files cannot carry (Windows-1252 only).",
                      Icon::Exclamation}}));
    EXPECT_FALSE(dialog.result());

    dialog.setValue(2, "M\xC3\xA8");
    ASSERT_TRUE(dialog.importSelected());
    EXPECT_EQ(
        dialog.result(),
        (StyleSelection{{false, true}, {"Pop", "Live", "M\xC3\xA8", "Imported from file Q.STY"}}));
}

TEST_F(StyleImport, ACancelledOrFailedRunLeavesTheCatalogueAsItWas) {
    test::writeFile(env.dir / "FIRST.STY", bankFile("OLD", 3, 20));
    ASSERT_TRUE(open(File, "FIRST.STY").run());
    std::string before = test::tableSnapshot(db());
    for (int i = 1; i <= 4; ++i) {
        test::writeFile(env.dir / "run" / ("F" + std::to_string(i) + ".STY"),
                        bankFile("N" + std::to_string(i), 2, 40 + static_cast<unsigned>(i)));
    }
    // Checks: F1 begins (1), its two styles (2, 3), F1 done with its bank (4).
    env.dialogs.clear();
    env.dialogs.cancelAtCheck(4);
    StyleImportController& run = open(Folder, "run");
    EXPECT_FALSE(run.run());
    EXPECT_EQ(env.dialogs.cancelChecks(), 4);
    EXPECT_EQ(test::tableSnapshot(db()), before);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"Style import cancelled: nothing of this run was stored."});
    EXPECT_TRUE(run.job().cancelled());
    EXPECT_EQ(run.tally(), ImportTally{});
    EXPECT_TRUE(run.controlsEnabled());
    EXPECT_FALSE(run.progressVisible());

    // Started again, the same run goes through, its bar to the end.
    env.dialogs.clear();
    env.dialogs.cancelAtCheck(0);
    EXPECT_TRUE(run.run());
    EXPECT_EQ(styleCount(db()), 11);
    EXPECT_EQ(run.job().value(), 4);
    EXPECT_FALSE(run.job().cancelled());
    EXPECT_EQ(env.dialogs.messages(), Texts{summary(8, 0, "4 banks stored")});

    // A fifth file cut inside a content chunk: the error names it, nothing of the run stays.
    std::string cut = bankFile("N5", 2, 35);
    cut.resize(cut.size() - 100);
    test::writeFile(env.dir / "run" / "F5.STY", cut);
    test::writeFile(env.dir / "run" / "F6.STY", bankFile("N6", 2, 36));
    before = test::tableSnapshot(db());
    env.dialogs.clear();
    run.setMode(DuplicateMode::ImportEverything);
    EXPECT_FALSE(run.run());
    EXPECT_EQ(test::tableSnapshot(db()), before);
    EXPECT_FALSE(db().inTransaction());
    ASSERT_EQ(env.dialogs.calls().size(), 1u);
    const auto& message = env.dialogs.calls()[0];
    EXPECT_EQ(std::tie(message.icon, message.title), std::tuple(Icon::Critical, "ORB"));
    EXPECT_NE(message.text.find("F5.STY"), std::string::npos) << message.text;
    EXPECT_TRUE(run.controlsEnabled());
    EXPECT_EQ(run.outcome(), ImportOutcome::RunStarted);
}

TEST_F(StyleImport, ARefusedStoreStopsTheRun) {
    test::writeFile(env.dir / "A.STY", bankFile("GOOD", 1, 40));
    test::writeFile(env.dir / "B.STY", bankFile("LONG", 2, 41));
    StyleImportController& c = open(Folder);
    c.setPath(env.dir.path().string());
    c.setConfirmEachStyle(true);
    // Only a dialog can bring a value the gate refuses this far; the store refuses it.
    windows.onConfirm = [](const StyleConfirmation& dialog) {
        StyleSelection selection{dialog.checked(), dialog.values()};
        if (dialog.caption() == "B.STY") {
            selection.values[2] = std::string(51, 'a');
        }
        return std::optional<StyleSelection>(selection);
    };
    EXPECT_FALSE(c.run());
    EXPECT_EQ(styleCount(db()), 0);
    EXPECT_TRUE(banks().empty());
    EXPECT_EQ(shown(env.dialogs),
              (Shown{{"The author of the style LONG1 of B.STY has 51 characters; "
                      "it takes at most 50. Nothing of this run was stored.",
                      Icon::Critical}}));
}

TEST_F(StyleImport, ADatabaseInUseIsWaitedForThenToldAndNothingIsStored) {
    const test::ShortBusyTimeout timeout;
    db().open(env.state.DatabasePath, Database::OpenMode::ExistingOnly);  // to wait that long
    test::writeFile(env.dir / "A.STY", bankFile("GOOD", 2, 40));
    StyleImportController& c = open(File, "A.STY");
    {
        const test::AnotherProgramsLock lock(env.state.DatabasePath);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(c.run());
        EXPECT_GE(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(test::ShortBusyTimeout::kMilliseconds - 50));
        EXPECT_EQ(shown(env.dialogs),
                  (Shown{{test::inUseText(env.state.DatabasePath), Icon::Critical}}));
        EXPECT_EQ(styleCount(db()), 0);
        EXPECT_FALSE(db().inTransaction());
    }
    EXPECT_TRUE(c.run());
    EXPECT_EQ(styleCount(db()), 2);
}

TEST_F(StyleImport, ValuesTooLongOrNotWindows1252AreRefusedFirst) {
    test::writeFile(env.dir / "A.STY", bankFile("GOOD", 1, 40));
    StyleImportController& c = open(File, "A.STY");
    c.setMode(DuplicateMode::ImportEverything);
    // Characters are counted, not bytes: twenty "è" fit.
    std::string accents;
    for (int i = 0; i < 20; ++i) {
        accents += "\xC3\xA8";
    }
    for (const auto& fitting :
         {std::array<std::string, 3>{std::string(20, 'f'), "", std::string(50, 'a')},
          {"", accents, ""}}) {
        values(fitting);
        ASSERT_TRUE(c.run());
    }
    EXPECT_EQ(styleCount(db()), 2);

    env.dialogs.clear();
    // Emoji, CJK and Greek have no Windows-1252 byte.
    for (const auto& refused : {std::array<std::string, 3>{"", "", std::string(51, 'a')},
                                {std::string(21, 'f'), "", ""},
                                {"Pop \xF0\x9F\x98\x80", "", ""},
                                {"", "\xE6\xBC\xA2\xE5\xAD\x97", ""},
                                {"", "", "\xCE\xA3\xCF\x89"}}) {
        values(refused);
        EXPECT_FALSE(c.run());
    }
    const std::string cannot = ", which the keyboard's files cannot carry (Windows-1252 only).";
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"The author of the imported styles has 51 characters; it takes at most 50.",
                     "The family of the imported styles has 21 characters; it takes at most 20.",
                     "The family of the imported styles holds \"\xF0\x9F\x98\x80\"" + cannot,
                     "The group of the imported styles holds \"\xE6\xBC\xA2\"" + cannot,
                     "The author of the imported styles holds \"\xCE\xA3\"" + cannot}));
    EXPECT_EQ(env.dialogs.calls()[0].icon, Icon::Exclamation);
    EXPECT_EQ(styleCount(db()), 2);
}

TEST_F(StyleImport, LogLinesForFilesThatAreNoPaBanks) {
    const std::string tail = " and more bytes than any header holds";
    test::writeFile(env.dir / "other" / "I3.STY", "KORG9" + tail);
    test::writeFile(env.dir / "other" / "I5.STY", "KORG<" + tail);
    test::writeFile(env.dir / "other" / "IS40.STY", "KORGM" + tail);
    test::writeFile(env.dir / "other" / "I30.STY", "KORGI" + tail);
    test::writeFile(env.dir / "other" / "TEXT.STY", "just text");
    StyleImportController& c = open(Folder, "other");
    env.dialogs.answer(Answer::No);
    ASSERT_TRUE(c.run());
    EXPECT_TRUE(windows.shownLogs.empty());
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(windows.shownLogs,
              Texts{"I3.STY is probably a style for KORG  i3,i2,i1,i4s arrangers\r\n"
                    "I30.STY is probably a style for KORG  i30 arranger\r\n"
                    "I5.STY is probably a style for KORG  i5 arranger\r\n"
                    "IS40.STY is probably a style for KORG  iS40,iS50 arrangers\r\n"
                    "TEXT.STY is not a Pa style, is damaged, its format is unknown or you have no "
                    "rights to access it!\r\n"});
    EXPECT_TRUE(banks().empty());
}

TEST_F(StyleImport, TwoBanksAndAnEmptyBank) {
    test::StyFileBuilder two;
    two.style(0, "LOW", firstBlock(50, 0), "LOWB", secondBlock(50, 0), 17)
        .style(0, "HIGH", firstBlock(51, 0), "HIGHB", secondBlock(51, 0), 18)
        .style(3, "HIGH4", firstBlock(51, 3), "HIGH4B", secondBlock(51, 3), 18);
    test::writeFile(env.dir / "Party Mix.sty", two.bytes());
    test::writeFile(env.dir / "EMPTY.STY", test::StyFileBuilder().bytes());
    StyleImportController& c = open(File, "Party Mix.sty");
    c.setConfirmEachStyle(true);
    ASSERT_TRUE(c.run());
    ASSERT_EQ(windows.shownConfirmations.size(), 2u);
    EXPECT_EQ(windows.shownConfirmations[0].caption(), "Party Mix.sty - bank 1 of 2");
    EXPECT_EQ(windows.shownConfirmations[1].caption(), "Party Mix.sty - bank 2 of 2");
    c.setConfirmEachStyle(false);
    c.setPath((env.dir / "EMPTY.STY").string());
    ASSERT_TRUE(c.run());
    EXPECT_EQ(banks(), (Banks{{"PARTY001", {1}}, {"PARTY002", {2, 3}}, {"EMPTY003", {}}}));
    EXPECT_EQ(descriptionOf(2), "Imported from file PARTYM~1.STY");
    EXPECT_EQ(stored(3).StyleName1, "HIGH4      ");
}

TEST_F(StyleImport, SubFoldersDepthFirstInNameOrder) {
    const fs::path root = env.dir / "root";
    test::writeFile(root / "B.STY", bankFile("ROOT", 1, 60));
    test::writeFile(root / "A" / "A.STY", bankFile("SUBA", 1, 61));
    test::writeFile(root / "A" / "DEEP" / "Z.STY", bankFile("DEEP", 1, 62));
    test::writeFile(root / "C" / "C.STY", bankFile("SUBC", 1, 63));
    fs::create_symlink(root, root / "C" / "LOOP");
    StyleImportController& c = open(Folder, "root");
    ASSERT_TRUE(c.run());
    c.setIncludeSubFolders(true);
    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(c.job().maximum(), 4);
    EXPECT_EQ(test::column(db(), "SELECT StyleName1 FROM KORFStyles ORDER BY StyleProg"),
              (Texts{"ROOT1      ", "ROOT1      ", "SUBA1      ", "DEEP1      ", "SUBC1      "}));
}

TEST_F(StyleImport, SearchFillsThePathAndAMissingOneIsAnError) {
    const fs::path file = env.dir / "in" / "USER01.STY";
    const std::string in = file.parent_path().string();
    test::writeFile(file, bankFile("S", 1, 70));
    using Kind = test::ScriptedDialogs::Call::Kind;
    // A folder import picks a folder, starting in the folder typed when there is one.
    StyleImportController& folder = open(Folder);
    folder.setPath(env.dir.path().string());
    env.dialogs.file(in);
    folder.search();
    env.dialogs.file("");
    folder.search();
    EXPECT_EQ(folder.request().path, in);
    const auto& calls = env.dialogs.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Folder);
    EXPECT_EQ(calls[0].proposal, env.dir.path().string());
    EXPECT_EQ(calls[1].proposal, in);

    // A file import opens a bank file, starting in the folder last used for bank files.
    StyleImportController& single = open(File);
    env.dialogs.file(file.string());
    single.search();
    EXPECT_EQ(single.request().path, file.string());
    EXPECT_EQ(calls.back().kind, Kind::OpenFile);
    EXPECT_EQ(calls.back().text, "Styles (*.STY)|*.STY");
    EXPECT_EQ(calls.back().proposal, in);

    // A missing file or folder is an error.
    env.dialogs.clear();
    EXPECT_FALSE(open(File, "NONE.STY").run());
    EXPECT_FALSE(open(Folder, "nowhere").run());
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"The file " + (env.dir / "NONE.STY").string() + " does not exist.",
                     "The folder " + (env.dir / "nowhere").string() + " does not exist."}));
}

TEST(ShortFileName, KeepsDosNamesShortensTheRestAndNamesTheBanks) {
    EXPECT_EQ(shortFileName("/music/USER01.STY"), "USER01.STY");
    EXPECT_EQ(shortFileName("/music/user01.sty"), "USER01.STY");
    EXPECT_EQ(shortFileName("x.sty"), "X.STY");
    EXPECT_EQ(shortFileName("README"), "README");
    EXPECT_EQ(shortFileName("/a/My Rock Set.sty"), "MYROCK~1.STY");
    EXPECT_EQ(shortFileName("/a/LONGNAME9.STY"), "LONGNA~1.STY");
    EXPECT_EQ(shortFileName("/a/bank.style"), "BANK~1.STY");
    EXPECT_EQ(shortFileName("/a/it's.sty"), "ITS~1.STY");
    EXPECT_EQ(shortFileName("/a/a.b.sty"), "AB~1.STY");
    EXPECT_EQ(shortFileName("/a/Caf\xC3\xA9 Latin.sty"), "CAFLAT~1.STY");
    EXPECT_EQ(shortFileName("/a/noext."), "NOEXT~1");
    // Whatever the name, the result fits the catalogue's 20-character file column.
    EXPECT_LE(shortFileName("/a/A very long name with many words.something").size(), 12u);
    EXPECT_EQ(importedBankName("USER01.STY", 7), "USER0007");
    EXPECT_EQ(importedBankName("X.STY", 12), "X012");
    EXPECT_EQ(importedBankName("MYROCK~1.STY", 1234), "MYROC1234");
    EXPECT_EQ(importedBankName("abcdefgh.sty", 1), "ABCDE001");
}

}  // namespace
}  // namespace orb
