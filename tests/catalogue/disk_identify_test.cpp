#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/disk_identify.h"
#include "catalogue/disk_identify_controller.h"
#include "db/bank_store.h"
#include "keyboard_folders_fixture.h"
#include "support/sty_file_builder.h"
#include "support/temp_dir.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::makeChunk;
using test::writeFile;

// An old floppy: bank 9 as the keyboard's first bank, a second bank of a stored style, a new one
// and one whose name is stored with other content, a file of an older arranger and a note.
class DiskIdentifyTest : public test::KeyboardFoldersTest {
protected:
    void SetUp() override {
        KeyboardFoldersTest::SetUp();
        writeFile(user(1), test::expectedBankFile(db(), {73, 88, 57, 88}, 17));
        writeSecondBank("SWING");
        writeFile(floppy() / "OLD.STY", "KORG9 a style of an older arranger, long enough to tell");
        writeFile(floppy() / "notes.txt", "not a bank file");
    }
    fs::path user(int n) {
        return floppy() / "ORB.SET" / "STYLE" / ("USER0" + std::to_string(n) + ".STY");
    }
    void writeSecondBank(const std::string& thirdName) {
        const StyleRow ballad = storedStyle(57);
        writeFile(user(2),
                  test::StyFileBuilder()
                      .style(0, "BALLAD", ballad.StyleContent1, "BALLAD2", ballad.StyleContent2, 18)
                      .style(1, "FRESH", makeChunk(700, 4242), "FRESH2", makeChunk(90, 4343), 18)
                      .style(2, thirdName, makeChunk(333, 777), "", "", 18)
                      .bytes());
    }
    long long storedRows() {
        return static_cast<long long>(styleNumbers().size()) * 1000 + BankStore(db()).count();
    }
};

TEST_F(DiskIdentifyTest, AFloppyIsToldFileByFileAndStyleByStyleAndOnlyItsNewStylesImported) {
    const long long before = storedRows();
    const DiskContents contents = IdentifyDisk(db(), env.dialogs, floppy());
    EXPECT_EQ(identifyLines(contents),
              (std::vector<std::string>{
                  (floppy() / "OLD.STY").string() +
                      "\tOLD.STY is probably a style for KORG  i3,i2,i1,i4s arrangers",
                  user(1).string() + "\t17\tstored bank 9 BANK9",
                  "\t1\tSWING\t73",
                  "\t2\tDISCO\t88",
                  "\t3\tBALLAD\t57",
                  "\t4\tDISCO\t88",
                  user(2).string() + "\t18\tno stored bank",
                  "\t1\tBALLAD\t57",
                  "\t2\tFRESH\tnew",
                  "\t3\tSWING\tsame name, different content\t73",
              }));
    EXPECT_EQ(contents.newStyles(), 1u);
    EXPECT_EQ(storedRows(), before);

    // One file alone tells the same.
    const DiskContents one = IdentifyDisk(db(), env.dialogs, user(2));
    ASSERT_EQ(one.files.size(), 1u);
    EXPECT_EQ(one.files[0], contents.files[2]);

    // The import takes the new style only, and stores no bank.
    DiskIdentifyController controller(env.state, env.dialogs);
    ASSERT_TRUE(controller.look(floppy()));
    ASSERT_TRUE(controller.importNew());
    EXPECT_TRUE(controller.imported());
    const std::vector<std::int32_t> fresh = StyleStore(db()).numbersNamed("FRESH");
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(storedStyle(fresh[0]).StyleContent1, makeChunk(700, 4242));
    EXPECT_EQ(StyleStore(db()).numbersNamed("SWING"), std::vector<std::int32_t>{73});
    EXPECT_EQ(storedRows(), before + 1000);
    EXPECT_EQ(env.dialogs.messages().back(),
              "Style import ended: 1 style imported, 0 skipped as duplicates, 0 banks stored.");
    // Looked at again, the style is stored.
    EXPECT_EQ(controller.contents().files[2].banks[0].styles[1],
              (IdentifiedStyle{2, "FRESH", IdentifiedStyle::Kind::Stored, fresh[0]}));
    EXPECT_FALSE(controller.importEnabled());
}

TEST_F(DiskIdentifyTest, ADiskChangedSinceItWasLookedAtImportsNothing) {
    DiskIdentifyController controller(env.state, env.dialogs);
    ASSERT_TRUE(controller.look(floppy()));
    writeSecondBank("TANGO");
    const long long before = storedRows();
    EXPECT_FALSE(controller.importNew());
    EXPECT_EQ(storedRows(), before);
    EXPECT_EQ(env.dialogs.messages().back(),
              "The bank file " + user(2).string() +
                  " no longer holds what was found on it; nothing was imported. Look at the disk "
                  "again.");

    // No such place is said; a folder without bank files: catalogue_commands_test.
    EXPECT_FALSE(controller.look(env.dir / "missing"));
    EXPECT_EQ(env.dialogs.messages().back(),
              "There is no file or folder " + (env.dir / "missing").string() + ".");
}

}  // namespace
}  // namespace orb
