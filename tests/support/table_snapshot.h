#pragma once

#include <string>

#include "db/database.h"

namespace orb::test {

// The schema and every row of the five tables, each value with its kind (null, number, text,
// blob): two catalogues with equal snapshots hold the same data, and a step undone or refused
// must leave the snapshot it found. Triggers a test adds to make the database refuse a step are
// left out; ORB's own, named after their table, are in.
inline std::string tableSnapshot(Database& db) {
    std::string snapshot;
    for (const char* source :
         {"type, name, sql FROM sqlite_master WHERE type <> 'trigger' OR name LIKE 'KORF%'",
          "* FROM KORFBanks", "* FROM KORFSongs", "* FROM KORFSonSty", "* FROM KORFStyles",
          "* FROM KORFSetups"}) {
        Rows rows = db.query(std::string("SELECT ") + source + " ORDER BY 1, 2");
        snapshot += source;
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
