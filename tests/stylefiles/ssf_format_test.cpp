#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "stylefiles/ssf_format.h"
#include "stylefiles/ssf_reader.h"
#include "stylefiles/ssf_test_support.h"
#include "stylefiles/ssf_writer.h"
#include "stylefiles/style_file_error.h"
#include "support/failure_of.h"
#include "support/ssf_file_builder.h"

namespace orb {
namespace {

std::string written(const StyleRow& style) {
    std::ostringstream out;
    writeSsf(out, style, "x.SSF");
    return out.str();
}

std::optional<StyleRow> read(const std::string& bytes) {
    std::istringstream in(bytes);
    return readSsf(in, "F.SSF");
}

TEST(SsfFormat, TheFileOfElevenCharacterNamesAndBlankTextsByteForByteAndBack) {
    StyleRow style;
    style.StyleProg = 41;
    style.StyleName1 = "ROCKY      ";
    style.StyleName2 = "ROCKY VAR 2";
    style.StyleContent1 = test::makeChunk(992, 7);
    style.StyleContent2 = test::makeChunk(192, 8);
    style.StyleLength1 = 1000;
    style.StyleLength2 = 200;
    style.StyleAuthor = style.StyleCat = style.StyleFamily = style.StyleDesc = style.StyleFile =
        " ";
    style.StyleDate = "2026/12/06";
    const std::string bytes = written(style);
    EXPECT_EQ(bytes.size(), 1323u);
    EXPECT_EQ(bytes, test::ssfBytes(test::ssfFields(style.StyleName1, style.StyleName2,
                                                    style.StyleContent1, style.StyleContent2,
                                                    {" ", " ", " ", " ", " "}, "06/12/2026")));
    EXPECT_EQ(bytes.substr(0, 68),
              "SSF_ORB_Quillmar00011ROCKY      00011ROCKY VAR 200005010000000500200");
    EXPECT_EQ(bytes.substr(bytes.size() - 45), "00001 00001 00001 00001 00001 0001006/12/2026");
    StyleRow back = style;
    back.StyleProg = 0;
    EXPECT_EQ(read(bytes), back);

    // Windows-1252 on disk, names included: read as UTF-8, written back as the same bytes.
    const std::string accented = test::ssfBytes(test::ssfFields(
        "Caf\xE9", "Caf\xE9 Var\x80", test::makeChunk(30, 3), test::makeChunk(20, 4),
        {"Jos\xE9", "Gr", "Fam", "D\xE9sc", "USER01.STY"}, "06/12/2026"));
    const std::optional<StyleRow> read1252 = read(accented);
    ASSERT_TRUE(read1252);
    EXPECT_EQ(read1252->StyleName1, "Caf\xC3\xA9");
    EXPECT_EQ(read1252->StyleName2, "Caf\xC3\xA9 Var\xE2\x82\xAC");
    EXPECT_EQ(read1252->StyleAuthor, "Jos\xC3\xA9");
    EXPECT_EQ(read1252->StyleDesc, "D\xC3\xA9sc");
    EXPECT_EQ(written(*read1252), accented);
}

TEST(SsfFormat, OtherDateSeparatorsAndTheStoredEmptyPartAreRead) {
    test::SsfFields fields =
        test::ssfFields("A", "B", "12345", " ", {"a", "g", "f", "d", "s"}, "06.12.2026");
    fields[3] = "00000";
    const auto style = read(test::ssfBytes(fields));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->StyleDate, "2026/12/06");
    EXPECT_EQ(style->StyleLength2, 0);
    EXPECT_EQ(style->StyleContent2, " ");
    fields[11] = "29-02-2024";
    EXPECT_EQ(read(test::ssfBytes(fields))->StyleDate, "2024/02/29");
}

TEST(SsfFormat, WhatIsNoSingleStyleFileOrIsDamagedIsRefused) {
    const test::SsfFields good =
        test::ssfFields("A", "B", "12345", "xy", {"a", "g", "f", "d", "s"}, "06/12/2026");
    const std::string bytes = test::ssfBytes(good);
    EXPECT_FALSE(read(""));
    EXPECT_FALSE(read("SSF_ORB_quillmar" + bytes.substr(16)));
    EXPECT_FALSE(read("SSF_ORB"));

    auto with = [&](std::size_t index, const std::string& value) {
        test::SsfFields fields = good;
        fields[index] = value;
        return test::ssfBytes(fields);
    };
    struct Case {
        std::string bytes;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {test::ssfBytes(good, "SSF_ORB_Quillmar", 0, "0001x"),
         "the length of its first name is not five digits"},
        {test::ssfBytes(good, "SSF_ORB_Quillmar", 0, " 0001"),
         "the length of its first name is not five digits"},
        {bytes.substr(0, bytes.size() - 3), "its date is cut short: 10 bytes announced, 7 present"},
        {bytes.substr(0, 21), "its first name is cut short: 1 bytes announced, 0 present"},
        {bytes.substr(0, 24), "it ends before the length of its second name"},
        {with(11, "31/02/2026"), "its date \"31/02/2026\" is no date"},
        {with(11, "06/12/26"), "its date \"06/12/26\" is no date"},
        {with(11, "06/12.2026"), "its date \"06/12.2026\" is no date"},
        {with(2, "00004"), "its first length 4 differs from the 5 bytes of its part"},
        {with(3, "1a"), "its second length \"1a\" is no number"},
        {with(3, ""), "its second length \"\" is no number"},
        {bytes + "x", "it goes on after its date"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::failureOf<StyleFileError>([&] { read(c.bytes); }),
                  "The file F.SSF is damaged: " + c.problem + ".");
    }
}

TEST(SsfFormat, StylesThatNoFileCanCarryAreRefusedBeforeWriting) {
    struct Case {
        std::function<void(StyleRow&)> change;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {[](StyleRow& s) {
             s.StyleContent1.assign(100000, 'x');
             s.StyleLength1 = 100000;
         },
         "its first length 100000 does not fit five digits"},
        {[](StyleRow& s) { s.StyleLength2 = 7; },
         "its second length 7 differs from the 209 bytes of its part"},
        {[](StyleRow& s) { s.StyleDesc = "\xCE\xA9"; },
         "its description holds characters that Windows-1252 cannot carry"},
        {[](StyleRow& s) { s.StyleDate = "06/12/2026"; },
         "its date \"06/12/2026\" is no date of the form yyyy/mm/dd"},
    };
    for (const Case& c : cases) {
        StyleRow style = test::ssfStyle(9, "NINE");
        c.change(style);
        std::ostringstream out;
        EXPECT_THROW(writeSsf(out, style, "n.SSF"), StyleFileError) << c.refusal;
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(ssfRefusal(style), c.refusal);
    }
}

}  // namespace
}  // namespace orb
