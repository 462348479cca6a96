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

// Taking a style out of every bank moves the later slots up; it is all banks or none.
TEST_F(BankStoreTest, TakingAStyleOutMovesLaterSlotsUpInAllBanksOrNone) {
    insert(1, "Holder", {6, 5, 6, 8});
    insert(2, "Other", {7, 5});
    insert(3, "Last", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6});
    // A text that the gate would refuse today does not stop the slots from being rewritten.
    db().execute("UPDATE KORFBanks SET BankDesc = 'old' || char(9) || 'tab' WHERE BankProg = 1");
    banks.removeStyle(6);
    EXPECT_EQ(storedSlots(1), (BankSlots{5, 8}));
    EXPECT_EQ(storedSlots(3), (BankSlots{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(banks.find(1)->BankName, "Holder");

    // The database refuses to rewrite bank 2: bank 1 keeps the style as well.
    db().execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON KORFBanks WHEN OLD.BankProg = 2 BEGIN "
        "SELECT RAISE(ABORT, 'bank 2 is locked'); END");
    EXPECT_EQ(test::failureOf<StoreError>([&] { banks.removeStyle(5); }), "bank 2 is locked");
    EXPECT_EQ(storedSlots(1), (BankSlots{5, 8}));
    EXPECT_EQ(storedSlots(2), (BankSlots{7, 5}));
}

}  // namespace
}  // namespace orb
