#include <gtest/gtest.h>

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

}  // namespace
}  // namespace orb
