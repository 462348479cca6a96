#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/bank_operations.h"
#include "catalogue/disk_identify.h"
#include "catalogue/disk_identify_controller.h"
#include "catalogue/setup_list.h"
#include "core/job_progress.h"
#include "db/setup_store.h"
#include "keyboard_folders_fixture.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using Result = SetupChange::Result;
using test::readFile;
using test::writeFile;

using SetupTest = test::KeyboardFoldersTest;
using Setups = std::vector<KeyboardSetup>;

SetupPlace placeOf(std::int32_t prog) {
    return {prog, "BANK" + std::to_string(prog), false};
}

TEST_F(SetupTest, SavedListedRenamedDescribedAndDeletedEachAfterARestorePoint) {
    ASSERT_TRUE(
        saveSetup(" Gig 2024 ", " Summer tour ", {9, 0, 5}, {0, 5, 0, 0, 0, 0, 0, 0, 9}).done());
    Setups listed = ListSetups(db());
    EXPECT_EQ(listed, (Setups{{"Gig 2024",
                               "Summer tour",
                               {placeOf(9), {}, placeOf(5)},
                               {{{}, placeOf(5), {}, {}, {}, {}, {}, {}, placeOf(9)}}}}));

    // Each refusal stores nothing.
    const std::vector<std::tuple<std::string, std::int32_t, Result, std::string>> refusals = {
        {"GIG 2024", 5, Result::NameTaken, "A set-up named GIG 2024 is already stored."},
        {std::string(31, 'x'), 5, Result::Refused,
         "The set-up name " + std::string(31, 'x') +
             " has 31 characters; a set-up name takes at most 30. Nothing was stored."},
        {"Band", 12, Result::Refused, "There is no bank 12; the set-up was not stored."},
        {"  ", 5, Result::Refused, "Please insert set-up name!"},
        {"Two\tparts", 5, Result::Refused, "The name of the set-up holds a tab."},
    };
    for (const auto& [name, floppyBank, result, message] : refusals) {
        const SetupChange change = saveSetup(name, "", {floppyBank, 0, 0}, {});
        EXPECT_EQ(change.result, result) << name;
        EXPECT_EQ(change.message, message);
    }
    EXPECT_EQ(ListSetups(db()), listed);

    ASSERT_TRUE(saveSetup("gig 2024", "", {5, 0, 0}, {}, SameNamedSetup::Overwrite).done());
    ASSERT_TRUE(saveSetup("Spring", "", {0, 0, 9}, {}).done());
    listed = ListSetups(db());
    ASSERT_EQ(listed, (Setups{{"gig 2024", "", {placeOf(5), {}, {}}, {}},
                              {"Spring", "", {{{}, {}, placeOf(9)}}, {}}}));
    EXPECT_FALSE(listed[0].usesHardDisk());

    EXPECT_TRUE(RenameSetup(env.state, "GIG 2024", "Winter").done());
    const SetupChange taken = RenameSetup(env.state, "winter", "SPRING");
    EXPECT_EQ(std::tie(taken.result, taken.message),
              std::tuple(Result::NameTaken, "A set-up named SPRING is already stored."));
    EXPECT_TRUE(RenameSetup(env.state, "winter", "WINTER").done());
    EXPECT_TRUE(DescribeSetup(env.state, "Winter", " Indoor ").done());
    EXPECT_TRUE(DeleteSetup(env.state, "spring").done());
    EXPECT_EQ(DeleteSetup(env.state, "Spring").message, "There is no set-up Spring.");
    EXPECT_EQ(ListSetups(db()), (Setups{{"WINTER", "Indoor", {placeOf(5), {}, {}}, {}}}));

    Texts actions;
    for (const RestorePoint& point : env.state.restorePoints().list(env.state.DatabasePath)) {
        actions.push_back(point.action);
    }
    EXPECT_EQ(actions,
              (Texts{"deleting set-up Spring", "describing set-up WINTER", "renaming set-up Winter",
                     "renaming set-up gig 2024", "saving set-up Spring", "saving set-up gig 2024",
                     "saving set-up Gig 2024"}));
}

