#include <gtest/gtest.h>

#include <random>

#include "stylefiles/korf_library.h"
#include "stylefiles/style_file_error.h"
#include "support/scripted_dialogs.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::makeChunk;
using test::StyFileBuilder;

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const StyleFileError& e) {
        return e.what();
    }
    return {};
}

// Every bank of a file comes back in file order, with the kind of the file; the window's events
// run through the dialogs meanwhile.
TEST(KORFLibrary, TwoBankFilesLoseNoStyleAndOtherFilesGiveTheirKind) {
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
    KORFLibrary library;
    library.letEventsRunThrough(dialogs);
    std::vector<StyleFileBank> banks;
    library.FillBanksFromStyle(dir / "TWO.STY", banks);
    EXPECT_EQ(library.lastKind, StyleFileKind::PaBank);
    EXPECT_GT(dialogs.processEventsCount(), 0);
    ASSERT_EQ(banks.size(), 2u);
    EXPECT_EQ(banks[0].bankNumber, 18);
    EXPECT_EQ(banks[1].bankNumber, 17);
    ASSERT_EQ(banks[1].styles.Count(), 16);
    EXPECT_EQ(banks[0].styles.Item(1).StyleContent1, makeChunk(8, 18 * 16));
    EXPECT_EQ(banks[1].styles.Item(1).StyleProg, 1);
    EXPECT_EQ(banks[1].styles.Item(16).StyleContent1, makeChunk(8, 17 * 16 + 15));

    test::writeFile(dir / "IS40.STY", "KORGM and more bytes than a header holds, surely");
    library.FillBanksFromStyle(dir / "IS40.STY", banks);
    EXPECT_EQ(library.lastKind, StyleFileKind::KorgIS40);
    EXPECT_TRUE(banks.empty());
}

TEST(KORFLibrary, ReadFailuresNameTheFileAndLeaveNoKind) {
    test::TempDir dir;
    KORFLibrary library;
    std::vector<StyleFileBank> banks(3);
    const auto read = [&](const fs::path& file) {
        library.lastKind = StyleFileKind::PaBank;
        const std::string error = errorOf([&] { library.FillBanksFromStyle(file, banks); });
        EXPECT_EQ(library.lastKind, std::nullopt) << file;
        EXPECT_TRUE(banks.empty()) << file;
        return error;
    };
    EXPECT_EQ(read(dir / "NONE.STY"),
              "The file " + (dir / "NONE.STY").string() + " does not exist.");
    test::writeFile(dir / "EMPTY.STY", "");
    EXPECT_EQ(read(dir / "EMPTY.STY"), "The file " + (dir / "EMPTY.STY").string() + " is empty.");
    fs::create_directory(dir / "FOLDER.STY");
    EXPECT_EQ(read(dir / "FOLDER.STY"),
              "The file " + (dir / "FOLDER.STY").string() + " cannot be read: it is a folder.");
    std::string cut = StyFileBuilder().style(0, "A", makeChunk(9, 1), "B", makeChunk(9, 2)).bytes();
    cut.resize(cut.size() - 1);
    test::writeFile(dir / "CUT.STY", cut);
    EXPECT_NE(read(dir / "CUT.STY"), "");
}

KORFStyles randomStyles(std::mt19937& random, int count) {
    KORFStyles styles;
    for (int i = 0; i < count; ++i) {
        std::uniform_int_distribution<std::size_t> size(0, 200 * 1024);
        std::string first = makeChunk(size(random), random());
        std::string second = random() % 4 == 0 ? "" : makeChunk(size(random) / 50, random());
        // 11 characters as the reader gives them, one of them outside ASCII (é).
        const std::string name1 =
            std::string(i < 10 ? "N0" : "N") + std::to_string(i) + " r`x\xC3\xA9   ";
        const std::string name2 = second.empty() ? "" : "PART TWO   ";
        styles.Add(KORFStyle{i + 1, name1, name2, static_cast<std::int32_t>(first.size()),
                             static_cast<std::int32_t>(second.size()), first, second});
    }
    return styles;
}

TEST(KORFLibrary, WrittenBanksReadBackUnchanged) {
    test::TempDir dir;
    std::mt19937 random(20261206);
    KORFLibrary library;
    for (int count : {0, 1, 7, 16}) {
        const KORFStyles written = randomStyles(random, count);
        library.lastKind = StyleFileKind::Unknown;
        library.WriteStyleFromCollection(dir / "OUT.STY", written, 40 + count);
        EXPECT_EQ(library.lastKind, StyleFileKind::PaBank);
        std::vector<StyleFileBank> banks;
        library.FillBanksFromStyle(dir / "OUT.STY", banks);
        ASSERT_EQ(banks.size(), 1u);
        EXPECT_EQ(banks[0].bankNumber, count == 0 ? 0 : 40 + count);
        ASSERT_EQ(banks[0].styles.Count(), count);
        for (int i = 1; i <= count; ++i) {
            KORFStyle expected = written.Item(i);
            expected.StyleProg = i;  // the slot
            if (expected.StyleLength2 == 0) {
                expected.StyleName2.clear();  // a part that is not there has no name
            }
            EXPECT_TRUE(banks[0].styles.Item(i) == expected) << "style " << i;
        }
    }
    // Only the bank file is left in the folder: no temporary file remains.
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);
}

TEST(KORFLibrary, AFailedWriteLeavesTheOldBankInPlace) {
    test::TempDir dir;
    const auto target = dir / "USER01.STY";
    test::writeFile(target, "the old bank");
    KORFStyles styles;
    styles.Add(KORFStyle{1, "A", "B", 9, 9, makeChunk(1, 1), makeChunk(1, 2)});

    // The window's event pump stops the work after the first chunk, as a failing device would.
    KORFLibrary library;
    int chunks = 0;
    library.setEventPump([&chunks] {
        if (++chunks == 1) {
            throw StyleFileError("stopped");
        }
    });
    EXPECT_EQ(errorOf([&] { library.WriteStyleFromCollection(target, styles, 1); }), "stopped");
    EXPECT_EQ(library.lastKind, std::nullopt);
    EXPECT_EQ(test::readFile(target), "the old bank");
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);

    // A record whose length is wrong is refused and changes nothing either.
    KORFLibrary plain;
    styles.Item(1).StyleLength1 = 10;
    EXPECT_NE(errorOf([&] { plain.WriteStyleFromCollection(target, styles, 1); }), "");
    EXPECT_EQ(test::readFile(target), "the old bank");
    EXPECT_EQ(test::namesIn(dir.path()).size(), 1u);
}

TEST(KORFLibrary, WriteFailuresNameTheBankFile) {
    test::TempDir dir;
    KORFLibrary library;
    const auto readOnly = dir / "RO.STY";
    test::writeFile(readOnly, "keep");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(errorOf([&] { library.WriteStyleFromCollection(readOnly, KORFStyles{}); }),
              "The bank file " + readOnly.string() + " cannot be written: it is read-only.");
    EXPECT_EQ(library.lastKind, std::nullopt);
    EXPECT_EQ(test::readFile(readOnly), "keep");
}

}  // namespace
}  // namespace orb
