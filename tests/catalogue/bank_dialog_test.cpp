#include <gtest/gtest.h>

#include "bank_fixture.h"
#include "catalogue/current_bank.h"
#include "catalogue/style_changes.h"
#include "catalogue/style_group.h"
#include "catalogue/where_is.h"

namespace orb {
namespace {

using Kind = BankTreeNode::Kind;
using Look = BankTreeNode::Look;
using Mode = BankDialogController::Mode;

using BankDialogTest = test::BankTest;

TEST_F(BankDialogTest, TheTreeItsKeysAndItsOrders) {
    db().execute("DELETE FROM KORFBanks");
    // Bank 7 with slots 1, 2 and 5 filled, and a bank numbered above 99999.
    addStyle(42, "JIVE", "Swing", "Pop", "Gil");
    db().execute("UPDATE KORFStyles SET StyleName1 = pName WHERE StyleProg = 42",
                 {std::string("JIVE\0\0\0\0\0\0\0", 11)});
    db().execute(
        "INSERT INTO KORFBanks (BankProg, BankName, BankDesc, BankStyle01, BankStyle02, "
        "BankStyle05) VALUES (7, 'ZETA', '  Gig ', 41, 42, 57)");
    db().execute("UPDATE KORFStyles SET StyleDesc = ' ' WHERE StyleProg = 42");
    addBank(123456, {88});
    const std::vector<BankTreeNode> tree = BankTree(db(), BankTreeOrder::NameAscending);
    const std::string blue = " [Description of ";
    EXPECT_EQ(
        tree,
        (std::vector<BankTreeNode>{
            {Kind::Root, "ROOT", "", "ORB", Look::Plain, 0, 0, 0, "", ""},
            {Kind::Bank, "B123456", "ROOT", "BANK123456", Look::Bold, 123456, 0, 0, "BANK123456",
             ""},
            {Kind::Style, "B123456S0008801", "B123456", "DISCO" + blue + "DISCO]", Look::BoldBlue,
             123456, 88, 1, "", ""},
            {Kind::Bank, "B00007", "ROOT", "ZETA [Gig]", Look::Bold, 7, 0, 0, "ZETA", "  Gig "},
            {Kind::Style, "B00007S0004101", "B00007", "ROCK1" + blue + "ROCK1]", Look::BoldBlue, 7,
             41, 1, "", ""},
            {Kind::Style, "B00007S0004202", "B00007", "JIVE", Look::BoldBlue, 7, 42, 2, "", ""},
            {Kind::Style, "B00007S0005705", "B00007", "BALLAD" + blue + "BALLAD]", Look::BoldBlue,
             7, 57, 5, "", ""},
        }));
    const std::vector<std::pair<BankTreeOrder, Texts>> orders = {
        {BankTreeOrder::NameDescending, {"B00007", "B123456"}},
        {BankTreeOrder::CodeAscending, {"B00007", "B123456"}},
        {BankTreeOrder::CodeDescending, {"B123456", "B00007"}},
    };
    for (const auto& [order, banks] : orders) {
        Texts found;
        for (const BankTreeNode& node : BankTree(db(), order)) {
            if (node.kind == Kind::Bank) {
                found.push_back(node.key);
            }
        }
        EXPECT_EQ(found, banks) << static_cast<int>(order);
    }
}

TEST_F(BankDialogTest, NodeSelectionFillsTheFieldsAndOkAsksForAName) {
    env.state.PaHardDiskPath = "/media/pa";
    BankDialogController dialog(env.state, env.dialogs, currentBank(), BankState::Empty);
    EXPECT_EQ(std::tuple(dialog.mode(), dialog.caption(), dialog.okCaption(), dialog.nameReadOnly(),
                         dialog.descriptionReadOnly()),
              std::tuple(Mode::Load, "Load style bank", "Load selected style bank", true, true));
    ASSERT_TRUE(dialog.fillTree());
    // Name and description come as stored, brackets and all: window_and_command_test. A style
    // node empties the fields, so OK asks for a bank name and stays open.
    dialog.selectNode(nodeIndex(dialog.nodes(), "B00009"));
    dialog.selectNode(nodeIndex(dialog.nodes(), "B00009S0008802"));
    EXPECT_EQ(dialog.name(), "");
    EXPECT_FALSE(dialog.deleteShown());
    EXPECT_FALSE(dialog.ok());
    EXPECT_EQ(shown(env.dialogs), (Shown{{"Please insert bank name!", Icon::Critical}}));
    EXPECT_FALSE(dialog.outcome().stored);
}

TEST_F(BankDialogTest, SaveAsUpdateAndOverwrite) {
    loadBank(5);
    bank().insertSelected(rows({96}));
    // Update mode: the stored name, read-only; the description and the slots are written.
    dialogScript = [&](BankDialogController& dialog) {
        EXPECT_EQ(std::tuple(dialog.caption(), dialog.nameReadOnly(), dialog.descriptionReadOnly(),
                             dialog.treeShown(), dialog.name()),
                  std::tuple("Update style bank", true, false, false, "BANK5"));
        dialog.setDescription(std::string(250, 'd'));
        EXPECT_EQ(dialog.description(), std::string(200, 'd'));
        return dialog.ok();
    };
    bank().save();
    EXPECT_EQ(bank().bankState(), BankState::Stored);
    EXPECT_EQ(bank().description(), std::string(200, 'd'));
    EXPECT_EQ(slotsOf(5), (BankSlots{57, 41, 88, 73, 96}));

    // Save as onto the name of bank 9: the question; No keeps the dialog open, Yes updates
    // bank 9, which keeps its number.
    bank().insertSelected(rows({64}));
    dialogScript = [&](BankDialogController& dialog) {
        EXPECT_EQ(dialog.caption(), "Save style bank");
        EXPECT_EQ(dialog.name(), "");
        EXPECT_EQ(dialog.description(), std::string(200, 'd'));
        dialog.setName("bank9");
        dialog.setDescription("  Merged ");
        env.dialogs.answer(Answer::No);
        EXPECT_FALSE(dialog.ok());
        env.dialogs.answer(Answer::Yes);
        return dialog.ok();
    };
    env.dialogs.clear();
    bank().saveAs();
    EXPECT_EQ(env.dialogs.messages(),
              Texts(2, "Bank bank9 already present. Would you like to overwrite it?"));
    EXPECT_EQ(slotsOf(9), (BankSlots{57, 41, 88, 73, 96, 64}));
    EXPECT_EQ(BankStore(db()).find(9)->BankDesc, "Merged");
    EXPECT_EQ(currentBank().storedNumber(), 9);
    EXPECT_EQ(bank().frameCaption(), " bank9");
    EXPECT_EQ(BankStore(db()).all().size(), 2u);

    // A new name gets the next number.
    addStyle(33, "MARCH", "", "", "");
    bank().insertSelected(rows({33}));
    dialogScript = [&](BankDialogController& dialog) {
        dialog.setName("NEWBANK-LONGER");
        return dialog.ok();
    };
    bank().saveAs();
    EXPECT_EQ(currentBank().storedNumber(), 10);
    EXPECT_EQ(currentBank().name(), "NEWBANK-LON");
}

TEST_F(BankDialogTest, DeleteWorksApartFromTheCurrentBank) {
    loadBank(9);
    // Deleting bank 5 leaves the current bank stored; deleting bank 9, the current bank, leaves
    // its styles as a bank to be stored anew, and only then is it reported deleted.
    dialogScript = [&](BankDialogController& dialog) {
        dialog.selectNode(nodeIndex(dialog.nodes(), "B00005"));
        dialog.queues().setHardDiskEntry(4, 5, "BANK5");
        dialog.queues().setHardDiskEntry(7, 9, "BANK9");
        dialog.queues().setFloppyEntry(2, 5, "BANK5");
        env.dialogs.answer(Answer::No);
        dialog.deleteSelected();
        EXPECT_EQ(BankStore(db()).all().size(), 2u);
        EXPECT_EQ(dialog.queues().hardDisk()[4].bankProg, 5);
        env.dialogs.answer(Answer::Yes);
        dialog.deleteSelected();
        // A deleted bank leaves the queues at once; the others stay.
        EXPECT_TRUE(dialog.queues().hardDisk()[4].free());
        EXPECT_TRUE(dialog.queues().floppy()[2].free());
        EXPECT_EQ(dialog.queues().hardDisk()[7].bankProg, 9);
        EXPECT_FALSE(dialog.outcome().currentBankDeleted);
        Texts keys;
        for (const BankTreeNode& node : dialog.nodes()) {
            keys.push_back(node.key);
        }
        EXPECT_EQ(keys, (Texts{"ROOT", "B00009", "B00009S0007301", "B00009S0008802",
                               "B00009S0005703", "B00009S0008804"}));
        return false;
    };
    env.dialogs.clear();
    bank().load();
    EXPECT_EQ(bank().bankState(), BankState::Stored);
    EXPECT_EQ(currentBank().storedNumber(), 9);
    dialogScript = [&](BankDialogController& dialog) {
        dialog.selectNode(nodeIndex(dialog.nodes(), "B00009"));
        env.dialogs.answer(Answer::Yes);
        dialog.deleteSelected();
        EXPECT_TRUE(dialog.outcome().currentBankDeleted);
        EXPECT_TRUE(dialog.nodes().empty());
        EXPECT_EQ(dialog.name(), "");
        EXPECT_EQ(dialog.selectedBankProg(), 0);
        return false;
    };
    bank().load();
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Deleting bank BANK5 from database?", "Deleting bank BANK5 from database?",
                     "Deleting bank BANK9 from database?"}));
    EXPECT_TRUE(BankStore(db()).all().empty());
    EXPECT_EQ(bank().bankState(), BankState::NewChanged);
    EXPECT_EQ(bankStyles(), (Numbers{73, 88, 57, 88}));
    // The next save stores it anew.
    dialogScript = [&](BankDialogController& dialog) {
        EXPECT_EQ(dialog.mode(), Mode::SaveNew);
        dialog.setName("AGAIN");
        return dialog.ok();
    };
    bank().save();
    EXPECT_EQ(BankStore(db()).all().size(), 1u);
    EXPECT_EQ(slotsOf(1), (BankSlots{73, 88, 57, 88}));
    // Without any bank the load dialog closes at once.
    db().execute("DELETE FROM KORFBanks");
    modes.clear();
    bank().load();
    EXPECT_EQ(modes.size(), 1u);
    EXPECT_EQ(bank().bankState(), BankState::Stored);
}