TEST_F(SetupTest, ABankDeleteNamesTheSetupsUsingItWhichThenShowAGoneBank) {
    ASSERT_TRUE(saveSetup("Gig", "", {5, 9, 0}, {}).done());
    ASSERT_TRUE(saveSetup("Band", "", {}, {0, 0, 0, 0, 0, 0, 0, 9, 0}).done());
    ASSERT_TRUE(saveSetup("Solo", "", {5, 0, 0}, {}).done());

    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Empty);
    ASSERT_TRUE(dialog.fillTree());
    dialog.selectNode(bankNode(dialog.nodes(), 9));
    env.dialogs.answer(Answer::Yes);
    dialog.deleteSelected();
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"Deleting bank BANK9 from database?\n\nThe set-ups Band and Gig use it and "
                    "will show it as a gone bank."});
    const BankDeletion deletion = DeleteBank(env.state, 5);
    EXPECT_EQ(deletion.setups, (Texts{"Gig", "Solo"}));
    EXPECT_EQ(setupsUsingBankText(deletion.setups, true),
              "The set-ups Gig and Solo used it and show it as a gone bank now.");

    const std::optional<KeyboardSetup> gig = FindSetup(db(), "gig");
    ASSERT_TRUE(gig.has_value());
    EXPECT_EQ(gig->floppy[0], (SetupPlace{5, "", true}));
    EXPECT_EQ(placeText(gig->floppy[1]), "gone bank 9");

    // Nothing is written, not even the floppy's wipe.
    writeFile(floppy() / "OLD.STY", "old floppy");
    JobProgress job(env.dialogs);
    env.dialogs.clear();
    const DriveBanksWriting writing =
        WriteSetup(env.state, env.dialogs, job, "Gig", {floppy().string(), hardDisk().string()});
    EXPECT_FALSE(writing.written());
    EXPECT_EQ(
        writing.message,
        "The set-up Gig uses banks 5 and 9, which are no longer stored; nothing was written.");
    EXPECT_EQ(readFile(floppy() / "OLD.STY"), "old floppy");
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(SetupTest, TheBankDialogSavesItsQueuesAsASetupAndLoadsOneBack) {
    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Empty);
    EXPECT_FALSE(dialog.saveSetupEnabled());
    dialog.queues().setFloppyEntry(0, 9, "BANK9");
    dialog.queues().setFloppyEntry(2, 5, "BANK5");
    dialog.queues().setHardDiskEntry(4, 5, "BANK5");
    env.dialogs.input("Gig");
    env.dialogs.input("Summer");
    EXPECT_TRUE(dialog.saveQueuesAsSetup());
    EXPECT_EQ(env.dialogs.messages(), Texts{"Set-up Gig stored."});
    EXPECT_EQ(SetupStore(db()).find("gig"),
              (SetupRow{"Gig", "Summer", {9, 0, 5}, {0, 0, 0, 0, 5, 0, 0, 0, 0}}));

    // A taken name is replaced only after the question; the proposals are the set-up's own.
    env.dialogs.clear();
    env.dialogs.input("GIG");
    env.dialogs.input("Winter");
    env.dialogs.answer(Answer::No);
    EXPECT_FALSE(dialog.saveQueuesAsSetup());
    EXPECT_EQ(env.dialogs.calls()[0].proposal, "Gig");
    EXPECT_EQ(env.dialogs.calls()[1].proposal, "Summer");
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"Set-up GIG already present. Would you like to overwrite it?"});
    EXPECT_EQ(SetupStore(db()).find("gig")->SetupDesc, "Summer");

    ASSERT_TRUE(DeleteBank(env.state, 5).deleted);
    BankDialogController other(env.state, env.dialogs, currentBank(), BankState::Empty);
    env.dialogs.clear();
    other.loadSetup(*FindSetup(db(), "gig"));
    EXPECT_EQ(other.queues().floppy(),
              (std::array<QueueEntry, 3>{QueueEntry{"BANK9", 9, false}, {}, {}}));
    EXPECT_FALSE(other.queues().transferEnabled());
    EXPECT_EQ(
        env.dialogs.messages(),
        Texts{"The set-up Gig uses bank 5, which is no longer stored; its place was left empty."});
}

TEST_F(SetupTest, TheSetupListRenamesDescribesWritesAndDeletes) {
    ASSERT_TRUE(saveSetup("Gig", "", {9, 0, 0}, {0, 0, 0, 5, 0, 0, 0, 0, 0}).done());
    ASSERT_TRUE(saveSetup("Band", "", {5, 0, 0}, {}).done());
    SetupListController list(env.state, env.dialogs, true);
    list.load();
    ASSERT_EQ(list.setups().size(), 2u);
    list.select(1);
    ASSERT_EQ(list.selectedSetup()->name, "Gig");

    env.dialogs.input("Gig 2024");
    list.rename();
    env.dialogs.input("Open air");
    list.describe();
    EXPECT_EQ(list.selectedSetup()->name, "Gig 2024");
    EXPECT_EQ(list.selectedSetup()->description, "Open air");
    EXPECT_EQ(env.dialogs.calls()[0].text, "New name of set-up Gig");
    EXPECT_EQ(env.dialogs.calls()[1].text, "Description of set-up Gig 2024");
    EXPECT_EQ(list.pick()->name, "Gig 2024");

    // The files come first; the floppy's question after them, once.
    writeFile(floppy() / "OLD.STY", "old floppy");
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(list.write());
    EXPECT_EQ(list.plan(),
              (Texts{"ORB.SET/STYLE/USER01.STY\tnew", "!456.SET/STYLE/USER01.STY\tnew"}));
    EXPECT_EQ(
        env.dialogs.messages(),
        (Texts{"Floppy " + floppy().string() + " is about to be completely deleted. Are you sure?",
               "DIRECT FD floppy successfully created!\n1 bank file read back from the disk and "
               "verified.\n\nDIRECT HD styles successfully created!\n1 bank file read back from "
               "the disk and verified.\n\nPlease reboot your Pa60 / Pa80"}));
    test::expectBankFile(db(), floppyFile(1), test::kBank9, 17);
    test::expectBankFile(db(), hardDiskFile("!456", 1), test::kBank5, 17);
    EXPECT_FALSE(fs::exists(floppy() / "OLD.STY"));

    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    list.remove();
    EXPECT_EQ(env.dialogs.messages(), Texts{"Deleting set-up Gig 2024 from database?"});
    ASSERT_EQ(list.setups().size(), 1u);
    EXPECT_EQ(list.selectedSetup()->name, "Band");
    EXPECT_TRUE(env.dialogs.allAnswersUsed());
}

