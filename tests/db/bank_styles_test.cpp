#include <gtest/gtest.h>

#include "db/bank_styles.h"
#include "support/test_environment.h"

namespace orb {
namespace {

class BankStylesTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.openFreshDatabase();
        for (const auto& [prog, name] :
             {std::pair{11, "Eleven"}, {22, "Twenty-two"}, {55, "Fifty-five"}}) {
            DbKORFStyle style(env.state.connection);
            style.StyleProg = prog;
            style.StyleName1 = name;
            style.StyleContent1 = "content of " + std::string(name);
            ASSERT_TRUE(style.InsKORFStyles()) << style.clsKORFStylesError;
        }
    }

    void load() {
        LoadBankStyles(*env.state.BankAccess, env.state.connection, env.state.BankStyles);
    }

    std::string listing() {
        std::string text;
        for (const KORFStyle& style : env.state.BankStyles) {
            text += std::to_string(style.StyleProg) + "=" + style.StyleName1 + ";";
        }
        return text;
    }

    test::TestEnvironment env;
};

TEST_F(BankStylesTest, OccupiedSlotsBecomeTheBankInSlotOrder) {
    env.state.BankStyles.Add(99, "Old", "", 0, 0, "", "");
    DbKORFBank& bank = *env.state.BankAccess;
    bank.BankStyle01 = 55;
    bank.BankStyle02 = 11;
    bank.BankStyle05 = 22;
    load();
    EXPECT_EQ(listing(), "55=Fifty-five;11=Eleven;22=Twenty-two;");
    const KORFStyle& first = env.state.BankStyles.Item(1);
    EXPECT_EQ(first, (KORFStyle{55, "Fifty-five", "", 0, 0, "", ""}));

    // The long-lived style access object is not used for the names.
    env.state.StyleAccess->StyleProg = 7;
    bank.setSlotValues({});
    load();
    EXPECT_EQ(env.state.BankStyles.Count(), 0);
    EXPECT_EQ(env.state.StyleAccess->StyleProg, 7);
}

TEST_F(BankStylesTest, ASlotNamingAGoneStyleShowsNoName) {
    DbKORFBank& bank = *env.state.BankAccess;
    bank.setSlotValues({11, 33, 22});
    load();
    EXPECT_EQ(listing(), "11=Eleven;33=;22=Twenty-two;");
}

}  // namespace
}  // namespace orb
