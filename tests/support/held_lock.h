#pragma once

#include <filesystem>
#include <string>

#include "db/database.h"

namespace orb::test {

// A short busy timeout for the connections opened while it lives, so that a wait for another
// program's lock ends soon; the previous timeout comes back when it goes.
class ShortBusyTimeout {
public:
    static constexpr int kMilliseconds = 250;
    ShortBusyTimeout() : previous_(Database::busyTimeout()) {
        Database::setBusyTimeout(kMilliseconds);
    }
    ~ShortBusyTimeout() { Database::setBusyTimeout(previous_); }
    ShortBusyTimeout(const ShortBusyTimeout&) = delete;
    ShortBusyTimeout& operator=(const ShortBusyTimeout&) = delete;

private:
    int previous_;
};

// Another program writing to the database file: it holds the write lock until it goes, and then
// gives up what it wrote.
class AnotherProgramsLock {
public:
    explicit AnotherProgramsLock(const std::filesystem::path& database) {
        connection_.open(database, Database::OpenMode::ExistingOnly);
        connection_.execute("BEGIN IMMEDIATE");
        connection_.execute("CREATE TABLE OtherProgram (Anything Long)");
    }
    ~AnotherProgramsLock() { connection_.execute("ROLLBACK"); }

private:
    Database connection_;
};

// The text a person gets for the database file while another program holds it.
inline std::string inUseText(const std::filesystem::path& database) {
    return "The database " + database.string() +
           " is in use by another program; try again when it is closed.";
}

}  // namespace orb::test
