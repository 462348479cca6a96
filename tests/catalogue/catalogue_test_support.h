#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "db/bank_store.h"
#include "db/style_store.h"
#include "support/link_rows.h"
#include "support/sty_file_builder.h"
#include "support/table_snapshot.h"
#include "support/test_environment.h"
#include "support/what_was_said.h"
#include "support/widget_child.h"

namespace orb::test {

// Stores a catalogue row with the given descriptive columns; its two blocks are made from the
// style number, so that each style's bytes are its own.
void addStyle(Database& db, std::int32_t prog, const std::string& name,
              const std::string& desc = "", const std::string& family = "",
              const std::string& cat = "", const std::string& author = "");

// Style 57 BALLAD as an edit window shows it, without its blocks (lengths 1200 and 34).
StyleRow balladRow();

// The bytes a keyboard bank file of the stored styles `styles` (in slot order from 0) with
// `bankNumber` must hold, built on its own and not through the program's writer.
std::string expectedBankFile(Database& db, const std::vector<std::int32_t>& styles, int bankNumber);
// Fails unless `file` holds exactly that bank, and the reader finds it under `bankNumber`.
void expectBankFile(Database& db, const std::filesystem::path& file,
                    const std::vector<std::int32_t>& styles, int bankNumber);

// Expected lists, named short so that an expectation stays readable on one line.
using Texts = std::vector<std::string>;
using Numbers = std::vector<std::int32_t>;

// The styles of the small catalogue's banks 5 and 9, in slot order.
inline const Numbers kBank5 = {57, 41, 88, 73};
inline const Numbers kBank9 = {73, 88, 57, 88};

// A test of its own environment with an empty catalogue.
class FreshCatalogueTest : public ::testing::Test {
public:
    using Texts = test::Texts;
    using Numbers = test::Numbers;
    using Answer = UserDialogs::Answer;
    using Icon = UserDialogs::Icon;
    using Shown = test::Shown;

    void SetUp() override { env.openFreshDatabase(); }
    Database& db() { return env.state.connection; }
    Numbers styleNumbers() {
        Numbers numbers;
        Rows rows = db().query("SELECT StyleProg FROM KORFStyles ORDER BY StyleProg");
        while (rows.next()) {
            numbers.push_back(static_cast<std::int32_t>(rows.integer(0)));
        }
        return numbers;
    }
    BankSlots slotsOf(std::int32_t bankProg) {
        const std::optional<BankRow> bank = BankStore(db()).find(bankProg);
        EXPECT_TRUE(bank.has_value()) << bankProg;
        return bank ? bank->BankStyle : BankSlots{};
    }
    // Runs `orb` on the fixture's database file, then opens the connection again to look at
    // what the command left.
    CliRun runOnFile(std::vector<std::string> args, std::istream* terminal = nullptr) {
        args.insert(args.begin(), {"--db", (env.dir / "ORB.MDB").string()});
        const CliRun result = env.runCli(args, terminal);
        db().open(env.dir / "ORB.MDB", Database::OpenMode::ExistingOnly);
        return result;
    }

    TestEnvironment env;
};

// A small catalogue whose style numbers (41, 57, 73, 88) differ from every slot position and
// bank number: two banks (5 and 9) and two songs (301, 302) with links.
class CatalogueTest : public FreshCatalogueTest {
public:
    void SetUp() override {
        FreshCatalogueTest::SetUp();
        addStyle(41, "ROCK1", "Rock", "Pop", "Ann");
        addStyle(57, "BALLAD", "Slow", "Pop", "Ben");
        addStyle(73, "SWING", "Jazz", "Big band", "Cid");
        addStyle(88, "DISCO", "Dance", "Club", "Dee");
        addBank(5, kBank5);
        addBank(9, kBank9);
        addLinkRow(db(), {301, 41, "120", "+2", "intro"});
        addLinkRow(db(), {301, 0, "", "", "free"});
        addLinkRow(db(), {301, 88, "98", "0", "end"});
        addLinkRow(db(), {302, 57, "70", "-1", "first"});
        addLinkRow(db(), {302, 73, "140", "+1", "second"});
    }

    void addStyle(std::int32_t prog, const std::string& name, const std::string& family,
                  const std::string& cat, const std::string& author) {
        test::addStyle(db(), prog, name, "Description of " + name, family, cat, author);
    }
    void addBank(std::int32_t prog, const std::vector<std::int32_t>& styles) {
        BankRow bank{prog, "BANK" + std::to_string(prog), "", {}};
        std::copy(styles.begin(), styles.end(), bank.BankStyle.begin());
        BankStore(db()).insertNumbered(bank);
    }

    StyleRow storedStyle(std::int32_t prog) {
        const std::optional<StyleRow> style = StyleStore(db()).find(prog);
        EXPECT_TRUE(style.has_value()) << prog;
        return style.value_or(StyleRow{});
    }
    // Every catalogue table, to show that a refused change left it all.
    std::string snapshot() { return tableSnapshot(db()); }
    // The database refuses to write anything about style `prog` in `table`.
    void refuseUpdatesOf(const std::string& table, std::int32_t prog) {
        db().execute("CREATE TRIGGER refuse_" + table + " BEFORE UPDATE ON " + table +
                     " WHEN OLD.StyleProg = " + std::to_string(prog) +
                     " BEGIN SELECT RAISE(ABORT, 'row is locked'); END");
    }
};

}  // namespace orb::test
