// Times `orb import` of a corpus of realistic bank files against a baseline that only reads the
// same files and inserts the same blocks into SQLite in one transaction: once into an empty
// catalogue and once into one that already holds many styles.
//
//   bench_import [FILES] [CATALOGUE]   default 1000 bank files of 16 styles, 100000 stored styles
//   bench_import --baseline DB FOLDER  the baseline itself (run by the benchmark as a program)
//   bench_import --make-corpus FOLDER [FILES]   only writes the corpus (for profiling)
//   bench_import --make-catalogue DB STYLES     only fills a catalogue (for profiling)
//
// Needs about twice the catalogue's size (1.8 GB for 100,000 styles) free in the temporary
// folder for a few minutes; everything it makes is deleted at the end.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "db/database.h"
#include "db/db_korf_style.h"
#include "db/schema.h"
#include "db/transaction.h"
#include "realistic_styles.h"
#include "stylefiles/korf_library.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::uint64_t corpusSeed(int index) {
    const bool duplicate = index % 10 == 9;
    return static_cast<std::uint64_t>(duplicate ? index / 2 : index) + 1;
}

// Styles of the corpus with contents of their own: what an import by content must store.
long long distinctStyles(int files) {
    std::vector<std::uint64_t> seeds;
    for (int index = 0; index < files * 16; ++index) {
        seeds.push_back(corpusSeed(index));
    }
    std::sort(seeds.begin(), seeds.end());
    return std::unique(seeds.begin(), seeds.end()) - seeds.begin();
}

// `files` bank files of 16 styles; every tenth style repeats the contents of an earlier one.
void makeCorpus(const fs::path& folder, int files) {
    fs::create_directories(folder);
    orb::KORFLibrary library;
    for (int file = 0; file < files; ++file) {
        orb::KORFStyles styles;
        for (int slot = 0; slot < 16; ++slot) {
            const int index = file * 16 + slot;
            char name[16];
            std::snprintf(name, sizeof name, "ST%05d", index);
            styles.Add(orb::bench::realisticStyle(corpusSeed(index), name));
        }
        char fileName[32];
        std::snprintf(fileName, sizeof fileName, "BANK%04d.STY", file);
        library.WriteStyleFromCollection(folder / fileName, styles, 0);
    }
}

// Seeds of the stored styles lie far above the corpus's, so none of them is a duplicate.
constexpr std::uint64_t kCatalogueSeeds = 10'000'000;

void fillCatalogue(const fs::path& file, int count, const fs::path& settingsFile) {
    orb::QtSettingsStore settings(settingsFile);
    orb::Database db;
    db.open(file, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);
    orb::Transaction transaction(db);
    orb::DbKORFStyle style(db);
    for (int number = 1; number <= count; ++number) {
        orb::KORFStyle made =
            orb::bench::realisticStyle(kCatalogueSeeds + static_cast<std::uint64_t>(number),
                                       "OLD" + std::to_string(number % 100000));
        style.StyleProg = number;
        style.StyleName1 = made.StyleName1;
        style.StyleName2 = made.StyleName2;
        style.StyleLength1 = made.StyleLength1;
        style.StyleLength2 = made.StyleLength2;
        style.StyleContent1 = std::move(made.StyleContent1);
        style.StyleContent2 = std::move(made.StyleContent2);
        style.StyleDate = "2026/12/06";
        style.StyleDesc = " ";
        style.StyleFile = "OLD.STY";
        if (!style.InsKORFStyles()) {
            throw std::runtime_error("insert failed: " + style.clsKORFStylesError);
        }
    }
    transaction.commit();
}

constexpr const char* kBaselineTable =
    "CREATE TABLE IF NOT EXISTS Blocks (Id INTEGER PRIMARY KEY, Name TEXT, Content1 BLOB, "
    "Content2 BLOB)";

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
}

