#include <gtest/gtest.h>

#include <sstream>

#include "stylefiles/sty_reader.h"
#include "stylefiles/style_file_error.h"
#include "support/failure_of.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

using test::bigEndian32;
using test::makeChunk;
using test::StyFileBuilder;

StyleFileContents readBytes(const std::string& bytes) {
    std::istringstream in(bytes);
    return readStyleFile(in, "T.STY");
}

std::string readError(const std::string& bytes) {
    return test::failureOf<StyleFileError>([&] { readBytes(bytes); });
}

// Slot order, the slot as number, eleven-character names made text; a part without its partner,
// a repeated entry (the later wins) and a type other than 2 (a second part); the size field and
// the index offsets play no part.
TEST(StyReader, StylesComeInSlotOrderWithTheirNamesAsText) {
    StyFileBuilder builder;
    builder.style(4, "it's", makeChunk(300, 5), "", makeChunk(30, 6), 17)
        .style(0, std::string("A\tB\x01\x1F\x7F", 6), makeChunk(100, 1), "Caf\xE9\x80\x81",
               makeChunk(10, 2), 17)
        .entry("LONE FIRST", 2, 17, 1, makeChunk(40, 1))
        .entry("LONE SECOND", 7, 17, 2, makeChunk(41, 2))
        .entry("OLD", 2, 17, 3, makeChunk(42, 3))
        .entry("ELEVEN CHAR", 2, 17, 3, makeChunk(43, 4))
        .entry("OTHER TYPE", 9, 17, 3, makeChunk(44, 5))
        .sizeField(7)
        .garbleIndexOffsets();
    std::istringstream in(builder.bytes());
    int pumped = 0;
    const StyleFileContents contents = readStyleFile(in, "T.STY", [&pumped] { ++pumped; });
    EXPECT_GT(pumped, 0) << "window events run while a file is read";
    ASSERT_EQ(contents.kind, StyleFileKind::PaBank);
    ASSERT_EQ(contents.banks.size(), 1u);
    EXPECT_EQ(contents.banks[0].bankNumber, 17);
    EXPECT_EQ(
        contents.banks[0].styles,
        (std::vector<BankFileStyle>{
            {1, "A B        ", "Caf\xC3\xA9\xE2\x82\xAC\xC2\x81     ", 108, 18, makeChunk(100, 1),
             makeChunk(10, 2)},
            {2, "LONE FIRST ", "", 48, 0, makeChunk(40, 1), ""},
            {4, "ELEVEN CHAR", "OTHER TYPE ", 51, 52, makeChunk(43, 4), makeChunk(44, 5)},
            {5, "it`s       ", "           ", 308, 38, makeChunk(300, 5), makeChunk(30, 6)}}));
}

TEST(StyReader, OtherKorgFilesAreToldByTheirFirstBytes) {
    const std::string filler(60, 'x');
    const std::pair<std::string, StyleFileKind> cases[] = {
        {"KORG9" + filler, StyleFileKind::KorgI3},   {"KORG<" + filler, StyleFileKind::KorgI5},
        {"KORGM" + filler, StyleFileKind::KorgIS40}, {"KORGI" + filler, StyleFileKind::KorgI30},
        {"KORGX" + filler, StyleFileKind::Unknown},  {"some text.", StyleFileKind::Unknown},
        {"KORGM", StyleFileKind::KorgIS40}};
    for (const auto& [bytes, kind] : cases) {
        const StyleFileContents contents = readBytes(bytes);
        EXPECT_EQ(contents.kind, kind) << bytes;
        EXPECT_TRUE(contents.banks.empty());
    }
    // The bank signature wins over the first bytes; an empty bank is one bank without styles.
    std::string bank = StyFileBuilder().bytes();
    bank.replace(0, 5, "KORGM");
    const StyleFileContents empty = readBytes(bank);
    EXPECT_EQ(empty.kind, StyleFileKind::PaBank);
    ASSERT_EQ(empty.banks.size(), 1u);
    EXPECT_EQ(empty.banks[0].bankNumber, 0);
    EXPECT_TRUE(empty.banks[0].styles.empty());
}

