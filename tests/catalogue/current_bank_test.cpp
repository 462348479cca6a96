#include <gtest/gtest.h>

#include "catalogue/current_bank.h"
#include "catalogue_test_support.h"

namespace orb {
namespace {

class CurrentBankTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        for (const auto& [prog, name] :
             {std::pair{11, "Eleven"}, {22, "Twenty-two"}, {55, "Fifty-five"}}) {
            test::addStyle(env.state.connection, prog, name);
        }
    }

    std::string listing(const std::vector<BankSlot>& filled) {
        std::string text;
        for (const BankSlot& slot : filled) {
            text += std::to_string(slot.style.value) + "=" + slot.name + ";";
        }
        return text;
    }

    test::TestEnvironment env;
};

TEST_F(CurrentBankTest, OccupiedSlotsBecomeTheBankInSlotOrder) {
    BankRow bank;
    bank.BankStyle[0] = 55;
    bank.BankStyle[1] = 11;
    bank.BankStyle[4] = 22;
    EXPECT_EQ(listing(StoredBankSlots(bank, env.state.connection)),
              "55=Fifty-five;11=Eleven;22=Twenty-two;");
    // A slot naming a style that is gone shows no name.
    bank.BankStyle = {11, 33};
    EXPECT_EQ(listing(StoredBankSlots(bank, env.state.connection)), "11=Eleven;33=;");
    bank.BankStyle = {};
    EXPECT_TRUE(StoredBankSlots(bank, env.state.connection).empty());
}

TEST_F(CurrentBankTest, LoadingEditingAndStoringFollowTheBanksState) {
    CurrentBank bank;
    int notices = 0;
    bank.onChange([&notices] { ++notices; });
    bank.append({StyleNumber{99}, "Old"});
    EXPECT_EQ(bank.state(), BankState::NewChanged);
    bank.load({7, "SATURDAY", " Dance night ", {22, 0, 55}}, env.state.connection);
    EXPECT_EQ(listing(bank.styles()), "22=Twenty-two;55=Fifty-five;");
    EXPECT_EQ(bank.storedNumber(), 7);
    EXPECT_EQ(bank.name(), "SATURDAY");
    EXPECT_EQ(bank.description(), "Dance night");
    EXPECT_EQ(bank.state(), BankState::Stored);
    EXPECT_EQ(bank.styleNumbers(), (BankSlots{22, 55}));

    bank.swap(0, 1);
    EXPECT_EQ(bank.state(), BankState::Stored);
    bank.append({StyleNumber{11}, "Eleven"});
    EXPECT_EQ(bank.state(), BankState::StoredChanged);
    EXPECT_EQ(bank.styleNumbers(), (BankSlots{55, 22, 11}));
    bank.markStored({8, "SUNDAY", "", {}});
    EXPECT_EQ(bank.state(), BankState::Stored);
    bank.removeAt(2);
    EXPECT_EQ(bank.state(), BankState::Stored);
    bank.forgetStoredBank();
    EXPECT_EQ(bank.state(), BankState::NewChanged);
    EXPECT_EQ(bank.storedNumber(), 0);
    bank.clear();
    EXPECT_EQ(bank.state(), BankState::Empty);
    EXPECT_EQ(bank.name(), "");
    EXPECT_EQ(notices, 8);

    // Given as on the command line: a number first, else a name.
    BankStore(env.state.connection).insertNumbered({7, "SATURDAY", "Dance night", {22, 0, 55}});
    BankStore(env.state.connection).insertNumbered({8, "7", "", {}});
    EXPECT_EQ(StoredBankGiven(env.state.connection, "7")->BankProg, 7);
    EXPECT_EQ(StoredBankGiven(env.state.connection, "saturday")->BankProg, 7);
    EXPECT_FALSE(StoredBankGiven(env.state.connection, "Sunday"));
}

}  // namespace
}  // namespace orb
