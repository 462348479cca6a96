// Times keeping a whole-copy restore point (the wipe's) of catalogues of 1,000, 5,000 and 100,000
// realistic styles against a plain copy of the database file, with and without syncing the copy
// to the disk; and deleting one style with the restore point of what it changes, its time and
// size, and how both grow from 1,000 to 100,000 styles.
//   build/bench/bench_restore_point [STYLES...]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "catalogue/style_changes.h"
#include "core/clock.h"
#include "core/file_sync.h"
#include "core/settings_store.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/restore_points.h"
#include "db/schema.h"
#include "db/style_store.h"
#include "realistic_catalogue.h"
#include "shell_timing.h"
#include "state/app_state.h"

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

// The point kept for deleting one style: the step's best time with it and without, and its size.
struct OneStyle {
    double withPoint = 0;
    double without = 0;
    std::uintmax_t bytes = 0;
};

OneStyle deleteOneStyle(orb::AppState& state, int styles) {
    OneStyle result;
    int next = styles;  // a style that is still there, each run
    result.withPoint = bestOf([&](int) { orb::DeleteStylesEverywhere(state, {next--}); });
    result.bytes = state.restorePoints().list(state.connection.path()).front().size;
    result.without = bestOf([&](int) {
        orb::WriteTransaction transaction(state.connection);
        orb::StyleStore(state.connection).remove(next);
        orb::BankStore(state.connection).removeStyle(next);
        orb::LinkStore(state.connection).unlinkStyle(next);
        transaction.commit();
        --next;
    });
    return result;
}

OneStyle measure(const fs::path& dir, int styles) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    orb::QtSettingsStore settings(dir / "settings.ini");
    const fs::path file = dir / "catalogue.mdb";
    orb::SystemClock clock;
    orb::AppState state(settings, clock);
    state.RestorePointFolder = dir / "points";
    state.RestorePointLimit = kRuns + 1;
    orb::Database& db = state.connection;
    db.open(file, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);
    std::cout << "Building a catalogue of " << styles << " styles..." << std::endl;
    orb::bench::fillRealisticCatalogue(db, styles);

    orb::RestorePoints points(dir / "points", kRuns + 1, clock);
    points.keep(db, "warming the page cache");  // not counted: the first read comes from disk
    const double point = bestOf([&](int) { points.keep(db, "emptying the database"); });
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
    const OneStyle one = deleteOneStyle(state, styles);
    std::printf(
        "%d styles: deleting one style %.4f s with its restore point of %ju bytes, %.4f s "
        "without\n",
        styles, one.withPoint, one.bytes, one.without);
    db.close();
    fs::remove_all(dir);
    return one;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = {1000, 5000, 100000};
    }
    const fs::path dir = fs::temp_directory_path() / "orb-restore-point-bench";
    std::vector<OneStyle> ones;
    for (const int styles : sizes) {
        ones.push_back(measure(dir, styles));
    }
    if (sizes.size() > 1) {
        const OneStyle& small = ones.front();
        const OneStyle& large = ones.back();
        std::printf(
            "deleting one style with its restore point, %d against %d styles: time ratio %.2f, "
            "size ratio %.2f\n",
            sizes.back(), sizes.front(), large.withPoint / small.withPoint,
            static_cast<double>(large.bytes) / static_cast<double>(small.bytes));
    }
    return 0;
}
