#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "backup/backup_controller.h"
#include "catalogue/bank_fixture.h"
#include "catalogue/bank_operations.h"
#include "catalogue/bank_queues.h"
#include "catalogue/make_bank.h"
#include "catalogue/setup_list.h"
#include "catalogue/where_is.h"
#include "cli/cli.h"
#include "db/setup_store.h"
#include "stylefiles/keyboard_layout.h"
#include "stylefiles/ssf_export.h"
#include "stylefiles/ssf_import.h"
#include "stylefiles/style_files_test_support.h"
#include "support/table_snapshot.h"
#include "support/temp_dir.h"
#include "support/what_was_said.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::filesIn;
using test::refused;
using test::Said;
using test::told;
using Answer = UserDialogs::Answer;
using Texts = std::vector<std::string>;

// Each window, driven through its controller, on the fixture's catalogue against its command on
// the same catalogue or a copy: both must leave the same and say the same.
class WindowAndCommandTest : public test::BankTest {
protected:
    fs::path catalogue() const { return env.dir / "ORB.MDB"; }

    // A copy of the catalogue as it is now.
    fs::path copyOfCatalogue() {
        const fs::path copy = env.dir / "COPY.MDB";
        db().close();
        fs::copy_file(catalogue(), copy);
        db().open(catalogue(), Database::OpenMode::ExistingOnly);
        return copy;
    }

    // `orb --db FILE ARGS...`; the connection is opened on the fixture's catalogue again.
    Said runOn(const fs::path& file, std::vector<std::string> args) {
        args.insert(args.begin(), {"--db", file.string()});
        const Said result = test::said(env.runCli(args));
        db().open(catalogue(), Database::OpenMode::ExistingOnly);
        return result;
    }
    // The bank being edited holds style 57 alone: a command must leave it so.
    void editStyle57() {
        bank().clearBank();
        bank().insertSelected(rows({57}));
    }

    // The styles and banks of another catalogue file.
    static std::string snapshotOf(const fs::path& file) {
        Database other;
        other.open(file, Database::OpenMode::ReadOnly);
        return test::tableSnapshot(other);
    }
    void expectSameAs(const fs::path& copy) {
        EXPECT_EQ(snapshotOf(copy), test::tableSnapshot(db()));
    }

    // The current bank made of `styles`, then "Save bank as ..." under `name`. (A command
    // opens its database anew, which empties the current bank.)
    void saveAs(const std::vector<std::int32_t>& styles, const std::string& name,
                const std::string& description) {
        bank().clearBank();
        bank().insertSelected(rows(styles));
        dialogScript = [&](BankDialogController& dialog) {
            dialog.setName(name);
            dialog.setDescription(description);
            return dialog.ok();
        };
        bank().saveAs();
        dialogScript = [](BankDialogController&) { return false; };
    }

    // The folder `name` of the test's, made, with an older file in it when `withOldFile`.
    fs::path folder(const std::string& name, bool withOldFile = false) {
        fs::create_directories(env.dir / name);
        if (withOldFile) {
            test::writeFile(env.dir / name / "old.txt", "last week");
        }
        return env.dir / name;
    }
};

TEST_F(WindowAndCommandTest, SavingABankStoresTheSameAndTheCommandLeavesTheCurrentBank) {
    const fs::path copy = copyOfCatalogue();
    saveAs({73, 41}, "A[B", "gig] x");
    ASSERT_EQ(bank().bankState(), BankState::Stored);
    const BankRow stored{10, "A[B", "gig] x", {73, 41}};
    EXPECT_EQ(BankStore(db()).all().front(), stored);

    // The command stores the same bank and leaves the bank being edited alone. (Opening its
    // database forgets which stored bank the current one came from; the styles stay.)
    editStyle57();
    EXPECT_EQ(runOn(copy, {"bank-save", "A[B", "--description", "gig] x", "73", "41"}),
              told("Bank 10 A[B stored."));
    expectSameAs(copy);
    EXPECT_EQ(currentBank().name(), "");
    EXPECT_EQ(bankStyles(), std::vector<std::int32_t>{57});

    // A taken name: the window asks, the command wants --overwrite; kept, nothing changes.
    env.dialogs.answer(Answer::No);
    saveAs({88}, "a[b", "");
    EXPECT_EQ(runOn(copy, {"bank-save", "a[b", "88"}),
              refused("A bank named a[b is already stored; give --overwrite to replace it."));
    EXPECT_EQ(BankStore(db()).find(10), stored);
    expectSameAs(copy);

    // Overwritten, the bank keeps its number in both.
    env.dialogs.answer(Answer::Yes);
    saveAs({88}, "a[b", "");
    EXPECT_EQ(std::get<1>(runOn(copy, {"bank-save", "a[b", "--overwrite", "88"})),
              "Bank 10 a[b stored.\n");
    EXPECT_EQ(BankStore(db()).find(10), (BankRow{10, "a[b", "", {88}}));
    expectSameAs(copy);

    // A text the bank files cannot hold is refused in the same words, and nothing is stored.
    const std::string guitar = "\xF0\x9F\x8E\xB8";
    env.dialogs.clear();
    saveAs({88}, "ROAD", "on the road " + guitar);
    ASSERT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_NE(env.dialogs.messages()[0].find("description"), std::string::npos);
    EXPECT_EQ(env.dialogs.calls()[0].icon, UserDialogs::Icon::Exclamation);
    EXPECT_EQ(runOn(copy, {"bank-save", "ROAD", "--description", "on the road " + guitar, "88"}),
              refused(env.dialogs.messages()[0]));
    EXPECT_FALSE(BankStore(db()).findByName("ROAD"));
    expectSameAs(copy);
}

