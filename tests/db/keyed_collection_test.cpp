#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/korf_styles.h"
#include "db/korf_son_stys.h"

namespace orb {
namespace {

KORFStyle style(int n) {
    const std::string tag = std::to_string(n);
    return KORFStyle{n,
                     "NAME1_" + tag,
                     "NAME2_" + tag,
                     10 + n,
                     20 + n,
                     std::string("\0c1", 3) + tag,
                     "c2\xFF" + tag};
}

TEST(KORFStyles, SwapExchangesAllSevenValuesAndKeepsTheRecordObjects) {
    KORFStyles styles;
    KORFStyle& first = styles.Add(style(1));
    KORFStyle& second = styles.Add(style(2));
    styles.Swap(1, 2);
    EXPECT_EQ(first, style(2));
    EXPECT_EQ(second, style(1));
    EXPECT_EQ(&styles.Item(1), &first);

    styles.Swap(2, 2);
    EXPECT_EQ(styles.Item(2), style(1));
}

TEST(KORFStyles, SwapWithAnInvalidPositionChangesNothing) {
    KORFStyles styles;
    styles.Add(style(1));
    styles.Add(style(2));
    EXPECT_THROW(styles.Swap(1, 3), InvalidArgumentError);
    EXPECT_THROW(styles.Swap(0, 1), InvalidArgumentError);
    EXPECT_EQ(styles.Item(1), style(1));
    EXPECT_EQ(styles.Item(2), style(2));
}

TEST(KORFStyles, PositionsCountFromOneAndRemovalClosesTheGap) {
    KORFStyles styles;
    for (int n = 1; n <= 3; ++n) {
        styles.Add(style(n));
    }
    styles.Remove(1);
    EXPECT_EQ(styles.Count(), 2);
    EXPECT_EQ(styles.Item(1).StyleProg, 2);
    EXPECT_THROW(styles.Item(3), InvalidArgumentError);
    EXPECT_THROW(styles.Remove(0), InvalidArgumentError);

    std::vector<int> seen;
    for (const KORFStyle& each : styles) {
        seen.push_back(each.StyleProg);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3}));
}

// Both collections are one template; the style collection stands for it here.
TEST(KeyedCollection, KeysAreOptionalUniqueIgnoreCaseAndFollowRemoval) {
    KORFStyles styles;
    styles.Add(style(1));  // no key: reachable by position only
    KORFStyle& rock = styles.Add(style(2), "Rock");
    styles.Add(style(3), "pop");
    EXPECT_EQ(&styles.Item("rOCK"), &rock);
    EXPECT_THROW(styles.Item(""), InvalidArgumentError);
    EXPECT_THROW(styles.Add(style(4), "ROCK"), InvalidArgumentError);
    EXPECT_EQ(styles.Count(), 3);

    // Removal by position also frees the key of the element removed.
    styles.Remove(2);
    EXPECT_THROW(styles.Item("Rock"), InvalidArgumentError);
    EXPECT_EQ(styles.Item("POP").StyleProg, 3);
    styles.Add(style(5), "rock");  // the key is free again
    styles.Remove("Pop");
    EXPECT_THROW(styles.Remove("Pop"), InvalidArgumentError);
    EXPECT_EQ(styles.Count(), 2);
    EXPECT_EQ(styles.Item(2).StyleProg, 5);
    EXPECT_EQ(styles.Item("ROCK").StyleProg, 5);
    styles.clear();
    EXPECT_THROW(styles.Item("rock"), InvalidArgumentError);
    styles.Add(style(6), "Rock");
    EXPECT_EQ(styles.Item("rock").StyleProg, 6);
}

TEST(KORFSonStys, AddTakesTheLinkValuesInItsOwnOrder) {
    KORFSonStys links;
    KORFSonSty& first = links.Add(1, 10, "Song", "Style", "note", "120", "-1", "10");
    EXPECT_EQ(first, (KORFSonSty{10, 1, "Style", "Song", "note", "120", "-1"}));
    links.Add(3, 11, "Song", "Other", "", "", "");
    EXPECT_EQ(&links.Item("10"), &first);
    EXPECT_EQ(links.Item(2).SongCode, 3);
    EXPECT_THROW(links.Item("11"), InvalidArgumentError);
}

TEST(KORFStyles, AddWithSevenValues) {
    KORFStyles styles;
    KORFStyle& added = styles.Add(7, "A", "", 9, 0, "123456789", "");
    EXPECT_EQ(added.StyleProg, 7);
    EXPECT_EQ(added.StyleLength2, 0);
    EXPECT_TRUE(added.StyleContent2.empty());
    EXPECT_EQ(styles.Item(1).StyleContent1, "123456789");
}

}  // namespace
}  // namespace orb
