#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"
#include "db/text_gate.h"
#include "db/write_transaction.h"

namespace orb {

// What every store asks of its table, in one place.

// The largest number `maxQuery` ("SELECT MAX(...) AS MAXPROG FROM ...") finds plus 1, or 1 for
// an empty table.
std::int32_t nextNumber(Database& connection, const char* maxQuery);

// The one number `countQuery` ("SELECT COUNT(*) FROM ...") gives.
long long countOf(Database& connection, const char* countQuery);

// "INSERT INTO <table> (<columns>) VALUES (...),(...)" with `rows` rows of parameters named
// after the columns and numbered by row: a store's many rows in one statement.
std::string insertRowsStatement(std::string_view table,
                                std::initializer_list<std::string_view> columns, std::size_t rows);

// A store's many rows come with one text place each.
void requireOnePlaceEach(std::size_t rows, std::size_t places);

// Stores `rows` in one statement of `columns`. Each row's texts pass `check` at its own place
// before anything is stored; `valuesOf` gives a row's parameters in column order.
template <typename Row, typename Check, typename Values>
void insertRows(Database& connection, std::string_view table,
                std::initializer_list<std::string_view> columns, std::span<const Row> rows,
                std::span<const TextPlace> places, Check check, Values valuesOf) {
    requireOnePlaceEach(rows.size(), places.size());
    std::vector<SqlParam> params;
    params.reserve(rows.size() * columns.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        check(rows[i], places[i]);
        for (SqlParam& value : valuesOf(rows[i])) {
            params.push_back(std::move(value));
        }
    }
    if (!rows.empty()) {
        connection.execute(insertRowsStatement(table, columns, rows.size()), params);
    }
}

// Stores a new row under the next free number, which `write` is given and which is returned.
// The number is read and taken in one transaction, so that no other program takes it between.
template <typename Write>
std::int32_t insertUnderNextNumber(Database& connection, const char* maxQuery, Write&& write) {
    WriteTransaction transaction(connection);
    const std::int32_t number = nextNumber(connection, maxQuery);
    write(number);
    transaction.commit();
    return number;
}

}  // namespace orb
