#include <gtest/gtest.h>

#include "app/bank_styles.h"
#include "app/startup.h"
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
    LoadBankStyles(env.state);
    EXPECT_EQ(listing(), "55=Fifty-five;11=Eleven;22=Twenty-two;");
    const KORFStyle& first = env.state.BankStyles.Item(1);
    EXPECT_EQ(first, (KORFStyle{55, "Fifty-five", "", 0, 0, "", ""}));

    // The long-lived style access object is not used for the names.
    env.state.StyleAccess->StyleProg = 7;
    bank.setSlotValues({});
    LoadBankStyles(env.state);
    EXPECT_EQ(env.state.BankStyles.Count(), 0);
    EXPECT_EQ(env.state.StyleAccess->StyleProg, 7);
}

TEST_F(BankStylesTest, ASlotNamingAGoneStyleShowsNoName) {
    DbKORFBank& bank = *env.state.BankAccess;
    bank.setSlotValues({11, 33, 22});
    LoadBankStyles(env.state);
    EXPECT_EQ(listing(), "11=Eleven;33=;22=Twenty-two;");
}

TEST(AccessObjects, OpenDatabaseBindsFreshOnesAndCloseAndExitReleasesThem) {
    test::TestEnvironment env;
    EXPECT_FALSE(env.state.BankAccess);
    EXPECT_THROW(LoadBankStyles(env.state), OrbError);
    env.openFreshDatabase();
    ASSERT_TRUE(env.state.StyleAccess && env.state.BankAccess && env.state.SongAccess);
    EXPECT_EQ(env.state.StyleAccess->ActiveConnection, &env.state.connection);
    EXPECT_EQ(env.state.BankAccess->ActiveConnection, &env.state.connection);
    EXPECT_EQ(env.state.SongAccess->ActiveConnection, &env.state.connection);
    EXPECT_EQ(env.state.SongAccess->NextKORFSong(), 1);

    env.state.BankAccess->BankName = "current";
    env.state.StyleAccess->StyleName1 = "current";
    OpenDatabase(env.state);
    EXPECT_EQ(env.state.BankAccess->BankName, "");
    EXPECT_EQ(env.state.StyleAccess->StyleName1, "");

    CloseAndExit(env.state, env.dialogs);
    EXPECT_FALSE(env.state.StyleAccess || env.state.BankAccess || env.state.SongAccess);
}

}  // namespace
}  // namespace orb
