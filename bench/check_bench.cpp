// Times `orb check` on a catalogue of 100,000 realistic styles against the sqlite3 shell running
// the engine's integrity check and the same look-ups.
//   build/bench/bench_check [STYLES]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "catalogue/catalogue_check.h"
#include "core/settings_store.h"
#include "db/catalogue_health.h"
#include "db/schema.h"
#include "db/style_store.h"
#include "realistic_catalogue.h"
#include "shell_timing.h"

namespace {

namespace fs = std::filesystem;
using orb::bench::Clock;
using orb::bench::secondsSince;

constexpr int kRuns = 3;

}  // namespace

int main(int argc, char** argv) {
    const int styles = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path dir = fs::temp_directory_path() / "orb-check-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "catalogue.mdb";
    {
        orb::QtSettingsStore settings(dir / "settings.ini");
        orb::Database db;
        db.open(file, orb::Database::OpenMode::CreateIfMissing);
        orb::CreateTables(db, settings);
        std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
        orb::bench::fillRealisticCatalogue(db, styles);
    }

    std::string shellSql;
    for (const std::string& statement : orb::healthStatements()) {
        shellSql += statement + ";";
    }
    shellSql += orb::sameContentKeysStatement() + std::string(";");

    double check = 1e9;
    double shell = 1e9;
    std::size_t findings = 0;
    for (int run = 0; run < kRuns; ++run) {
        shell = std::min(shell, orb::bench::runShell(file, shellSql));
        orb::Database db;
        db.open(file, orb::Database::OpenMode::ExistingOnly);
        const auto start = Clock::now();
        findings = orb::checkCatalogue(db).findings.size();
        check = std::min(check, secondsSince(start));
    }
    std::printf(
        "%d styles, %.0f MB, %zu findings: orb check %.2f s, sqlite3 shell %.2f s, "
        "ratio %.2f\n",
        styles, static_cast<double>(fs::file_size(file)) / 1e6, findings, check, shell,
        check / shell);
    fs::remove_all(dir);
    return 0;
}
