#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "backup/dump_builder.h"
#include "backup/dump_reader.h"
#include "backup/dump_writer.h"
#include "db/setup_store.h"
#include "support/test_environment.h"

namespace orb {
namespace {

using Snapshot = std::vector<std::vector<SqlValue>>;

Snapshot snapshot(Database& db) {
    Snapshot rows;
    for (const char* query :
         {"SELECT * FROM KORFBanks ORDER BY BankProg", "SELECT * FROM KORFSongs ORDER BY SongCode",
          "SELECT * FROM KORFSonSty ORDER BY SongCode, StyleProg",
          "SELECT * FROM KORFStyles ORDER BY StyleProg"}) {
        Rows result = db.query(query);
        while (result.next()) {
            std::vector<SqlValue> row;
            for (int c = 0; c < result.columnCount(); ++c) {
                row.push_back(result.value(c));
            }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::string allBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

// A chunk as the keyboard writes it: tag, big-endian data length, data.
std::string chunk(const std::string& data) {
    const auto n = static_cast<std::uint32_t>(data.size());
    std::string header = "STY1";
    for (int shift = 24; shift >= 0; shift -= 8) {
        header += static_cast<char>((n >> shift) & 0xFF);
    }
    return header + data;
}

void insertStyle(Database& db, int prog, const std::string& name, const std::string& c1,
                 const std::string& c2) {
    const std::string stored1 = c1.empty() ? " " : c1;
    const std::string stored2 = c2.empty() ? " " : c2;
    db.execute(
        "INSERT INTO KORFStyles VALUES (pProg, pName1, pName2, pLength1, pLength2, pContent1, "
        "pContent2, pSeek, '2026/12/06', pDesc, 'Group', 'Family', 'USER01.STY', 'Author')",
        {prog, name, "Var " + name.substr(0, 7), static_cast<std::int32_t>(c1.size()),
         static_cast<std::int32_t>(c2.size()), SqlParam::blob(stored1), SqlParam::blob(stored2),
         SqlParam::blob(std::string_view(stored1).substr(0, 250)), "desc of " + name});
}

void fillCatalogue(Database& db) {
    std::string bank1 =
        "INSERT INTO KORFBanks VALUES (1, 'TABLE KORFSONGS', 'Caf\xC3\xA9 set', 3, 1";
    for (int slot = 3; slot <= 16; ++slot) {
        bank1 += ", 0";
    }
    db.execute(bank1 + ")");
    std::string bank2 = "INSERT INTO KORFBanks VALUES (5, 'USER0005', '', 0";
    for (int slot = 2; slot <= 16; ++slot) {
        bank2 += ", " + std::to_string(slot);
    }
    db.execute(bank2 + ")");
    db.execute("INSERT INTO KORFSongs VALUES (1, 'TABLE KORFSTYLES', 'Band')");
    db.execute("INSERT INTO KORFSongs VALUES (2, 'Tr\xC3\xA4umerei', ' ')");
    db.execute("INSERT INTO KORFSonSty VALUES (1, 3, '120', '-2', 'TABLE of contents')");
    db.execute("INSERT INTO KORFSonSty VALUES (2, 1, ' ', ' ', ' ')");
    const std::string every = allBytes();
    insertStyle(db, 1, "Pop 8Beat  ", chunk(every + "\r\n\r\n" + every), chunk("\n\r\x00x"));
    insertStyle(db, 3, "Short      ", chunk("\r\n"), "");  // first part under 250 bytes
    insertStyle(db, 7, "Big Band   ", chunk(std::string(40000, '\r') + every), chunk(every));
}

std::string dumpOf(Database& db) {
    std::ostringstream out;
    writeDump(db, out);
    return out.str();
}

TEST(Dump, AnEmptyCatalogueIsTenLines) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    EXPECT_EQ(dumpOf(env.state.connection),
              "ORB BACKUP\r\nTABLE KORFBANKS\r\n##NR0\r\nTABLE KORFSONGS\r\n##NR0\r\n"
              "TABLE KORFSONSTY\r\n##NR0\r\nTABLE KORFSTYLES\r\n##NR0\r\nORB BACKUP\r\n");
}

// Set-ups follow the styles, only when there are any, and a restore brings back exactly the
// dump's set-ups.
TEST(Dump, SetupsRideAlongAndComeBack) {
    test::TestEnvironment source;
    source.openFreshDatabase();
    Database& db = source.state.connection;
    SetupStore(db).insert({"Gig", "Caf\xC3\xA9 tour", {9, 0, 5}, {0, 0, 0, 0, 0, 0, 0, 0, 12}});
    SetupStore(db).insert({"Band", "", {}, {3, 0, 0, 0, 0, 0, 0, 0, 0}});
    const std::string dump = dumpOf(db);
    const std::string tail =
        "TABLE KORFSTYLES\r\n##NR0\r\nTABLE KORFSETUPS\r\n##NR2\r\n"
        "Band\r\n\r\n0\r\n0\r\n0\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "Gig\r\nCaf\xE9 tour\r\n9\r\n0\r\n5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n12\r\n"
        "ORB BACKUP\r\n";
    ASSERT_GE(dump.size(), tail.size());
    EXPECT_EQ(dump.substr(dump.size() - tail.size()), tail);
    EXPECT_EQ(countDumpRows(db), 2);
    std::istringstream check(dump);
    const DumpCheck checked = checkDump(check);
    EXPECT_TRUE(checked.ok) << checked.problem;
    EXPECT_EQ(checked.totalRows, 2);

    test::TestEnvironment target;
    target.openFreshDatabase();
    SetupStore(target.state.connection).insert({"Old", "", {1, 0, 0}, {}});
    std::istringstream in(dump);
    restoreDump(target.state.connection, in);
    EXPECT_EQ(SetupStore(target.state.connection).all(), SetupStore(db).all());
    EXPECT_EQ(dumpOf(target.state.connection), dump);

    // A dump without set-ups leaves none.
    std::istringstream empty(test::DumpBuilder().bytes());
    restoreDump(target.state.connection, empty);
    EXPECT_EQ(SetupStore(target.state.connection).count(), 0);
    // Cut after the set-ups' rows, the file is refused.
    std::istringstream cut(dump.substr(0, dump.size() - 12));
    EXPECT_FALSE(checkDump(cut).ok);
}

TEST(Dump, AFullCatalogueRestoresIdenticallyIntoAnEmptyDatabase) {
    test::TestEnvironment source;
    source.openFreshDatabase();
    fillCatalogue(source.state.connection);
    const std::string dump = dumpOf(source.state.connection);
    // Text is Windows-1252 on disk.
    EXPECT_NE(dump.find("Caf\xE9 set\r\n"), std::string::npos);

    std::istringstream check(dump);
    const DumpCheck result = checkDump(check);
    EXPECT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(result.totalRows, 9);

    test::TestEnvironment target;
    target.openFreshDatabase();
    std::istringstream in(dump);
    long long lastProgress = 0;
    restoreDump(target.state.connection, in, [&](long long done) { lastProgress = done; });
    EXPECT_EQ(lastProgress, 9);
    EXPECT_EQ(snapshot(target.state.connection), snapshot(source.state.connection));
    // A second dump of the restored catalogue is the same file.
    EXPECT_EQ(dumpOf(target.state.connection), dump);
}

TEST(Dump, AFileOfTheWindowsProgramRestores) {
    test::DumpBuilder builder;
    std::vector<std::string> bank = {"2", "LIVE", "Saturday \xE0 night"};
    for (int slot = 1; slot <= 16; ++slot) {
        bank.push_back(slot == 1 ? "4" : "0");
    }
    const std::string every = allBytes();
    builder.bank(bank)
        .song(9, "Ave Maria", "Schubert")
        .link(9, 4, "72", "0", "\x93soft\x94")
        .style({4, "Ballad\x92s   ", "Ballad\x92s V ", chunk(every + "\r\n"), ""});
    test::TestEnvironment env;
    env.openFreshDatabase();
    std::istringstream in(builder.bytes());
    restoreDump(env.state.connection, in);

    Database& db = env.state.connection;
    Rows banks = db.query("SELECT * FROM KORFBanks");
    ASSERT_TRUE(banks.next());
    EXPECT_EQ(banks.text("BankDesc"), "Saturday \xC3\xA0 night");
    EXPECT_EQ(banks.integer("BankStyle01"), 4);
    Rows links = db.query("SELECT SongNote FROM KORFSonSty");
    ASSERT_TRUE(links.next());
    EXPECT_EQ(links.text(0), "\xE2\x80\x9Csoft\xE2\x80\x9D");
    Rows styles = db.query("SELECT * FROM KORFStyles");
    ASSERT_TRUE(styles.next());
    EXPECT_EQ(styles.text("StyleName1"), "Ballad\xE2\x80\x99s   ");
    EXPECT_EQ(styles.bytes("StyleContent1"), chunk(every + "\r\n"));
    EXPECT_EQ(styles.integer("StyleLength1"), static_cast<std::int64_t>(every.size() + 10));
    EXPECT_EQ(styles.bytes("StyleContent2"), " ");
    EXPECT_EQ(styles.integer("StyleLength2"), 0);
    EXPECT_EQ(styles.bytes("StyleSeek"), chunk(every + "\r\n").substr(0, 250));
}

TEST(Dump, TheCheckRefusesWhatIsNotADump) {
    const std::string good = test::DumpBuilder().song(1, "TABLE X", "Y").bytes();
    const auto check = [](const std::string& bytes) {
        std::istringstream in(bytes);
        return checkDump(in);
    };
    EXPECT_TRUE(check(good).ok);
    std::string blank = good;
    blank.replace(0, 10, "ORB BACKUP ");
    EXPECT_FALSE(check(blank).ok);
    EXPECT_EQ(check(blank).problem, "Line 1: \"ORB BACKUP\" was expected.");

    std::string swapped = good;
    const auto songs = swapped.find("TABLE KORFSONGS");
    const auto links = swapped.find("TABLE KORFSONSTY");
    swapped.replace(links, 16, "TABLE KORFSONGS!");
    swapped.replace(songs, 15, "TABLE KORFSONSTY");
    swapped.replace(swapped.find("TABLE KORFSONGS!"), 16, "TABLE KORFSONGS");
    EXPECT_FALSE(check(swapped).ok);

    std::string notNumber = good;
    notNumber.replace(notNumber.find("##NR1"), 5, "##NRx");
    EXPECT_FALSE(check(notNumber).ok);
    EXPECT_FALSE(check("").ok);
    EXPECT_FALSE(check(good.substr(0, good.find("TABLE KORFSTYLES"))).ok);
}

TEST(Dump, CountsAreThirtyTwoBit) {
    test::DumpBuilder builder;
    for (int code = 1; code <= 40000; ++code) {
        builder.song(code, "Song", "");
    }
    std::istringstream in(builder.bytes());
    const DumpCheck result = checkDump(in);
    EXPECT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(result.totalRows, 40000);
}

TEST(Dump, ARestoreThatFailsLeavesTheCatalogueAsItWas) {
    test::TestEnvironment source;
    source.openFreshDatabase();
    fillCatalogue(source.state.connection);
    const std::string dump = dumpOf(source.state.connection);

    test::TestEnvironment target;
    target.openFreshDatabase();
    insertStyle(target.state.connection, 42, "Keep me    ", chunk("kept"), "");
    const Snapshot before = snapshot(target.state.connection);

    // Cut in the middle of the last style's first block.
    const std::string cut = dump.substr(0, dump.find(std::string(100, '\r')));
    std::istringstream in(cut);
    try {
        restoreDump(target.state.connection, in);
        FAIL() << "a cut file restored";
    } catch (const DumpError& e) {
        EXPECT_NE(std::string(e.what()).find("the file ends inside a style block"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(snapshot(target.state.connection), before);
    EXPECT_FALSE(target.state.connection.inTransaction());

    // Two styles with one number: the second cannot be stored, and nothing is.
    test::DumpBuilder twice;
    twice.style({1, "A", "", chunk("a"), ""}).style({1, "B", "", chunk("b"), ""});
    std::istringstream duplicate(twice.bytes());
    EXPECT_THROW(restoreDump(target.state.connection, duplicate), DumpError);
    EXPECT_EQ(snapshot(target.state.connection), before);
}

// A restore passes every text through the gate the other doors use: a control character is
// refused with the line, the field and its row, and nothing is restored. Names padded with
// code 0, as bank files pad them, restore as they are.
TEST(Dump, ARestoreRefusesTheTextsEveryOtherDoorRefuses) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    insertStyle(env.state.connection, 42, "Keep me    ", chunk("kept"), "");
    const Snapshot before = snapshot(env.state.connection);
    const auto restore = [&env](const test::DumpBuilder& builder) -> std::string {
        std::istringstream in(builder.bytes());
        try {
            restoreDump(env.state.connection, in);
        } catch (const DumpError& e) {
            return e.what();
        }
        return "restored";
    };

    test::DumpBuilder tab;
    tab.song(9, "Ave Maria", "Schubert").link(9, 4, "72", "0", "soft\tslow");
    EXPECT_EQ(restore(tab), "Line 15: The note of the link of song 9 to style 4 holds a tab.");
    test::DumpBuilder control;
    control.style({4, "Ballad", "Var", chunk("b"), "", "2004/01/15", "Esc\x1B"});
    EXPECT_EQ(restore(control),
              "Line 23: The description of style 4 holds a control character (code 27).");
    EXPECT_EQ(snapshot(env.state.connection), before);

    test::DumpBuilder padded;
    padded.style({4, std::string("ROCK1\0\0\0\0\0\0", 11), "ROCK1 2", chunk("r"), ""});
    EXPECT_EQ(restore(padded), "restored");
    Rows name = env.state.connection.query("SELECT StyleName1 FROM KORFStyles");
    ASSERT_TRUE(name.next());
    EXPECT_EQ(name.bytes(0), std::string_view("ROCK1\0\0\0\0\0\0", 11));
}

TEST(Dump, ATextWithALineBreakIsRefused) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    env.state.connection.execute("INSERT INTO KORFSongs VALUES (3, pTitle, 'x')",
                                 {"first line\nsecond line"});
    std::ostringstream out;
    try {
        writeDump(env.state.connection, out);
        FAIL() << "a line break was written";
    } catch (const DumpError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The value of KORFSongs.SongTitle in the row with SongCode 3 holds a line "
                  "break, which a dump cannot keep. Remove the line break and back up again.");
    }
}

TEST(Dump, ATextWindows1252CannotHoldIsRefusedAndTheOlderDumpStays) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    db.execute("INSERT INTO KORFSongs VALUES (6, 'Plain', 'x')");
    db.execute("INSERT INTO KORFSonSty VALUES (6, 2, '90', '0', pNote)",
               {"\xCE\xB1\xCE\xB2 \xE6\xAD\x8C \xF0\x9F\x8E\xB5"});
    const auto path = env.dir / "OLD.ODD";
    const std::string older = "an older dump";
    {
        std::ofstream file(path, std::ios::binary);
        file << older;
    }
    try {
        writeDumpFile(db, path);
        FAIL() << "a text outside Windows-1252 was written";
    } catch (const DumpError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The value of KORFSonSty.SongNote in the row with SongCode 6 holds a character "
                  "outside Windows-1252, which a dump cannot keep. Replace the character and "
                  "back up again.");
    }
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), older);
    for (const auto& entry : std::filesystem::directory_iterator(env.dir.path())) {
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

TEST(Dump, ANullTextStaysNullAndAnEmptyTextEmpty) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    Database& db = env.state.connection;
    db.execute("INSERT INTO KORFSongs (SongCode, SongPerformer) VALUES (4, '')");
    db.execute("INSERT INTO KORFSonSty (SongCode, StyleProg, StyleTempo) VALUES (4, 8, '')");
    const std::string dump = dumpOf(db);
    // A null text is an empty line ended by a line feed alone, an empty one a CR LF line.
    EXPECT_NE(dump.find("##NR1\r\n4\r\n\n\r\nTABLE KORFSONSTY\r\n##NR1\r\n4\r\n8\r\n\r\n\n\n"
                        "TABLE KORFSTYLES"),
              std::string::npos)
        << dump;
    const Snapshot before = snapshot(db);
    std::istringstream check(dump);
    EXPECT_TRUE(checkDump(check).ok);
    std::istringstream in(dump);
    restoreDump(db, in);
    EXPECT_EQ(snapshot(db), before);
    Rows song = db.query("SELECT SongTitle IS NULL, SongPerformer IS NULL FROM KORFSongs");
    ASSERT_TRUE(song.next());
    EXPECT_EQ(song.integer(0), 1);
    EXPECT_EQ(song.integer(1), 0);
    Rows link = db.query("SELECT StyleTempo IS NULL, SongNote IS NULL FROM KORFSonSty");
    ASSERT_TRUE(link.next());
    EXPECT_EQ(link.integer(0), 0);
    EXPECT_EQ(link.integer(1), 1);

    // A file whose empty lines all end in CR LF keeps giving empty texts.
    std::istringstream older(test::DumpBuilder().song(4, "", "").bytes());
    restoreDump(db, older);
    Rows empty = db.query("SELECT SongTitle IS NULL, SongTitle FROM KORFSongs");
    ASSERT_TRUE(empty.next());
    EXPECT_EQ(empty.integer(0), 0);
    EXPECT_EQ(empty.text(1), "");
}

// Checks and restores `bytes` into a catalogue holding one style; both must refuse with
// `problem`, and the catalogue must stay as it was.
void expectRefused(const std::string& bytes, const std::string& problem) {
    std::istringstream check(bytes);
    const DumpCheck result = checkDump(check);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.problem, problem);

