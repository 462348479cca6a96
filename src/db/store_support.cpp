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

}  // namespace orb
