#include <gtest/gtest.h>

#include <chrono>

#include "db/style_store.h"
#include "state/app_state.h"
#include "stylefiles/import_test_support.h"
#include "stylefiles/style_import.h"
#include "support/held_lock.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using Answer = UserDialogs::Answer;
using Icon = UserDialogs::Icon;
using test::bankFile;
using test::bankRows;
using test::firstBlock;
using test::secondBlock;
using test::styleCount;

std::vector<std::int32_t> slotsOf(std::initializer_list<std::int32_t> filled) {
    std::vector<std::int32_t> slots(filled);
    slots.resize(16, 0);
    return slots;
}

StyleRow storedStyle(test::TestEnvironment& env, std::int32_t prog) {
    const std::optional<StyleRow> style = StyleStore(env.state.connection).find(prog);
    EXPECT_TRUE(style.has_value()) << prog;
    return style.value_or(StyleRow{});
}

constexpr auto Folder = ImportRequest::Source::Folder;
constexpr auto File = ImportRequest::Source::File;

void setValues(StyleImportController& c, const std::array<std::string, 3>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        c.setValue(i, values[i]);
    }
}

struct ImportFixture {
    ImportFixture() { env.openFreshDatabase(); }
    // A controller as the window opens it for a folder or one file.
    StyleImportController& open(ImportRequest::Source source) {
        controller = std::make_unique<StyleImportController>(env.state, env.dialogs, &windows);
        controller->reopen(source);
        return *controller;
    }

    test::TestEnvironment env;
    test::RecordingWindows windows;
    std::unique_ptr<StyleImportController> controller;
};

TEST(StyleImport, BankNamesFollowTheShortName) {
    EXPECT_EQ(importedBankName("USER01.STY", 7), "USER0007");
    EXPECT_EQ(importedBankName("X.STY", 12), "X012");
    EXPECT_EQ(importedBankName("MYROCK~1.STY", 1234), "MYROC1234");
    EXPECT_EQ(importedBankName("abcdefgh.sty", 1), "ABCDE001");
}

TEST(StyleImport, OpeningSetsTheOptionsAndLabelsOfBothModes) {
    ImportFixture f;
    StyleImportController& c = f.open(Folder);
    EXPECT_EQ(c.request(), ImportRequest{});
    EXPECT_EQ(c.pathCaption(), "Folder to scan");
    EXPECT_TRUE(c.subFoldersVisible());
    EXPECT_FALSE(c.statusVisible());
    EXPECT_EQ(c.outcome(), ImportOutcome::NothingImported);
    setValues(c, {"Pop", "Live", "Me"});
    c.setPath("   ");
    c.setMode(DuplicateMode::OverwriteByName);
    c.setConfirmEachStyle(true);
    c.setSaveBankStructure(false);
    c.setIncludeSubFolders(true);
    // A blank path starts nothing.
    EXPECT_FALSE(c.run());
    EXPECT_EQ(c.outcome(), ImportOutcome::NothingImported);

    // Opening again keeps what was typed and the sub-folder box; the options start afresh.
    c.reopen(File);
    ImportRequest expected;
    expected.source = File;
    expected.path = "   ";
    expected.values = {"Pop", "Live", "Me"};
    expected.includeSubFolders = true;
    EXPECT_EQ(c.request(), expected);
    EXPECT_EQ(c.pathCaption(), "File to search");
    EXPECT_FALSE(c.subFoldersVisible());
}

