// The keyboard's bank files: the reader, the writer, and both on disk.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "stylefiles/bank_file.h"
#include "stylefiles/sty_reader.h"
#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"
#include "support/failure_of.h"
#include "support/scripted_dialogs.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
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

// Each bank read, as its number and its styles.
using Banks = std::vector<std::pair<int, std::vector<BankFileStyle>>>;
Banks banksOf(const StyleFileContents& contents) {
    Banks banks;
    for (const StyleFileBank& bank : contents.banks) {
        banks.emplace_back(bank.bankNumber, bank.styles);
    }
    return banks;
}

// A lone part, a repeated entry (the later wins), a type other than 2; size and index unread.
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
    EXPECT_EQ(contents.kind, StyleFileKind::PaBank);
    EXPECT_EQ(
        banksOf(contents),
        (Banks{
            {17,
             {{1, "A B        ", "Caf\xC3\xA9\xE2\x82\xAC\xC2\x81     ", 108, 18, makeChunk(100, 1),
               makeChunk(10, 2)},
              {2, "LONE FIRST ", "", 48, 0, makeChunk(40, 1), ""},
              {4, "ELEVEN CHAR", "OTHER TYPE ", 51, 52, makeChunk(43, 4), makeChunk(44, 5)},
              {5, "it`s       ", "           ", 308, 38, makeChunk(300, 5), makeChunk(30, 6)}}}}));
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
    EXPECT_EQ(banksOf(empty), (Banks{{0, {}}}));
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

std::string written(const std::vector<BankFileStyle>& styles, int bank = 0) {
    std::ostringstream out;
    writeStyleFile(out, styles, bank, "BANK.STY");
    return out.str();
}

BankFileStyle styleOf(const std::string& name1, const std::string& content1,
                      const std::string& name2 = "", const std::string& content2 = "") {
    return BankFileStyle(0, name1, name2, static_cast<std::int32_t>(content1.size()),
                         static_cast<std::int32_t>(content2.size()), content1, content2);
}

TEST(StyWriter, NoStyleOrSomeAreLaidOutByTheirLengthsAndPositions) {
    EXPECT_EQ(written({}), std::string("\x01\x00\x01\x14\x00\x00\x00\x34"
                                       "\x02\x00\x00\x18\x00\x00\x00\x0C"
                                       "\x0B\x00\x00\x00\x00\x00\x00KORF\x00"
                                       "\x05\x00\x00\x18\x00\x00\x00\x00"
                                       "\xFE\x00\x00\x18\x00\x00\x00\x10"
                                       "KBEG\x00\x00\x00\x1C"
                                       "KEND\x00\x00\x00\x01",
                                       60));

    const std::string first = makeChunk(992, 1);
    const std::string second = makeChunk(192, 2);
    const std::string file = written({styleOf("ROCK", first, "ROCK2", second)}, 17);
    EXPECT_EQ(file, test::StyFileBuilder().style(0, "ROCK", first, "ROCK2", second, 17).bytes());
    EXPECT_EQ(file.substr(4, 4), bigEndian32(1308));
    EXPECT_EQ(file.substr(32, 4), bigEndian32(48));
    EXPECT_EQ(file.substr(1284), std::string("\xFE\x00\x00\x18", 4) + bigEndian32(24) + "KBEG" +
                                     bigEndian32(28) + bigEndian32(84) + bigEndian32(1084) +
                                     "KEND" + bigEndian32(3));

    std::vector<BankFileStyle> styles = {
        styleOf("ONLY FIRST", makeChunk(20, 1)), styleOf("", "", "ONLY SECOND", makeChunk(30, 2)),
        BankFileStyle{}, styleOf("FOURTH", makeChunk(5, 3), "FOURTH 2", makeChunk(6, 4))};
    styles[3].slot = 2;  // the position decides the slot, not this field
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
    bool failFlush = false;

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
    int sync() override { return failFlush ? -1 : 0; }

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
    // Every byte taken, but the device refuses the final flush.
    enough.data.clear();
    enough.failFlush = true;
    EXPECT_EQ(test::failureOf<StyleFileError>([&] { writeStyleFile(out, styles, 0, "F.STY"); }),
              "The bank file F.STY could not be written completely (is the disk full or gone?).");
}

