#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "backup/dump_builder.h"
#include "backup/dump_reader.h"
#include "backup/dump_writer.h"
#include "db/setup_store.h"
#include "support/failure_of.h"
#include "support/query_column.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using test::tableSnapshot;

// A chunk as the keyboard writes it: tag, big-endian data length, data.
std::string chunk(const std::string& data) {
    return "STY1" + test::bigEndian32(static_cast<std::uint32_t>(data.size())) + data;
}

std::string dumpOf(Database& db) {
    std::ostringstream out;
    writeDump(db, out);
    return out.str();
}

// What the check says of `bytes`: its rows, or the problem found.
std::string checked(const std::string& bytes) {
    std::istringstream in(bytes);
    const DumpCheck check = checkDump(in);
    return check.ok ? std::to_string(check.totalRows) + " rows" : check.problem;
}

void restore(Database& db, const std::string& bytes) {
    std::istringstream in(bytes);
    restoreDump(db, in);
}

class Dump : public ::testing::Test {
protected:
    void SetUp() override { env.openFreshDatabase(); }
    test::TestEnvironment env;
    Database& db = env.state.connection;
};

// Set-ups follow the styles, only when there are any, and a restore brings back exactly the
// dump's set-ups.
TEST_F(Dump, SetupsRideAlongAndComeBack) {
    SetupStore(db).insert({"Gig", "Caf\xC3\xA9 tour", {9, 0, 5}, {0, 0, 0, 0, 0, 0, 0, 0, 12}});
    SetupStore(db).insert({"Band", "", {}, {3, 0, 0, 0, 0, 0, 0, 0, 0}});
    const std::string dump = dumpOf(db);
    const std::string tail =
        "TABLE KORFSTYLES\r\n##NR0\r\nTABLE KORFSETUPS\r\n##NR2\r\n"
        "Band\r\n\r\n0\r\n0\r\n0\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "Gig\r\nCaf\xE9 tour\r\n9\r\n0\r\n5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n12\r\n"
        "ORB BACKUP\r\n";
    EXPECT_TRUE(dump.ends_with(tail)) << dump;
    EXPECT_EQ(countDumpRows(db), 2);
    EXPECT_EQ(checked(dump), "2 rows");

    test::TestEnvironment target;
    target.openFreshDatabase();
    Database& copy = target.state.connection;
    SetupStore(copy).insert({"Old", "", {1, 0, 0}, {}});
    restore(copy, dump);
    EXPECT_EQ(SetupStore(copy).all(), SetupStore(db).all());
    EXPECT_EQ(dumpOf(copy), dump);

    // A dump without set-ups leaves none.
    restore(copy, test::DumpBuilder().bytes());
    EXPECT_EQ(SetupStore(copy).count(), 0);
    // Cut after the set-ups' rows, the file is refused.
    EXPECT_EQ(checked(dump.substr(0, dump.size() - 12)), "Line 40: the file ends too early.");
}

