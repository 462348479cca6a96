#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"
#include "support/failure_of.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

using test::bigEndian32;
using test::makeChunk;

std::string written(const std::vector<BankFileStyle>& styles, int bank = 0) {
    std::ostringstream out;
    writeStyleFile(out, styles, bank, "BANK.STY");
    return out.str();
}

BankFileStyle styleOf(std::string name1, std::string content1, std::string name2 = "",
                      std::string content2 = "") {
    return BankFileStyle{0,
                         std::move(name1),
                         std::move(name2),
                         static_cast<std::int32_t>(content1.size()),
                         static_cast<std::int32_t>(content2.size()),
                         std::move(content1),
                         std::move(content2)};
}

TEST(StyWriter, EmptyCollectionGivesTheSixtyByteFile) {
    std::vector<BankFileStyle> none;
    const std::string expected(
        "\x01\x00\x01\x14\x00\x00\x00\x34"
        "\x02\x00\x00\x18\x00\x00\x00\x0C"
        "\x0B\x00\x00\x00\x00\x00\x00KORF\x00"
        "\x05\x00\x00\x18\x00\x00\x00\x00"
        "\xFE\x00\x00\x18\x00\x00\x00\x10"
        "KBEG\x00\x00\x00\x1C"
        "KEND\x00\x00\x00\x01",
        60);
    EXPECT_EQ(written(none), expected);
}

// The bytes of a file laid out field by field: lengths, entries (type, bank, the position as
// slot whatever the slot field says), absent parts left out but keeping their slot.
TEST(StyWriter, StylesAreLaidOutByTheirLengthsAndPositions) {
    const std::string first = makeChunk(992, 1);
    const std::string second = makeChunk(192, 2);
    const std::string file = written({styleOf("ROCK", first, "ROCK2", second)}, 17);
    ASSERT_EQ(file.size(), 1316u);
    EXPECT_EQ(file.substr(4, 4), bigEndian32(1308));
    EXPECT_EQ(file.substr(32, 4), bigEndian32(48));
    EXPECT_EQ(file.substr(1284), std::string("\xFE\x00\x00\x18", 4) + bigEndian32(24) + "KBEG" +
                                     bigEndian32(28) + bigEndian32(84) + bigEndian32(1084) +
                                     "KEND" + bigEndian32(3));
    EXPECT_EQ(file, test::StyFileBuilder().style(0, "ROCK", first, "ROCK2", second, 17).bytes());

    std::vector<BankFileStyle> styles = {
        styleOf("ONLY FIRST", makeChunk(20, 1)), styleOf("", "", "ONLY SECOND", makeChunk(30, 2)),
        BankFileStyle{}, styleOf("FOURTH", makeChunk(5, 3), "FOURTH 2", makeChunk(6, 4))};
    styles[3].slot = 107;
    test::StyFileBuilder builder;
    builder.entry("ONLY FIRST", 2, 3, 0, makeChunk(20, 1))
        .entry("ONLY SECOND", 7, 3, 1, makeChunk(30, 2))
        .style(3, "FOURTH", makeChunk(5, 3), "FOURTH 2", makeChunk(6, 4), 3);
    EXPECT_EQ(written(styles, 3), builder.bytes());
}

TEST(StyWriter, NamesAreCutOrPaddedToElevenWindows1252Bytes) {
    std::vector<BankFileStyle> styles;
    styles.push_back(styleOf("FOURTEEN CHARS", makeChunk(1, 1), "abc", makeChunk(1, 2)));
    styles.push_back(styleOf("Caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\x80", makeChunk(1, 3)));
    styles.push_back(styleOf("PADDED     ", makeChunk(1, 4)));
    const std::string file = written(styles);
    EXPECT_EQ(file.substr(36, 11), "FOURTEEN CH");
    EXPECT_EQ(file.substr(36 + 24, 11), std::string("abc\0\0\0\0\0\0\0\0", 11));
    // é and € have Windows-1252 bytes; a character without one becomes "?".
    EXPECT_EQ(file.substr(36 + 48, 11), std::string("Caf\xE9 \x80 ?\0\0\0", 11));
    EXPECT_EQ(file.substr(36 + 72, 11), "PADDED     ");
}