TEST(StyleImport, FolderOfThreeBanksAndAForeignFile) {
    ImportFixture f;
    const fs::path folder = f.env.dir / "banks";
    test::writeFile(folder / "A.STY", bankFile("ALPHA", 2, 1));
    test::writeFile(folder / "B.STY", bankFile("BETA", 3, 2));
    test::writeFile(folder / "x.sty", bankFile("XRAY", 1, 3));
    test::writeFile(folder / "D.STY", "KORGM and more bytes than a header holds, surely");
    test::writeFile(folder / "NOTES.TXT", bankFile("NOTE", 1, 4));
    StyleImportController& c = f.open(Folder);
    c.setPath(folder.string());
    setValues(c, {"Pop", "Ballads", "Mario Rossi"});
    f.env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(c.run());

    ASSERT_EQ(f.env.dialogs.calls().size(), 2u);
    const auto& question = f.env.dialogs.calls()[0];
    EXPECT_EQ(question.text, "Import process terminated. Should I show you the import log?");
    EXPECT_EQ(question.title, "ORB Style import");
    EXPECT_EQ(question.icon, Icon::Question);
    EXPECT_EQ(question.buttons, UserDialogs::Buttons::YesNo);
    ASSERT_EQ(f.windows.shownLogs.size(), 1u);
    EXPECT_EQ(f.windows.shownLogs[0],
              "D.STY is probably a style for KORG  iS40,iS50 arrangers\r\n");
    EXPECT_TRUE(c.log().empty());
    EXPECT_EQ(f.env.dialogs.calls()[1].text,
              "Style import ended: 6 styles imported, 0 skipped as duplicates, 3 banks stored.");
    EXPECT_EQ(f.env.dialogs.calls()[1].icon, Icon::Information);

    Database& db = f.env.state.connection;
    EXPECT_EQ(styleCount(db), 6);
    const auto banks = bankRows(db);
    ASSERT_EQ(banks.size(), 3u);
    EXPECT_EQ(banks[0].name, "A001");
    EXPECT_EQ(banks[0].styles, slotsOf({1, 2}));
    EXPECT_EQ(banks[1].name, "B002");
    EXPECT_EQ(banks[1].styles, slotsOf({3, 4, 5}));
    EXPECT_EQ(banks[2].name, "X003");
    EXPECT_EQ(banks[2].styles, slotsOf({6}));
    EXPECT_EQ(banks[2].desc, "");

    const StyleRow beta2 = storedStyle(f.env, 4);
    EXPECT_EQ(beta2.StyleName1, "BETA2      ");
    EXPECT_EQ(beta2.StyleName2, "BETA2B     ");
    EXPECT_EQ(beta2.StyleContent1, firstBlock(2, 1));
    EXPECT_EQ(beta2.StyleContent2, secondBlock(2, 1));
    EXPECT_EQ(beta2.StyleLength1, static_cast<std::int32_t>(firstBlock(2, 1).size()));
    EXPECT_EQ(beta2.StyleLength2, static_cast<std::int32_t>(secondBlock(2, 1).size()));
    EXPECT_EQ(beta2.StyleDate, "2026/12/06");
    EXPECT_EQ(beta2.StyleDesc, " ");
    EXPECT_EQ(beta2.StyleFamily, "Pop");
    EXPECT_EQ(beta2.StyleCat, "Ballads");
    EXPECT_EQ(beta2.StyleAuthor, "Mario Rossi");
    EXPECT_EQ(beta2.StyleFile, "B.STY");
    EXPECT_EQ(storedStyle(f.env, 6).StyleFile, "X.STY");

    EXPECT_EQ(c.job().maximum(), 4);
    EXPECT_EQ(c.job().value(), 4);
    EXPECT_TRUE(c.controlsEnabled());
    EXPECT_TRUE(c.statusVisible());
    EXPECT_EQ(c.status(0), "");
    EXPECT_EQ(c.status(1), "");
    EXPECT_EQ(c.status(2), folder.string());
    EXPECT_EQ(c.outcome(), ImportOutcome::RunStarted);
}

TEST(StyleImport, TheSameFileTwiceByContentThenEverything) {
    ImportFixture f;
    const fs::path file = f.env.dir / "USER01.STY";
    test::writeFile(file, bankFile("ONE", 3, 9));
    StyleImportController& c = f.open(File);
    c.setPath(file.string());
    ASSERT_TRUE(c.run());
    // No log, so nothing is asked: the run only says what it did.
    EXPECT_EQ(
        f.env.dialogs.messages(),
        std::vector<std::string>{
            "Style import ended: 3 styles imported, 0 skipped as duplicates, 1 bank stored."});

    f.env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(c.run());
    Database& db = f.env.state.connection;
    EXPECT_EQ(styleCount(db), 3);
    ASSERT_EQ(f.windows.shownLogs.size(), 1u);
    EXPECT_EQ(f.windows.shownLogs[0],
              "Style ONE1        from file USER01.STY is the same as style ONE1        from file "
              "USER01.STY, and will not be imported!\r\n"
              "Style ONE2        from file USER01.STY is the same as style ONE2        from file "
              "USER01.STY, and will not be imported!\r\n"
              "Style ONE3        from file USER01.STY is the same as style ONE3        from file "
              "USER01.STY, and will not be imported!\r\n");

    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(db), 6);
    const auto banks = bankRows(db);
    ASSERT_EQ(banks.size(), 3u);
    EXPECT_EQ(banks[0].name, "USER0001");
    EXPECT_EQ(banks[0].styles, slotsOf({1, 2, 3}));
    EXPECT_EQ(banks[1].name, "USER0002");
    EXPECT_EQ(banks[1].styles, slotsOf({1, 2, 3}));
    EXPECT_EQ(banks[2].styles, slotsOf({4, 5, 6}));
    EXPECT_EQ(storedStyle(f.env, 6).StyleContent1, firstBlock(9, 2));
}

