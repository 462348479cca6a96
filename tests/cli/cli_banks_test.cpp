#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "cli/cli.h"

namespace orb {
namespace {

using Slots = test::CatalogueTest::Slots;

// The bank commands on the fixture's banks 5 {57, 41, 88, 73} and 9 {73, 88, 57, 88}.
class BankCommandsTest : public test::CatalogueTest {
protected:
    test::CliRun run(std::vector<std::string> args) { return runOnFile(std::move(args)); }
};

TEST_F(BankCommandsTest, SaveListDeleteAndWhereIs) {
    const std::vector<std::pair<std::vector<std::string>, test::CliRun>> cases = {
        {{"bank-save", "LIVE", "--description", "Sat gig", "88", "41"},
         {0, "Bank 10 LIVE stored.\n", ""}},
        {{"bank-save", "live", "73"},
         {1, "", "A bank named live is already stored; give --overwrite to replace it.\n"}},
        {{"bank-save", "live", "--overwrite", "73", "57"}, {0, "Bank 10 live stored.\n", ""}},
        {{"bank-save", "X", "999"}, {1, "", "There is no style 999.\n"}},
        {{"bank-save", " ", "41"}, {1, "", "Please insert bank name!\n"}},
        {{"where-is", "88"}, {0, "5\tBANK5\t3\n9\tBANK9\t2 4\n", ""}},
        {{"where-is", "41"}, {0, "5\tBANK5\t2\n", ""}},
        // The last slot of a full bank is found like any other.
        {{"bank-save", "FULL", "73", "73", "73", "73", "73", "73", "73", "73", "73", "73", "73",
          "73", "73", "73", "73", "41"},
         {0, "Bank 11 FULL stored.\n", ""}},
        {{"where-is", "41"}, {0, "5\tBANK5\t2\n11\tFULL\t16\n", ""}},
        {{"bank-delete", "FULL"}, {0, "Bank 11 FULL deleted.\n", ""}},
        {{"bank-delete", "BANK5"}, {0, "Bank 5 BANK5 deleted.\n", ""}},
        {{"bank-delete", "9"}, {0, "Bank 9 BANK9 deleted.\n", ""}},
        {{"bank-delete", "9"}, {1, "", "There is no bank 9.\n"}},
        {{"where-is", "88"}, {1, "", "Selected style cannot be found in any bank!\n"}},
        {{"banks"}, {0, "10\tlive\t\t73\t57\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n", ""}},
    };
    for (const auto& [args, expected] : cases) {
        const test::CliRun result = run(args);
        EXPECT_EQ(result.status, expected.status) << args[0] << " " << args[1 % args.size()];
        EXPECT_EQ(result.out, expected.out) << args[0];
        EXPECT_EQ(result.err, expected.err) << args[0];
    }
    EXPECT_EQ(slotsOf(10), (Slots{73, 57}));
}

// A name longer than the bank dialog takes is refused whole, never cut: cut, it could name
// another bank and, with --overwrite, replace it.
TEST_F(BankCommandsTest, ANameOverElevenCharactersIsRefusedAndNothingIsStored) {
    addBank(12, {41});
    db().execute("UPDATE KORFBanks SET BankName = 'SATURDAY GI' WHERE BankProg = 12");
    const std::string before = snapshot();
    const test::CliRun refused = run({"bank-save", "SATURDAY GIG", "--overwrite", "57", "73"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "The bank name SATURDAY GIG has 12 characters; a bank name takes at most 11. "
              "Nothing was stored.\n");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(slotsOf(12), (Slots{41}));
    EXPECT_EQ(BankStore(db()).count(), 3);

    // Eleven characters, accented ones counted as one each, are a name; a line break is not.
    const test::CliRun eleven = run({"bank-save", "F\xC3\xAATE \xC3\xA0 ROME", "57"});
    EXPECT_EQ(eleven.status, 0) << eleven.err;
    EXPECT_EQ(eleven.out, "Bank 13 F\xC3\xAATE \xC3\xA0 ROME stored.\n");
    const test::CliRun broken = run({"bank-save", "TWO\nLINES", "57"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, "The name of the new bank holds a line break.\n");
    EXPECT_EQ(BankStore(db()).count(), 4);
}

TEST_F(BankCommandsTest, BanksListsInNameOrder) {
    addBank(2, {41});
    db().execute("UPDATE KORFBanks SET BankName = 'ALPHA', BankDesc = 'First' WHERE BankProg = 2");
    const test::CliRun result = run({"banks"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string zeros12 = "\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";
    EXPECT_EQ(result.out, "2\tALPHA\tFirst\t41\t0\t0\t0" + zeros12 + "\n" +
                              "5\tBANK5\t\t57\t41\t88\t73" + zeros12 + "\n" +
                              "9\tBANK9\t\t73\t88\t57\t88" + zeros12 + "\n");
}

}  // namespace
}  // namespace orb
