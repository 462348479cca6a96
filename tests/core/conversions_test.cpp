#include <gtest/gtest.h>

#include "core/ascii_text.h"
#include "core/byte_conversions.h"
#include "core/errors.h"
#include "core/progress_scale.h"
#include "core/windows1252.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

// Numbers are big-endian: padded on the left when written, short text padded on the right when
// read; what does not fit loses its high bytes; 2^31 and more are refused.
TEST(ByteConversions, NumbersAreBigEndianBothWays) {
    EXPECT_EQ(LongToBytes(1000, 4), std::string("\x00\x00\x03\xE8", 4));
    EXPECT_EQ(BytesToLong(LongToBytes(1000, 4)), 1000);
    EXPECT_EQ(LongToBytes(0, 4), std::string(4, '\0'));
    EXPECT_EQ(LongToBytes(-5, 4), std::string(4, '\0'));
    EXPECT_EQ(LongToBytes(0x12345678, 2), std::string("\x56\x78", 2));
    EXPECT_EQ(LongToBytes(0x7FFFFFFF, 4), std::string("\x7F\xFF\xFF\xFF", 4));
    EXPECT_EQ(BytesToLong(std::string("\x01", 1)), 0x01000000);
    EXPECT_EQ(BytesToLong(""), 0);
    EXPECT_EQ(BytesToLong(std::string("\x7F\xFF\xFF\xFF", 4)), 0x7FFFFFFF);
    EXPECT_THROW(BytesToLong(std::string("\x80\x00\x00\x00", 4)), OrbError);
    EXPECT_THROW(BytesToLong(std::string("\xFF\xFF\xFF\xFF", 4)), OrbError);
}

TEST(AsciiText, UpperCasesAsciiLettersOnlyAndWholeNumbersTakeDigitsOnly) {
    // "é" in UTF-8 and a Windows-1252 "é" byte stay as they are, whatever the locale.
    EXPECT_EQ(upperAscii("az AZ 09_\xC3\xA9\xE9"), "AZ AZ 09_\xC3\xA9\xE9");
    EXPECT_EQ(wholeNumber<int>("1207"), 1207);
    EXPECT_EQ(wholeNumber<int>("007"), 7);
    for (const char* refused : {"", " 12", "12 ", "+12", "-12", "1x", "0x1F", "2147483648"}) {
        EXPECT_EQ(wholeNumber<int>(refused), std::nullopt) << refused;
    }
    EXPECT_EQ(wholeNumber<int>("-12", Sign::MinusAllowed), -12);
    EXPECT_EQ(wholeNumber<int>("+12", Sign::MinusAllowed), std::nullopt);
    EXPECT_EQ(wholeNumber<std::int64_t>("2147483648"), 2147483648LL);
}

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

TEST(ProgressScale, FitsIntKeepsABarAndStaysInRange) {
    EXPECT_EQ(scaleProgress(7, 40), (ProgressSteps{7, 40}));
    EXPECT_EQ(scaleProgress(1'000'000'000LL, 1'000'000'000LL),
              (ProgressSteps{1'000'000'000, 1'000'000'000}));
    // Beyond a thousand million both are divided by the same whole factor.
    EXPECT_EQ(scaleProgress(3'000'000'000LL, 6'000'000'000LL),
              (ProgressSteps{428'571'428, 857'142'857}));
    // Nothing to do still shows a bar; a value outside the range is held at its ends.
    EXPECT_EQ(scaleProgress(0, 0), (ProgressSteps{0, 1}));
    EXPECT_EQ(scaleProgress(5, 3), (ProgressSteps{3, 3}));
    EXPECT_EQ(scaleProgress(-2, 3), (ProgressSteps{0, 3}));
}

}  // namespace
}  // namespace orb
