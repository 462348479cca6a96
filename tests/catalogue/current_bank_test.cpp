#include <gtest/gtest.h>

#include <functional>

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

TEST_F(CurrentBankTest, OccupiedSlotsBecomeTheBankAndABankIsGivenByNumberOrName) {
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

    // Given as on the command line: a number first, else a name. (The states of the current
    // bank are driven through the controller's state table in bank_controller_test.)
    BankStore(env.state.connection).insertNumbered({7, "SATURDAY", "Dance night", {22, 0, 55}});
    BankStore(env.state.connection).insertNumbered({8, "7", "", {}});
    EXPECT_EQ(StoredBankGiven(env.state.connection, "7")->BankProg, 7);
    EXPECT_EQ(StoredBankGiven(env.state.connection, "saturday")->BankProg, 7);
    EXPECT_FALSE(StoredBankGiven(env.state.connection, "Sunday"));
}

// Windows that hold the bank by reference redraw on its notice: each change gives one.
TEST_F(CurrentBankTest, EveryChangeIsNoticedOnce) {
    CurrentBank bank;
    int notices = 0;
    bank.onChange([&notices] { ++notices; });
    const std::vector<std::function<void()>> changes = {
        [&] {
            bank.append({StyleNumber{99}, "Old"});
        },
        [&] {
            bank.load({7, "SATURDAY", "", {22, 0, 55}}, env.state.connection);
        },
        [&] { bank.swap(0, 1); },
        [&] { bank.removeAt(1); },
        [&] {
            bank.markStored({8, "SUNDAY", "", {}});
        },
        [&] { bank.forgetStoredBank(); },
        [&] { bank.clear(); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i]();
        EXPECT_EQ(notices, static_cast<int>(i) + 1) << i;
    }
}

}  // namespace
}  // namespace orb
