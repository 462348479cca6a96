#pragma once

#include <string>
#include <vector>

#include "db/database.h"

namespace orb::test {

// The first column of every row that `sql` gives, as text.
inline std::vector<std::string> column(Database& db, const std::string& sql) {
    std::vector<std::string> values;
    for (Rows rows = db.query(sql); rows.next();) {
        values.push_back(rows.text(0));
    }
    return values;
}

// How many rows `table` holds.
inline long long rowCount(Database& db, const std::string& table) {
    Rows rows = db.query("SELECT COUNT(*) FROM " + table);
    rows.next();
    return rows.integer(0);
}

}  // namespace orb::test
