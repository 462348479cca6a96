#include <gtest/gtest.h>

#include "stylefiles/short_name.h"
#include "stylefiles/style_import.h"

namespace orb {
namespace {

TEST(ShortFileName, KeepsDosNamesAndShortensTheRest) {
    EXPECT_EQ(shortFileName("/music/USER01.STY"), "USER01.STY");
    EXPECT_EQ(shortFileName("/music/user01.sty"), "USER01.STY");
    EXPECT_EQ(shortFileName("x.sty"), "X.STY");
    EXPECT_EQ(shortFileName("README"), "README");
    EXPECT_EQ(shortFileName("/a/My Rock Set.sty"), "MYROCK~1.STY");
    EXPECT_EQ(shortFileName("/a/LONGNAME9.STY"), "LONGNA~1.STY");
    EXPECT_EQ(shortFileName("/a/bank.style"), "BANK~1.STY");
    EXPECT_EQ(shortFileName("/a/it's.sty"), "ITS~1.STY");
    EXPECT_EQ(shortFileName("/a/a.b.sty"), "AB~1.STY");
    EXPECT_EQ(shortFileName("/a/Caf\xC3\xA9 Latin.sty"), "CAFLAT~1.STY");
    EXPECT_EQ(shortFileName("/a/noext."), "NOEXT~1");
    // Whatever the name, the result fits the catalogue's 20-character file column.
    EXPECT_LE(shortFileName("/a/A very long name with many words.something").size(), 12u);
}

TEST(StyleImport, BankNamesFollowTheShortName) {
    EXPECT_EQ(importedBankName("USER01.STY", 7), "USER0007");
    EXPECT_EQ(importedBankName("X.STY", 12), "X012");
    EXPECT_EQ(importedBankName("MYROCK~1.STY", 1234), "MYROC1234");
    EXPECT_EQ(importedBankName("abcdefgh.sty", 1), "ABCDE001");
}

}  // namespace
}  // namespace orb
