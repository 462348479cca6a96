#include <gtest/gtest.h>

#include "catalogue/current_bank.h"
#include "db/style_store.h"
#include "support/test_environment.h"

namespace orb {
namespace {

class CurrentBankTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        for (const auto& [prog, name] :
             {std::pair{11, "Eleven"}, {22, "Twenty-two"}, {55, "Fifty-five"}}) {
            StyleRow style;
            style.StyleProg = prog;
            style.StyleName1 = name;
            style.StyleContent1 = "content of " + std::string(name);
            StyleStore(env.state.connection).insertNumbered(style);
        }
    }

    std::string listing() {
        std::string text;
        for (const KORFStyle& style : env.state.currentBank.styles) {
            text += std::to_string(style.StyleProg) + "=" + style.StyleName1 + ";";
        }
        return text;
    }

    test::TestEnvironment env;
};

TEST_F(CurrentBankTest, OccupiedSlotsBecomeTheBankInSlotOrder) {
    KORFStyles& styles = env.state.currentBank.styles;
    styles.Add(99, "Old", "", 0, 0, "", "");
    BankRow bank;
    bank.BankStyle[0] = 55;
    bank.BankStyle[1] = 11;
    bank.BankStyle[4] = 22;
    LoadBankStyles(bank, env.state.connection, styles);
    EXPECT_EQ(listing(), "55=Fifty-five;11=Eleven;22=Twenty-two;");
    EXPECT_EQ(styles.Item(1), (KORFStyle{55, "Fifty-five", "", 0, 0, "", ""}));

    // A slot naming a style that is gone shows no name.
    bank.BankStyle = {11, 33};
    LoadBankStyles(bank, env.state.connection, styles);
    EXPECT_EQ(listing(), "11=Eleven;33=;");
    bank.BankStyle = {};
    LoadBankStyles(bank, env.state.connection, styles);
    EXPECT_EQ(styles.Count(), 0);
}

TEST_F(CurrentBankTest, LoadingAStoredBankMakesItTheCurrentOne) {
    BankStore(env.state.connection).insertNumbered({7, "SATURDAY", "Dance night", {22, 0, 55}});
    env.state.currentBank.styles.Add(99, "Old", "", 0, 0, "", "");
    EXPECT_FALSE(LoadCurrentBank(env.state, 8));
    EXPECT_EQ(listing(), "99=Old;");
    ASSERT_TRUE(LoadCurrentBank(env.state, 7));
    EXPECT_EQ(env.state.currentBank.number, 7);
    EXPECT_EQ(env.state.currentBank.name, "SATURDAY");
    EXPECT_EQ(env.state.currentBank.description, "Dance night");
    EXPECT_EQ(listing(), "22=Twenty-two;55=Fifty-five;");

    // Given as on the command line: a number first, else a name.
    BankStore(env.state.connection).insertNumbered({8, "7", "", {}});
    EXPECT_EQ(StoredBankGiven(env.state.connection, "7")->BankProg, 7);
    EXPECT_EQ(StoredBankGiven(env.state.connection, "saturday")->BankProg, 7);
    EXPECT_FALSE(StoredBankGiven(env.state.connection, "Sunday"));
}

}  // namespace
}  // namespace orb
