#include <gtest/gtest.h>

#include "core/ascii_text.h"
#include "core/byte_conversions.h"
#include "core/errors.h"

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

TEST(AsciiText, UpperCasesAsciiLettersOnlyWhateverTheLocale) {
    // "é" in UTF-8 and a Windows-1252 "é" byte stay as they are.
    EXPECT_EQ(upperAscii("az AZ 09_\xC3\xA9\xE9"), "AZ AZ 09_\xC3\xA9\xE9");
}

TEST(AsciiText, WholeNumberTakesDigitsOnly) {
    EXPECT_EQ(wholeNumber<int>("1207"), 1207);
    EXPECT_EQ(wholeNumber<int>("007"), 7);
    for (const char* refused : {"", " 12", "12 ", "+12", "-12", "1x", "0x1F", "2147483648"}) {
        EXPECT_EQ(wholeNumber<int>(refused), std::nullopt) << refused;
    }
    EXPECT_EQ(wholeNumber<int>("-12", Sign::MinusAllowed), -12);
    EXPECT_EQ(wholeNumber<int>("+12", Sign::MinusAllowed), std::nullopt);
    EXPECT_EQ(wholeNumber<std::int64_t>("2147483648"), 2147483648LL);
}

}  // namespace
}  // namespace orb