TEST_F(BankDialogTest, WhereIsTreeAndItsLoadQuestions) {
    db().execute("UPDATE KORFStyles SET StyleDesc = '  ' WHERE StyleProg = 73");
    const std::vector<BankTreeNode> tree = WhereIsTree(WhereIs(db(), 88), 88);
    EXPECT_EQ(tree,
              (std::vector<BankTreeNode>{
                  {Kind::Root, "ROOT", "", "ORB", Look::Plain, 0, 0, 0, "", ""},
                  {Kind::Bank, "B00005", "ROOT", "BANK5", Look::Bold, 5, 0, 0, "BANK5", ""},
                  {Kind::Style, "B00005S0005701", "B00005", "BALLAD [Description of BALLAD]",
                   Look::Plain, 5, 57, 1, "", ""},
                  {Kind::Style, "B00005S0004102", "B00005", "ROCK1 [Description of ROCK1]",
                   Look::Plain, 5, 41, 2, "", ""},
                  {Kind::Style, "B00005S0008803", "B00005", "DISCO [Description of DISCO]",
                   Look::BoldBlue, 5, 88, 3, "", ""},
                  {Kind::Style, "B00005S0007304", "B00005", "SWING", Look::Plain, 5, 73, 4, "", ""},
                  {Kind::Bank, "B00009", "ROOT", "BANK9", Look::Bold, 9, 0, 0, "BANK9", ""},
                  {Kind::Style, "B00009S0007301", "B00009", "SWING", Look::Plain, 9, 73, 1, "", ""},
                  {Kind::Style, "B00009S0008802", "B00009", "DISCO [Description of DISCO]",
                   Look::BoldBlue, 9, 88, 2, "", ""},
                  {Kind::Style, "B00009S0005703", "B00009", "BALLAD [Description of BALLAD]",
                   Look::Plain, 9, 57, 3, "", ""},
                  {Kind::Style, "B00009S0008804", "B00009", "DISCO [Description of DISCO]",
                   Look::BoldBlue, 9, 88, 4, "", ""},
              }));
    // Not in any bank: the message and no window.
    WhereIsController none(env.state, env.dialogs, currentBank(), 96);
    EXPECT_FALSE(none.build());
    EXPECT_EQ(shown(env.dialogs),
              (Shown{{"Selected style cannot be found in any bank!", Icon::Information}}));

    // An empty current bank asks once: window_and_command_test. A style node does nothing.
    // A stored, unchanged bank of a single style is still a bank: both questions; No to the
    // second keeps it.
    addBank(12, {64});
    loadBank(12);
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    env.dialogs.answer(Answer::No);
    WhereIsController again(env.state, env.dialogs, currentBank(), 88);
    ASSERT_TRUE(again.build());
    EXPECT_FALSE(again.doubleClick(nodeIndex(again.nodes(), "B00009S0008802")));
    EXPECT_FALSE(again.doubleClick(nodeIndex(again.nodes(), "B00005")));
    EXPECT_FALSE(again.loaded());
    EXPECT_EQ(bankStyles(), Numbers{64});
    env.dialogs.answer(Answer::Yes);
    env.dialogs.answer(Answer::Yes);
    EXPECT_TRUE(again.doubleClick(nodeIndex(again.nodes(), "B00005")));
    EXPECT_EQ(bankStyles(), (Numbers{57, 41, 88, 73}));
    const Texts twice = {"Confirm bank BANK5 loading?",
                         "Current bank (and all changes made) will be discarded. Are you sure?"};
    EXPECT_EQ(env.dialogs.messages(), (Texts{twice[0], twice[1], twice[0], twice[1]}));
}

