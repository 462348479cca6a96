#include <gtest/gtest.h>

#include <array>
#include <string>

#include "db/db_korf_bank.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Slots = std::array<std::int32_t, DbKORFBank::kSlotCount>;

class DbKORFBankTest : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }

    Database& db() { return env.state.connection; }

    void insert(std::int32_t prog, const std::string& name, const Slots& slots) {
        DbKORFBank bank(db());
        bank.BankProg = prog;
        bank.BankName = name;
        bank.BankDesc = "Desc of " + name;
        bank.setSlotValues(slots);
        ASSERT_TRUE(bank.InsKORFBanks()) << bank.clsKORFBanksError;
    }

    Slots storedSlots(std::int32_t prog) {
        DbKORFBank bank(db());
        bank.BankProg = prog;
        EXPECT_TRUE(bank.GetKORFBanks());
        return bank.slotValues();
    }

    test::TestEnvironment env;
};

TEST_F(DbKORFBankTest, InsertAndLoadAllNineteenColumns) {
    DbKORFBank bank(db());
    EXPECT_EQ(bank.NextKORFBank(), 1);
    bank.BankProg = 12;
    bank.BankName = "";
    bank.BankDesc = std::string(200, 'd');
    for (int slot = 1; slot <= 16; ++slot) {
        bank.BankStyle(slot) = slot * 100;
    }
    ASSERT_TRUE(bank.InsKORFBanks()) << bank.clsKORFBanksError;
    EXPECT_EQ(bank.BankStyle16, 1600);
    EXPECT_EQ(bank.BankStyle01, 100);

    DbKORFBank loaded(db());
    loaded.BankProg = 12;
    loaded.BankName = "stale";
    ASSERT_TRUE(loaded.GetKORFBanks());
    EXPECT_EQ(loaded.BankName, "");  // an empty text stays empty
    EXPECT_EQ(loaded.BankDesc, std::string(200, 'd'));
    EXPECT_EQ(loaded.slotValues(), bank.slotValues());
    EXPECT_THROW(loaded.BankStyle(17), InvalidArgumentError);
    EXPECT_THROW(loaded.BankStyle(0), InvalidArgumentError);

    insert(2, "B", {});
    insert(7, "C", {});
    EXPECT_EQ(bank.NextKORFBank(), 13);

    DbKORFBank tooLong(db());
    tooLong.BankProg = 20;
    tooLong.BankDesc = std::string(201, 'd');
    EXPECT_FALSE(tooLong.InsKORFBanks());
    EXPECT_EQ(tooLong.clsKORFBanksError,
              "19 The text for KORFBanks.BankDesc is longer than its 200 characters");
    tooLong.BankProg = 12;
    tooLong.BankDesc = "";
    EXPECT_FALSE(tooLong.InsKORFBanks());
    EXPECT_EQ(tooLong.clsKORFBanksError, "19 UNIQUE constraint failed: KORFBanks.BankProg");
}

TEST_F(DbKORFBankTest, UpdateDeleteAndMissingBanks) {
    insert(1, "First", {1, 2, 3});
    DbKORFBank bank(db());
    bank.BankProg = 5;
    bank.BankName = "kept";
    bank.clsKORFBanksError = "left over";
    EXPECT_FALSE(bank.GetKORFBanks());
    EXPECT_EQ(bank.BankName, "kept");
    EXPECT_EQ(bank.clsKORFBanksError, "");
    bank.clsKORFBanksError = "left over";
    EXPECT_FALSE(bank.UpdKORFBanks());
    EXPECT_EQ(bank.clsKORFBanksError, "");
    EXPECT_TRUE(bank.DelKORFBanks());

    bank.BankProg = 1;
    bank.BankName = "Renamed";
    bank.BankDesc = "Rock 'n' Roll, 1958";
    bank.setSlotValues({9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 42});
    ASSERT_TRUE(bank.UpdKORFBanks()) << bank.clsKORFBanksError;
    DbKORFBank loaded(db());
    loaded.BankProg = 1;
    ASSERT_TRUE(loaded.GetKORFBanks());
    EXPECT_EQ(loaded.BankName, "Renamed");
    EXPECT_EQ(loaded.BankDesc, "Rock 'n' Roll, 1958");
    EXPECT_EQ(loaded.slotValues(), bank.slotValues());

    // A refused description leaves name and slots as they were.
    bank.BankName = "Other";
    bank.BankDesc = std::string(201, 'x');
    bank.BankStyle16 = 0;
    EXPECT_FALSE(bank.UpdKORFBanks());
    EXPECT_EQ(bank.clsKORFBanksError,
              "19 The text for KORFBanks.BankDesc is longer than its 200 characters");
    ASSERT_TRUE(loaded.GetKORFBanks());
    EXPECT_EQ(loaded.BankName, "Renamed");
    EXPECT_EQ(loaded.BankStyle16, 42);

    EXPECT_TRUE(bank.DelKORFBanks());
    EXPECT_FALSE(loaded.GetKORFBanks());
}

