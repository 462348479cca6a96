#include "support/held_lock.h"

namespace orb::test {

ShortBusyTimeout::ShortBusyTimeout() : previous_(Database::busyTimeout()) {
    Database::setBusyTimeout(kMilliseconds);
}

ShortBusyTimeout::~ShortBusyTimeout() {
    Database::setBusyTimeout(previous_);
}

AnotherProgramsLock::AnotherProgramsLock(const std::filesystem::path& database) {
    connection_.open(database, Database::OpenMode::ExistingOnly);
    connection_.execute("BEGIN IMMEDIATE");
    connection_.execute("CREATE TABLE OtherProgram (Anything Long)");
}

AnotherProgramsLock::~AnotherProgramsLock() {
    connection_.execute("ROLLBACK");
}

std::string inUseText(const std::filesystem::path& database) {
    return "The database " + database.string() +
           " is in use by another program; try again when it is closed.";
}

}  // namespace orb::test
