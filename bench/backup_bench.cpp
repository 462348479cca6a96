// Times the backup and the restore of a catalogue of 20,000 styles against the sqlite3 shell's
// ".dump" of the same database and its reload.
//   build/bench/bench_backup [STYLES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "backup/dump_reader.h"
#include "backup/dump_writer.h"
#include "core/settings_store.h"
#include "db/database.h"
#include "db/schema.h"
#include "realistic_catalogue.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double runShell(const std::string& command) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::cerr << "failed: " << command << "\n";
        std::exit(1);
    }
    return secondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    const int styles = argc > 1 ? std::atoi(argv[1]) : 20000;
    const auto dir = std::filesystem::temp_directory_path() / "orb-backup-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    orb::QtSettingsStore settings(dir / "settings.ini");

    orb::Database db;
    db.open(dir / "source.mdb", orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);
    std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
    orb::bench::fillRealisticCatalogue(db, styles);

    auto start = Clock::now();
    orb::writeDumpFile(db, dir / "catalogue.odd");
    const double backup = secondsSince(start);

    orb::Database target;
    target.open(dir / "target.mdb", orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(target, settings);
    start = Clock::now();
    {
        std::ifstream in(dir / "catalogue.odd", std::ios::binary);
        orb::restoreDump(target, in);
    }
    const double restore = secondsSince(start);
    db.close();
    target.close();

    const std::string source = (dir / "source.mdb").string();
    const double shellDump =
        runShell("sqlite3 '" + source + "' .dump > '" + (dir / "shell.sql").string() + "'");
    const double shellLoad = runShell("sqlite3 '" + (dir / "shell.mdb").string() + "' < '" +
                                      (dir / "shell.sql").string() + "'");

    const auto megabytes =
        static_cast<double>(std::filesystem::file_size(dir / "catalogue.odd")) / 1e6;
    std::printf("dump file: %.1f MB\n", megabytes);
    std::printf("backup:  ORB %.2f s, sqlite3 .dump %.2f s, ratio %.2f\n", backup, shellDump,
                backup / shellDump);
    std::printf("restore: ORB %.2f s, sqlite3 reload %.2f s, ratio %.2f\n", restore, shellLoad,
                restore / shellLoad);
    std::filesystem::remove_all(dir);
    return 0;
}
