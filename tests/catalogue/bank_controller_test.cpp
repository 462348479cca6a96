#include <gtest/gtest.h>

#include "bank_fixture.h"
#include "catalogue/current_bank.h"
#include "catalogue/where_is.h"

namespace orb {
namespace {

using S = BankState;

class BankControllerTest : public test::BankTest {
protected:
    // Brings the current bank into `state` the way a person would.
    void reach(BankState state) {
        bank().clearBank();
        if (state == S::Stored || state == S::StoredChanged) {
            loadBank(5);
        }
        if (state == S::NewChanged || state == S::StoredChanged) {
            bank().insertSelected(rows({96}));
        }
        ASSERT_EQ(bank().bankState(), state);
        env.dialogs.clear();
    }
};

TEST_F(BankControllerTest, EveryRowOfTheStateTable) {
    // The state after each command, by the state before it; `no` where the command is not met.
    struct Row {
        const char* event;
        std::function<void()> prepare;
        std::function<void()> run;
        std::array<std::optional<S>, 4> after;
    };
    constexpr std::optional<S> no;
    constexpr S Empty = S::Empty, Stored = S::Stored, New = S::NewChanged,
                Changed = S::StoredChanged;
    const auto yes = [this] { env.dialogs.answer(Answer::Yes); };
    const auto store = [this] {
        dialogScript = [](BankDialogController& dialog) {
            if (dialog.mode() == BankDialogController::Mode::SaveNew) {
                dialog.setName("FRESH");
            }
            return dialog.ok();
        };
    };
    const std::vector<Row> table = {
        {"insert", {}, [&] { bank().insertSelected(rows({64})); }, {New, Changed, New, Changed}},
        {"remove", yes, [&] { bank().remove(); }, {no, Stored, New, Changed}},
        {"move up", {}, [&] { bank().moveUp(); }, {no, Stored, New, Changed}},
        {"move down",
         [&] { bank().clickSlot(0); },
         [&] { bank().moveDown(); },
         {no, Stored, New, Changed}},
        {"erase", yes, [&] { bank().erase(); }, {no, Empty, Empty, Empty}},
        {"save, stored", store, [&] { bank().save(); }, {no, Stored, Stored, Stored}},
        {"save as, stored", store, [&] { bank().saveAs(); }, {no, Stored, Stored, Stored}},
        {"save, cancelled", {}, [&] { bank().save(); }, {no, Stored, New, Changed}},
    };
    for (const Row& row : table) {
        for (int before = 0; before < 4; ++before) {
            const std::optional<S> after = row.after[static_cast<std::size_t>(before)];
            if (!after) {
                continue;
            }
            SCOPED_TRACE(std::string(row.event) + " from " + std::to_string(before));
            db().execute("DELETE FROM KORFBanks WHERE BankName = 'FRESH'");
            db().execute("UPDATE KORFBanks SET BankStyle05 = 0 WHERE BankProg = 5");
            reach(static_cast<BankState>(before));
            if (row.prepare) {
                row.prepare();
            }
            row.run();
            EXPECT_EQ(bank().bankState(), *after);
            dialogScript = [](BankDialogController&) { return false; };
        }
    }
    // While its dialog is open, save shows a stored bank as changed; save as shows it as new.
    for (int before = 1; before < 4; ++before) {
        reach(static_cast<BankState>(before));
        requests.clear();
        bank().save();
        bank().saveAs();
        const S update = before == 1 ? S::StoredChanged : static_cast<S>(before);
        EXPECT_EQ(requests, (Requests{{update, "Bank Save / Update"},
                                      {S::NewChanged, "Bank Save / Insert"}}));
    }
    // Load on a changed bank: the question, then the bank is cleared before the dialog opens.
    reach(S::StoredChanged);
    requests.clear();
    env.dialogs.answer(Answer::Yes);
    bank().load();
    EXPECT_EQ(env.dialogs.messages(), Texts{"If you load another bank, all changes made to current "
                                            "style will be lost. Confirm bank loading?"});
    EXPECT_EQ(requests, (Requests{{S::Empty, "Bank loading"}}));
    EXPECT_EQ(bank().styleCount(), 0);
    EXPECT_EQ(bank().frameCaption(), "<empty bank>");
}

TEST_F(BankControllerTest, InsertStopsAtSixteenSayingSoAndAsksPerCopy) {
    Numbers twenty;
    for (int i = 0; i < 20; ++i) {
        twenty.push_back(200 + 7 * i);
        addStyle(twenty.back(), "S" + std::to_string(i), "", "", "");
    }
    EXPECT_TRUE(bank().menuEnabled(BankCommand::Insert, 3));
    bank().insertSelected(rows(twenty));
    EXPECT_EQ(bank().styleCount(), 16);
    EXPECT_EQ(bank().selectedSlot(), 15);
    EXPECT_EQ(bank().frameCaption(), "<new bank, not saved>");
    EXPECT_EQ(bankStyles(), Numbers(twenty.begin(), twenty.begin() + 16));
    EXPECT_EQ(env.dialogs.messages(), Texts{"The bank is full: 4 selected styles were not added."});
    // Still offered on a full bank, where it says why nothing is added.
    EXPECT_TRUE(bank().menuEnabled(BankCommand::Insert, 3));
    env.dialogs.clear();
    bank().insertSelected(rows({41}));
    EXPECT_EQ(shown(env.dialogs),
              (Shown{{"Bank already holds 16 styles. Selected style(s) cannot be added!",
                      Icon::Exclamation}}));

    // Bank 9 holds 88 twice: two questions; No to the last leaves the bank but sets state 3.
    bank().clearBank();
    loadBank(9);
    env.dialogs.clear();
    env.dialogs.answer(Answer::Yes);
    env.dialogs.answer(Answer::No);
    bank().insertSelected(rows({88}));
    EXPECT_EQ(
        env.dialogs.messages(),
        Texts(2, "Style DISCO already present inside bank. Would you like to insert it anyway?"));
    EXPECT_EQ(bankStyles(), (Numbers{73, 88, 57, 88}));
    EXPECT_EQ(bank().bankState(), S::StoredChanged);
    // A style no longer stored is not added, without a message.
    env.dialogs.clear();
    bank().insertSelected({{555, "GONE"}});
    EXPECT_EQ(bankStyles(), (Numbers{73, 88, 57, 88}));
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(BankControllerTest, RemoveMoveSlotsAndLoad) {
    loadBank(5);
    EXPECT_EQ(bank().selectedSlot(), 0);
    // Move up on slot 0 and down on the last slot change nothing.
    bank().moveUp();
    bank().clickSlot(3);
    bank().moveDown();
    EXPECT_EQ(bankStyles(), (Numbers{57, 41, 88, 73}));
    EXPECT_EQ(bank().selectedSlot(), 3);
    bank().moveUp();
    EXPECT_EQ(bankStyles(), (Numbers{57, 41, 73, 88}));
    EXPECT_EQ(bank().selectedSlot(), 2);
    bank().clickSlot(9);  // empty: nothing
    EXPECT_EQ(bank().selectedSlot(), 2);
    EXPECT_TRUE(env.dialogs.calls().empty());
    // Removing the last slot selects the new last one.
    bank().clickSlot(3);
    env.dialogs.answer(Answer::Yes);
    bank().remove();
    EXPECT_EQ(env.dialogs.messages(),
              Texts{"Style DISCO will be deleted from bank. Are you sure?"});
    EXPECT_EQ(bank().selectedSlot(), 2);
    EXPECT_EQ(bank().bankState(), S::Stored);

    // The only style of a loaded bank removed: state 0, no slot selected.
    db().execute("UPDATE KORFBanks SET BankStyle02 = 0, BankStyle03 = 0, BankStyle04 = 0");
    loadBank(5);
    env.dialogs.answer(Answer::Yes);
    bank().remove();
    EXPECT_EQ(bank().bankState(), S::Empty);
    EXPECT_EQ(bank().selectedSlot(), -1);
    EXPECT_FALSE(bank().menuEnabled(BankCommand::MoveUp, 4));
    EXPECT_TRUE(bank().menuEnabled(BankCommand::Load, 0));
}

TEST_F(BankControllerTest, CommandsOnAnEmptyBankWarnAndChangeNothing) {
    env.state.FloppyPath = " ";
    const std::vector<std::pair<std::function<void()>, const char*>> cases = {
        {[&] { bank().remove(); }, "Bank is empty: there's nothing to remove!"},
        {[&] { bank().moveUp(); }, "Bank is empty: there's nothing to move up!"},
        {[&] { bank().moveDown(); }, "Bank is empty: there's nothing to move down!"},
        {[&] { bank().erase(); }, "Bank is empty: there's nothing to remove."},
        {[&] { bank().save(); }, "Bank is empty: there's nothing to save!"},
        {[&] { bank().saveAs(); }, "Bank is empty: there's nothing to save!"},
        {[&] { bank().exportToSsf(); }, "Bank is empty: there's nothing to export!"},
        {[&] { bank().makeSty(); }, "Bank is empty: there's nothing to make a .STY with!"},
    };
    for (const auto& [run, text] : cases) {
        env.dialogs.clear();
        run();
        EXPECT_EQ(shown(env.dialogs), (Shown{{text, Icon::Exclamation}}));
        EXPECT_EQ(bank().bankState(), S::Empty);
    }
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(bank().menuEnabled(BankCommand::Insert, 0));

    // A changed bank is neither exported nor made; a stored one without floppy is not made.
    reach(S::NewChanged);
    bank().exportToSsf();
    bank().makeSty();
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Please save changes made to current style before exporting it to SSF!",
                     "Please save changes made to current style before making a STY file!"}));
    bank().clearBank();
    loadBank(9);
    env.dialogs.clear();
    bank().makeSty();
    env.dialogs.answer(Answer::No);
    bank().print();  // state 1: asks; No prints nothing
    EXPECT_EQ(env.dialogs.messages(),
              (Texts{"Floppy disk is not specified. Please click on Parameter button inside main "
                     "form and insert all required data!",
                     "Confirm printing of bank BANK9?"}));
    EXPECT_TRUE(printer.printed.empty());
    EXPECT_EQ(makeBankWindows, 0);
    EXPECT_EQ(ssfExportWindows, 0);  // not for the changed bank above
    env.state.FloppyPath = "/media/stick";
    bank().makeSty();
    EXPECT_EQ(makeBankWindows, 1);
    bank().exportToSsf();  // the stored, unchanged bank 9
    EXPECT_EQ(ssfExportWindows, 1);
}