TEST(StyleImport, NewStylesAreNumberedOnFromTheHighestStoredOne) {
    ImportFixture f;
    Database& db = f.env.state.connection;
    db.execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (41, 'OLD')");
    test::writeFile(f.env.dir / "USER01.STY", bankFile("ONE", 3, 9));
    test::writeFile(f.env.dir / "USER02.STY", bankFile("TWO", 2, 12));
    StyleImportController& c = f.open(File);
    c.setPath((f.env.dir / "USER01.STY").string());
    ASSERT_TRUE(c.run());
    // Each run starts from the catalogue as it finds it.
    db.execute("INSERT INTO KORFStyles (StyleProg, StyleName1) VALUES (50, 'LATER')");
    c.setPath((f.env.dir / "USER02.STY").string());
    ASSERT_TRUE(c.run());

    const auto banks = bankRows(db);
    ASSERT_EQ(banks.size(), 2u);
    EXPECT_EQ(banks[0].styles, slotsOf({42, 43, 44}));
    EXPECT_EQ(banks[1].styles, slotsOf({51, 52}));
    EXPECT_EQ(storedStyle(f.env, 52).StyleContent1, firstBlock(12, 1));
}

TEST(StyleImport, OnlyAnImportThatMayOverwriteKeepsARestorePoint) {
    ImportFixture f;
    test::writeFile(f.env.dir / "OLD.STY", bankFile("SAME", 2, 5));
    test::writeFile(f.env.dir / "AGAIN.STY", bankFile("SAME", 2, 8));
    test::writeFile(f.env.dir / "THIRD.STY", bankFile("SAME", 2, 11));
    const auto points = [&] { return f.env.state.restorePoints().list(f.env.state.DatabasePath); };
    StyleImportController& c = f.open(File);
    // Into an empty catalogue nothing can be overwritten.
    c.setMode(DuplicateMode::OverwriteByName);
    c.setPath((f.env.dir / "OLD.STY").string());
    ASSERT_TRUE(c.run());
    c.setMode(DuplicateMode::SkipSameContent);
    c.setPath((f.env.dir / "AGAIN.STY").string());
    ASSERT_TRUE(c.run());
    EXPECT_TRUE(points().empty());
    EXPECT_EQ(styleCount(f.env.state.connection), 4);

    c.setMode(DuplicateMode::OverwriteByName);
    ASSERT_TRUE(c.run());
    ASSERT_EQ(points().size(), 1u);
    EXPECT_EQ(points()[0].action, "importing AGAIN.STY, which overwrites styles of the same name");
    EXPECT_EQ(points()[0].styles, 4);
    EXPECT_EQ(points()[0].banks, 2);

    // Without a restore point the import does not start.
    fs::remove_all(f.env.state.RestorePointFolder);
    test::writeFile(f.env.state.RestorePointFolder, "");
    const std::int64_t banksBefore =
        static_cast<std::int64_t>(bankRows(f.env.state.connection).size());
    f.env.dialogs.clear();
    c.setPath((f.env.dir / "THIRD.STY").string());
    EXPECT_FALSE(c.run());
    ASSERT_EQ(f.env.dialogs.messages().size(), 1u);
    EXPECT_TRUE(f.env.dialogs.messages()[0].starts_with(
        "ORB could not keep a restore point before importing THIRD.STY, which overwrites styles "
        "of the same name: the folder "))
        << f.env.dialogs.messages()[0];
    EXPECT_EQ(f.env.dialogs.calls()[0].icon, Icon::Critical);
    EXPECT_EQ(static_cast<std::int64_t>(bankRows(f.env.state.connection).size()), banksBefore);
    EXPECT_EQ(storedStyle(f.env, 1).StyleContent1, firstBlock(8, 0));
}

