#pragma once

#include <filesystem>
#include <iosfwd>

#include "backup/dump_format.h"

namespace orb {

class Database;

// Number of rows a dump of the database holds (every table).
long long countDumpRows(Database& database);

// Writes the whole catalogue to `out`. Throws DumpError when a value cannot be represented (a
// text holding a line break, a style whose length disagrees with its block) and StoreError when the
// database fails; `out` then holds an incomplete dump.
void writeDump(Database& database, std::ostream& out, const DumpProgress& progress = {});

// Writes the dump to a temporary file beside `path` that replaces `path` only when complete, so
// a failure never leaves a half-written dump where a good one stood.
void writeDumpFile(Database& database, const std::filesystem::path& path,
                   const DumpProgress& progress = {});

}  // namespace orb