TEST_F(WindowAndCommandTest, ARefusedDeleteKeepsEveryBankAndIsToldAlike) {
    db().execute(
        "CREATE TRIGGER lock_bank BEFORE DELETE ON KORFBanks WHEN OLD.BankProg = 5 BEGIN SELECT "
        "RAISE(ABORT, 'bank 5 is locked'); END");
    const fs::path copy = copyOfCatalogue();
    const std::vector<BankRow> before = BankStore(db()).all();
    const std::string refusal =
        "Bank BANK5 could not be deleted (bank 5 is locked); nothing was deleted.";
    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Empty);
    ASSERT_TRUE(dialog.fillTree());
    dialog.selectNode(bankNode(dialog.nodes(), 5));
    env.dialogs.answer(Answer::Yes);
    dialog.deleteSelected();
    EXPECT_EQ(env.dialogs.messages(), (Texts{"Deleting bank BANK5 from database?", refusal}));
    EXPECT_EQ(env.dialogs.calls()[1].icon, UserDialogs::Icon::Critical);
    EXPECT_EQ(BankStore(db()).all(), before);
    EXPECT_TRUE(dialog.deleteShown());
    EXPECT_EQ(dialog.selectedBankProg(), 5);
    EXPECT_EQ(runOn(copy, {"bank-delete", "5"}), refused(refusal));
    expectSameAs(copy);
}

TEST_F(WindowAndCommandTest, WhereIsListsTheBanksAsStoredWithoutReadingTheTreeText) {
    addBank(12, {88, 41, 88});
    db().execute("UPDATE KORFBanks SET BankName = pName, BankDesc = pDesc WHERE BankProg = 12",
                 {std::string("A[B"), std::string("x] y")});

    WhereIsController window(env.state, env.dialogs, currentBank(), 88);
    ASSERT_TRUE(window.build());
    const auto& node = window.nodes()[1];
    EXPECT_EQ(std::tie(node.text, node.bankName, node.bankDescription),
              std::tuple("A[B [x] y]", "A[B", "x] y"));
    EXPECT_EQ(runOn(catalogue(), {"where-is", "88"}),
              told("12\tA[B\t1 3\n5\tBANK5\t3\n9\tBANK9\t2 4"));

    // Loading it through the window names it as stored, and so does `orb banks`.
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(window.doubleClick(1));
    EXPECT_EQ(env.dialogs.messages(), Texts{"Confirm bank A[B loading?"});
    EXPECT_EQ(std::tuple(currentBank().name(), currentBank().description()),
              std::tuple("A[B", "x] y"));
    const std::string zeros = "\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";  // slots 5 to 16
    EXPECT_EQ(std::get<1>(runOn(catalogue(), {"banks"})),
              "12\tA[B\tx] y\t88\t41\t88\t0" + zeros + "\n5\tBANK5\t\t57\t41\t88\t73" + zeros +
                  "\n9\tBANK9\t\t73\t88\t57\t88" + zeros + "\n");

    // The bank dialog fills its fields from the stored name and description too.
    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Stored);
    ASSERT_TRUE(dialog.fillTree());
    dialog.selectNode(bankNode(dialog.nodes(), 12));
    EXPECT_EQ(std::tuple(dialog.name(), dialog.description()), std::tuple("A[B", "x] y"));
}

