#include "db/access_support.h"

#include <sqlite3.h>

namespace orb {

Database& requireConnection(Database* activeConnection) {
    if (activeConnection == nullptr) {
        throw DbError(SQLITE_MISUSE, "no active connection has been set");
    }
    return *activeConnection;
}

std::int32_t nextNumber(Database& connection, std::string_view sql) {
    Rows rows = connection.query(sql);
    if (!rows.next() || rows.isNull("MaxProg")) {
        return 1;
    }
    return static_cast<std::int32_t>(rows.integer("MaxProg") + 1);
}

}  // namespace orb