void fillBaseline(const fs::path& file, int count) {
    sqlite3* db = nullptr;
    check(sqlite3_open(file.c_str(), &db), db);
    check(sqlite3_exec(db, kBaselineTable, nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO Blocks VALUES (?, ?, ?, ?)", -1, &insert, nullptr),
          db);
    for (int number = 1; number <= count; ++number) {
        const orb::KORFStyle made =
            orb::bench::realisticStyle(kCatalogueSeeds + static_cast<std::uint64_t>(number), "OLD");
        sqlite3_bind_int(insert, 1, number);
        sqlite3_bind_text(insert, 2, made.StyleName1.data(), -1, SQLITE_STATIC);
        sqlite3_bind_blob(insert, 3, made.StyleContent1.data(),
                          static_cast<int>(made.StyleContent1.size()), SQLITE_STATIC);
        sqlite3_bind_blob(insert, 4, made.StyleContent2.data(),
                          static_cast<int>(made.StyleContent2.size()), SQLITE_STATIC);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// The baseline: every .STY file of the folder read whole, its chunks cut out by the table, and
// each style's two blocks inserted, all in one transaction.
int runBaseline(const fs::path& dbFile, const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    sqlite3* db = nullptr;
    check(sqlite3_open(dbFile.c_str(), &db), db);
    check(sqlite3_exec(db, kBaselineTable, nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO Blocks (Name, Content1, Content2) VALUES (?, ?, ?)",
                             -1, &insert, nullptr),
          db);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes(fs::file_size(file), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        const std::size_t entries = bigEndian(bytes, 32) / 24;
        std::size_t at = 36 + entries * 24;
        std::vector<std::string_view> chunks;
        for (std::size_t i = 0; i < entries; ++i) {
            const std::size_t size = 8 + bigEndian(bytes, at + 4);
            chunks.emplace_back(bytes.data() + at, size);
            at += size;
        }
        for (std::size_t i = 0; i + 1 < entries; i += 2) {
            sqlite3_bind_text(insert, 1, bytes.data() + 36 + i * 24, 11, SQLITE_STATIC);
            sqlite3_bind_blob(insert, 2, chunks[i].data(), static_cast<int>(chunks[i].size()),
                              SQLITE_STATIC);
            sqlite3_bind_blob(insert, 3, chunks[i + 1].data(),
                              static_cast<int>(chunks[i + 1].size()), SQLITE_STATIC);
            check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
        }
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return 0;
}

std::string shellQuoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

double timeCommand(const std::string& command) {
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const std::chrono::duration<double> spent = Clock::now() - start;
    if (status != 0) {
        throw std::runtime_error("failed: " + command);
    }
    return spent.count();
}

void removeDatabase(const fs::path& file) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        fs::remove(file.string() + suffix);
    }
}

struct Pair {
    double import;
    double baseline;
};

long long rowCount(const fs::path& file, const std::string& table) {
    orb::Database db;
    db.open(file, orb::Database::OpenMode::ExistingOnly);
    orb::Rows rows = db.query("SELECT COUNT(*) FROM " + table);
    rows.next();
    return rows.integer(0);
}

Pair measure(const fs::path& work, const fs::path& corpus, const std::string& self, int catalogue,
             long long expectedStyles, long long blocks) {
    const std::string orb = ORB_BINARY;
    const fs::path orbDb = work / "orb.mdb";
    const fs::path baseDb = work / "baseline.db";
    Pair result{};
    // One database at a time on the disk.
    if (catalogue > 0) {
        std::printf("  filling a catalogue of %d styles ...\n", catalogue);
        std::fflush(stdout);
        fillCatalogue(orbDb, catalogue, work / "config" / "fill.ini");
    } else {
        timeCommand(orb + " --db " + shellQuoted(orbDb) + " init > /dev/null");
    }
    result.import = timeCommand(orb + " --db " + shellQuoted(orbDb) + " import --mode content " +
                                shellQuoted(corpus) + " > /dev/null");
    const long long stored = rowCount(orbDb, "KORFStyles");
    if (stored != catalogue + expectedStyles) {
        throw std::runtime_error("the import stored " + std::to_string(stored - catalogue) +
                                 " styles instead of " + std::to_string(expectedStyles));
    }
    removeDatabase(orbDb);
    if (catalogue > 0) {
        fillBaseline(baseDb, catalogue);
    }
    result.baseline = timeCommand(shellQuoted(self) + " --baseline " + shellQuoted(baseDb) + " " +
                                  shellQuoted(corpus));
    if (rowCount(baseDb, "Blocks") != catalogue + blocks) {
        throw std::runtime_error("the baseline stored a wrong number of rows");
    }
    removeDatabase(baseDb);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path work;
    try {
        if (argc == 4 && std::string(argv[1]) == "--baseline") {
            return runBaseline(argv[2], argv[3]);
        }
        if (argc == 4 && std::string(argv[1]) == "--make-catalogue") {
            fillCatalogue(argv[2], std::atoi(argv[3]), fs::path(argv[2]).string() + ".ini");
            return 0;
        }
        if (argc >= 3 && std::string(argv[1]) == "--make-corpus") {
            makeCorpus(argv[2], argc > 3 ? std::atoi(argv[3]) : 1000);
            return 0;
        }
        const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
        const int catalogue = argc > 2 ? std::atoi(argv[2]) : 100000;
        work = fs::temp_directory_path() / ("orb-import-bench-" + std::to_string(getpid()));
        fs::create_directories(work / "config");
        // The program under test gets settings and data folders of its own.
        setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
        const fs::path corpus = work / "corpus";
        std::printf("making %d bank files of 16 styles ...\n", files);
        std::fflush(stdout);
        makeCorpus(corpus, files);
        std::uintmax_t corpusBytes = 0;
        for (const auto& entry : fs::directory_iterator(corpus)) {
            corpusBytes += entry.file_size();
            // Read once, so that both programs find the files in the cache.
            std::ifstream in(entry.path(), std::ios::binary);
            std::string ignored((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        }
        std::printf("corpus: %.1f MB\n", static_cast<double>(corpusBytes) / 1e6);
        const long long expected = distinctStyles(files);
        const std::string self = fs::canonical("/proc/self/exe").string();

        const Pair empty = measure(work, corpus, self, 0, expected, files * 16LL);
        std::printf("into an empty catalogue:   import %.2f s, baseline %.2f s, ratio %.2f\n",
                    empty.import, empty.baseline, empty.import / empty.baseline);
        std::fflush(stdout);
        if (catalogue > 0) {
            const Pair full = measure(work, corpus, self, catalogue, expected, files * 16LL);
            std::printf("into %d styles: import %.2f s, baseline %.2f s, ratio %.2f\n", catalogue,
                        full.import, full.baseline, full.import / full.baseline);
        }
        fs::remove_all(work);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        if (!work.empty()) {
            std::error_code ignored;
            fs::remove_all(work, ignored);
        }
        return 1;
    }
}
