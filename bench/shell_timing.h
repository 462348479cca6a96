#pragma once

// Timing against the sqlite3 shell, shared by the benchmarks that compare with it.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace orb::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds the sqlite3 shell takes to run `sql` on `db`, its output thrown away; ends the
// program when the shell fails.
inline double runShell(const std::filesystem::path& db, const std::string& sql) {
    const std::string command = "sqlite3 '" + db.string() + "' \"" + sql + "\" > /dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::cerr << "failed: " << command << "\n";
        std::exit(1);
    }
    return secondsSince(start);
}

}  // namespace orb::bench
