// Times the duplicate test of the importers (StyleStore::findByContent) on catalogues of 1,000 and
// 100,000 styles in a temporary database, for stored styles (hits), styles with a key of their
// own (misses) and styles that share a stored style's key, and so the start of it that the
// look-up's index holds, but differ later (same-key misses).
//
//   bench_style_by_content [lookups]     lookups per kind and catalogue, default 2000

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "realistic_styles.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

struct Blocks {
    std::string content1;
    std::string content2;
};

// Style `number` of the catalogue, made again on demand so that nothing big is kept. About one
// style in a hundred is an edited copy of the one before: same first 250 bytes, a change later.
Blocks makeStyle(std::int32_t number) {
    const bool variant = number > 1 && number % 100 == 0;
    orb::BankFileStyle style =
        orb::bench::realisticStyle(static_cast<std::uint64_t>(variant ? number - 1 : number));
    Blocks blocks{std::move(style.StyleContent1), std::move(style.StyleContent2)};
    if (variant) {
        const std::size_t at =
            250 + static_cast<std::size_t>(number) % (blocks.content1.size() - 250);
        blocks.content1[at] = static_cast<char>(blocks.content1[at] ^ 0x5A);
    }
    return blocks;
}

void buildCatalogue(orb::Database& db, std::int32_t count) {
    orb::WriteTransaction transaction(db);
    orb::StyleStore store(db);
    orb::StyleRow style;
    for (std::int32_t number = 1; number <= count; ++number) {
        Blocks blocks = makeStyle(number);
        style.StyleProg = number;
        style.StyleName1 = "Style " + std::to_string(number % 100000);
        style.StyleName2 = style.StyleName1;
        style.StyleLength1 = static_cast<std::int32_t>(blocks.content1.size());
        style.StyleLength2 = static_cast<std::int32_t>(blocks.content2.size());
        style.StyleContent1 = std::move(blocks.content1);
        style.StyleContent2 = std::move(blocks.content2);
        style.StyleDate = "2026/12/06";
        style.StyleFile = "USER01.STY";
        store.insertNumbered(style);
    }
    transaction.commit();
}

struct Query {
    Blocks blocks;
    std::int32_t expected;
};

// Mean microseconds per call; stops the run when a call gives a wrong answer.
double timeCalls(orb::StyleStore& store, const std::vector<Query>& queries) {
    const auto start = Clock::now();
    for (const Query& query : queries) {
        const std::int32_t found =
            store.findByContent(query.blocks.content1, query.blocks.content2).value_or(-1);
        if (found != query.expected) {
            std::fprintf(stderr, "wrong answer: %d instead of %d\n", found, query.expected);
            std::exit(1);
        }
    }
    const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / static_cast<double>(queries.size());
}

struct Timings {
    double hit = 0;
    double miss = 0;
    double sameKeyMiss = 0;
};

Timings measure(const fs::path& folder, std::int32_t count, int lookups) {
    const fs::path file = folder / ("catalogue-" + std::to_string(count) + ".db");
    orb::QtSettingsStore settings(folder / "settings.ini");
    orb::Database db;
    db.open(file, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);

    const auto buildStart = Clock::now();
    buildCatalogue(db, count);
    const std::chrono::duration<double> built = Clock::now() - buildStart;
    std::printf("catalogue of %d styles built in %.1f s (%.0f MB)\n", count, built.count(),
                static_cast<double>(fs::file_size(file)) / 1e6);

    std::mt19937 pick(12345);
    std::uniform_int_distribution<std::int32_t> anyStyle(1, count);
    std::vector<Query> hits;
    std::vector<Query> misses;
    std::vector<Query> sameKeyMisses;
    for (int i = 0; i < lookups; ++i) {
        const std::int32_t number = anyStyle(pick);
        hits.push_back({makeStyle(number), number});
        misses.push_back({makeStyle(count + 1 + i), -1});
        Blocks changed = makeStyle(number);
        changed.content1.back() = static_cast<char>(changed.content1.back() ^ 1);
        sameKeyMisses.push_back({std::move(changed), -1});
    }

    orb::StyleStore style(db);
    timeCalls(style, std::vector<Query>(hits.begin(), hits.begin() + lookups / 10));  // warm-up
    Timings timings;
    timings.hit = timeCalls(style, hits);
    timings.miss = timeCalls(style, misses);
    timings.sameKeyMiss = timeCalls(style, sameKeyMisses);
    std::printf("  per call: hit %.1f us, miss %.1f us, same-key miss %.1f us (%d each)\n",
                timings.hit, timings.miss, timings.sameKeyMiss, lookups);
    db.close();
    fs::remove(file);
    return timings;
}

}  // namespace

int main(int argc, char** argv) {
    const int lookups = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    const fs::path folder =
        fs::temp_directory_path() /
        ("orb-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    fs::create_directories(folder);
    int result = 0;
    try {
        const Timings small = measure(folder, 1000, lookups);
        const Timings large = measure(folder, 100000, lookups);
        std::printf("ratio 100,000 / 1,000 styles: hit %.2f, miss %.2f, same-key miss %.2f\n",
                    large.hit / small.hit, large.miss / small.miss,
                    large.sameKeyMiss / small.sameKeyMiss);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        result = 1;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return result;
}