TEST(BankFile, TwoFullBanksLoseNoStyleAndLetEventsRun) {
    test::TempDir dir;
    StyFileBuilder builder;
    Banks expected;
    for (int bank : {18, 17}) {
        expected.emplace_back(bank, std::vector<BankFileStyle>{});
        for (int slot = 0; slot < 16; ++slot) {
            const std::string first = makeChunk(8, static_cast<std::uint32_t>(bank * 16 + slot));
            builder.style(slot, "S", first, "T", makeChunk(3, 7), bank);
            expected.back().second.push_back(
                {slot + 1, "S          ", "T          ", 16, 11, first, makeChunk(3, 7)});
        }
    }
    test::writeFile(dir / "TWO.STY", builder.bytes());
    test::ScriptedDialogs dialogs;
    const StyleFileContents two = readBankFile(dir / "TWO.STY", eventsThrough(dialogs));
    EXPECT_EQ(two.kind, StyleFileKind::PaBank);
    EXPECT_GT(dialogs.processEventsCount(), 0);
    EXPECT_EQ(banksOf(two), expected);
    // A file that cannot be opened fails as a bank file (its kinds of failure: sty-info's test).
    EXPECT_EQ(test::failureOf<StyleFileError>([&] { readBankFile(dir / "NONE.STY"); }),
              "The file " + (dir / "NONE.STY").string() + " does not exist.");
}

std::vector<BankFileStyle> randomStyles(std::mt19937& random, int count) {
    std::vector<BankFileStyle> styles;
    for (int i = 0; i < count; ++i) {
        std::uniform_int_distribution<std::size_t> size(0, 200 * 1024);
        std::string first = makeChunk(size(random), random());
        std::string second = random() % 4 == 0 ? "" : makeChunk(size(random) / 50, random());
        // 11 characters as the reader gives them, one of them outside ASCII (é).
        const std::string name1 =
            std::string(i < 10 ? "N0" : "N") + std::to_string(i) + " r`x\xC3\xA9   ";
        const std::string name2 = second.empty() ? "" : "PART TWO   ";
        // The slot field is not what places a style: its position is.
        styles.push_back({40 + i, name1, name2, static_cast<std::int32_t>(first.size()),
                          static_cast<std::int32_t>(second.size()), first, second});
    }
    return styles;
}

TEST(BankFile, WrittenBanksReadBackUnchanged) {
    test::TempDir dir;
    std::mt19937 random(20261206);
    for (int count : {0, 1, 7, 16}) {
        std::vector<BankFileStyle> styles = randomStyles(random, count);
        writeBankFile(dir / "OUT.STY", styles, 40 + count);
        for (std::size_t i = 0; i < styles.size(); ++i) {
            styles[i].slot = static_cast<int>(i) + 1;
            if (styles[i].StyleLength2 == 0) {
                styles[i].StyleName2.clear();  // a part that is not there has no name
            }
        }
        // (Not EXPECT_EQ: a failure would print megabytes of parts.)
        EXPECT_TRUE(banksOf(readBankFile(dir / "OUT.STY")) ==
                    (Banks{{count == 0 ? 0 : 40 + count, styles}}))
            << count << " styles";
    }
    // Only the bank file is left in the folder: no temporary file remains.
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);
}

// A failed write leaves the old bank in place and no temporary file; a read-only file is named.
TEST(BankFile, AFailedWriteLeavesTheOldBankInPlace) {
    test::TempDir dir;
    const auto target = dir / "USER01.STY";
    test::writeFile(target, "the old bank");
    const std::vector<BankFileStyle> styles = {
        {1, "A", "B", 9, 9, makeChunk(1, 1), makeChunk(1, 2)}};

    // The window's event pump stops the work after the first chunk, as a failing device would.
    int chunks = 0;
    const sty::EventPump stopAfterOne = [&chunks] {
        if (++chunks == 1) {
            throw StyleFileError("stopped");
        }
    };
    EXPECT_EQ(
        test::failureOf<StyleFileError>([&] { writeBankFile(target, styles, 1, stopAfterOne); }),
        "stopped");
    EXPECT_EQ(test::readFile(target), "the old bank");
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);

    const auto readOnly = dir / "RO.STY";
    test::writeFile(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(test::failureOf<StyleFileError>([&] { writeBankFile(readOnly, {}, 0); }),
              "The bank file " + readOnly.string() + " cannot be written: it is read-only.");
    EXPECT_EQ(test::readFile(readOnly), "keep");
}

}  // namespace
}  // namespace orb