TEST(StyleImport, OverwriteByNameKeepsTheNumber) {
    ImportFixture f;
    test::writeFile(f.env.dir / "OLD.STY", bankFile("SAME", 2, 5));
    // SAME2 comes back with other contents; NEW1 is not stored yet.
    test::StyFileBuilder builder;
    builder.style(0, "NEW1", firstBlock(6, 0), "NEW1B", secondBlock(6, 0))
        .style(1, "SAME2", firstBlock(6, 1), "SAME2B", "");
    test::writeFile(f.env.dir / "NEWER.STY", builder.bytes());

    StyleImportController& c = f.open(File);
    c.setPath((f.env.dir / "OLD.STY").string());
    ASSERT_TRUE(c.run());
    c.setPath((f.env.dir / "NEWER.STY").string());
    c.setMode(DuplicateMode::OverwriteByName);
    setValues(c, {"Jazz", "", "Me"});
    ASSERT_TRUE(c.run());

    Database& db = f.env.state.connection;
    EXPECT_EQ(styleCount(db), 3);
    const StyleRow overwritten = storedStyle(f.env, 2);
    EXPECT_EQ(overwritten.StyleName1, "SAME2      ");
    EXPECT_EQ(overwritten.StyleName2, "");
    EXPECT_EQ(overwritten.StyleContent1, firstBlock(6, 1));
    EXPECT_EQ(overwritten.StyleLength1, static_cast<std::int32_t>(firstBlock(6, 1).size()));
    EXPECT_EQ(overwritten.StyleContent2, " ");
    EXPECT_EQ(overwritten.StyleLength2, 0);
    EXPECT_EQ(overwritten.StyleFile, "NEWER.STY");
    EXPECT_EQ(overwritten.StyleFamily, "Jazz");
    EXPECT_EQ(overwritten.StyleAuthor, "Me");
    Rows seek = db.query("SELECT StyleSeek FROM KORFStyles WHERE StyleProg = 2");
    ASSERT_TRUE(seek.next());
    EXPECT_EQ(seek.bytes(0), std::string_view(firstBlock(6, 1)).substr(0, 250));
    // The untouched style of the first file is still as it was.
    EXPECT_EQ(storedStyle(f.env, 1).StyleContent1, firstBlock(5, 0));
    const auto banks = bankRows(db);
    ASSERT_EQ(banks.size(), 2u);
    EXPECT_EQ(banks[1].name, "NEWER002");
    EXPECT_EQ(banks[1].styles, slotsOf({3, 2}));
}

TEST(StyleImport, ConfirmDialogChoosesStylesAndValues) {
    ImportFixture f;
    const fs::path file = f.env.dir / "USER01.STY";
    test::writeFile(file, bankFile("FIVE", 5, 11));
    StyleImportController& c = f.open(File);
    c.setPath(file.string());
    c.setConfirmEachStyle(true);
    setValues(c, {"Rock", "Live", "Band"});
    f.windows.onConfirm = [](StyleConfirmation& dialog) {
        dialog.setChecked(1, false);
        dialog.setChecked(3, false);
        dialog.setValue(0, "Soft rock");
        EXPECT_TRUE(dialog.importSelected());
        return dialog.result();
    };
    ASSERT_TRUE(c.run());

    ASSERT_EQ(f.windows.shownConfirmations.size(), 1u);
    const StyleConfirmation& shown = f.windows.shownConfirmations[0];
    EXPECT_EQ(shown.caption(), "USER01.STY");
    EXPECT_EQ(shown.labels()[0], "FIVE1      ");
    EXPECT_EQ(shown.labels()[4], "FIVE5      ");
    EXPECT_EQ(shown.labels()[5], "");
    EXPECT_EQ(shown.tags(), (std::array<int, 16>{1, 2, 3, 4, 5}));
    EXPECT_EQ(shown.checked(), (std::array<bool, 16>{true, true, true, true, true}));
    EXPECT_EQ(shown.values(),
              (StyleValues{"Rock", "Live", "Band", "Imported from file USER01.STY"}));

    Database& db = f.env.state.connection;
    EXPECT_EQ(styleCount(db), 3);
    const auto banks = bankRows(db);
    ASSERT_EQ(banks.size(), 1u);
    EXPECT_EQ(banks[0].styles, slotsOf({1, 0, 2, 0, 3}));
    EXPECT_EQ(banks[0].desc, "Imported from file USER01.STY");
    EXPECT_EQ(storedStyle(f.env, 2).StyleName1, "FIVE3      ");
    EXPECT_EQ(storedStyle(f.env, 2).StyleFamily, "Soft rock");

    // Closed without "Import Selected Styles": nothing of the bank is imported, whatever the
    // boxes of an earlier bank said.
    f.windows.onConfirm = [](const StyleConfirmation&) { return std::nullopt; };
    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(db), 3);
    EXPECT_EQ(bankRows(db).back().styles, slotsOf({}));
}