TEST_F(DbKORFBankTest, LookupByNameBindsTheName) {
    insert(1, "Pop", {});
    insert(2, "Rock 'n' Roll", {4});
    insert(3, "ROCK 'N' ROLL", {5});
    DbKORFBank bank(db());
    bank.BankName = "rock 'n' roll";
    ASSERT_TRUE(bank.GetKORFBanksByName()) << bank.clsKORFBanksError;
    EXPECT_TRUE(bank.BankProg == 2 || bank.BankProg == 3);
    EXPECT_EQ(bank.BankStyle01, bank.BankProg + 2);
    bank.BankName = "Jazz";
    EXPECT_FALSE(bank.GetKORFBanksByName());
    EXPECT_EQ(bank.clsKORFBanksError, "");
    EXPECT_EQ(bank.BankProg, bank.BankStyle01 - 2);  // unchanged
}

TEST_F(DbKORFBankTest, TakingAStyleOutOfEveryBank) {
    insert(1, "Twice", {3, 5, 5, 8});
    insert(2, "Last", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5});
    insert(3, "Apart", {5, 2, 5, 4});
    insert(4, "Without", {3, 4, 6, 8});

    // The object holding the current bank names the style in slot 1 and keeps its bank.
    DbKORFBank current(db());
    current.BankProg = 4;
    ASSERT_TRUE(current.GetKORFBanks());
    current.BankName = "unsaved edit";
    current.BankStyle01 = 5;
    ASSERT_TRUE(current.DelKORFBanksStyle()) << current.clsKORFBanksError;
    EXPECT_EQ(current.BankName, "unsaved edit");
    EXPECT_EQ(current.BankProg, 4);
    EXPECT_EQ(current.BankStyle02, 4);

    EXPECT_EQ(storedSlots(1), (Slots{3, 8}));
    EXPECT_EQ(storedSlots(2), (Slots{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(storedSlots(3), (Slots{2, 4}));
    EXPECT_EQ(storedSlots(4), (Slots{3, 4, 6, 8}));
    DbKORFBank loaded(db());
    loaded.BankProg = 1;
    ASSERT_TRUE(loaded.GetKORFBanks());
    EXPECT_EQ(loaded.BankName, "Twice");
    EXPECT_EQ(loaded.BankDesc, "Desc of Twice");

    // A style that no bank holds changes nothing.
    current.BankStyle01 = 99;
    EXPECT_TRUE(current.DelKORFBanksStyle());
    EXPECT_EQ(storedSlots(4), (Slots{3, 4, 6, 8}));

    db().execute("DROP TABLE KORFBanks");
    EXPECT_FALSE(current.DelKORFBanksStyle());
    EXPECT_EQ(current.clsKORFBanksError, "1 no such table: KORFBANKS");
    EXPECT_THROW(current.NextKORFBank(), DbError);
}

TEST_F(DbKORFBankTest, TakingAStyleOutReportsABankThatCannotBeRewritten) {
    insert(1, "Holder", {5, 6});
    // A guard that refuses every change of bank 1, as a damaged or locked row would.
    db().execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON KORFBanks WHEN OLD.BankProg = 1 BEGIN "
        "SELECT RAISE(ABORT, 'bank 1 is locked'); END");
    DbKORFBank bank(db());
    bank.BankStyle01 = 5;
    EXPECT_FALSE(bank.DelKORFBanksStyle());
    EXPECT_EQ(bank.clsKORFBanksError, "19 bank 1 is locked");
    EXPECT_EQ(storedSlots(1), (Slots{5, 6}));
}

}  // namespace
}  // namespace orb