TEST_F(WindowAndCommandTest, MakingABankFileWritesTheSameBytesAndLeavesTheCurrentBank) {
    loadBank(9);
    const fs::path fromWindow = env.dir / "window.STY";
    const fs::path fromCommand = env.dir / "command.STY";
    MakeBankController make(env.state, env.dialogs, currentBank());
    ASSERT_TRUE(make.makeAs(fromWindow));
    const std::string made =
        " successfully created\n1 bank file read back from the disk and verified.";
    EXPECT_EQ(env.dialogs.messages().back(), fromWindow.string() + made);
    editStyle57();
    EXPECT_EQ(runOn(catalogue(), {"make-sty", "BANK9", fromCommand.string()}),
              told(fromCommand.string() + made));
    EXPECT_EQ(test::readFile(fromCommand), test::readFile(fromWindow));
    test::expectBankFile(db(), fromCommand, {73, 88, 57, 88}, 17);
    EXPECT_EQ(bankStyles(), std::vector<std::int32_t>{57});
}

TEST_F(WindowAndCommandTest, TheQueuesAndTheDriveCommandsWriteTheSameFiles) {
    const fs::path windowFloppy = folder("floppy-w", true);
    const fs::path commandFloppy = folder("floppy-c", true);
    env.state.FloppyPath = windowFloppy.string();
    BankQueues queues(env.state, env.dialogs);
    queues.setFloppyEntry(0, 9, "BANK9");
    queues.setFloppyEntry(2, 5, "BANK5");
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(queues.makeFloppy());
    const std::string made =
        "DIRECT FD floppy successfully created!\n2 bank files read back from the disk and "
        "verified.";
    EXPECT_EQ(env.dialogs.messages(), (Texts{floppyWipeQuestion(windowFloppy.string()), made}));
    EXPECT_EQ(
        runOn(catalogue(), {"floppy", "BANK9", "-", "5", "--to", commandFloppy.string(), "--yes"}),
        told(made));
    EXPECT_EQ(filesIn(windowFloppy).size(), 2u);
    EXPECT_EQ(filesIn(commandFloppy), filesIn(windowFloppy));

    // Hard disk: banks 5, -, -, 9, 9 fill two set folders alike.
    const fs::path windowDisk = folder("disk-w");
    const fs::path commandDisk = folder("disk-c");
    env.state.PaHardDiskPath = windowDisk.string();
    queues.setHardDiskEntry(0, 5, "BANK5");
    queues.setHardDiskEntry(3, 9, "BANK9");
    queues.setHardDiskEntry(4, 9, "BANK9");
    env.dialogs.clear();
    ASSERT_TRUE(queues.transfer());
    EXPECT_EQ(runOn(catalogue(),
                    {"hd-transfer", "5", "-", "-", "9", "BANK9", "--to", commandDisk.string()}),
              told(env.dialogs.messages().at(0)));
    EXPECT_EQ(filesIn(windowDisk).size(), 3u);
    EXPECT_EQ(filesIn(commandDisk), filesIn(windowDisk));
    // (Each command reads the folders of the parameters afresh; --to changes none of them.)
    EXPECT_EQ(env.state.PaHardDiskPath, "");

    // A drive that is not there is not ready for either.
    const fs::path unplugged = env.dir / "unplugged";
    env.state.PaHardDiskPath = unplugged.string();
    env.dialogs.clear();
    EXPECT_FALSE(queues.transfer());
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"Pa Hard Drive " + unplugged.string() + ": is not ready!"});
    EXPECT_EQ(runOn(catalogue(), {"hd-transfer", "5", "--to", unplugged.string()}),
              refused(env.dialogs.messages()[0]));
}

