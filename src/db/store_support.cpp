#include "db/store_support.h"

#include "db/database.h"

namespace orb {

std::int32_t nextNumber(Database& connection, const char* maxQuery) {
    Rows rows = connection.query(maxQuery);
    if (!rows.next() || rows.isNull(0)) {
        return 1;
    }
    return static_cast<std::int32_t>(rows.integer(0) + 1);
}

long long countOf(Database& connection, const char* countQuery) {
    Rows rows = connection.query(countQuery);
    return rows.next() ? rows.integer(0) : 0;
}

void requireOnePlaceEach(std::size_t rows, std::size_t places) {
    if (rows != places) {
        throw StoreError(std::to_string(rows) + " rows to store came with " +
                         std::to_string(places) + " places");
    }
}

std::string insertRowsStatement(std::string_view table,
                                std::initializer_list<std::string_view> columns, std::size_t rows) {
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    for (const std::string_view column : columns) {
        sql.append(column).append(",");
    }
    sql.back() = ')';
    sql += " VALUES ";
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string number = std::to_string(row);
        sql += row == 0 ? "(" : ",(";
        for (const std::string_view column : columns) {
            sql.append("p").append(column).append(number).append(",");
        }
        sql.back() = ')';
    }
    return sql;
}

}  // namespace orb