// A dump as any writer lays it out, with texts and blocks that look like the format's own lines
// (a bank and a song named like sections, CR LF inside blocks, a block of 40,000 bytes, a first
// block under the key's 250 bytes), restores with its text in UTF-8 and is written again byte for
// byte.
TEST_F(Dump, ADumpRestoresAndIsWrittenAgainByteForByte) {
    const std::string every = test::everyByteValue();
    // Bank 2 holds styles 4 and 7 in its first two slots, the other fourteen empty.
    std::vector<std::string> bank = {"2", "TABLE KORFSONGS", "Saturday \xE0 night", "4", "7"};
    bank.resize(19, "0");
    test::DumpBuilder builder;
    builder.bank(bank)
        .song(9, "TABLE KORFSTYLES", "Schubert")
        .link(9, 4, "72", "0", "\x93soft\x94")
        .style({4, std::string("Ballad\x92s\0\0\0", 11), "Ballad\x92s V ",
                chunk(every + "\r\n\r\n" + every), chunk("\n\rx")})
        .style({7, "Big Band   ", "Var Big", chunk(std::string(40000, '\r') + every), chunk(every)})
        .style({8, "Short      ", "Var Short", chunk("\r\n"), ""});
    const std::string dump = builder.bytes();
    EXPECT_EQ(checked(dump), "6 rows");

    std::istringstream in(dump);
    long long lastProgress = 0;
    restoreDump(db, in, [&](long long done) { lastProgress = done; });
    EXPECT_EQ(lastProgress, 6);
    Rows texts = db.query(
        "SELECT BankDesc, StyleName1, SongNote FROM KORFBanks, KORFStyles, KORFSonSty WHERE "
        "KORFStyles.StyleProg = 4");
    ASSERT_TRUE(texts.next());
    EXPECT_EQ(texts.text(0), "Saturday \xC3\xA0 night");
    EXPECT_EQ(texts.bytes(1),
              std::string_view("Ballad\xE2\x80\x99s\0\0\0", 13));  // padded as banks pad
    EXPECT_EQ(texts.text(2), "\xE2\x80\x9Csoft\xE2\x80\x9D");
    EXPECT_EQ(dumpOf(db), dump);
}

TEST(DumpCheck, CountsAreThirtyTwoBit) {
    test::DumpBuilder builder;
    for (int code = 1; code <= 40000; ++code) {
        builder.song(code, "Song", "");
    }
    EXPECT_EQ(checked(builder.bytes()), "40000 rows");
}

// A text a dump cannot keep stops the backup; the older dump stays and no temporary file is left.
TEST_F(Dump, ATextADumpCannotKeepIsRefusedAndTheOlderDumpStays) {
    const std::string start = "The value of KORFSongs.SongTitle in the row with SongCode 3 holds ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"first line\nsecond line",
         start +
             "a line break, which a dump cannot keep. Remove the line break and back up again."},
        {"\xCE\xB1\xCE\xB2 \xE6\xAD\x8C \xF0\x9F\x8E\xB5",
         start + "a character outside Windows-1252, which a dump cannot keep. Replace the "
                 "character and back up again."},
    };
    const auto path = env.dir / "OLD.ODD";
    test::writeFile(path, "an older dump");
    const auto names = test::namesIn(env.dir.path());
    for (const auto& [title, message] : cases) {
        db.execute("DELETE FROM KORFSongs");
        db.execute("INSERT INTO KORFSongs VALUES (3, pTitle, 'x')", {title});
        EXPECT_EQ(test::failureOf<DumpError>([&] { writeDumpFile(db, path); }), message);
        EXPECT_EQ(test::readFile(path), "an older dump");
        EXPECT_EQ(test::namesIn(env.dir.path()), names);
    }
}

TEST_F(Dump, ANullTextStaysNullAndAnEmptyTextEmpty) {
    db.execute("INSERT INTO KORFSongs (SongCode, SongPerformer) VALUES (4, '')");
    db.execute("INSERT INTO KORFSonSty (SongCode, StyleProg, StyleTempo) VALUES (4, 8, '')");
    const std::string dump = dumpOf(db);
    // A null text is an empty line ended by a line feed alone, an empty one a CR LF line.
    EXPECT_NE(dump.find("##NR1\r\n4\r\n\n\r\nTABLE KORFSONSTY\r\n##NR1\r\n4\r\n8\r\n\r\n\n\n"
                        "TABLE KORFSTYLES"),
              std::string::npos)
        << dump;
    const auto before = tableSnapshot(db);
    EXPECT_EQ(checked(dump), "2 rows");
    restore(db, dump);
    EXPECT_EQ(tableSnapshot(db), before);
    const auto texts = [&] {
        return test::column(db,
                            "SELECT quote(SongTitle) || quote(SongPerformer) || quote(StyleTempo) "
                            "|| quote(SongNote) FROM KORFSongs, KORFSonSty");
    };
    EXPECT_EQ(texts(), std::vector<std::string>{"NULL''''NULL"});

    // A file whose empty lines all end in CR LF keeps giving empty texts.
    restore(db, test::DumpBuilder().song(4, "", "").link(4, 8, "", "", "").bytes());
    EXPECT_EQ(texts(), std::vector<std::string>{"''''''''"});
}