    test::TestEnvironment env;
    env.openFreshDatabase();
    insertStyle(env.state.connection, 42, "Keep me    ", chunk("kept"), "");
    const Snapshot before = snapshot(env.state.connection);
    std::istringstream in(bytes);
    try {
        restoreDump(env.state.connection, in);
        ADD_FAILURE() << "restored: " << problem;
    } catch (const DumpError& e) {
        EXPECT_EQ(std::string(e.what()), problem);
    }
    EXPECT_EQ(snapshot(env.state.connection), before);
}

TEST(Dump, ADamagedStyleBlockOrAStrayCarriageReturnIsRefused) {
    const std::string first = chunk("first block \r\n of the style");  // 35 bytes
    const std::string second = chunk("second\r");                      // 15 bytes
    const std::string good = test::DumpBuilder()
                                 .song(3, "Night", "Band")
                                 .style({21, "Swing", "Swing 2", first, second})
                                 .bytes();
    std::istringstream check(good);
    ASSERT_TRUE(checkDump(check).ok);

    // The first block stands on line 18, the second on line 19.
    const std::size_t at = good.find(first);
    std::string inserted = good;
    inserted.insert(at + 20, "+");
    expectRefused(inserted,
                  "Line 18: the style block of 35 bytes is not followed by the line end; the "
                  "block is damaged.");
    std::string removed = good;
    removed.erase(at + 20, 1);
    expectRefused(removed,
                  "Line 18: the style block of 35 bytes is not followed by the line end; the "
                  "block is damaged.");
    std::string secondLonger = good;
    secondLonger.insert(good.find(second) + 3, "\n");
    expectRefused(secondLonger,
                  "Line 19: the style block of 15 bytes is not followed by the line end; the "
                  "block is damaged.");

    // A title with a carriage return before its line end (line 7).
    std::string strayCr = good;
    strayCr.replace(strayCr.find("Night\r\n"), 7, "Night\r\r\n");
    expectRefused(strayCr, "Line 7: the line holds a carriage return before its end.");
    std::string crInside = good;
    crInside.replace(crInside.find("Swing 2\r\n"), 7, "Swi\rg 2");
    expectRefused(crInside, "Line 15: the line holds a carriage return before its end.");

    // What the restore refuses, the check refuses too, in the same words.
    const std::size_t key = good.find(first, at + first.size());
    const std::vector<std::tuple<std::size_t, std::size_t, std::string, std::string>> edits = {
        {good.find("\r\n3\r\n") + 2, 1, "3x",
         "Line 6: \"3x\" is not a number for KORFSongs.SongCode."},
        {good.find("Band"), 4, std::string("Ba\0d", 4),
         "Line 8: The performer of song 3 holds a code-0 character."},
        {key + 9, 1, "?",
         "Line 20: the key of style 21 differs from the start of its first block; the blocks are "
         "damaged."},
        {good.size(), 0, "\r\n", "Line 28: something follows the closing \"ORB BACKUP\"."},
    };
    for (const auto& [where, length, replacement, problem] : edits) {
        std::string edited = good;
        edited.replace(where, length, replacement);
        expectRefused(edited, problem);
    }
}

}  // namespace
}  // namespace orb