TEST(StyReader, DamagedFilesGiveClearErrors) {
    std::string hugeChunk = StyFileBuilder().entry("A", 2, 0, 0, makeChunk(4, 1)).bytes();
    std::string longChunk = hugeChunk;
    hugeChunk.replace(36 + 24 + 4, 4, "\xFF\xFF\xFF\xF0");
    longChunk.replace(36 + 24 + 4, 4, bigEndian32(0x7FFFFFF0));
    const std::pair<std::string, std::string> cases[] = {
        {"", "is empty"},
        {StyFileBuilder()
             .style(0, "A", makeChunk(1, 1), "B", makeChunk(1, 2))
             .entry("C", 2, 0, 16, makeChunk(1, 3))
             .bytes(),
         "is damaged: table entry 3 names slot 16, but a bank has slots 0 to 15"},
        {StyFileBuilder()
             .style(0, "A", makeChunk(1, 1), "B", makeChunk(1, 2))
             .tableLength(47)
             .bytes(),
         "is damaged: its table is 47 bytes long, not a whole number of 24-byte entries"},
        {StyFileBuilder()
             .style(0, "A", makeChunk(1, 1), "B", makeChunk(1, 2))
             .tableLength(24000)
             .bytes(),
         "is damaged: it ends inside the table (24000 bytes needed at byte 36, 98 left)"},
        {StyFileBuilder().tableLength(0x80000000u).bytes(),
         "is damaged: the length of the table is 2147483648, 2^31 or more"},
        {hugeChunk, "is damaged: the length of a content chunk is 4294967280, 2^31 or more"},
        {longChunk,
         "is damaged: it ends inside a content chunk (2147483632 bytes needed at byte 68, 32 "
         "left)"},
    };
    for (const auto& [bytes, problem] : cases) {
        EXPECT_EQ(readError(bytes), "The file T.STY " + problem + ".");
    }
}

TEST(StyReader, EveryCutOfAGoodFileFailsCleanly) {
    StyFileBuilder builder;
    builder.style(0, "A", makeChunk(30, 1), "B", makeChunk(20, 2))
        .style(3, "C", makeChunk(10, 3), "", "");
    const std::string bytes = builder.bytes();
    ASSERT_NO_THROW(readBytes(bytes));
    for (std::size_t size = 1; size < bytes.size(); ++size) {
        const std::string cut = bytes.substr(0, size);
        if (size < 28) {
            EXPECT_EQ(readBytes(cut).kind, StyleFileKind::Unknown) << size;
        } else {
            EXPECT_TRUE(readError(cut).starts_with("The file T.STY is damaged: it ends inside "))
                << size;
        }
    }
}

// A stream that cannot tell its size, such as a pipe.
class PipeBuffer : public std::streambuf {
public:
    explicit PipeBuffer(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

protected:
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override {
        return pos_type(off_type(-1));
    }

private:
    std::string bytes_;
};

TEST(StyReader, ReadsStreamsThatCannotTellTheirSize) {
    StyFileBuilder builder;
    builder.style(0, "A", makeChunk(3 << 20, 1), "B", makeChunk(20, 2));
    PipeBuffer pipe(builder.bytes());
    std::istream in(&pipe);
    EXPECT_EQ(readStyleFile(in, "PIPE").banks.at(0).styles[0].StyleContent1, makeChunk(3 << 20, 1));

    std::string lying = StyFileBuilder().entry("A", 2, 0, 0, makeChunk(4, 1)).bytes();
    lying.replace(36 + 24 + 4, 4, bigEndian32(0x7FFFFFF0));
    PipeBuffer lyingPipe(lying);
    std::istream lyingIn(&lyingPipe);
    EXPECT_THROW(readStyleFile(lyingIn, "PIPE"), StyleFileError);
}

}  // namespace
}  // namespace orb
