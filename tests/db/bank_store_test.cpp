#include <gtest/gtest.h>

#include <string>

#include "db/bank_store.h"
#include "support/failure_of.h"
#include "support/test_environment.h"

namespace orb {
namespace {

class BankStoreTest : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }

    Database& db() { return env.state.connection; }

    void insert(std::int32_t prog, const std::string& name, const BankSlots& slots) {
        banks.insertNumbered({prog, name, "Desc of " + name, slots});
    }

    BankSlots storedSlots(std::int32_t prog) {
        const std::optional<BankRow> bank = banks.find(prog);
        EXPECT_TRUE(bank.has_value()) << prog;
        return bank ? bank->BankStyle : BankSlots{};
    }

    test::TestEnvironment env;
    BankStore banks{env.state.connection};
};

TEST_F(BankStoreTest, AllNineteenColumnsComeBackAndNumbersFollowTheLargest) {
    EXPECT_EQ(banks.next(), 1);
    BankRow bank{12, "", std::string(200, 'd'), {}};
    for (std::size_t slot = 0; slot < bank.BankStyle.size(); ++slot) {
        bank.BankStyle[slot] = static_cast<std::int32_t>(slot + 1) * 100;
    }
    banks.insertNumbered(bank);
    EXPECT_EQ(banks.find(12), bank);
    EXPECT_EQ(banks.find(12)->BankName, "");  // an empty text stays empty
    EXPECT_EQ(banks.find(12)->BankStyle[15], 1600);

    insert(2, "B", {});
    insert(7, "C", {});
    EXPECT_EQ(banks.next(), 13);
    EXPECT_EQ(banks.count(), 3);
    // A new bank takes the next number, whatever the row says.
    EXPECT_EQ(banks.insert({99, "New", "", {5}}), 13);
    EXPECT_EQ(banks.find(13)->BankStyle[0], 5);
    EXPECT_FALSE(banks.find(99));
    EXPECT_THROW(banks.insertNumbered({12, "Twice", "", {}}), StoreError);
}

TEST_F(BankStoreTest, UpdateDeleteAndMissingBanks) {
    insert(1, "First", {1, 2, 3});
    EXPECT_FALSE(banks.find(5));
    EXPECT_FALSE(banks.update({5, "kept", "", {}}));
    EXPECT_NO_THROW(banks.remove(5));

    const BankRow renamed{
        1, "Renamed", "Rock 'n' Roll, 1958", {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 42}};
    ASSERT_TRUE(banks.update(renamed));
    EXPECT_EQ(banks.find(1), renamed);

    // A refused description leaves name and slots as they were.
    EXPECT_EQ(test::failureOf<StoreError>([&] {
                  banks.update({1, "Other", "line\nbreak", {}});
              }),
              "The description of bank 1 holds a line break.");
    EXPECT_EQ(banks.find(1), renamed);

    banks.remove(1);
    EXPECT_FALSE(banks.find(1));
}

TEST_F(BankStoreTest, LookupByNameBindsTheNameAndIgnoresLetterCase) {
    insert(1, "Pop", {});
    insert(2, "Rock 'n' Roll", {4});
    insert(3, "ROCK 'N' ROLL", {5});
    const std::optional<BankRow> found = banks.findByName("rock 'n' roll");
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->BankProg == 2 || found->BankProg == 3);
    EXPECT_EQ(found->BankStyle[0], found->BankProg + 2);
    EXPECT_FALSE(banks.findByName("Jazz"));

    // Every bank in name order, equal names by number.
    insert(4, "pop", {});
    std::string order;
    for (const BankRow& bank : banks.all()) {
        order += std::to_string(bank.BankProg);
    }
    EXPECT_EQ(order, "1423");
}

TEST_F(BankStoreTest, TakingAStyleOutOfEveryBankMovesLaterSlotsUp) {
    insert(1, "Twice", {3, 5, 5, 8});
    insert(2, "Last", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5});
    insert(3, "Apart", {5, 2, 5, 4});
    insert(4, "Without", {3, 4, 6, 8});

    banks.removeStyle(5);
    EXPECT_EQ(storedSlots(1), (BankSlots{3, 8}));
    EXPECT_EQ(storedSlots(2), (BankSlots{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(storedSlots(3), (BankSlots{2, 4}));
    EXPECT_EQ(storedSlots(4), (BankSlots{3, 4, 6, 8}));
    EXPECT_EQ(banks.find(1)->BankName, "Twice");
    EXPECT_EQ(banks.find(1)->BankDesc, "Desc of Twice");

    // A style that no bank holds changes nothing.
    banks.removeStyle(99);
    EXPECT_EQ(storedSlots(4), (BankSlots{3, 4, 6, 8}));
}

TEST_F(BankStoreTest, TakingAStyleOutIsAllBanksOrNone) {
    insert(1, "Holder", {5, 6});
    insert(2, "Other", {7, 5});
    // A text that the gate would refuse today does not stop the slots from being rewritten.
    db().execute("UPDATE KORFBanks SET BankDesc = 'old' || char(9) || 'tab' WHERE BankProg = 1");
    banks.removeStyle(6);
    EXPECT_EQ(storedSlots(1), (BankSlots{5}));

    // The database refuses to rewrite bank 2: bank 1 keeps the style as well.
    db().execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON KORFBanks WHEN OLD.BankProg = 2 BEGIN "
        "SELECT RAISE(ABORT, 'bank 2 is locked'); END");
    EXPECT_EQ(test::failureOf<StoreError>([&] { banks.removeStyle(5); }), "bank 2 is locked");
    EXPECT_EQ(storedSlots(1), (BankSlots{5}));
    EXPECT_EQ(storedSlots(2), (BankSlots{7, 5}));
}

}  // namespace
}  // namespace orb