// Each edit spoils a good dump one way: the check and the restore refuse it in the same words,
// and the catalogue (one style) stays as it was.
TEST_F(Dump, WhatIsNoDumpOrIsDamagedIsRefusedByCheckAndRestoreAlike) {
    const std::string first = chunk("first block \r\n of the style");  // 35 bytes, line 18
    const std::string second = chunk("second\r");                      // 15 bytes, line 19
    const std::string good = test::DumpBuilder()
                                 .song(3, "Night", "Band")
                                 .style({21, "Swing", "Swing 2", first, second})
                                 .bytes();
    ASSERT_EQ(checked(good), "2 rows");
    const std::size_t at = good.find(first);
    const std::size_t key = good.find(first, at + first.size());
    const std::string damaged = "the block is damaged.";
    const std::vector<std::tuple<std::size_t, std::size_t, std::string, std::string>> edits = {
        {0, 10, "ORB BACKUP ", "Line 1: \"ORB BACKUP\" was expected."},
        {0, std::string::npos, "", "Line 1: the file ends too early."},
        {good.find("TABLE KORFSONGS"), 15, "TABLE KORFSONSTY",
         "Line 4: \"TABLE KORFSONGS\" was expected."},
        {good.find("##NR1"), 5, "##NRx", "Line 5: a row count (##NR and a number) was expected."},
        {good.find("TABLE KORFSTYLES"), std::string::npos, "", "Line 11: the file ends too early."},
        {at + 10, std::string::npos, "",
         "Line 18: the file ends inside a style block of 35 bytes."},
        {at + 20, 0, "+",
         "Line 18: the style block of 35 bytes is not followed by the line end; " + damaged},
        {at + 20, 1, "",
         "Line 18: the style block of 35 bytes is not followed by the line end; " + damaged},
        {good.find(second) + 3, 0, "\n",
         "Line 19: the style block of 15 bytes is not followed by the line end; " + damaged},
        {good.find("Night\r\n"), 7, "Night\r\r\n",
         "Line 7: the line holds a carriage return before its end."},
        {good.find("Swing 2\r\n"), 7, "Swi\rg 2",
         "Line 15: the line holds a carriage return before its end."},
        {good.find("\r\n3\r\n") + 2, 1, "3x",
         "Line 6: \"3x\" is not a number for KORFSongs.SongCode."},
        // Texts pass the gate every other door uses.
        {good.find("Band"), 4, std::string("Ba\0d", 4),
         "Line 8: The performer of song 3 holds a code-0 character."},
        {good.find("\r\n \r\nPOP") + 2, 1, "Esc\x1B",
         "Line 26: The description of style 21 holds a control character (code 27)."},
        {key + 9, 1, "?",
         "Line 20: the key of style 21 differs from the start of its first block; the blocks are "
         "damaged."},
        {good.size(), 0, "\r\n", "Line 28: something follows the closing \"ORB BACKUP\"."},
    };
    restore(db, test::DumpBuilder().style({42, "Keep me", "", chunk("kept"), ""}).bytes());
    const auto before = tableSnapshot(db);
    for (const auto& [where, length, replacement, problem] : edits) {
        std::string edited = good;
        edited.replace(where, length, replacement);
        EXPECT_EQ(checked(edited), problem);
        EXPECT_EQ(test::failureOf<DumpError>([&] { restore(db, edited); }), problem);
        EXPECT_EQ(tableSnapshot(db), before) << problem;
    }
}

}  // namespace
}  // namespace orb