TEST_F(BankControllerTest, SaveAsOnAChangedLoadedBankAndTheCloseQuestion) {
    reach(S::StoredChanged);
    bank().saveAs();
    ASSERT_EQ(modes.size(), 2u);  // the load while reaching, then this one
    EXPECT_EQ(modes.back(), BankDialogController::Mode::SaveNew);
    EXPECT_EQ(bank().bankState(), S::StoredChanged);
    env.dialogs.clear();
    // Cancel stays; Yes with the save dialog left stays; No discards and closes.
    env.dialogs.answer(Answer::Cancel);
    EXPECT_FALSE(bank().mayClose());
    env.dialogs.answer(Answer::Yes);
    modes.clear();
    EXPECT_FALSE(bank().mayClose());
    EXPECT_EQ(modes, std::vector<BankDialogController::Mode>{BankDialogController::Mode::Update});
    env.dialogs.answer(Answer::No);
    EXPECT_TRUE(bank().mayClose());
    EXPECT_EQ(env.dialogs.messages(),
              Texts(3,
                    "Current bank has been modified. Save it before the styles window closes?\nYes "
                    "saves it, No discards all changes, Cancel keeps the window open."));
    EXPECT_EQ(env.dialogs.calls()[0].buttons, UserDialogs::Buttons::YesNoCancel);
    EXPECT_EQ(env.dialogs.calls()[0].defaultAnswer, Answer::Cancel);
    // Yes and a stored bank: the window closes with the bank saved.
    env.dialogs.answer(Answer::Yes);
    dialogScript = [](BankDialogController& dialog) { return dialog.ok(); };
    EXPECT_TRUE(bank().mayClose());
    EXPECT_EQ(bank().bankState(), S::Stored);
    env.dialogs.answer(Answer::Yes);
    loadBank(5);
    env.dialogs.clear();
    EXPECT_TRUE(bank().mayClose());
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(BankControllerTest, PrintListsTheStylesStillStored) {
    db().execute("UPDATE KORFBanks SET BankDesc = ' Live set  ' WHERE BankProg = 5");
    loadBank(5);
    EXPECT_EQ(bank().description(), "Live set");  // shown and printed without the blanks
    db().execute("DELETE FROM KORFStyles WHERE StyleProg = 88");
    env.dialogs.answer(Answer::Yes);
    bank().print();
    ASSERT_EQ(printer.printed.size(), 1u);
    EXPECT_EQ(printer.titles, Texts{"BANK5"});
    const std::string gap(20, ' ');
    EXPECT_EQ(printer.printed[0],
              (std::vector<PrintLine>{{"", "ARIAL", 12},
                                      {"BANK5", "ARIAL", 18},
                                      {"Live set", "ARIAL", 12},
                                      {"", "ARIAL", 12},
                                      {"BALLAD" + gap + "Description of BALLAD", "ARIAL", 12},
                                      {"ROCK1" + gap + "Description of ROCK1", "ARIAL", 12},
                                      {"SWING" + gap + "Description of SWING", "ARIAL", 12}}));
    // A changed bank is not printed, without a message.
    bank().insertSelected(rows({96}));
    env.dialogs.clear();
    bank().print();
    EXPECT_EQ(printer.printed.size(), 1u);
    EXPECT_TRUE(env.dialogs.calls().empty());
}

TEST_F(BankControllerTest, WhereIsLoadsThroughItsWindowAndSelectsTheFirstSlot) {
    reach(S::NewChanged);
    bank().whereIs({88, "DISCO      "});  // padded as bank files pad it
    EXPECT_EQ(whereIsCaptions, Texts{"Where is DISCO?"});
    EXPECT_EQ(bank().bankState(), S::NewChanged);
    EXPECT_EQ(bank().selectedSlot(), 0);
    // The window loads bank 9 (the second bank node: BANK5 comes first by name).
    whereIsScript = [this](std::int32_t style) {
        WhereIsController window(env.state, env.dialogs, currentBank(), style);
        EXPECT_TRUE(window.build());
        env.dialogs.answer(Answer::Yes);
        env.dialogs.answer(Answer::Yes);
        EXPECT_TRUE(window.doubleClick(nodeIndex(window.nodes(), "B00009")));
        return window.loaded();
    };
    bank().clickSlot(1);
    bank().whereIs({88, "DISCO      "});
    EXPECT_EQ(bank().bankState(), S::Stored);
    EXPECT_EQ(bank().frameCaption(), " BANK9");
    EXPECT_EQ(bankStyles(), (Numbers{73, 88, 57, 88}));
    EXPECT_EQ(bank().selectedSlot(), 0);
}

TEST_F(BankControllerTest, OccupiedSlotsBecomeTheBankAndABankIsGivenByNumberOrName) {
    const auto listing = [this](const Numbers& styles) {
        BankRow bank;
        std::copy(styles.begin(), styles.end(), bank.BankStyle.begin());
        std::string text;
        for (const BankSlot& slot : StoredBankSlots(bank, db())) {
            text += std::to_string(slot.style.value) + "=" + slot.name + ";";
        }
        return text;
    };
    EXPECT_EQ(listing({88, 41, 0, 0, 57}), "88=DISCO;41=ROCK1;57=BALLAD;");
    // A slot naming a style that is gone shows no name.
    EXPECT_EQ(listing({41, 33}), "41=ROCK1;33=;");
    EXPECT_EQ(listing({}), "");

    // Given as on the command line: a number first, else a name.
    BankStore(db()).insertNumbered({7, "SATURDAY", "Dance night", {73, 0, 88}});
    BankStore(db()).insertNumbered({8, "7", "", {}});
    EXPECT_EQ(StoredBankGiven(db(), "7")->BankProg, 7);
    EXPECT_EQ(StoredBankGiven(db(), "saturday")->BankProg, 7);
    EXPECT_FALSE(StoredBankGiven(db(), "Sunday"));
}

// Windows that hold the bank by reference redraw on its notice: each change gives one.
TEST_F(BankControllerTest, EveryChangeOfTheCurrentBankIsNoticedOnce) {
    CurrentBank bank;
    int notices = 0;
    bank.onChange([&notices] { ++notices; });
    bank.append({StyleNumber{99}, "Old"});
    EXPECT_EQ(notices, 1);
    bank.load({7, "SATURDAY", "", {73, 0, 88}}, db());
    EXPECT_EQ(notices, 2);
    bank.swap(0, 1);
    EXPECT_EQ(notices, 3);
    bank.removeAt(1);
    EXPECT_EQ(notices, 4);
    bank.markStored({8, "SUNDAY", "", {}});
    EXPECT_EQ(notices, 5);
    bank.forgetStoredBank();
    EXPECT_EQ(notices, 6);
    bank.clear();
    EXPECT_EQ(notices, 7);
}

}  // namespace
}  // namespace orb