TEST(StyleImport, ConfirmationSelectsAndRefusesValuesTheFilesCannotCarry) {
    test::TestEnvironment env;
    std::vector<BankFileStyle> styles;
    styles.push_back({1, "A", "", 1, 0, "x", ""});
    styles.push_back({2, "", "", 1, 0, "y", ""});  // a style without a name is still a style
    StyleConfirmation dialog(env.dialogs);
    dialog.fill(styles, "Q.STY", {"Pop", "Live", "Me", "ignored"});
    dialog.unselectAll();
    EXPECT_EQ(dialog.checked(), (std::array<bool, 16>{}));
    dialog.selectAll();
    EXPECT_EQ(dialog.checked(), (std::array<bool, 16>{true, true}));
    dialog.setChecked(0, false);

    // Emoji, CJK and Greek have no Windows-1252 byte; "è" has one.
    const std::pair<std::size_t, std::string> refused[] = {
        {0, "Pop \xF0\x9F\x98\x80"}, {1, "\xE6\xBC\xA2"}, {3, "\xCE\xB1\xCE\xB2"}};
    for (const auto& [index, text] : refused) {
        const std::string before = dialog.values()[index];
        dialog.setValue(index, text);
        EXPECT_FALSE(dialog.importSelected());
        dialog.setValue(index, before);
    }
    ASSERT_EQ(env.dialogs.messages(),
              (std::vector<std::string>{
                  "The family of the imported styles holds \"\xF0\x9F\x98\x80\", which the "
                  "keyboard's files cannot carry (Windows-1252 only).",
                  "The group of the imported styles holds \"\xE6\xBC\xA2\", which the keyboard's "
                  "files cannot carry (Windows-1252 only).",
                  "The description of the imported bank holds \"\xCE\xB1\", which the "
                  "keyboard's files cannot carry (Windows-1252 only)."}));
    EXPECT_EQ(env.dialogs.calls()[0].icon, Icon::Exclamation);
    EXPECT_FALSE(dialog.result());

    dialog.setValue(2, "M\xC3\xA8");
    ASSERT_TRUE(dialog.importSelected());
    StyleSelection expected;
    expected.selected[1] = true;
    expected.values = {"Pop", "Live", "M\xC3\xA8", "Imported from file Q.STY"};
    EXPECT_EQ(dialog.result(), expected);
}

// A cancelled run and a run that meets a damaged fifth file both leave the catalogue as it was;
// each run ends with its summary and gives the controls back.
TEST(StyleImport, ACancelledOrFailedRunLeavesTheCatalogueAsItWas) {
    ImportFixture f;
    test::writeFile(f.env.dir / "FIRST.STY", bankFile("OLD", 3, 20));
    StyleImportController& first = f.open(File);
    first.setPath((f.env.dir / "FIRST.STY").string());
    ASSERT_TRUE(first.run());
    EXPECT_EQ(
        f.env.dialogs.messages(),
        std::vector<std::string>{
            "Style import ended: 3 styles imported, 0 skipped as duplicates, 1 bank stored."});
    EXPECT_EQ(f.env.dialogs.calls().back().icon, Icon::Information);
    EXPECT_EQ(first.job().value(), 1);
    EXPECT_EQ(first.job().maximum(), 1);
    Database& db = f.env.state.connection;
    std::string before = test::catalogueSnapshot(db);

    const fs::path folder = f.env.dir / "run";
    for (int i = 1; i <= 4; ++i) {
        test::writeFile(folder / ("F" + std::to_string(i) + ".STY"),
                        bankFile("N" + std::to_string(i), 2, 40 + static_cast<unsigned>(i)));
    }
    // Checks: F1 begins (1), its two styles (2, 3), F1 done with its bank (4).
    f.env.dialogs.clear();
    f.env.dialogs.cancelAtCheck(4);
    StyleImportController& run = f.open(Folder);
    run.setPath(folder.string());
    EXPECT_FALSE(run.run());
    EXPECT_EQ(f.env.dialogs.cancelChecks(), 4);
    EXPECT_EQ(test::catalogueSnapshot(db), before);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(f.env.dialogs.messages(),
              std::vector<std::string>{"Style import cancelled: nothing of this run was stored."});
    EXPECT_TRUE(run.job().cancelled());
    EXPECT_EQ(run.tally(), ImportTally{});
    EXPECT_TRUE(run.controlsEnabled());
    EXPECT_FALSE(run.progressVisible());

    // Started again, the same run goes through, its bar to the end.
    f.env.dialogs.clear();
    f.env.dialogs.cancelAtCheck(0);
    EXPECT_TRUE(run.run());
    EXPECT_EQ(styleCount(db), 11);
    EXPECT_EQ(run.job().value(), 4);
    EXPECT_EQ(run.job().maximum(), 4);
    EXPECT_FALSE(run.job().cancelled());
    EXPECT_EQ(
        f.env.dialogs.messages(),
        std::vector<std::string>{
            "Style import ended: 8 styles imported, 0 skipped as duplicates, 4 banks stored."});

    // A fifth file cut inside a content chunk: the error names it, nothing of the run stays.
    std::string cut = bankFile("N5", 2, 35);
    cut.resize(cut.size() - 100);
    test::writeFile(folder / "F5.STY", cut);
    test::writeFile(folder / "F6.STY", bankFile("N6", 2, 36));
    before = test::catalogueSnapshot(db);
    f.env.dialogs.clear();
    run.setMode(DuplicateMode::ImportEverything);
    EXPECT_FALSE(run.run());
    EXPECT_EQ(test::catalogueSnapshot(db), before);
    EXPECT_FALSE(db.inTransaction());
    ASSERT_EQ(f.env.dialogs.calls().size(), 1u);
    const auto& message = f.env.dialogs.calls()[0];
    EXPECT_EQ(message.icon, Icon::Critical);
    EXPECT_EQ(message.title, "ORB");
    EXPECT_NE(message.text.find("F5.STY"), std::string::npos) << message.text;
    EXPECT_TRUE(run.controlsEnabled());
    EXPECT_FALSE(run.progressVisible());
    EXPECT_EQ(run.outcome(), ImportOutcome::RunStarted);
}

