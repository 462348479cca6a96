#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/song_store.h"
#include "db/style_store.h"
#include "db/text_gate.h"
#include "support/failure_of.h"
#include "support/test_environment.h"

namespace orb {
namespace {

const ColumnSize& kDescription = textColumn("KORFStyles", "StyleDesc");
const ColumnSize& kName = textColumn("KORFStyles", "StyleName1");
const ColumnSize& kTempo = textColumn("KORFSonSty", "StyleTempo");

// Each text with the refusal it gets ("" for none) as the description of style 12, or in the
// column and place given.
TEST(TextGate, EachRuleRefusesWithTheFieldAndItsPlaceAndWhatFilesCarryPasses) {
    const std::string desc = "The description of style 12 ";
    const std::string name = "The name of style 12 ";
    // Characters, not bytes, count: eleven accented letters fill a name.
    std::string eleven;
    for (int i = 0; i < 11; ++i) {
        eleven += "\xC3\xA9";
    }
    const struct {
        std::string text;
        std::string refusal;
        const ColumnSize* column = &kDescription;
        TextPlace place = TextPlace::style(12);
    } cases[] = {
        {"Slow\nballad", desc + "holds a line break."},
        {"Slow\rballad", desc + "holds a line break."},
        {"Slow\tballad", desc + "holds a tab."},
        {std::string("Slow\0", 5), desc + "holds a code-0 character."},
        {"Esc\x1B", desc + "holds a control character (code 27)."},
        {"Unit\x1Fsep", desc + "holds a control character (code 31)."},
        {"Del\x7F", desc + "holds a control character (code 127)."},
        {"overlong \xC0\xAF and \xC1\xBF", desc + "is not valid UTF-8 text."},
        {"caf\xE9", desc + "is not valid UTF-8 text."},
        {"Omega \xCE\xA9",
         "The description of the new style holds \"\xCE\xA9\", which the keyboard's files "
         "cannot carry (Windows-1252 only).",
         &kDescription, TextPlace::newRow("style")},
        {"\xF0\x9F\x8E\xB5",
         "The tempo of the song on line 7 holds \"\xF0\x9F\x8E\xB5\", which the keyboard's "
         "files cannot carry (Windows-1252 only).",
         &kTempo, TextPlace::onLine("song", 7)},
        {"TWELVE CHARS", "The name has 12 characters; it takes at most 11.", &kName, TextPlace()},
        {"12345678901",
         "The tempo of the link of song 5 to style 7 has 11 characters; it takes at most 10.",
         &kTempo, TextPlace::link(5, 7)},
        {eleven, "", &kName},
        {eleven + "e", name + "has 12 characters; it takes at most 11.", &kName},
        // The euro sign and the five bytes Windows-1252 leaves undefined round-trip.
        {"\xE2\x82\xAC 5, \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", ""},
        {"it's \"quoted\" 100%", ""},
        {"", ""},
        // A name may end in the code-0 padding of bank files, nowhere else.
        {std::string("ROCK1\0\0 \0\0\0", 11), "", &kName},
        {std::string("ROCK1\0X", 7), name + "holds a code-0 character.", &kName},
        {std::string("Desc\0\0", 6), desc + "holds a code-0 character."},
        {"ROCK\t1", name + "holds a tab.", &kName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textRefusal(*c.column, c.text, c.place).value_or(""), c.refusal) << c.text;
    }
}

// Every store applies the gate to every text it writes; a refused text stores nothing.
TEST(TextGate, EveryStoreRefusesBeforeAnythingIsStored) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    StyleStore styles(db);
    BankStore banks(db);
    SongStore songs(db);
    LinkStore links(db);
    StyleRow style;
    style.StyleProg = 12;
    style.StyleName1 = "ROCK";
    styles.insertNumbered(style);
    StyleRow badFile = style, badDate = style, badName2 = style;
    badFile.StyleProg = 13;
    badFile.StyleFile = "A\nB.STY";
    badDate.StyleDate = "2026/12/06!";
    badName2.StyleName2 = "\xE2\x80\x8B";  // a zero-width space
    StyleColumnChanges changes;
    changes.StyleFamily = "Pop";
    changes.StyleCat = "x\ty";
    const std::pair<std::function<void()>, std::string> refused[] = {
        {[&] { styles.insertNumbered(badFile); },
         "The file name of the new style holds a line break."},
        {[&] { styles.insert(badDate, TextPlace("the style ROCK of AB.STY")); },
         "The date of the style ROCK of AB.STY has 11 characters; it takes at most 10."},
        {[&] { styles.change(12, changes); }, "The group of style 12 holds a tab."},
        {[&] { styles.replace(badName2, TextPlace::style(12)); },
         "The second name of style 12 holds \"\xE2\x80\x8B\", which the keyboard's files cannot "
         "carry (Windows-1252 only)."},
        {[&] { banks.insert(BankRow(0, "Bank\x01", "")); },
         "The name of the new bank holds a control character (code 1)."},
        {[&] { banks.insertNumbered(BankRow(20, "Long", std::string(201, 'd'))); },
         "The description of the new bank has 201 characters; it takes at most 200."},
        {[&] { banks.update(BankRow(20, "Long", "line\nbreak")); },
         "The description of bank 20 holds a line break."},
        {[&] { songs.insert(SongRow(4, "Title", std::string(201, 'p'))); },
         "The performer of the new song has 201 characters; it takes at most 200."},
        {[&] { links.insert(LinkRow(4, 12, "120", "+1\n", "")); },
         "The transposition of the link of song 4 to style 12 holds a line break."},
    };
    const auto before = test::tableSnapshot(db);
    for (const auto& [write, text] : refused) {
        const auto error = test::errorOf<StoreError>(write);
        EXPECT_EQ(error ? std::string(error->what()) : "stored", text);
        EXPECT_TRUE(error && error->kind() == StoreError::Kind::Text) << text;
    }
    EXPECT_EQ(test::tableSnapshot(db), before);
}

}  // namespace
}  // namespace orb
