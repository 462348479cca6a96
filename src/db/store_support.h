#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "db/write_transaction.h"

namespace orb {

class Database;

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