TEST(StyleImport, ARefusedStoreStopsTheRun) {
    ImportFixture f;
    test::writeFile(f.env.dir / "A.STY", bankFile("GOOD", 1, 40));
    test::writeFile(f.env.dir / "B.STY", bankFile("LONG", 2, 41));
    StyleImportController& c = f.open(Folder);
    c.setPath(f.env.dir.path().string());
    c.setConfirmEachStyle(true);
    // Only a dialog can bring a value the gate refuses this far; the store refuses it.
    std::string author = std::string(51, 'a');
    f.windows.onConfirm = [&author](const StyleConfirmation& dialog) {
        StyleSelection selection{dialog.checked(), dialog.values()};
        if (dialog.caption() == "B.STY") {
            selection.values[2] = author;
        }
        return std::optional<StyleSelection>(selection);
    };
    EXPECT_FALSE(c.run());
    Database& db = f.env.state.connection;
    EXPECT_EQ(styleCount(db), 0);
    EXPECT_TRUE(bankRows(db).empty());
    ASSERT_EQ(f.env.dialogs.calls().size(), 1u);
    EXPECT_EQ(f.env.dialogs.calls()[0].icon, Icon::Critical);
    EXPECT_EQ(f.env.dialogs.calls()[0].text,
              "The author of the style LONG1 of B.STY has 51 characters; it takes at most 50. "
              "Nothing of this run was stored.");

    author = "Ann\tBob";
    f.env.dialogs.clear();
    EXPECT_FALSE(c.run());
    EXPECT_EQ(styleCount(db), 0);
    EXPECT_EQ(f.env.dialogs.messages(),
              std::vector<std::string>{"The author of the style LONG1 of B.STY holds a tab. "
                                       "Nothing of this run was stored."});
}

// Another program holds the write lock: the import waits for the busy timeout, then says the
// database is in use, in these words alone, and stores nothing; once the lock is gone it runs.
TEST(StyleImport, ADatabaseInUseIsWaitedForThenToldAndNothingIsStored) {
    const test::ShortBusyTimeout timeout;
    ImportFixture f;
    test::writeFile(f.env.dir / "A.STY", bankFile("GOOD", 2, 40));
    StyleImportController& c = f.open(File);
    c.setPath((f.env.dir / "A.STY").string());
    Database& db = f.env.state.connection;
    {
        const test::AnotherProgramsLock lock(f.env.state.DatabasePath);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(c.run());
        EXPECT_GE(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(test::ShortBusyTimeout::kMilliseconds - 50));
        EXPECT_EQ(f.env.dialogs.messages(),
                  std::vector<std::string>{test::inUseText(f.env.state.DatabasePath)});
        EXPECT_EQ(f.env.dialogs.calls()[0].icon, Icon::Critical);
        EXPECT_EQ(styleCount(db), 0);
        EXPECT_FALSE(db.inTransaction());
    }
    EXPECT_TRUE(c.run());
    EXPECT_EQ(styleCount(db), 2);
}

