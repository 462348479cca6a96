#include <gtest/gtest.h>

#include <random>

#include "stylefiles/bank_file.h"
#include "stylefiles/style_file_error.h"
#include "support/failure_of.h"
#include "support/scripted_dialogs.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::makeChunk;
using test::StyFileBuilder;

std::string errorOf(const std::function<void()>& action) {
    return test::failureOf<StyleFileError>(action);
}

// Every bank of a file comes back in file order, with the kind of the file; the window's events
// run through the dialogs meanwhile.
TEST(BankFile, TwoBankFilesLoseNoStyleAndOtherFilesGiveTheirKind) {
    test::TempDir dir;
    StyFileBuilder builder;
    for (int bank : {18, 17}) {
        for (int slot = 0; slot < 16; ++slot) {
            builder.style(slot, "S", makeChunk(8, static_cast<std::uint32_t>(bank * 16 + slot)),
                          "T", makeChunk(3, 7), bank);
        }
    }
    test::writeFile(dir / "TWO.STY", builder.bytes());
    test::ScriptedDialogs dialogs;
    const StyleFileContents two = readBankFile(dir / "TWO.STY", eventsThrough(dialogs));
    EXPECT_EQ(two.kind, StyleFileKind::PaBank);
    EXPECT_GT(dialogs.processEventsCount(), 0);
    ASSERT_EQ(two.banks.size(), 2u);
    EXPECT_EQ(two.banks[0].bankNumber, 18);
    EXPECT_EQ(two.banks[1].bankNumber, 17);
    ASSERT_EQ(two.banks[1].styles.size(), 16u);
    EXPECT_EQ(two.banks[0].styles[0].StyleContent1, makeChunk(8, 18 * 16));
    EXPECT_EQ(two.banks[1].styles[0].slot, 1);
    EXPECT_EQ(two.banks[1].styles[15].StyleContent1, makeChunk(8, 17 * 16 + 15));

    test::writeFile(dir / "IS40.STY", "KORGM and more bytes than a header holds, surely");
    const StyleFileContents other = readBankFile(dir / "IS40.STY");
    EXPECT_EQ(other.kind, StyleFileKind::KorgIS40);
    EXPECT_TRUE(other.banks.empty());
}

TEST(BankFile, ReadFailuresNameTheFile) {
    test::TempDir dir;
    test::writeFile(dir / "EMPTY.STY", "");
    fs::create_directory(dir / "FOLDER.STY");
    for (const auto& [name, problem] : {std::pair{"NONE.STY", " does not exist."},
                                        {"EMPTY.STY", " is empty."},
                                        {"FOLDER.STY", " cannot be read: it is a folder."}}) {
        EXPECT_EQ(errorOf([&] { readBankFile(dir / name); }),
                  "The file " + (dir / name).string() + problem);
    }
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
        const std::vector<BankFileStyle> written = randomStyles(random, count);
        writeBankFile(dir / "OUT.STY", written, 40 + count);
        const std::vector<StyleFileBank> banks = readBankFile(dir / "OUT.STY").banks;
        ASSERT_EQ(banks.size(), 1u);
        EXPECT_EQ(banks[0].bankNumber, count == 0 ? 0 : 40 + count);
        ASSERT_EQ(banks[0].styles.size(), static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < written.size(); ++i) {
            BankFileStyle expected = written[i];
            expected.slot = static_cast<int>(i) + 1;
            if (expected.StyleLength2 == 0) {
                expected.StyleName2.clear();  // a part that is not there has no name
            }
            EXPECT_TRUE(banks[0].styles[i] == expected) << "style " << i;
        }
    }
    // Only the bank file is left in the folder: no temporary file remains.
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);
}

// A failed write leaves the old bank in place and no temporary file; a read-only file is named.
TEST(BankFile, AFailedWriteLeavesTheOldBankInPlace) {
    test::TempDir dir;
    const auto target = dir / "USER01.STY";
    test::writeFile(target, "the old bank");
    std::vector<BankFileStyle> styles = {{1, "A", "B", 9, 9, makeChunk(1, 1), makeChunk(1, 2)}};

    // The window's event pump stops the work after the first chunk, as a failing device would.
    int chunks = 0;
    const sty::EventPump stopAfterOne = [&chunks] {
        if (++chunks == 1) {
            throw StyleFileError("stopped");
        }
    };
    EXPECT_EQ(errorOf([&] { writeBankFile(target, styles, 1, stopAfterOne); }), "stopped");
    EXPECT_EQ(test::readFile(target), "the old bank");
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);

    // A style whose length is wrong is refused and changes nothing either.
    styles[0].StyleLength1 = 10;
    EXPECT_NE(errorOf([&] { writeBankFile(target, styles, 1); }), "");
    EXPECT_EQ(test::readFile(target), "the old bank");
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);

    const auto readOnly = dir / "RO.STY";
    test::writeFile(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(errorOf([&] { writeBankFile(readOnly, {}, 0); }),
              "The bank file " + readOnly.string() + " cannot be written: it is read-only.");
    EXPECT_EQ(test::readFile(readOnly), "keep");
}

}  // namespace
}  // namespace orb