TEST_F(WindowAndCommandTest, SetupsAreSavedAndWrittenAlike) {
    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Empty);
    dialog.queues().setFloppyEntry(0, 9, "BANK9");
    dialog.queues().setFloppyEntry(2, 5, "BANK5");
    dialog.queues().setHardDiskEntry(0, 5, "BANK5");
    dialog.queues().setHardDiskEntry(8, 9, "BANK9");
    env.dialogs.input("Gig");
    env.dialogs.input("Open air");
    ASSERT_TRUE(dialog.saveQueuesAsSetup());
    EXPECT_EQ(std::get<1>(runOn(catalogue(), {"setup-save", "Band", "--description", "Open air",
                                              "--floppy", "BANK9", "-", "5", "--hd", "5", "-", "-",
                                              "-", "-", "-", "-", "-", "BANK9"})),
              "Set-up Band stored.\n");
    SetupRow band = SetupStore(db()).find("Band").value();
    band.SetupName = "Gig";
    EXPECT_EQ(SetupStore(db()).find("Gig"), band);

    std::map<std::string, fs::path> folders;
    for (const char* name : {"fd-w", "hd-w", "fd-c", "hd-c"}) {
        folders[name] = folder(name, true);
    }
    env.state.FloppyPath = folders["fd-w"].string();
    env.state.PaHardDiskPath = folders["hd-w"].string();
    const auto writeByCommand = [&](const std::string& setup) {
        return runOn(catalogue(), {"setup-write", setup, "--floppy-to", folders["fd-c"].string(),
                                   "--hd-to", folders["hd-c"].string(), "--yes"});
    };
    SetupListController list(env.state, env.dialogs, false);
    list.load();
    list.select(1);
    ASSERT_EQ(list.selectedSetup()->name, "Gig");
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(list.write());
    ASSERT_EQ(env.dialogs.messages().size(), 2u);
    EXPECT_EQ(writeByCommand("gig"), told(env.dialogs.messages()[1]));
    // The floppies were emptied; the hard disks keep what they held.
    for (const auto& [part, count] : {std::pair{"fd", 2u}, {"hd", 3u}}) {
        const auto files = filesIn(folders[std::string(part) + "-w"]);
        EXPECT_EQ(files.size(), count) << part;
        EXPECT_EQ(filesIn(folders[std::string(part) + "-c"]), files) << part;
    }
    test::expectBankFile(db(), folders["hd-c"] / "!789.SET" / "STYLE" / "USER03.STY",
                         {73, 88, 57, 88}, 19);

    // With a bank gone, both refuse in the same words and write nothing.
    ASSERT_TRUE(DeleteBank(env.state, 5).deleted);
    env.state.FloppyPath = folders["fd-w"].string();
    env.state.PaHardDiskPath = folders["hd-w"].string();
    const auto before = filesIn(folders["fd-w"]);
    env.dialogs.clear();
    list.load();
    EXPECT_FALSE(list.write());
    const std::string gone =
        "The set-up Gig uses bank 5, which is no longer stored; nothing was written.";
    EXPECT_EQ(env.dialogs.messages().at(0), gone);
    EXPECT_EQ(writeByCommand("Gig"), refused(gone));
    EXPECT_EQ(filesIn(folders["fd-w"]), before);
    EXPECT_EQ(filesIn(folders["fd-c"]), before);
}

TEST_F(WindowAndCommandTest, SingleStyleFilesAreExportedAndImportedAlike) {
    const fs::path windowOut = folder("ssf-w");
    const fs::path commandOut = folder("ssf-c");
    loadBank(9);
    SsfExportController exporter(env.state, env.dialogs);
    exporter.load({{}, {}, true, bankStyles(), currentBank().name()});
    exporter.setFolder(windowOut.string());
    env.dialogs.clear();
    ASSERT_TRUE(exporter.run());
    std::string listed = "Export of bank BANK9 to SSF files terminated without errors!";
    EXPECT_EQ(env.dialogs.messages().back(), listed);
    editStyle57();
    for (const char* name : {"SWING.SSF", "DISCO.SSF", "BALLAD.SSF", "DISCO_2.SSF"}) {
        listed += "\n" + (commandOut / name).string();
    }
    EXPECT_EQ(runOn(catalogue(), {"ssf-export", "--bank", "BANK9", commandOut.string()}),
              told(listed));
    EXPECT_EQ(filesIn(windowOut).size(), 4u);
    EXPECT_EQ(filesIn(commandOut), filesIn(windowOut));
    EXPECT_EQ(bankStyles(), std::vector<std::int32_t>{57});
    EXPECT_EQ(currentBank().name(), "");

    // A file that cannot be replaced stops both in the same words (ssf_test pins them), before
    // any file is replaced.
    for (const fs::path& folder : {windowOut, commandOut}) {
        fs::create_directories(folder / "ROCK1.SSF" / "in-the-way");
    }
    exporter.load({{57, 41, 88}, {}, false});
    exporter.setFolder(windowOut.string());
    env.dialogs.clear();
    EXPECT_FALSE(exporter.run());
    ASSERT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_EQ(runOn(catalogue(), {"ssf-export", "57", "41", "88", commandOut.string()}),
              refused(test::replaceAll(env.dialogs.messages()[0], windowOut.string(),
                                       commandOut.string())));

    // Import: two of the four styles are gone from the catalogue and its copy.
    fs::remove_all(windowOut / "ROCK1.SSF");
    StyleStore(db()).remove(73);
    StyleStore(db()).remove(57);
    const fs::path copy = copyOfCatalogue();
    SsfImportController importer(env.state, env.dialogs);
    importer.load();
    importer.setPath(windowOut.string());
    importer.setChoice(SsfImportController::Choice::Folder);
    importer.setSkipPresent(true);
    env.dialogs.clear();
    EXPECT_TRUE(importer.run());
    const std::string ended =
        "SSF file import ended without errors\n2 styles imported, 2 styles already stored passed "
        "over.";
    EXPECT_EQ(env.dialogs.messages(), Texts{ended});
    EXPECT_EQ(runOn(copy, {"ssf-import", "--skip-present", windowOut.string()}),
              told((windowOut / "BALLAD.SSF").string() + "\timported as style 97\tBALLAD\n" +
                   (windowOut / "SWING.SSF").string() + "\timported as style 98\tSWING\n" + ended));
    EXPECT_EQ(test::styleCount(db()), 6);
    expectSameAs(copy);
}

