#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/korf_styles.h"

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

TEST(KORFStyles, KeysAreOptionalUniqueAndIgnoreCase) {
    KORFStyles styles;
    styles.Add(style(1));  // no key: reachable by position only
    styles.Add(style(2), "Rock");
    EXPECT_EQ(styles.Item("rock").StyleProg, 2);
    EXPECT_THROW(styles.Item(""), InvalidArgumentError);
    EXPECT_THROW(styles.Add(style(3), "ROCK"), InvalidArgumentError);
    EXPECT_EQ(styles.Count(), 2);
    styles.Remove("Rock");
    EXPECT_EQ(styles.Count(), 1);
    EXPECT_THROW(styles.Remove("Rock"), InvalidArgumentError);
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
