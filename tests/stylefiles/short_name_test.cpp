#include <gtest/gtest.h>

#include "stylefiles/short_name.h"
#include "stylefiles/style_file_kind.h"

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

TEST(NotABankLogLine, TellsWhatTheFileIs) {
    EXPECT_EQ(notABankLogLine("I3.STY", StyleFileKind::KorgI3),
              "I3.STY is probably a style for KORG  i3,i2,i1,i4s arrangers");
    EXPECT_EQ(notABankLogLine("I5.STY", StyleFileKind::KorgI5),
              "I5.STY is probably a style for KORG  i5 arranger");
    EXPECT_EQ(notABankLogLine("IS40.STY", StyleFileKind::KorgIS40),
              "IS40.STY is probably a style for KORG  iS40,iS50 arrangers");
    EXPECT_EQ(notABankLogLine("I30.STY", StyleFileKind::KorgI30),
              "I30.STY is probably a style for KORG  i30 arranger");
    EXPECT_EQ(notABankLogLine("NOTES.STY", StyleFileKind::Unknown),
              "NOTES.STY is not a Pa style, is damaged, its format is unknown or you have no "
              "rights to access it!");
}

}  // namespace
}  // namespace orb
