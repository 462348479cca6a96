#pragma once

#include <string>

#include "db/database.h"

namespace orb::test {

// Every row of every catalogue table, each value with its kind (null, number, text, blob): two
// catalogues with equal snapshots hold the same data.
inline std::string tableSnapshot(Database& db) {
    std::string snapshot;
    for (const char* table : {"KORFBanks", "KORFSongs", "KORFSonSty", "KORFStyles", "KORFSetups"}) {
        Rows rows = db.query(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2");
        snapshot += table;
        snapshot += '\n';
        while (rows.next()) {
            for (int column = 0; column < rows.columnCount(); ++column) {
                const SqlValue value = rows.value(column);
                snapshot += std::to_string(value.storage().index()) + ":" + value.toText() + '\x1F';
            }
            snapshot += '\n';
        }
    }
    return snapshot;
}

}  // namespace orb::test
