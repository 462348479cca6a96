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

// Positions count from one; a swap exchanges all seven values and keeps the record objects; an
// invalid position changes nothing; removal closes the gap.
TEST(KORFStyles, PositionsSwapAndRemoval) {
    KORFStyles styles;
    KORFStyle& first = styles.Add(style(1));
    KORFStyle& second = styles.Add(style(2));
    styles.Add(7, "A", "", 9, 0, "123456789", "");
    styles.Swap(1, 2);
    EXPECT_EQ(first, style(2));
    EXPECT_EQ(second, style(1));
    EXPECT_EQ(&styles.Item(1), &first);
    styles.Swap(2, 2);
    EXPECT_EQ(styles.Item(2), style(1));
    EXPECT_THROW(styles.Swap(1, 4), InvalidArgumentError);
    EXPECT_THROW(styles.Swap(0, 1), InvalidArgumentError);
    EXPECT_EQ(styles.Item(1), style(2));

    styles.Remove(1);
    EXPECT_EQ(styles.Count(), 2);
    EXPECT_EQ(styles.Item(2), (KORFStyle{7, "A", "", 9, 0, "123456789", ""}));
    EXPECT_THROW(styles.Item(3), InvalidArgumentError);
    EXPECT_THROW(styles.Remove(0), InvalidArgumentError);
    std::vector<int> seen;
    for (const KORFStyle& each : styles) {
        seen.push_back(each.StyleProg);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 7}));
}

TEST(KORFSonStys, AddTakesTheLinkValuesInItsOwnOrder) {
    KORFSonStys links;
    KORFSonSty& first = links.Add(1, 10, "Song", "Style", "note", "120", "-1");
    EXPECT_EQ(first, (KORFSonSty{10, 1, "Style", "Song", "note", "120", "-1"}));
    links.Add(3, 11, "Song", "Other", "", "", "");
    EXPECT_EQ(links.Item(2).SongCode, 3);
}

}  // namespace
}  // namespace orb
