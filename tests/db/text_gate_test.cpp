#include <gtest/gtest.h>

#include <string>

#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/song_store.h"
#include "db/style_store.h"
#include "db/text_gate.h"
#include "support/test_environment.h"

namespace orb {
namespace {

const ColumnSize& kDescription = textColumn("KORFStyles", "StyleDesc");
const ColumnSize& kName = textColumn("KORFStyles", "StyleName1");
const ColumnSize& kTempo = textColumn("KORFSonSty", "StyleTempo");

std::string refusal(const ColumnSize& column, const std::string& text,
                    const TextPlace& place = TextPlace::style(12)) {
    return textRefusal(column, text, place).value_or("");
}

TEST(TextGate, EachRuleRefusesWithTheFieldAndItsPlace) {
    EXPECT_EQ(refusal(kDescription, "Slow\nballad"),
              "The description of style 12 holds a line break.");
    EXPECT_EQ(refusal(kDescription, "Slow\rballad"),
              "The description of style 12 holds a line break.");
    EXPECT_EQ(refusal(kDescription, "Slow\tballad"), "The description of style 12 holds a tab.");
    EXPECT_EQ(refusal(kDescription, std::string("Slow\0", 5)),
              "The description of style 12 holds a code-0 character.");
    EXPECT_EQ(refusal(kDescription, "Esc\x1B"),
              "The description of style 12 holds a control character (code 27).");
    EXPECT_EQ(refusal(kDescription, "Unit\x1Fsep"),
              "The description of style 12 holds a control character (code 31).");
    EXPECT_EQ(refusal(kDescription, "overlong \xC0\xAF and \xC1\xBF"),
              "The description of style 12 is not valid UTF-8 text.");
    EXPECT_EQ(refusal(kDescription, "Del\x7F"),
              "The description of style 12 holds a control character (code 127).");
    EXPECT_EQ(refusal(kDescription, "caf\xE9"),
              "The description of style 12 is not valid UTF-8 text.");
    EXPECT_EQ(refusal(kDescription, "Omega \xCE\xA9", TextPlace::newRow("style")),
              "The description of the new style holds \"\xCE\xA9\", which the keyboard's files "
              "cannot carry (Windows-1252 only).");
    EXPECT_EQ(refusal(kTempo, "\xF0\x9F\x8E\xB5", TextPlace::onLine("song", 7)),
              "The tempo of the song on line 7 holds \"\xF0\x9F\x8E\xB5\", which the keyboard's "
              "files cannot carry (Windows-1252 only).");
    EXPECT_EQ(refusal(kName, "TWELVE CHARS", TextPlace()),
              "The name has 12 characters; it takes at most 11.");
    EXPECT_EQ(refusal(kTempo, "12345678901", TextPlace::link(5, 7)),
              "The tempo of the link of song 5 to style 7 has 11 characters; it takes at most 10.");
}

TEST(TextGate, WhatEveryFileCanCarryPasses) {
    // Characters, not bytes, count: eleven accented letters fill a name.
    const std::string eleven =
        "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
        "\xC3\xA9\xC3\xA9\xC3\xA9";
    EXPECT_EQ(refusal(kName, eleven), "");
    EXPECT_EQ(refusal(kName, eleven + "e"),
              "The name of style 12 has 12 characters; it takes at "
              "most 11.");
    // The euro sign and the five bytes Windows-1252 leaves undefined round-trip.
    EXPECT_EQ(refusal(kDescription, "\xE2\x82\xAC 5, \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"),
              "");
    EXPECT_EQ(refusal(kDescription, "it's \"quoted\" 100%"), "");
    EXPECT_EQ(refusal(kDescription, ""), "");
    // A name may end in the code-0 padding of bank files, nowhere else.
    EXPECT_EQ(refusal(kName, std::string("ROCK1\0\0 \0\0\0", 11)), "");
    EXPECT_EQ(refusal(kName, std::string("ROCK1\0X", 7)),
              "The name of style 12 holds a code-0 character.");
    EXPECT_EQ(refusal(kDescription, std::string("Desc\0\0", 6)),
              "The description of style 12 holds a code-0 character.");
    EXPECT_EQ(refusal(kName, "ROCK\t1"), "The name of style 12 holds a tab.");
}

// Every store applies the gate to every text it writes; a refused text stores nothing.
TEST(TextGate, EveryStoreRefusesBeforeAnythingIsStored) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    const auto expectRefused = [](const std::function<void()>& write, const std::string& text) {
        try {
            write();
            ADD_FAILURE() << "stored: " << text;
        } catch (const StoreError& e) {
            EXPECT_EQ(e.kind(), StoreError::Kind::Text);
            EXPECT_EQ(std::string(e.what()), text);
        }
    };

    StyleStore styles(db);
    StyleRow style;
    style.StyleProg = 12;
    style.StyleName1 = "ROCK";
    style.StyleFile = "A\nB.STY";
    expectRefused([&] { styles.insertNumbered(style); },
                  "The file name of the new style holds a line break.");
    style.StyleFile = "AB.STY";
    style.StyleDate = "2026/12/06!";
    expectRefused([&] { styles.insert(style, TextPlace("the style ROCK of AB.STY")); },
                  "The date of the style ROCK of AB.STY has 11 characters; it takes at most 10.");
    style.StyleDate = "2026/12/06";
    styles.insertNumbered(style);
    StyleColumnChanges changes;
    changes.StyleFamily = "Pop";
    changes.StyleCat = "x\ty";
    expectRefused([&] { styles.change(12, changes); }, "The group of style 12 holds a tab.");
    style.StyleName2 = "\xE2\x80\x8B";  // a zero-width space
    expectRefused([&] { styles.replace(style, TextPlace::style(12)); },
                  "The second name of style 12 holds \"\xE2\x80\x8B\", which the keyboard's "
                  "files cannot carry (Windows-1252 only).");
    EXPECT_EQ(styles.find(12)->StyleFamily, "");
    EXPECT_EQ(styles.find(12)->StyleName2, "");

    BankStore banks(db);
    expectRefused(
        [&] {
            banks.insert({0, "Bank\x01", "", {}});
        },
        "The name of the new bank holds a control character (code 1).");
    SongStore songs(db);
    expectRefused(
        [&] {
            songs.insert({4, "Title", std::string(201, 'p')});
        },
        "The performer of the new song has 201 characters; it takes at most 200.");
    LinkStore links(db);
    expectRefused(
        [&] {
            links.insert({4, 12, "120", "+1\n", ""});
        },
        "The transposition of the link of song 4 to style 12 holds a line break.");
    EXPECT_EQ(banks.count() + songs.count() + links.count(), 0);
}

}  // namespace
}  // namespace orb