TEST(StyleImport, ValuesTooLongOrNotWindows1252AreRefusedFirst) {
    ImportFixture f;
    test::writeFile(f.env.dir / "A.STY", bankFile("GOOD", 1, 40));
    StyleImportController& c = f.open(File);
    c.setPath((f.env.dir / "A.STY").string());
    setValues(c, {std::string(20, 'f'), "", std::string(50, 'a')});
    ASSERT_TRUE(c.run());
    // Characters are counted, not bytes: twenty "è" fit.
    std::string accents;
    for (int i = 0; i < 20; ++i) {
        accents += "\xC3\xA8";
    }
    setValues(c, {"", accents, ""});
    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(f.env.state.connection), 2);

    f.env.dialogs.clear();
    setValues(c, {"", "", std::string(51, 'a')});
    EXPECT_FALSE(c.run());
    setValues(c, {std::string(21, 'f'), "", ""});
    EXPECT_FALSE(c.run());
    // Emoji, CJK and Greek have no Windows-1252 byte.
    setValues(c, {"Pop \xF0\x9F\x98\x80", "", ""});
    EXPECT_FALSE(c.run());
    setValues(c, {"", "\xE6\xBC\xA2\xE5\xAD\x97", ""});
    EXPECT_FALSE(c.run());
    setValues(c, {"", "", "\xCE\xA3\xCF\x89"});
    EXPECT_FALSE(c.run());
    EXPECT_EQ(f.env.dialogs.messages(),
              (std::vector<std::string>{
                  "The author of the imported styles has 51 characters; it takes at most 50.",
                  "The family of the imported styles has 21 characters; it takes at most 20.",
                  "The family of the imported styles holds \"\xF0\x9F\x98\x80\", which the "
                  "keyboard's files cannot carry (Windows-1252 only).",
                  "The group of the imported styles holds \"\xE6\xBC\xA2\", which the keyboard's "
                  "files cannot carry (Windows-1252 only).",
                  "The author of the imported styles holds \"\xCE\xA3\", which the keyboard's "
                  "files cannot carry (Windows-1252 only)."}));
    EXPECT_EQ(f.env.dialogs.calls()[0].icon, Icon::Exclamation);
    EXPECT_EQ(styleCount(f.env.state.connection), 2);
}

TEST(StyleImport, LogLinesForFilesThatAreNoPaBanks) {
    ImportFixture f;
    const fs::path folder = f.env.dir / "other";
    const std::string tail = " and more bytes than any header holds";
    test::writeFile(folder / "I3.STY", "KORG9" + tail);
    test::writeFile(folder / "I5.STY", "KORG<" + tail);
    test::writeFile(folder / "IS40.STY", "KORGM" + tail);
    test::writeFile(folder / "I30.STY", "KORGI" + tail);
    test::writeFile(folder / "TEXT.STY", "just text");
    StyleImportController& c = f.open(Folder);
    c.setPath(folder.string());
    f.env.dialogs.answer(Answer::No);
    ASSERT_TRUE(c.run());
    EXPECT_TRUE(f.windows.shownLogs.empty());
    f.env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(c.run());
    ASSERT_EQ(f.windows.shownLogs.size(), 1u);
    EXPECT_EQ(f.windows.shownLogs[0],
              "I3.STY is probably a style for KORG  i3,i2,i1,i4s arrangers\r\n"
              "I30.STY is probably a style for KORG  i30 arranger\r\n"
              "I5.STY is probably a style for KORG  i5 arranger\r\n"
              "IS40.STY is probably a style for KORG  iS40,iS50 arrangers\r\n"
              "TEXT.STY is not a Pa style, is damaged, its format is unknown or you have no "
              "rights to access it!\r\n");
    EXPECT_TRUE(bankRows(f.env.state.connection).empty());
}

// A file named as the person named it, holding two banks: each confirmed on its own under the
// file's own name; what is stored names it by its short name.
TEST(StyleImport, TwoBanksEmptyBanksAndNoBankStructure) {
    ImportFixture f;
    test::StyFileBuilder two;
    two.style(0, "LOW", firstBlock(50, 0), "LOWB", secondBlock(50, 0), 17)
        .style(0, "HIGH", firstBlock(51, 0), "HIGHB", secondBlock(51, 0), 18)
        .style(3, "HIGH4", firstBlock(51, 3), "HIGH4B", secondBlock(51, 3), 18);
    test::writeFile(f.env.dir / "Party Mix.sty", two.bytes());
    test::writeFile(f.env.dir / "EMPTY.STY", test::StyFileBuilder().bytes());
    StyleImportController& c = f.open(File);
    c.setPath((f.env.dir / "Party Mix.sty").string());
    c.setConfirmEachStyle(true);
    ASSERT_TRUE(c.run());
    ASSERT_EQ(f.windows.shownConfirmations.size(), 2u);
    EXPECT_EQ(f.windows.shownConfirmations[0].caption(), "Party Mix.sty - bank 1 of 2");
    EXPECT_EQ(f.windows.shownConfirmations[1].caption(), "Party Mix.sty - bank 2 of 2");
    c.setConfirmEachStyle(false);
    c.setPath((f.env.dir / "EMPTY.STY").string());
    ASSERT_TRUE(c.run());

    Database& db = f.env.state.connection;
    auto banks = bankRows(db);
    ASSERT_EQ(banks.size(), 3u);
    EXPECT_EQ(banks[0].name, "PARTY001");
    EXPECT_EQ(banks[0].styles, slotsOf({1}));
    EXPECT_EQ(banks[1].name, "PARTY002");
    EXPECT_EQ(banks[1].desc, "Imported from file PARTYM~1.STY");
    EXPECT_EQ(banks[1].styles, slotsOf({2, 3}));
    EXPECT_EQ(banks[2].name, "EMPTY003");
    EXPECT_EQ(banks[2].styles, slotsOf({}));
    EXPECT_EQ(storedStyle(f.env, 3).StyleName1, "HIGH4      ");

    c.setSaveBankStructure(false);
    c.setMode(DuplicateMode::ImportEverything);
    c.setPath((f.env.dir / "Party Mix.sty").string());
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(db), 6);
    EXPECT_EQ(bankRows(db).size(), 3u);
}