// Deleting styles or banks first keeps a restore point of the catalogue as it was; when none can
// be kept nothing is deleted. The command line deletes through the same steps.
class RestorePointsBeforeDeleting : public test::BankTest {
protected:
    std::vector<RestorePoint> points() { return env.state.restorePoints().list(db().path()); }
    // The folder of restore points turns into a file: no point can be kept there.
    void blockRestorePoints() {
        std::filesystem::remove_all(env.state.RestorePointFolder);
        test::writeFile(env.state.RestorePointFolder, "");
    }
};

TEST_F(RestorePointsBeforeDeleting, AGroupDeleteInTheWindowKeepsOneOrDeletesNothing) {
    // The point's action names up to five styles, or counts them.
    EXPECT_EQ(styleDeletionAction({41}), "deleting style 41");
    EXPECT_EQ(styleDeletionAction({73, 41}), "deleting styles 73 and 41");
    EXPECT_EQ(styleDeletionAction({1, 2, 3, 4, 5}), "deleting styles 1, 2, 3, 4 and 5");
    EXPECT_EQ(styleDeletionAction({1, 2, 3, 4, 5, 6}), "deleting 6 styles");
    const std::string before = snapshot();
    env.clock.setTime("21:40:00");
    env.dialogs.answer(Answer::Yes);
    ASSERT_TRUE(RunGroupDelete(env.state, env.dialogs, {{57, "BALLAD"}, {96, "TANGO"}}));
    EXPECT_EQ(styleNumbers(), (Numbers{41, 64, 73, 88}));

    const std::vector<RestorePoint> kept = points();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(std::tie(kept[0].action, kept[0].time, kept[0].styles, kept[0].banks, kept[0].songs),
              std::tuple("deleting styles 57 and 96", "2026-12-06 21:40:00", 6, 2, 0));
    env.state.restorePoints().bringBack(db(), kept[0]);
    EXPECT_EQ(snapshot(), before);

    // No restore point, no delete.
    blockRestorePoints();
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    EXPECT_FALSE(RunGroupDelete(env.state, env.dialogs, {{57, "BALLAD"}}));
    ASSERT_EQ(env.dialogs.calls().size(), 2u);
    EXPECT_TRUE(env.dialogs.messages()[1].starts_with(
        "ORB could not keep a restore point before deleting style 57: the folder " +
        env.state.RestorePointFolder.string() + " cannot be made ("))
        << env.dialogs.messages()[1];
    EXPECT_TRUE(env.dialogs.messages()[1].ends_with("). Nothing was changed."));
    EXPECT_EQ(env.dialogs.calls()[1].icon, Icon::Critical);
    const test::CliRun refused = runOnFile({"style-delete", "--yes", "41"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.starts_with(
        "ORB could not keep a restore point before deleting style 41: the folder "))
        << refused.err;
    EXPECT_EQ(snapshot(), before);
}

TEST_F(RestorePointsBeforeDeleting, DeletingABankKeepsOneOrDeletesNothing) {
    const auto deleteInDialog = [this](std::int32_t prog) {
        dialogScript = [this, prog](BankDialogController& dialog) {
            dialog.selectNode(bankNode(dialog.nodes(), prog));
            env.dialogs.answer(Answer::Yes);
            dialog.deleteSelected();
            return false;
        };
        bank().load();
    };
    deleteInDialog(9);
    EXPECT_FALSE(BankStore(db()).find(9).has_value());
    ASSERT_EQ(points().size(), 1u);
    EXPECT_EQ(std::tie(points()[0].action, points()[0].banks),
              std::tuple("deleting bank 9 BANK9", 2));

    // No restore point, no delete.
    addBank(12, {64, 96});
    blockRestorePoints();
    env.dialogs.clear();
    deleteInDialog(12);
    ASSERT_EQ(env.dialogs.messages().size(), 2u);
    EXPECT_EQ(env.dialogs.messages()[0], "Deleting bank BANK12 from database?");
    EXPECT_TRUE(env.dialogs.messages()[1].starts_with(
        "ORB could not keep a restore point before deleting bank 12 BANK12: "))
        << env.dialogs.messages()[1];
    EXPECT_EQ(env.dialogs.calls()[1].icon, Icon::Critical);
    EXPECT_EQ(slotsOf(12), (BankSlots{64, 96}));
    EXPECT_EQ(BankStore(db()).all().size(), 2u);
}

}  // namespace
}  // namespace orb