using test::makeChunk;

// An old floppy: bank 9 as the keyboard's first bank, a second bank of a stored style, a new one
// and one whose name is stored with other content, a file of an older arranger and a note.
class DiskIdentifyTest : public test::KeyboardFoldersTest {
protected:
    void SetUp() override {
        KeyboardFoldersTest::SetUp();
        writeFile(floppyFile(1), test::expectedBankFile(db(), test::kBank9, 17));
        writeSecondBank("SWING");
        writeFile(floppy() / "OLD.STY", "KORG9 a style of an older arranger, long enough to tell");
        writeFile(floppy() / "notes.txt", "not a bank file");
    }
    void writeSecondBank(const std::string& thirdName) {
        const StyleRow ballad = storedStyle(57);
        writeFile(floppyFile(2),
                  test::StyFileBuilder()
                      .style(0, "BALLAD", ballad.StyleContent1, "BALLAD2", ballad.StyleContent2, 18)
                      .style(1, "FRESH", makeChunk(700, 4242), "FRESH2", makeChunk(90, 4343), 18)
                      .style(2, thirdName, makeChunk(333, 777), "", "", 18)
                      .bytes());
    }
    long long storedRows() {
        return static_cast<long long>(styleNumbers().size()) * 1000 + BankStore(db()).count();
    }
};

TEST_F(DiskIdentifyTest, AFloppyIsToldFileByFileAndStyleByStyleAndOnlyItsNewStylesImported) {
    const long long before = storedRows();
    const DiskContents contents = IdentifyDisk(db(), env.dialogs, floppy());
    EXPECT_EQ(identifyLines(contents),
              (Texts{
                  (floppy() / "OLD.STY").string() +
                      "\tOLD.STY is probably a style for KORG  i3,i2,i1,i4s arrangers",
                  floppyFile(1).string() + "\t17\tstored bank 9 BANK9",
                  "\t1\tSWING\t73",
                  "\t2\tDISCO\t88",
                  "\t3\tBALLAD\t57",
                  "\t4\tDISCO\t88",
                  floppyFile(2).string() + "\t18\tno stored bank",
                  "\t1\tBALLAD\t57",
                  "\t2\tFRESH\tnew",
                  "\t3\tSWING\tsame name, different content\t73",
              }));
    EXPECT_EQ(contents.newStyles(), 1u);
    EXPECT_EQ(storedRows(), before);

    // One file alone tells the same.
    const DiskContents one = IdentifyDisk(db(), env.dialogs, floppyFile(2));
    ASSERT_EQ(one.files.size(), 1u);
    EXPECT_EQ(one.files[0], contents.files[2]);

    // The import takes the new style only, and stores no bank.
    DiskIdentifyController controller(env.state, env.dialogs);
    ASSERT_TRUE(controller.look(floppy()));
    ASSERT_TRUE(controller.importNew());
    EXPECT_TRUE(controller.imported());
    const Numbers fresh = StyleStore(db()).numbersNamed("FRESH");
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(storedStyle(fresh[0]).StyleContent1, makeChunk(700, 4242));
    EXPECT_EQ(StyleStore(db()).numbersNamed("SWING"), Numbers{73});
    EXPECT_EQ(storedRows(), before + 1000);
    EXPECT_EQ(env.dialogs.messages().back(),
              "Style import ended: 1 style imported, 0 skipped as duplicates, 0 banks stored.");
    // Looked at again, the style is stored.
    EXPECT_EQ(controller.contents().files[2].banks[0].styles[1],
              (IdentifiedStyle{2, "FRESH", IdentifiedStyle::Kind::Stored, fresh[0]}));
    EXPECT_FALSE(controller.importEnabled());
}

TEST_F(DiskIdentifyTest, ADiskChangedSinceItWasLookedAtImportsNothing) {
    DiskIdentifyController controller(env.state, env.dialogs);
    ASSERT_TRUE(controller.look(floppy()));
    writeSecondBank("TANGO");
    const long long before = storedRows();
    EXPECT_FALSE(controller.importNew());
    EXPECT_EQ(storedRows(), before);
    EXPECT_EQ(
        env.dialogs.messages().back(),
        "The bank file " + floppyFile(2).string() +
            " no longer holds what was found on it; nothing was imported. Look at the disk again.");

    // No such place is said; a folder without bank files: catalogue_commands_test.
    EXPECT_FALSE(controller.look(env.dir / "missing"));
    EXPECT_EQ(env.dialogs.messages().back(),
              "There is no file or folder " + (env.dir / "missing").string() + ".");
}

}  // namespace
}  // namespace orb