TEST(StyleImport, SubFoldersDepthFirstInNameOrder) {
    ImportFixture f;
    const fs::path root = f.env.dir / "root";
    test::writeFile(root / "B.STY", bankFile("ROOT", 1, 60));
    test::writeFile(root / "A" / "A.STY", bankFile("SUBA", 1, 61));
    test::writeFile(root / "A" / "DEEP" / "Z.STY", bankFile("DEEP", 1, 62));
    test::writeFile(root / "C" / "C.STY", bankFile("SUBC", 1, 63));
    fs::create_symlink(root, root / "C" / "LOOP");

    StyleImportController& c = f.open(Folder);
    c.setPath(root.string());
    ASSERT_TRUE(c.run());
    EXPECT_EQ(styleCount(f.env.state.connection), 1);

    c.setIncludeSubFolders(true);
    c.setMode(DuplicateMode::ImportEverything);
    ASSERT_TRUE(c.run());
    EXPECT_EQ(c.job().maximum(), 4);
    std::vector<std::string> names;
    Rows rows =
        f.env.state.connection.query("SELECT StyleName1 FROM KORFStyles ORDER BY StyleProg");
    while (rows.next()) {
        names.push_back(rows.text(0));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ROOT1      ", "ROOT1      ", "SUBA1      ",
                                               "DEEP1      ", "SUBC1      "}));
}

TEST(StyleImport, SearchFillsThePathAndAMissingOneIsAnError) {
    ImportFixture f;
    const fs::path file = f.env.dir / "in" / "USER01.STY";
    test::writeFile(file, bankFile("S", 1, 70));
    using Kind = test::ScriptedDialogs::Call::Kind;
    // A folder import picks a folder, starting in the folder typed when there is one.
    StyleImportController& folder = f.open(Folder);
    folder.setPath(f.env.dir.path().string());
    f.env.dialogs.file(file.parent_path().string());
    folder.search();
    EXPECT_EQ(folder.request().path, file.parent_path().string());
    f.env.dialogs.file("");
    folder.search();
    EXPECT_EQ(folder.request().path, file.parent_path().string());
    const auto& calls = f.env.dialogs.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Folder);
    EXPECT_EQ(calls[0].proposal, f.env.dir.path().string());
    EXPECT_EQ(calls[1].proposal, file.parent_path().string());

    // A file import opens a bank file, starting in the folder last used for bank files.
    StyleImportController& single = f.open(File);
    f.env.dialogs.file(file.string());
    single.search();
    EXPECT_EQ(single.request().path, file.string());
    EXPECT_EQ(calls.back().kind, Kind::OpenFile);
    EXPECT_EQ(calls.back().text, "Styles (*.STY)|*.STY");
    EXPECT_EQ(calls.back().proposal, file.parent_path().string());
    EXPECT_TRUE(single.controlsEnabled());

    // A missing file or folder is an error.
    f.env.dialogs.clear();
    single.setPath((f.env.dir / "NONE.STY").string());
    EXPECT_FALSE(single.run());
    StyleImportController& missing = f.open(Folder);
    missing.setPath((f.env.dir / "nowhere").string());
    EXPECT_FALSE(missing.run());
    EXPECT_EQ(f.env.dialogs.messages(),
              (std::vector<std::string>{
                  "The file " + (f.env.dir / "NONE.STY").string() + " does not exist.",
                  "The folder " + (f.env.dir / "nowhere").string() + " does not exist."}));
}

}  // namespace
}  // namespace orb
