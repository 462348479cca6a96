#include "db/schema.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/settings_store.h"
#include "core/version.h"
#include "db/column_sizes.h"
#include "db/database.h"
#include "db/orb_database.h"
#include "db/setup_store.h"
#include "db/style_store.h"
#include "db/write_transaction.h"

namespace orb {
namespace {

// Text columns compare and sort without regard to letter case, as the filters expect.
constexpr const char* kNoCase = " COLLATE NOCASE";

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// Runs one statement of the schema step; a refusal names the file and says that the tables
// are not ready, keeping the engine's code and text.
void runSchemaStatement(Database& database, const std::string& sql) {
    try {
        database.execute(sql);
    } catch (const DbError& e) {
        throw DataPathError(schemaFailureMessage(database.path().string(), e), e);
    }
}

std::vector<std::string> columnsOf(Database& database, const std::string& table) {
    std::vector<std::string> columns;
    Rows rows = database.query("SELECT name FROM pragma_table_info(pTable)", {table});
    while (rows.next()) {
        columns.push_back(rows.text(0));
    }
    return columns;
}

std::string sizeRefusal(const std::string& table, const ColumnSize& column) {
    return "The text for " + table + "." + std::string(column.column) + " is longer than its " +
           std::to_string(column.size) + " characters";
}

std::string longerThan(const ColumnSize& column) {
    return "length(NEW." + std::string(column.column) + ") > " + std::to_string(column.size);
}

// SQLite does not hold text to its declared size; these triggers refuse a longer text with an
// error, as the columns' declarations promise, so nothing is stored cut or oversize. A column
// that an older table lacks gets no guard. Statements that define a trigger cannot take
// parameters, so the sizes are part of the trigger's text. An insert runs one trigger per
// table, whose condition is checked before any message is looked at, so that a row of short
// texts costs one test per column; an update runs only the guards of the columns it sets.
// Each guard as its name and the statement that makes it.
std::vector<std::pair<std::string, std::string>> textSizeGuards(Database& database) {
    std::vector<std::pair<std::string, std::string>> guards;
    for (const char* tableName :
         {"KORFBanks", "KORFStyles", "KORFSongs", "KORFSonSty", "KORFSetups"}) {
        const std::string table(tableName);
        const std::vector<std::string> present = columnsOf(database, table);
        std::string anyTooLong;
        std::string refusals;
        for (const ColumnSize& column : kColumnSizes) {
            if (column.table != table ||
                std::find(present.begin(), present.end(), column.column) == present.end()) {
                continue;
            }
            const std::string name(column.column);
            const std::string raise = "SELECT RAISE(ABORT, '" + sizeRefusal(table, column) + "')";
            anyTooLong += (anyTooLong.empty() ? "" : " OR ") + longerThan(column);
            refusals += " " + raise + " WHERE " + longerThan(column) + ";";
            const std::string trigger = table + "_" + name + "_size_update";
            guards.emplace_back(trigger, "CREATE TRIGGER IF NOT EXISTS " + trigger +
                                             " BEFORE UPDATE OF " + name + " ON " + table +
                                             " WHEN " + longerThan(column) + " BEGIN " + raise +
                                             "; END");
        }
        if (!anyTooLong.empty()) {
            const std::string trigger = table + "_size_insert";
            guards.emplace_back(trigger, "CREATE TRIGGER IF NOT EXISTS " + trigger +
                                             " BEFORE INSERT ON " + table + " WHEN " + anyTooLong +
                                             " BEGIN" + refusals + " END");
        }
    }
    return guards;
}

// The objects the step makes, by name, and the one it drops.
const std::vector<std::string>& madeObjects() {
    static const std::vector<std::string> names = {
        "KORFBanks", "KORFStyles",        "KORFSongs",          "KORFSonSty",    "KORFSetups",
        "QUERY1",    "KORFStylesSeekKey", "KORFStylesNameProg", "KORFSongsTitle"};
    return names;
}

// True when the file already holds everything the step would make, at this schema version,
// and nothing it would drop: then the step only reads, and a catalogue that another program
// is writing still opens for reading.
bool schemaInPlace(Database& database) {
    if (schemaVersionOf(database) != kSchemaVersion) {
        return false;
    }
    std::vector<std::string> present;
    Rows rows = database.query("SELECT name FROM sqlite_master");
    while (rows.next()) {
        present.push_back(rows.text(0));
    }
    const auto has = [&](const std::string& name) {
        return std::find(present.begin(), present.end(), name) != present.end();
    };
    if (has("KORFConfs")) {
        return false;
    }
    for (const std::string& name : madeObjects()) {
        if (!has(name)) {
            return false;
        }
    }
    for (const auto& [name, sql] : textSizeGuards(database)) {
        if (!has(name)) {
            return false;
        }
    }
    return true;
}

// What a file of an earlier schema version has that this version replaces: the look-up index on
// the whole 250-byte key and one insert guard per column (version 1), the name index without the
// style's number (versions 1 and 2).
void dropReplacedObjects(Database& database) {
    runSchemaStatement(database, "DROP INDEX IF EXISTS KORFStylesSeek");
    runSchemaStatement(database, "DROP INDEX IF EXISTS KORFStylesName");
    for (const ColumnSize& column : kColumnSizes) {
        runSchemaStatement(database, "DROP TRIGGER IF EXISTS " + std::string(column.table) + "_" +
                                         std::string(column.column) + "_size_insert");
    }
}

// Rewriting the settings file costs two flushes to the disk; a command that runs often (an
// import) should not pay them for a value that is already there.
void recordVersion(SettingsStore& settings) {
    if (settings.get("PARAMETERS", "VERSION", "") != kVersion) {
        settings.set("PARAMETERS", "VERSION", kVersion);
    }
}

}  // namespace

std::string createBanksStatement() {
    std::string sql =
        std::string(
            "CREATE TABLE IF NOT EXISTS KORFBanks (BankProg Long CONSTRAINT MyFiCo PRIMARY "
            "KEY, BankName text(50)") +
        kNoCase + ", BankDesc text(200)" + kNoCase;
    for (int slot = 1; slot <= 16; ++slot) {
        sql += ", BankStyle" + twoDigits(slot) + " Long";
    }
    sql += ")";
    return sql;
}

std::string createStylesStatement() {
    return std::string(
               "CREATE TABLE IF NOT EXISTS KORFStyles (StyleProg Long CONSTRAINT MyFiCo PRIMARY "
               "KEY, "
               "StyleName1 text(11)") +
           kNoCase + ", StyleName2 text(11)" + kNoCase + ", " +
           "StyleLength1 Long, StyleLength2 Long, " +
           "StyleContent1 LongBinary, StyleContent2 LongBinary, StyleSeek LongBinary, " +
           "StyleDate text(10)" + kNoCase + ", StyleDesc Text(250)" + kNoCase + ", " +
           "StyleCat text(20)" + kNoCase + ", StyleFamily Text(20)" + kNoCase + ", " +
           "StyleFile text(20)" + kNoCase + ", StyleAuthor Text(50)" + kNoCase + ")";
}

std::string createSongsStatement() {
    return std::string(
               "CREATE TABLE IF NOT EXISTS KORFSongs (SongCode Long CONSTRAINT MyFiCo PRIMARY KEY, "
               "SongTitle text(200)") +
           kNoCase + ", SongPerformer text(200)" + kNoCase + ")";
}

std::string createSonStyStatement() {
    return std::string(
               "CREATE TABLE IF NOT EXISTS KORFSonSty (SongCode Long, StyleProg Long, StyleTempo "
               "text(10)") +
           kNoCase + ", StyleTranspose text(10)" + kNoCase + ", SongNote text(200)" + kNoCase +
           ", CONSTRAINT MyFiCo PRIMARY KEY (SongCode, StyleProg))";
}

std::string createQuery1Statement() {
    // One row per bank; for each slot the style's number, name and description.
    std::string columns = "B.BankProg AS BankProg, B.BankName AS BankName, B.BankDesc AS BankDesc";
    std::string joins;
    for (int slot = 1; slot <= 16; ++slot) {
        const std::string nn = twoDigits(slot);
        columns += ", B.BankStyle" + nn + " AS Prog" + nn + ", S" + nn + ".StyleName1 AS Name" +
                   nn + ", S" + nn + ".StyleDesc AS Desc" + nn;
        joins += " LEFT JOIN KORFStyles S" + nn + " ON S" + nn + ".StyleProg = B.BankStyle" + nn;
    }
    return "CREATE VIEW IF NOT EXISTS QUERY1 AS SELECT " + columns + " FROM KORFBanks B" + joins;
}

std::string createStyleKeyIndexStatement() {
    // The first bytes of the key already tell styles apart; a short index entry keeps the
    // index small enough to stay in memory for a large catalogue.
    return "CREATE INDEX IF NOT EXISTS KORFStylesSeekKey ON KORFStyles (substr(StyleSeek, 1, " +
           std::to_string(kStyleSeekKeyBytes) + "))";
}

int schemaVersionOf(Database& database) {
    Rows rows = database.query("PRAGMA user_version");
    return rows.next() ? static_cast<int>(rows.integer(0)) : 0;
}

std::string schemaFailureMessage(const std::string& path, const DbError& error) {
    if (error.inUse()) {
        return inUseMessage(path);
    }
    return withEngineText("The tables of the ORB database " + path +
                              " cannot be made ready; nothing was stored and ORB cannot work "
                              "with it",
                          error);
}

void CreateTables(Database& database, SettingsStore& settings) {
    try {
        if (schemaInPlace(database)) {
            recordVersion(settings);
            return;
        }
    } catch (const DbError& e) {
        throw DataPathError(schemaFailureMessage(database.path().string(), e), e);
    }
    // One transaction: a step refused half-way leaves the file as it was. A file opened
    // read-only cannot take the write lock; there every step is a look that changes nothing,
    // or fails.
    std::optional<WriteTransaction> transaction;
    try {
        if (!database.isReadOnly()) {
            transaction.emplace(database);
        }
    } catch (const DbError& e) {
        throw DataPathError(schemaFailureMessage(database.path().string(), e), e);
    }
    runSchemaStatement(database, createBanksStatement());
    runSchemaStatement(database, createStylesStatement());
    runSchemaStatement(database, createSongsStatement());
    runSchemaStatement(database, createSonStyStatement());
    runSchemaStatement(database, createSetupsStatement());
    runSchemaStatement(database, "DROP TABLE IF EXISTS KORFConfs");
    runSchemaStatement(database, createQuery1Statement());
    if (schemaVersionOf(database) < kSchemaVersion) {
        dropReplacedObjects(database);
    }
    // The duplicate test looks styles up by the start of their key, the song import by name; the
    // name index carries the number too, so a look-up by name never reads the style's row.
    runSchemaStatement(database, createStyleKeyIndexStatement());
    runSchemaStatement(
        database,
        "CREATE INDEX IF NOT EXISTS KORFStylesNameProg ON KORFStyles (StyleName1, StyleProg)");
    // The duplicate test of the song import looks songs up by title.
    runSchemaStatement(database,
                       "CREATE INDEX IF NOT EXISTS KORFSongsTitle ON KORFSongs (SongTitle)");
    for (const auto& [name, sql] : textSizeGuards(database)) {
        runSchemaStatement(database, sql);
    }
    // Written only when it differs, so that a complete database on a read-only medium opens.
    if (schemaVersionOf(database) != kSchemaVersion) {
        runSchemaStatement(database, kRecordSchemaVersion);
    }
    try {
        if (transaction) {
            transaction->commit();
        }
    } catch (const DbError& e) {
        throw DataPathError(schemaFailureMessage(database.path().string(), e), e);
    }
    recordVersion(settings);
}

}  // namespace orb
