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
#include "db/write_transaction.h"
#include "realistic_styles.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void fill(orb::Database& db, int styles) {
    orb::WriteTransaction transaction(db);
    for (int prog = 1; prog <= styles; ++prog) {
        const orb::KORFStyle style = orb::bench::realisticStyle(static_cast<std::uint64_t>(prog));
        const std::string& c1 = style.StyleContent1;
        const std::string& c2 = style.StyleContent2;
        db.execute(
            "INSERT INTO KORFStyles VALUES (pProg, 'Style name ', 'Variation  ', pLength1, "
            "pLength2, pContent1, pContent2, pSeek, '2026/12/06', ' ', 'Group', 'Family', "
            "'USER01.STY', 'Author')",
            {prog, static_cast<std::int32_t>(c1.size()), static_cast<std::int32_t>(c2.size()),
             orb::SqlParam::blob(c1), orb::SqlParam::blob(c2),
             orb::SqlParam::blob(std::string_view(c1).substr(0, 250))});
    }
    for (int bank = 1; bank <= styles / 16; ++bank) {
        std::string sql = "INSERT INTO KORFBanks VALUES (" + std::to_string(bank) + ", 'USER" +
                          std::to_string(bank) + "', ''";
        for (int slot = 0; slot < 16; ++slot) {
            sql += ", " + std::to_string((bank - 1) * 16 + slot + 1);
        }
        db.execute(sql + ")");
    }
    transaction.commit();
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
    fill(db, styles);

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
