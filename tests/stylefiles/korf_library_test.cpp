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

TEST(KORFLibrary, FillCollectionFromStyleReadsABank) {
    test::TempDir dir;
    StyFileBuilder builder;
    builder.style(1, "TWO", makeChunk(20, 1), "TWO B", makeChunk(2, 2), 17)
        .style(0, "ONE", makeChunk(10, 3), "ONE B", makeChunk(1, 4), 17);
    test::writeFile(dir / "USER01.STY", builder.bytes());

    KORFLibrary library;
    KORFStyles styles;
    styles.Add(KORFStyle{});  // emptied by the call
    library.FillCollectionFromStyle(dir / "USER01.STY", styles);
    EXPECT_EQ(library.lastKind, StyleFileKind::PaBank);
    ASSERT_EQ(styles.Count(), 2);
    EXPECT_EQ(styles.Item(1).StyleName1, "ONE        ");
    EXPECT_EQ(styles.Item(2).StyleContent1, makeChunk(20, 1));

    test::writeFile(dir / "IS40.STY", "KORGM and more bytes than a header holds, surely");
    library.FillCollectionFromStyle(dir / "IS40.STY", styles);
    EXPECT_EQ(library.lastKind, StyleFileKind::KorgIS40);
    EXPECT_EQ(styles.Count(), 0);
}

TEST(KORFLibrary, TwoBankFilesLoseNoStyle) {
    test::TempDir dir;
    StyFileBuilder builder;
    for (int bank : {18, 17}) {
        for (int slot = 0; slot < 16; ++slot) {
            builder.style(slot, "S", makeChunk(8, static_cast<std::uint32_t>(bank * 16 + slot)),
                          "T", makeChunk(3, 7), bank);
        }
    }
    test::writeFile(dir / "TWO.STY", builder.bytes());
    KORFLibrary library;
    std::vector<StyleFileBank> banks;
    library.FillBanksFromStyle(dir / "TWO.STY", banks);
    EXPECT_EQ(library.lastKind, StyleFileKind::PaBank);
    ASSERT_EQ(banks.size(), 2u);
    EXPECT_EQ(banks[0].bankNumber, 18);
    EXPECT_EQ(banks[1].bankNumber, 17);

    // The plain collection gets both banks one after the other.
    KORFStyles styles;
    library.FillCollectionFromStyle(dir / "TWO.STY", styles);
    ASSERT_EQ(styles.Count(), 32);
    EXPECT_EQ(styles.Item(1).StyleContent1, makeChunk(8, 18 * 16));
    EXPECT_EQ(styles.Item(17).StyleProg, 1);
    EXPECT_EQ(styles.Item(17).StyleContent1, makeChunk(8, 17 * 16));
    EXPECT_EQ(styles.Item(32).StyleContent1, makeChunk(8, 17 * 16 + 15));
}

TEST(KORFLibrary, ReadFailuresNameTheFileAndLeaveNoKind) {
    test::TempDir dir;
    KORFLibrary library;
    KORFStyles styles;
    const auto missing = dir / "NONE.STY";
    EXPECT_EQ(errorOf([&] { library.FillCollectionFromStyle(missing, styles); }),
              "The file " + missing.string() + " does not exist.");
    EXPECT_EQ(library.lastKind, std::nullopt);

    library.lastKind = StyleFileKind::PaBank;
    test::writeFile(dir / "EMPTY.STY", "");
    EXPECT_EQ(errorOf([&] { library.FillCollectionFromStyle(dir / "EMPTY.STY", styles); }),
              "The file " + (dir / "EMPTY.STY").string() + " is empty.");
    EXPECT_EQ(library.lastKind, std::nullopt);

    fs::create_directory(dir / "FOLDER.STY");
    EXPECT_EQ(errorOf([&] { library.FillCollectionFromStyle(dir / "FOLDER.STY", styles); }),
              "The file " + (dir / "FOLDER.STY").string() + " cannot be read: it is a folder.");

    std::string cut = StyFileBuilder().style(0, "A", makeChunk(9, 1), "B", makeChunk(9, 2)).bytes();
    cut.resize(cut.size() - 1);
    test::writeFile(dir / "CUT.STY", cut);
    std::vector<StyleFileBank> banks(3);
    EXPECT_NE(errorOf([&] { library.FillBanksFromStyle(dir / "CUT.STY", banks); }), "");
    EXPECT_EQ(library.lastKind, std::nullopt);
    EXPECT_TRUE(banks.empty());
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
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
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
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // A record whose length is wrong is refused and changes nothing either.
    KORFLibrary plain;
    styles.Item(1).StyleLength1 = 10;
    EXPECT_NE(errorOf([&] { plain.WriteStyleFromCollection(target, styles, 1); }), "");
    EXPECT_EQ(test::readFile(target), "the old bank");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
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

TEST(KORFLibrary, LetsWindowEventsRunThroughTheDialogs) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    KORFLibrary library;
    library.letEventsRunThrough(dialogs);
    KORFStyles styles;
    styles.Add(KORFStyle{1, "A", "B", 9, 9, makeChunk(1, 1), makeChunk(1, 2)});
    library.WriteStyleFromCollection(dir / "B.STY", styles, 0);
    library.FillCollectionFromStyle(dir / "B.STY", styles);
    EXPECT_EQ(dialogs.processEventsCount(), 4);
}

}  // namespace
}  // namespace orb
