#include <gtest/gtest.h>

#include "core/windows1252.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

TEST(Windows1252, EveryByteRoundTripsAndKnownCharactersConvert) {
    const std::string all = test::everyByteValue();
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
    EXPECT_EQ(utf8Length(utf8), 256u);

    EXPECT_EQ(windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(windows1252ToUtf8("\xE8"), "\xC3\xA8");      // e grave
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xC2\x81");      // undefined byte keeps U+0081
    EXPECT_EQ(utf8ToWindows1252("Caf\xC3\xA9"), "Caf\xE9");
    EXPECT_EQ(utf8ToWindows1252("\xE6\x97\xA5x"), "?x");  // a character Windows-1252 cannot hold

    EXPECT_FALSE(isValidUtf8("\xE9t\xE9"));
    EXPECT_TRUE(isValidUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(utf8Left("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9t");
    EXPECT_EQ(utf8Left("abc", 10), "abc");
    // Euro sign, e grave and the undefined U+0081 fit; a CJK sign, Greek alpha and an emoji not.
    EXPECT_TRUE(fitsWindows1252("\xE2\x82\xAC \xC3\xA8 \xC2\x81 plain"));
    EXPECT_FALSE(fitsWindows1252("a\xE6\x97\xA5"));
    EXPECT_FALSE(fitsWindows1252("\xCE\xB1"));
    EXPECT_FALSE(fitsWindows1252("\xF0\x9F\x8E\xB5"));
    EXPECT_TRUE(fitsWindows1252("\xE9t\xE9"));
}

}  // namespace
}  // namespace orb
