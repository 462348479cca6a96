#include <gtest/gtest.h>

#include <sstream>

#include "stylefiles/sty_reader.h"
#include "stylefiles/style_file_error.h"
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

// The message of the StyleFileError that reading `bytes` throws; empty when none is thrown.
std::string readError(const std::string& bytes) {
    try {
        readBytes(bytes);
    } catch (const StyleFileError& e) {
        return e.what();
    }
    return {};
}

TEST(StyReader, StylesComeInSlotOrderWithTheirSlotAsNumber) {
    StyFileBuilder builder;
    builder.style(4, "FIFTH", makeChunk(300, 5), "FIFTH B", makeChunk(30, 6), 17)
        .style(0, "FIRST", makeChunk(100, 1), "FIRST B", makeChunk(10, 2), 17)
        .style(1, "SECOND", makeChunk(200, 3), "SECOND B", makeChunk(20, 4), 17);
    std::istringstream in(builder.bytes());
    int pumped = 0;
    const StyleFileContents contents = readStyleFile(in, "T.STY", [&pumped] { ++pumped; });
    EXPECT_GT(pumped, 0) << "window events run while a file is read";
    ASSERT_EQ(contents.kind, StyleFileKind::PaBank);
    ASSERT_EQ(contents.banks.size(), 1u);
    EXPECT_EQ(contents.banks[0].bankNumber, 17);
    const std::vector<BankFileStyle>& styles = contents.banks[0].styles;
    ASSERT_EQ(styles.size(), 3u);
    EXPECT_EQ(styles[0], (BankFileStyle{1, "FIRST      ", "FIRST B    ", 108, 18, makeChunk(100, 1),
                                        makeChunk(10, 2)}));
    EXPECT_EQ(styles[1], (BankFileStyle{2, "SECOND     ", "SECOND B   ", 208, 28, makeChunk(200, 3),
                                        makeChunk(20, 4)}));
    EXPECT_EQ(styles[2], (BankFileStyle{5, "FIFTH      ", "FIFTH B    ", 308, 38, makeChunk(300, 5),
                                        makeChunk(30, 6)}));
}

TEST(StyReader, NamesBecomeElevenCharactersOfText) {
    StyFileBuilder builder;
    builder.style(0, "ROCK5", makeChunk(1, 1), "it's", makeChunk(1, 2))
        .style(1, std::string("A\tB\x01\x1F\x7F", 6), makeChunk(1, 3), "Caf\xE9\x80\x81",
               makeChunk(1, 4))
        .style(2, "ELEVEN CHAR", makeChunk(1, 5), "", makeChunk(1, 6));
    const StyleFileContents contents = readBytes(builder.bytes());
    const std::vector<BankFileStyle>& styles = contents.banks.at(0).styles;
    EXPECT_EQ(styles[0].StyleName1, "ROCK5      ");
    EXPECT_EQ(styles[0].StyleName2, "it`s       ");
    EXPECT_EQ(styles[1].StyleName1, "A B        ");
    EXPECT_EQ(styles[1].StyleName2, "Caf\xC3\xA9\xE2\x82\xAC\xC2\x81     ");
    EXPECT_EQ(styles[2].StyleName1, "ELEVEN CHAR");
    EXPECT_EQ(styles[2].StyleName2, "           ");
}

TEST(StyReader, PartsWithoutTheirPartnerAndRepeatedEntries) {
    StyFileBuilder builder;
    // Slot 0 has no second part (an odd number of entries); slot 1 only a second part, which
    // is no style; slot 2 is named twice, and the later entry wins.
    builder.entry("LONE FIRST", 2, 0, 0, makeChunk(40, 1))
        .entry("LONE SECOND", 7, 0, 1, makeChunk(41, 2))
        .entry("OLD", 2, 0, 2, makeChunk(42, 3))
        .entry("NEW", 2, 0, 2, makeChunk(43, 4))
        .entry("OTHER TYPE", 9, 0, 2, makeChunk(44, 5));
    ASSERT_EQ(builder.entryCount(), 5u);
    const StyleFileContents contents = readBytes(builder.bytes());
    const std::vector<BankFileStyle>& styles = contents.banks.at(0).styles;
    ASSERT_EQ(styles.size(), 2u);
    EXPECT_EQ(styles[0], (BankFileStyle{1, "LONE FIRST ", "", 48, 0, makeChunk(40, 1), ""}));
    // A type other than 2 counts as a second part.
    EXPECT_EQ(styles[1], (BankFileStyle{3, "NEW        ", "OTHER TYPE ", 51, 52, makeChunk(43, 4),
                                        makeChunk(44, 5)}));
}

TEST(StyReader, SizeFieldAndIndexOffsetsPlayNoPart) {
    StyFileBuilder builder;
    builder.style(0, "A", makeChunk(10, 1), "B", makeChunk(10, 2));
    builder.sizeField(7).garbleIndexOffsets();
    const StyleFileContents contents = readBytes(builder.bytes());
    const std::vector<BankFileStyle>& styles = contents.banks.at(0).styles;
    ASSERT_EQ(styles.size(), 1u);
    EXPECT_EQ(styles[0].StyleContent2, makeChunk(10, 2));
}

