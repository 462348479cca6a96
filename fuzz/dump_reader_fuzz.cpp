// Feeds arbitrary bytes to the dump reader. Besides crashes, leaks and undefined behaviour it
// checks: a file is either refused with the catalogue unchanged, or it restores and passes the
// check, and a backup of what it restored reads back to the same catalogue.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "backup/dump_reader.h"
#include "backup/dump_writer.h"
#include "dump_fuzz_catalogue.h"

namespace {

[[noreturn]] void finding(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "dump_reader_fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

// One in-memory catalogue for all runs; every run starts from the same small catalogue.
struct Fixture {
    orb::Database database;
    std::string baseline;
    orb::fuzz::CatalogueSnapshot before;

    Fixture() {
        orb::fuzz::openEmptyCatalogue(database);
        orb::fuzz::fillSmallCatalogue(database);
        std::ostringstream out;
        orb::writeDump(database, out);
        baseline = out.str();
        before = orb::fuzz::snapshotOf(database);
    }

    void reset() {
        std::istringstream in(baseline);
        orb::restoreDump(database, in);
        if (orb::fuzz::snapshotOf(database) != before) {
            finding("the baseline catalogue does not restore to itself");
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    try {
        orb::restoreDump(fixture.database, in);
    } catch (const orb::DumpError&) {
        if (fixture.database.inTransaction() ||
            orb::fuzz::snapshotOf(fixture.database) != fixture.before) {
            finding("a refused file changed the catalogue");
        }
        return 0;
    }
    std::istringstream check(bytes);
    const orb::DumpCheck checked = orb::checkDump(check);
    if (!checked.ok) {
        finding("a file that restores fails the check:", checked.problem);
    }
    const orb::fuzz::CatalogueSnapshot restored = orb::fuzz::snapshotOf(fixture.database);
    std::ostringstream out;
    try {
        orb::writeDump(fixture.database, out);
    } catch (const orb::DumpError& e) {
        finding("a restored catalogue cannot be backed up:", e.what());
    }
    std::istringstream again(out.str());
    try {
        orb::restoreDump(fixture.database, again);
    } catch (const orb::DumpError& e) {
        finding("a backup of a restored catalogue does not restore:", e.what());
    }
    if (orb::fuzz::snapshotOf(fixture.database) != restored) {
        finding("a backup of a restored catalogue reads back differently");
    }
    fixture.reset();
    return 0;
}
