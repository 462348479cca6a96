#include "db/catalogue_dump.h"

#include <algorithm>
#include <cctype>

#include "db/column_sizes.h"
#include "db/store_support.h"
#include "db/text_gate.h"

namespace orb {
namespace {

struct TableStatements {
    const char* name;
    const char* count;
    const char* ordered;
};

const TableStatements& statementsOf(CatalogueTable table) {
    static const TableStatements kTables[] = {
        {"KORFBanks", "SELECT COUNT(*) FROM KORFBANKS",
         "SELECT * FROM KORFBANKS ORDER BY BANKPROG, BANKNAME"},
        {"KORFSongs", "SELECT COUNT(*) FROM KORFSONGS",
         "SELECT * FROM KORFSONGS ORDER BY SONGCODE"},
        {"KORFSonSty", "SELECT COUNT(*) FROM KORFSONSTY",
         "SELECT * FROM KORFSONSTY ORDER BY SONGCODE, STYLEPROG"},
        {"KORFStyles", "SELECT COUNT(*) FROM KORFSTYLES",
         "SELECT * FROM KORFSTYLES ORDER BY STYLEPROG"},
        {"KORFSetups", "SELECT COUNT(*) FROM KORFSETUPS",
         "SELECT * FROM KORFSETUPS ORDER BY SETUPNAME"},
    };
    return kTables[static_cast<std::size_t>(table)];
}

// The text column of `table` named `column`, or nullptr for a column that holds no text.
const ColumnSize* textColumnNamed(std::string_view table, std::string_view column) {
    for (const ColumnSize& entry : kColumnSizes) {
        if (entry.table == table && entry.column.size() == column.size() &&
            std::equal(column.begin(), column.end(), entry.column.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

TextPlace placeOfRow(CatalogueTable table, std::span<const SqlParam> values) {
    const auto number = [&values](std::size_t i) {
        return static_cast<std::int32_t>(i < values.size() ? values[i].integer() : 0);
    };
    switch (table) {
        case CatalogueTable::Banks:
            return TextPlace::bank(number(0));
        case CatalogueTable::Songs:
            return TextPlace::song(number(0));
        case CatalogueTable::Links:
            return TextPlace::link(number(0), number(1));
        case CatalogueTable::Setups:
            return TextPlace("set-up " + std::string(values.empty() ? "" : values[0].bytes()));
        case CatalogueTable::Styles:
            break;
    }
    return TextPlace::style(number(0));
}

const char* tableName(CatalogueTable table) {
    return statementsOf(table).name;
}

long long countStoredRows(Database& database, CatalogueTable table) {
    return countOf(database, statementsOf(table).count);
}

Rows readStoredRows(Database& database, CatalogueTable table) {
    return database.query(statementsOf(table).ordered);
}

RestoredRows::RestoredRows(Database& database, CatalogueTable table)
    : database_(database), table_(table) {
    Rows rows = database.query("SELECT name FROM pragma_table_info(pTable)", {tableName(table)});
    while (rows.next()) {
        columns_.push_back(rows.text(0));
    }
    std::string names;
    std::string values;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        names += (i ? "," : "") + columns_[i];
        values += (i ? ",pV" : "pV") + std::to_string(i + 1);
    }
    insertSql_ =
        std::string("INSERT INTO ") + tableName(table) + " (" + names + ") VALUES (" + values + ")";
}

void RestoredRows::insert(std::span<const SqlParam> values) {
    for (std::size_t i = 0; i < values.size() && i < columns_.size(); ++i) {
        if (values[i].kind() != SqlParam::Kind::Text) {
            continue;
        }
        if (const ColumnSize* column = textColumnNamed(tableName(table_), columns_[i])) {
            requireStorableText(*column, values[i].bytes(), placeOfRow(table_, values));
        }
    }
    database_.execute(insertSql_, values);
}

}  // namespace orb