TEST(StyReader, TwoBanksInOneFileAreKeptApartInFileOrder) {
    StyFileBuilder builder;
    for (int bank : {18, 17}) {
        for (int slot = 0; slot < 16; ++slot) {
            const auto seed = static_cast<std::uint32_t>(bank * 100 + slot);
            builder.style(slot, "B" + std::to_string(bank) + "S" + std::to_string(slot),
                          makeChunk(50 + slot, seed), "second", makeChunk(5, seed + 50), bank);
        }
    }
    ASSERT_EQ(builder.entryCount(), 64u);
    const StyleFileContents contents = readBytes(builder.bytes());
    ASSERT_EQ(contents.banks.size(), 2u);
    int index = 0;
    for (int bank : {18, 17}) {
        const StyleFileBank& read = contents.banks[static_cast<std::size_t>(index++)];
        EXPECT_EQ(read.bankNumber, bank);
        ASSERT_EQ(read.styles.size(), 16u);
        for (int slot = 0; slot < 16; ++slot) {
            const BankFileStyle& style = read.styles[static_cast<std::size_t>(slot)];
            const auto seed = static_cast<std::uint32_t>(bank * 100 + slot);
            EXPECT_EQ(style.slot, slot + 1);
            EXPECT_EQ(
                style.StyleName1.substr(0, 6),
                ("B" + std::to_string(bank) + "S" + std::to_string(slot) + "  ").substr(0, 6));
            EXPECT_EQ(style.StyleContent1, makeChunk(50 + slot, seed));
            EXPECT_EQ(style.StyleContent2, makeChunk(5, seed + 50));
        }
    }
}

TEST(StyReader, OtherKorgFilesAreToldByTheirFirstBytes) {
    const auto kindOf = [](const std::string& bytes) {
        const StyleFileContents contents = readBytes(bytes);
        EXPECT_TRUE(contents.banks.empty());
        return contents.kind;
    };
    const std::string filler(60, 'x');
    EXPECT_EQ(kindOf("KORG9" + filler), StyleFileKind::KorgI3);
    EXPECT_EQ(kindOf("KORG<" + filler), StyleFileKind::KorgI5);
    EXPECT_EQ(kindOf("KORGM" + filler), StyleFileKind::KorgIS40);
    EXPECT_EQ(kindOf("KORGI" + filler), StyleFileKind::KorgI30);
    EXPECT_EQ(kindOf("KORGX" + filler), StyleFileKind::Unknown);
    EXPECT_EQ(kindOf("some text."), StyleFileKind::Unknown);
    EXPECT_EQ(kindOf("KORGM"), StyleFileKind::KorgIS40);
    // The bank signature wins over the first bytes.
    std::string bank = StyFileBuilder().bytes();
    bank.replace(0, 5, "KORGM");
    EXPECT_EQ(readBytes(bank).kind, StyleFileKind::PaBank);
    // An empty bank is one bank without styles.
    const StyleFileContents empty = readBytes(StyFileBuilder().bytes());
    EXPECT_EQ(empty.kind, StyleFileKind::PaBank);
    ASSERT_EQ(empty.banks.size(), 1u);
    EXPECT_EQ(empty.banks[0].bankNumber, 0);
    EXPECT_TRUE(empty.banks[0].styles.empty());
}

TEST(StyReader, DamagedFilesGiveClearErrors) {
    EXPECT_EQ(readError(""), "The file T.STY is empty.");

    StyFileBuilder slot16;
    slot16.style(0, "A", makeChunk(1, 1), "B", makeChunk(1, 2))
        .entry("C", 2, 0, 16, makeChunk(1, 3));
    EXPECT_EQ(readError(slot16.bytes()),
              "The file T.STY is damaged: table entry 3 names slot 16, but a bank has slots 0 "
              "to 15.");

    StyFileBuilder oddTable;
    oddTable.style(0, "A", makeChunk(1, 1), "B", makeChunk(1, 2)).tableLength(47);
    EXPECT_EQ(readError(oddTable.bytes()),
              "The file T.STY is damaged: its table is 47 bytes long, not a whole number of "
              "24-byte entries.");

    StyFileBuilder longTable;
    longTable.style(0, "A", makeChunk(1, 1), "B", makeChunk(1, 2)).tableLength(24000);
    EXPECT_EQ(readError(longTable.bytes()),
              "The file T.STY is damaged: it ends inside the table (24000 bytes needed at byte "
              "36, 98 left).");

    StyFileBuilder hugeTable;
    hugeTable.tableLength(0x80000000u);
    EXPECT_EQ(readError(hugeTable.bytes()),
              "The file T.STY is damaged: the length of the table is 2147483648, 2^31 or more.");

    std::string hugeChunk = StyFileBuilder().entry("A", 2, 0, 0, makeChunk(4, 1)).bytes();
    hugeChunk.replace(36 + 24 + 4, 4, "\xFF\xFF\xFF\xF0");
    EXPECT_EQ(readError(hugeChunk),
              "The file T.STY is damaged: the length of a content chunk is 4294967280, 2^31 or "
              "more.");

    std::string longChunk = StyFileBuilder().entry("A", 2, 0, 0, makeChunk(4, 1)).bytes();
    longChunk.replace(36 + 24 + 4, 4, bigEndian32(0x7FFFFFF0));
    EXPECT_EQ(readError(longChunk),
              "The file T.STY is damaged: it ends inside a content chunk (2147483632 bytes "
              "needed at byte 68, 32 left).");
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
            EXPECT_NE(readError(cut).find("The file T.STY is damaged: it ends inside "),
                      std::string::npos)
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
    const StyleFileContents contents = readStyleFile(in, "PIPE");
    EXPECT_EQ(contents.banks.at(0).styles[0].StyleContent1, makeChunk(3 << 20, 1));

    std::string lying = StyFileBuilder().entry("A", 2, 0, 0, makeChunk(4, 1)).bytes();
    lying.replace(36 + 24 + 4, 4, bigEndian32(0x7FFFFFF0));
    PipeBuffer lyingPipe(lying);
    std::istream lyingIn(&lyingPipe);
    EXPECT_THROW(readStyleFile(lyingIn, "PIPE"), StyleFileError);
}

}  // namespace
}  // namespace orb