TEST_F(WindowAndCommandTest, BackupAndRestoreGiveTheSameDumpAndTheSameCatalogue) {
    const fs::path windowDump = env.dir / "window.ODD";
    const fs::path commandDump = env.dir / "command.ODD";
    BackupController window(env.state, env.dialogs);
    window.load();
    window.setBackupPath(windowDump.string());
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(window.backup());
    const std::string done = "ORB database backup completed without errors!";
    EXPECT_EQ(env.dialogs.messages(), (Texts{"Confirm database backup?", done}));
    EXPECT_EQ(runOn(catalogue(), {"backup", commandDump.string()}), told(done));
    EXPECT_EQ(test::readFile(commandDump), test::readFile(windowDump));

    // Both catalogues lose a bank and a style; the restore brings them back in both.
    BankStore(db()).remove(9);
    StyleStore(db()).remove(96);
    const fs::path copy = copyOfCatalogue();
    window.setRestorePath(commandDump.string());
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(window.restore());
    EXPECT_EQ(env.dialogs.messages().back(), "ORB database restore completed without errors!");
    EXPECT_EQ(runOn(copy, {"restore", windowDump.string(), "--yes"}),
              told("ORB database restore completed without errors!\n2 banks, 0 songs, 5 links and "
                   "6 styles restored"));
    EXPECT_EQ(BankStore(db()).all().size(), 2u);
    expectSameAs(copy);
    EXPECT_TRUE(StyleStore(db()).find(96).has_value());
}

TEST_F(WindowAndCommandTest, ImportingBankFilesStoresTheSameCatalogue) {
    const fs::path folder = env.dir / "to-import";
    test::writeFile(folder / "LIVE.STY", test::bankFile("LIVE", 3, 11));
    test::writeFile(folder / "GIG.STY", test::bankFile("GIG", 2, 23));
    test::writeFile(folder / "NOTE.STY", "no bank in here");
    test::writeFile(folder / "DUP.STY", test::bankFile("LIVE", 3, 11, 1));
    const fs::path copy = copyOfCatalogue();
    test::RecordingWindows windows;
    StyleImportController importer(env.state, env.dialogs, &windows);
    const auto both = [&](const std::string& family) {
        ImportRequest wanted;
        wanted.source = ImportRequest::Source::Folder;
        wanted.path = folder.string();
        wanted.values = {family, "Ballads", "Ann"};
        importer.load(wanted);
        return runOn(copy, {"import", "--family", family, "--group", "Ballads", "--author", "Ann",
                            folder.string()});
    };

    // A family the bank files cannot hold stores nothing in either.
    const std::string before = test::tableSnapshot(db());
    const Said refusedRun = both("Pop \xF0\x9F\x8E\xB8");
    EXPECT_FALSE(importer.run());
    ASSERT_EQ(env.dialogs.messages().size(), 1u);
    EXPECT_EQ(refusedRun, refused(env.dialogs.messages()[0]));
    EXPECT_EQ(test::tableSnapshot(db()), before);
    EXPECT_EQ(snapshotOf(copy), before);

    const Said imported = both("Pop");
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(importer.run());
    const std::string summary =
        "Style import ended: 5 styles imported, 3 skipped as duplicates, 3 banks stored.";
    EXPECT_EQ(env.dialogs.messages().at(1), summary);
    ASSERT_EQ(windows.shownLogs.size(), 1u);
    EXPECT_EQ(imported, told(test::replaceAll(windows.shownLogs[0], "\r\n", "\n") + summary));
    EXPECT_NE(test::tableSnapshot(db()), before);
    expectSameAs(copy);
}

}  // namespace
}  // namespace orb
