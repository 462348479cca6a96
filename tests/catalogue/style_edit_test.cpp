#include <gtest/gtest.h>

#include "catalogue/catalogue_test_support.h"
#include "catalogue/style_changes.h"
#include "catalogue/style_edit.h"
#include "support/edit_windows.h"
#include "support/sty_file_builder.h"

namespace orb {
namespace {

class StyleEditTest : public test::CatalogueTest {};

TEST_F(StyleEditTest, ExitChangesNothingAndUpdateWritesTheSixValues) {
    const std::string before = snapshot();
    std::optional<StyleRow> shown;
    EXPECT_FALSE(EditStyle(env.state, 57, env.dialogs, [&](const StyleRow& style) {
        shown = style;
        return std::optional<StyleEditValues>();
    }));
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->StyleName1, "BALLAD");
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(EditStyle(env.state, 999, env.dialogs, [](const StyleRow&) {
        ADD_FAILURE() << "no window for a style that is gone";
        return std::optional<StyleEditValues>();
    }));

    const StyleEditValues edited{"SLOW", "A slow one", "Soul", "Ballads", "MY.STY", "Zoe"};
    EXPECT_EQ(EditStyle(env.state, 57, env.dialogs,
                        [&](const StyleRow&) { return std::optional(edited); }),
              edited);
    const StyleRow stored = storedStyle(57);
    EXPECT_EQ((StyleEditValues{stored.StyleName1, stored.StyleDesc, stored.StyleFamily,
                               stored.StyleCat, stored.StyleFile, stored.StyleAuthor}),
              edited);
    EXPECT_EQ(stored.StyleName2, "BALLAD2");
    EXPECT_EQ(stored.StyleContent1, test::makeChunk(57 * 3, 57));
    EXPECT_TRUE(env.dialogs.calls().empty());
}

// Each box holds as many characters as its column: that many are stored, one more the text
// gate refuses with its message, and nothing is written.
TEST_F(StyleEditTest, FieldLengthsMatchTheColumnsAndARefusedWriteIsReported) {
    for (std::size_t i = 0; i < kStyleFieldColumns.size(); ++i) {
        for (const int extra : {0, 1}) {
            env.dialogs.clear();
            const std::string before = snapshot();
            std::array<std::string, 6> values{"N", "D", "F", "C", "S", "A"};
            const int size = kStyleFieldColumns[i]->size;
            values[i] = std::string(static_cast<std::size_t>(size + extra), 'x');
            const StyleEditValues edited{values[0], values[1], values[2],
                                         values[3], values[4], values[5]};
            const auto written = EditStyle(env.state, 73, env.dialogs,
                                           [&](const StyleRow&) { return std::optional(edited); });
            EXPECT_EQ(written.has_value(), extra == 0) << kStyleFieldLabels[i];
            if (extra == 1) {
                EXPECT_EQ(env.dialogs.messages(),
                          std::vector<std::string>{
                              "The " + std::string(kStyleFieldColumns[i]->label) +
                              " of style 73 has " + std::to_string(size + 1) +
                              " characters; it takes at most " + std::to_string(size) + "."});
                EXPECT_EQ(snapshot(), before);
            } else {
                EXPECT_TRUE(env.dialogs.messages().empty());
            }
        }
    }
    // What the database refuses, with its words after the system's own.
    refuseUpdatesOf("KORFStyles", 41);
    env.dialogs.clear();
    const StyleEditValues edited{"N", "D", "F", "C", "S", "A"};
    EXPECT_FALSE(EditStyle(env.state, 41, env.dialogs,
                           [&](const StyleRow&) { return std::optional(edited); }));
    EXPECT_EQ(env.dialogs.messages(),
              std::vector<std::string>{"The style could not be updated: row is locked"});
}

TEST(StyleEditController, ShowsTheStyleAndRefusesWhatTheColumnsCannotHold) {
    test::ScriptedDialogs dialogs;
    StyleRow style;
    style.StyleProg = 57;
    style.StyleName1 = "BALLAD";
    style.StyleLength1 = 1200;
    style.StyleLength2 = 34;
    style.StyleDate = "2026/12/06";
    style.StyleAuthor = "Ben";
    style.StyleDesc = " ";  // as an import stores it
    StyleEditController edit(style, dialogs);
    EXPECT_EQ(edit.field(1), "");
    EXPECT_EQ(edit.code(), "57");
    EXPECT_EQ(edit.length(), "1234");
    EXPECT_EQ(edit.date(), "2026/12/06");
    EXPECT_EQ(edit.field(0), "BALLAD");
    EXPECT_EQ(edit.field(5), "Ben");

    edit.setField(1, "caf\xC3\xA9 \xF0\x9F\x8E\xB9");
    EXPECT_FALSE(edit.update());
    edit.setField(1, "caf\xC3\xA9");
    edit.setField(0, "TWELVE CHARS");
    EXPECT_FALSE(edit.update());
    EXPECT_FALSE(edit.result().has_value());
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{
                  "The description of style 57 holds \"\xF0\x9F\x8E\xB9\", which the keyboard's "
                  "files cannot carry (Windows-1252 only).",
                  "The name of style 57 has 12 characters; it takes at most 11."}));
    edit.setField(0, "TAB\tNAME");
    EXPECT_FALSE(edit.update());
    EXPECT_EQ(dialogs.messages().back(), "The name of style 57 holds a tab.");
    edit.setField(0, "  ELEVEN CH");     // kept as typed, blanks included
    edit.setField(1, " caf\xC3\xA9  ");  // a description is stored without blanks around it
    ASSERT_TRUE(edit.update());
    EXPECT_EQ(edit.result()->StyleName1, "  ELEVEN CH");
    EXPECT_EQ(edit.result()->StyleDesc, "caf\xC3\xA9");
    edit.exit();
    EXPECT_FALSE(edit.result().has_value());
}

}  // namespace
}  // namespace orb
