#include "db/schema.h"

#include <cstdio>
#include <regex>
#include <vector>

#include "core/settings_store.h"
#include "core/version.h"
#include "db/database.h"
#include "db/module_routines.h"

namespace orb {
namespace {

// Text columns compare and sort without regard to letter case, as the filters expect.
constexpr const char* kNoCase = " COLLATE NOCASE";

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

void runIgnoringFailure(Database& database, const std::string& sql) {
    try {
        ExecuteSql(database, sql);
    } catch (const DbError&) {
        // An existing table or a missing KORFConfs is the normal case here.
    }
}

struct TextColumn {
    std::string table;
    std::string column;
    int size;
};

std::vector<TextColumn> textColumnsWithSize(Database& database, const std::string& table) {
    static const std::regex declared(R"(^\s*text\s*\(\s*(\d+)\s*\))", std::regex::icase);
    std::vector<TextColumn> columns;
    Rows rows = database.query("SELECT name, type FROM pragma_table_info('" + table + "')");
    while (rows.next()) {
        const std::string type = rows.text(1);
        std::smatch match;
        if (std::regex_search(type, match, declared)) {
            columns.push_back({table, rows.text(0), std::stoi(match[1].str())});
        }
    }
    return columns;
}

// SQLite does not hold text to its declared size; these triggers refuse a longer text with an
// error, as the columns' declarations promise, so nothing is stored cut or oversize.
void createTextSizeGuards(Database& database) {
    for (const char* table : {"KORFBanks", "KORFStyles", "KORFSongs", "KORFSonSty"}) {
        for (const TextColumn& column : textColumnsWithSize(database, table)) {
            const std::string message = "The text for " + column.table + "." + column.column +
                                        " is longer than its " + std::to_string(column.size) +
                                        " characters";
            const std::string condition =
                "length(NEW." + column.column + ") > " + std::to_string(column.size);
            const std::string body =
                " WHEN " + condition + " BEGIN SELECT RAISE(ABORT, '" + message + "'); END";
            const std::string prefix = column.table + "_" + column.column;
            runIgnoringFailure(database, "CREATE TRIGGER IF NOT EXISTS " + prefix +
                                             "_size_insert BEFORE INSERT ON " + column.table +
                                             body);
            runIgnoringFailure(database, "CREATE TRIGGER IF NOT EXISTS " + prefix +
                                             "_size_update BEFORE UPDATE OF " + column.column +
                                             " ON " + column.table + body);
        }
    }
}

}  // namespace

std::string createBanksStatement() {
    std::string sql = std::string(
                          "CREATE TABLE KORFBanks (BankProg Long CONSTRAINT MyFiCo PRIMARY "
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
               "CREATE TABLE KORFStyles (StyleProg Long CONSTRAINT MyFiCo PRIMARY KEY, "
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
               "CREATE TABLE KORFSongs (SongCode Long CONSTRAINT MyFiCo PRIMARY KEY, "
               "SongTitle text(200)") +
           kNoCase + ", SongPerformer text(200)" + kNoCase + ")";
}

std::string createSonStyStatement() {
    return std::string(
               "CREATE TABLE KORFSonSty (SongCode Long, StyleProg Long, StyleTempo "
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

void CreateTables(Database& database, SettingsStore& settings) {
    runIgnoringFailure(database, createBanksStatement());
    runIgnoringFailure(database, createStylesStatement());
    runIgnoringFailure(database, createSongsStatement());
    runIgnoringFailure(database, createSonStyStatement());
    runIgnoringFailure(database, "DROP TABLE KORFConfs");
    runIgnoringFailure(database, createQuery1Statement());
    // The duplicate test looks styles up by their first 250 bytes.
    runIgnoringFailure(database,
                       "CREATE INDEX IF NOT EXISTS KORFStylesSeek ON KORFStyles (StyleSeek)");
    try {
        createTextSizeGuards(database);
    } catch (const DbError&) {
        // A damaged or unreadable file shows itself at the first access instead.
    }
    settings.set("PARAMETERS", "VERSION", kVersion);
}

}  // namespace orb