TEST(StyWriter, AbsentPartsAreLeftOutButKeepTheirSlot) {
    std::vector<BankFileStyle> styles;
    styles.push_back(styleOf("ONLY FIRST", makeChunk(20, 1)));
    styles.push_back(styleOf("", "", "ONLY SECOND", makeChunk(30, 2)));
    styles.push_back(BankFileStyle{});
    styles.push_back(styleOf("FOURTH", makeChunk(5, 3), "FOURTH 2", makeChunk(6, 4)));
    const std::string file = written(styles, 3);
    test::StyFileBuilder builder;
    builder.entry("ONLY FIRST", 2, 3, 0, makeChunk(20, 1))
        .entry("ONLY SECOND", 7, 3, 1, makeChunk(30, 2))
        .style(3, "FOURTH", makeChunk(5, 3), "FOURTH 2", makeChunk(6, 4), 3);
    EXPECT_EQ(file, builder.bytes());
    EXPECT_EQ(file.substr(32, 4), bigEndian32(4 * 24));
}

TEST(StyWriter, RefusesWhatWouldGiveADamagedFileBeforeWritingAnything) {
    const std::vector<BankFileStyle> good = {styleOf("GOOD", makeChunk(4, 1))};
    std::vector<BankFileStyle> secondWrong = {
        good[0], styleOf("BAD", makeChunk(4, 1), "BAD2", makeChunk(4, 2))};
    secondWrong[1].StyleLength2 = 13;
    std::vector<BankFileStyle> firstWrong = good;
    firstWrong[0].StyleLength1 = -1;
    const std::tuple<std::vector<BankFileStyle>, int, std::string> cases[] = {
        {good, 256, "the bank number 256 is not between 0 and 255"},
        {good, -1, "the bank number -1 is not between 0 and 255"},
        {secondWrong, 0,
         "the second part of the style at position 2 (\"BAD\") has the length 13 but holds 12 "
         "bytes"},
        {firstWrong, 0,
         "the first part of the style at position 1 (\"GOOD\") has the length -1 but holds 12 "
         "bytes"},
        {std::vector<BankFileStyle>(257), 0, "it has room for 256 styles, not 257"},
    };
    for (const auto& [styles, bank, problem] : cases) {
        std::ostringstream out;
        EXPECT_EQ(test::failureOf<StyleFileError>(
                      [&] { writeStyleFile(out, styles, bank, "/x/BANK.STY"); }),
                  "The bank file /x/BANK.STY cannot be written: " + problem + ".");
        EXPECT_TRUE(out.str().empty());
    }
}

// A stream buffer that accepts `capacity` bytes and then fails, like a full disk.
class FullDiskBuffer : public std::streambuf {
public:
    explicit FullDiskBuffer(std::size_t capacity) : capacity_(capacity) {}
    std::string data;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const auto room = static_cast<std::streamsize>(capacity_ - data.size());
        const std::streamsize taken = std::min(room, n);
        data.append(s, static_cast<std::size_t>(taken));
        return taken;
    }
    int_type overflow(int_type c) override {
        if (data.size() >= capacity_ || traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::eof();
        }
        data += traits_type::to_char_type(c);
        return c;
    }

private:
    std::size_t capacity_;
};

TEST(StyWriter, AFailingStreamIsAnError) {
    std::vector<BankFileStyle> styles;
    styles.push_back(styleOf("A", makeChunk(500, 1), "B", makeChunk(100, 2)));
    for (std::size_t capacity : {0u, 50u, 300u, 700u, 731u}) {
        FullDiskBuffer buffer(capacity);
        std::ostream out(&buffer);
        EXPECT_THROW(writeStyleFile(out, styles, 0, "F.STY"), StyleFileError) << capacity;
    }
    FullDiskBuffer enough(732);
    std::ostream out(&enough);
    EXPECT_NO_THROW(writeStyleFile(out, styles, 0, "F.STY"));
    EXPECT_EQ(enough.data.size(), 732u);
}

}  // namespace
}  // namespace orb
