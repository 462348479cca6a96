#include "db/page_cache.h"

#include <string>

#include "db/database.h"

namespace orb {

LargerPageCache::LargerPageCache(Database& connection) : connection_(connection) {
    Rows rows = connection_.query("PRAGMA cache_size");
    previous_ = rows.next() ? rows.integer(0) : -2000;
    connection_.execute("PRAGMA cache_size = -8192");
}

LargerPageCache::~LargerPageCache() {
    try {
        connection_.execute("PRAGMA cache_size = " + std::to_string(previous_));
    } catch (const DbError&) {
        // Only a cache size; the default stays in force at the next start.
    }
}

}  // namespace orb
