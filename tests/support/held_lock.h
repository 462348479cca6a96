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
    ShortBusyTimeout();
    ~ShortBusyTimeout();
    ShortBusyTimeout(const ShortBusyTimeout&) = delete;
    ShortBusyTimeout& operator=(const ShortBusyTimeout&) = delete;

private:
    int previous_;
};

// Another program writing to the database file: it holds the write lock until it goes, and then
// gives up what it wrote.
class AnotherProgramsLock {
public:
    explicit AnotherProgramsLock(const std::filesystem::path& database);
    ~AnotherProgramsLock();

private:
    Database connection_;
};

// The text a person gets for the database file while another program holds it.
std::string inUseText(const std::filesystem::path& database);

}  // namespace orb::test
