#include "db/setup_store.h"

#include <cstdio>

#include "db/column_sizes.h"
#include "db/database.h"
#include "db/store_support.h"
#include "db/text_gate.h"

namespace orb {
namespace {

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// The place columns in table order: SetupFD01 to SetupFD03, then SetupHD01 to SetupHD09.
const std::vector<std::string>& placeColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names;
        for (int place = 1; place <= kSetupFloppyPlaces; ++place) {
            names.push_back("SetupFD" + twoDigits(place));
        }
        for (int place = 1; place <= kSetupHardDiskPlaces; ++place) {
            names.push_back("SetupHD" + twoDigits(place));
        }
        return names;
    }();
    return columns;
}

const std::string& insertSql() {
    static const std::string sql = [] {
        std::string names = "SetupName, SetupDesc";
        std::string values = "pSetupName, pSetupDesc";
        for (const std::string& column : placeColumns()) {
            names += ", " + column;
            values += ", p" + column;
        }
        return "INSERT INTO KORFSetups (" + names + ") VALUES (" + values + ")";
    }();
    return sql;
}

// One statement, so that a refused value leaves the whole row as it was.
const std::string& replaceSql() {
    static const std::string sql = [] {
        std::string text = "UPDATE KORFSetups SET SetupName = pSetupName, SetupDesc = pSetupDesc";
        for (const std::string& column : placeColumns()) {
            text += ", " + column + " = p" + column;
        }
        return text + " WHERE SetupName = pOldName";
    }();
    return sql;
}

// "SETUPFD01 = pBankProg OR ... SETUPHD09 = pBankProg": the bank is bound once.
const std::string& usingSql() {
    static const std::string sql = [] {
        std::string text = "SELECT SetupName FROM KORFSetups WHERE ";
        for (std::size_t i = 0; i < placeColumns().size(); ++i) {
            text += (i ? " OR " : "") + placeColumns()[i] + " = pBankProg";
        }
        return text + " ORDER BY SetupName";
    }();
    return sql;
}

std::vector<SqlParam> rowParams(const SetupRow& setup) {
    std::vector<SqlParam> params = {setup.SetupName, setup.SetupDesc};
    params.insert(params.end(), setup.SetupFD.begin(), setup.SetupFD.end());
    params.insert(params.end(), setup.SetupHD.begin(), setup.SetupHD.end());
    return params;
}

SetupRow readRow(const Rows& rows) {
    SetupRow setup;
    setup.SetupName = rows.text("SetupName");
    setup.SetupDesc = rows.text("SetupDesc");
    const std::vector<std::string>& columns = placeColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto bank = static_cast<std::int32_t>(rows.integer(columns[i]));
        if (i < setup.SetupFD.size()) {
            setup.SetupFD[i] = bank;
        } else {
            setup.SetupHD[i - setup.SetupFD.size()] = bank;
        }
    }
    return setup;
}

}  // namespace

std::string createSetupsStatement() {
    std::string sql =
        "CREATE TABLE IF NOT EXISTS KORFSetups (SetupName text(30) COLLATE NOCASE CONSTRAINT "
        "MyFiCo PRIMARY KEY, SetupDesc text(200) COLLATE NOCASE";
    for (const std::string& column : placeColumns()) {
        sql += ", " + column + " Long";
    }
    return sql + ")";
}

void SetupStore::checkTexts(const SetupRow& setup) {
    const TextPlace place("set-up " + setup.SetupName);
    requireStorableText(textColumn("KORFSetups", "SetupName"), setup.SetupName, place);
    requireStorableText(textColumn("KORFSetups", "SetupDesc"), setup.SetupDesc, place);
}

std::optional<SetupRow> SetupStore::find(std::string_view name) {
    Rows rows = connection_.query("SELECT * FROM KORFSetups WHERE SetupName = pSetupName", {name});
    if (!rows.next()) {
        return std::nullopt;
    }
    return readRow(rows);
}

std::vector<SetupRow> SetupStore::all() {
    std::vector<SetupRow> setups;
    Rows rows = connection_.query("SELECT * FROM KORFSetups ORDER BY SetupName");
    while (rows.next()) {
        setups.push_back(readRow(rows));
    }
    return setups;
}

long long SetupStore::count() {
    return countOf(connection_, "SELECT COUNT(*) FROM KORFSetups");
}

std::vector<std::string> SetupStore::namesUsing(std::int32_t bankProg) {
    std::vector<std::string> names;
    Rows rows = connection_.query(usingSql(), {bankProg});
    while (rows.next()) {
        names.push_back(rows.text(0));
    }
    return names;
}

void SetupStore::insert(const SetupRow& setup) {
    checkTexts(setup);
    connection_.execute(insertSql(), rowParams(setup));
}

bool SetupStore::replace(std::string_view name, const SetupRow& setup) {
    checkTexts(setup);
    std::vector<SqlParam> params = rowParams(setup);
    params.emplace_back(name);
    connection_.execute(replaceSql(), params);
    return connection_.changes() > 0;
}

bool SetupStore::remove(std::string_view name) {
    connection_.execute("DELETE FROM KORFSetups WHERE SetupName = pSetupName", {name});
    return connection_.changes() > 0;
}

}  // namespace orb
