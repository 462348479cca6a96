// Times keeping a restore point of catalogues of 5,000 and 100,000 realistic styles against a
// plain copy of the database file, with and without syncing the copy to the disk.
//   build/bench/bench_restore_point [STYLES...]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/file_sync.h"
#include "core/settings_store.h"
#include "db/restore_points.h"
#include "db/schema.h"
#include "realistic_catalogue.h"
#include "shell_timing.h"

namespace {

namespace fs = std::filesystem;
using orb::bench::Clock;
using orb::bench::secondsSince;

constexpr int kRuns = 3;

// The best of kRuns runs of `work`, so that a busy moment of the machine does not count.
template <typename Work>
double bestOf(Work&& work) {
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        work(run);
        best = std::min(best, secondsSince(start));
    }
    return best;
}

void measure(const fs::path& dir, int styles) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    orb::QtSettingsStore settings(dir / "settings.ini");
    const fs::path file = dir / "catalogue.mdb";
    orb::Database db;
    db.open(file, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);
    std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
    orb::bench::fillRealisticCatalogue(db, styles);

    orb::SystemClock clock;
    orb::RestorePoints points(dir / "points", kRuns + 1, clock);
    points.keep(db, "warming the page cache");  // not counted: the first read comes from disk
    const double point = bestOf([&](int) { points.keep(db, "deleting 3 styles"); });
    const double copy = bestOf([&](int run) {
        fs::copy_file(file, dir / ("copy" + std::to_string(run)),
                      fs::copy_options::overwrite_existing);
    });
    const double syncedCopy = bestOf([&](int run) {
        const fs::path target = dir / ("synced" + std::to_string(run));
        fs::copy_file(file, target, fs::copy_options::overwrite_existing);
        orb::syncFileToDisk(target);
    });
    std::printf(
        "%d styles, %.0f MB: restore point %.3f s, plain copy %.3f s (ratio %.2f), "
        "copy and sync %.3f s (ratio %.2f)\n",
        styles, static_cast<double>(fs::file_size(file)) / 1e6, point, copy, point / copy,
        syncedCopy, point / syncedCopy);
    db.close();
    fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {5000, 100000};
    }
    const fs::path dir = fs::temp_directory_path() / "orb-restore-point-bench";
    for (const int styles : sizes) {
        measure(dir, styles);
    }
    return 0;
}
