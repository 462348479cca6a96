// Times `orb import` of a corpus of realistic bank files against two references, once into an
// empty catalogue and once into one that already holds many styles:
// - the floor, a bare program without ORB code doing the import's work on ORB's schema (its
//   indexes and guards): per style a look-up by content through the key index, an insert of
//   the new ones, a read of a duplicate's name and file for the log, a bank row per bank, all
//   in one transaction, with the same page cache as the import;
// - the bare insert, which only reads the files and inserts each style's blocks into a table
//   without index in one transaction.
//
//   bench_import [FILES] [CATALOGUE] [RUNS]   default 1000 bank files of 16 styles, 100000
//                                             stored styles, 3 runs of each program
//   bench_import --baseline DB FOLDER  the bare insert (run by the benchmark as a program)
//   bench_import --floor DB FOLDER     the floor (run by the benchmark as a program)
//   bench_import --make-corpus FOLDER [FILES]   only writes the corpus (for profiling)
//   bench_import --make-catalogue DB STYLES     only fills a catalogue (for profiling)
//
// Needs about three times the catalogue's size (2.6 GB for 100,000 styles) free in the
// temporary folder for a few minutes; everything it makes is deleted at the end.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "realistic_styles.h"
#include "stylefiles/bank_file.h"

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
    for (int file = 0; file < files; ++file) {
        std::vector<orb::BankFileStyle> styles;
        for (int slot = 0; slot < 16; ++slot) {
            const int index = file * 16 + slot;
            char name[16];
            std::snprintf(name, sizeof name, "ST%05d", index);
            styles.push_back(orb::bench::realisticStyle(corpusSeed(index), name));
        }
        char fileName[32];
        std::snprintf(fileName, sizeof fileName, "BANK%04d.STY", file);
        orb::writeBankFile(folder / fileName, styles, 0);
    }
}

// Seeds of the stored styles lie far above the corpus's, so none of them is a duplicate.
constexpr std::uint64_t kCatalogueSeeds = 10'000'000;

void fillCatalogue(const fs::path& file, int count, const fs::path& settingsFile) {
    orb::QtSettingsStore settings(settingsFile);
    orb::Database db;
    db.open(file, orb::Database::OpenMode::CreateIfMissing);
    orb::CreateTables(db, settings);
    orb::WriteTransaction transaction(db);
    orb::StyleStore store(db);
    orb::StyleRow style;
    for (int number = 1; number <= count; ++number) {
        orb::BankFileStyle made =
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
        store.insertNumbered(style);
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
        const orb::BankFileStyle made =
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

std::uint32_t bigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::vector<fs::path> filesByName(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// One bank file read whole, its chunks cut out by the table.
struct BankFile {
    std::string bytes;
    std::vector<std::string_view> chunks;
    std::string_view entryName(std::size_t entry) const {
        return std::string_view(bytes).substr(36 + entry * 24, 11);
    }
};

BankFile readBankFile(const fs::path& file) {
    BankFile bank;
    std::ifstream in(file, std::ios::binary);
    bank.bytes.assign(fs::file_size(file), '\0');
    in.read(bank.bytes.data(), static_cast<std::streamsize>(bank.bytes.size()));
    const std::size_t entries = bigEndian(bank.bytes, 32) / 24;
    std::size_t at = 36 + entries * 24;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t size = 8 + bigEndian(bank.bytes, at + 4);
        bank.chunks.emplace_back(bank.bytes.data() + at, size);
        at += size;
    }
    return bank;
}

sqlite3_stmt* prepared(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db);
    return statement;
}

void bindBlob(sqlite3_stmt* statement, int index, std::string_view bytes) {
    sqlite3_bind_blob(statement, index, bytes.data(), static_cast<int>(bytes.size()),
                      SQLITE_STATIC);
}

void bindText(sqlite3_stmt* statement, int index, std::string_view text) {
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

void stepOnce(sqlite3_stmt* statement, sqlite3* db) {
    check(sqlite3_step(statement), db);
    sqlite3_reset(statement);
}

// The bare insert: every .STY file of the folder read whole, its chunks cut out by the table,
// and each style's two blocks inserted, all in one transaction.
int runBaseline(const fs::path& dbFile, const fs::path& folder) {
    sqlite3* db = nullptr;
    check(sqlite3_open(dbFile.c_str(), &db), db);
    check(sqlite3_exec(db, kBaselineTable, nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert =
        prepared(db, "INSERT INTO Blocks (Name, Content1, Content2) VALUES (?, ?, ?)");
    for (const fs::path& file : filesByName(folder)) {
        const BankFile bank = readBankFile(file);
        for (std::size_t i = 0; i + 1 < bank.chunks.size(); i += 2) {
            bindText(insert, 1, bank.entryName(i));
            bindBlob(insert, 2, bank.chunks[i]);
            bindBlob(insert, 3, bank.chunks[i + 1]);
            stepOnce(insert, db);
        }
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return 0;
}

std::int64_t nextNumber(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = prepared(db, sql);
    check(sqlite3_step(statement), db);
    const std::int64_t next = sqlite3_column_int64(statement, 0) + 1;
    sqlite3_finalize(statement);
    return next;
}

// The floor: the import's work by content on the ORB file, with nothing but the SQLite calls.
int runFloor(const fs::path& dbFile, const fs::path& folder) {
    sqlite3* db = nullptr;
    check(sqlite3_open(dbFile.c_str(), &db), db);
    check(sqlite3_exec(db, "PRAGMA cache_size = -8192", nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    std::int64_t nextStyle = nextNumber(db, "SELECT MAX(StyleProg) FROM KORFStyles");
    std::int64_t nextBank = nextNumber(db, "SELECT MAX(BankProg) FROM KORFBanks");
    sqlite3_stmt* lookup = prepared(db,
                                    "SELECT StyleProg, StyleContent1, StyleContent2 FROM "
                                    "KORFStyles WHERE substr(StyleSeek, 1, 16) = ?");
    sqlite3_stmt* details =
        prepared(db, "SELECT StyleName1, StyleFile FROM KORFStyles WHERE StyleProg = ?");
    sqlite3_stmt* insert = prepared(
        db,
        "INSERT INTO KORFStyles (StyleProg, StyleName1, StyleName2, StyleLength1, StyleLength2, "
        "StyleContent1, StyleContent2, StyleSeek, StyleDate, StyleDesc, StyleCat, StyleFamily, "
        "StyleFile, StyleAuthor) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '2026/12/06', ' ', '', '', ?, "
        "'')");
    sqlite3_stmt* bankInsert =
        prepared(db,
                 "INSERT INTO KORFBanks VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                 "?, ?)");
    std::string log;
    for (const fs::path& file : filesByName(folder)) {
        const BankFile bank = readBankFile(file);
        const std::string shortName = file.filename().string();
        std::vector<std::int64_t> slots;
        for (std::size_t i = 0; i + 1 < bank.chunks.size(); i += 2) {
            const std::string_view content1 = bank.chunks[i];
            const std::string_view content2 = bank.chunks[i + 1];
            std::int64_t number = -1;
            bindBlob(lookup, 1, content1.substr(0, 16));
            while (sqlite3_step(lookup) == SQLITE_ROW) {
                const auto stored = [&](int column) {
                    return std::string_view(
                        static_cast<const char*>(sqlite3_column_blob(lookup, column)),
                        static_cast<std::size_t>(sqlite3_column_bytes(lookup, column)));
                };
                if (stored(2) == content2 && stored(1) == content1) {
                    number = sqlite3_column_int64(lookup, 0);
                    break;
                }
            }
            sqlite3_reset(lookup);
            if (number != -1) {
                sqlite3_bind_int64(details, 1, number);
                if (sqlite3_step(details) == SQLITE_ROW) {
                    log += std::string(bank.entryName(i)) + " " +
                           reinterpret_cast<const char*>(sqlite3_column_text(details, 0)) + "\n";
                }
                sqlite3_reset(details);
            } else {
                number = nextStyle++;
                sqlite3_bind_int64(insert, 1, number);
                bindText(insert, 2, bank.entryName(i));
                bindText(insert, 3, bank.entryName(i + 1));
                sqlite3_bind_int64(insert, 4, static_cast<std::int64_t>(content1.size()));
                sqlite3_bind_int64(insert, 5, static_cast<std::int64_t>(content2.size()));
                bindBlob(insert, 6, content1);
                bindBlob(insert, 7, content2);
                bindBlob(insert, 8, content1.substr(0, 250));
                bindText(insert, 9, shortName);
                stepOnce(insert, db);
            }
            slots.push_back(number);
        }
        const std::string bankName = "BANK" + std::to_string(nextBank);
        sqlite3_bind_int64(bankInsert, 1, nextBank++);
        bindText(bankInsert, 2, bankName);
        bindText(bankInsert, 3, shortName);
        for (int slot = 0; slot < 16; ++slot) {
            const std::size_t at = static_cast<std::size_t>(slot);
            sqlite3_bind_int64(bankInsert, 4 + slot, at < slots.size() ? slots[at] : 0);
        }
        stepOnce(bankInsert, db);
    }
    for (sqlite3_stmt* statement : {lookup, details, insert, bankInsert}) {
        sqlite3_finalize(statement);
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return log.empty() ? 1 : 0;
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

long long rowCount(const fs::path& file, const std::string& table) {
    orb::Database db;
    db.open(file, orb::Database::OpenMode::ExistingOnly);
    orb::Rows rows = db.query("SELECT COUNT(*) FROM " + table);
    rows.next();
    return rows.integer(0);
}

// A copy of a prepared database, written to the disk before anything is timed, with whatever
// else is waiting to be written (a deleted database of the run before), so that the timed
// commit flushes only its own work.
void copyToDisk(const fs::path& from, const fs::path& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    const int descriptor = ::open(to.c_str(), O_RDWR);
    if (descriptor < 0 || ::fsync(descriptor) != 0) {
        throw std::runtime_error("cannot write " + to.string() + " to the disk");
    }
    ::close(descriptor);
    ::sync();
}

struct Run {
    double import;
    double floor;
    double baseline;
};

// Runs of the import, the floor and the bare insert, each on a fresh copy of the same start.
std::vector<Run> measure(const fs::path& work, const fs::path& corpus, const std::string& self,
                         int catalogue, long long expectedStyles, long long blocks, int runs) {
    const std::string orb = ORB_BINARY;
    const fs::path startDb = work / "start.mdb";
    const fs::path baseStartDb = work / "baseline-start.db";
    const fs::path orbDb = work / "orb.mdb";
    const fs::path baseDb = work / "baseline.db";
    if (catalogue > 0) {
        std::printf("  filling a catalogue of %d styles ...\n", catalogue);
        std::fflush(stdout);
        fillCatalogue(startDb, catalogue, work / "config" / "fill.ini");
    } else {
        timeCommand(orb + " --db " + shellQuoted(startDb) + " init > /dev/null");
    }
    fillBaseline(baseStartDb, catalogue);
    const auto timed = [&](const fs::path& start, const fs::path& db, const std::string& command,
                           const std::string& table, long long expected) {
        copyToDisk(start, db);
        const double spent = timeCommand(command);
        if (rowCount(db, table) != catalogue + expected) {
            throw std::runtime_error(command + " stored " +
                                     std::to_string(rowCount(db, table) - catalogue) +
                                     " rows instead of " + std::to_string(expected));
        }
        removeDatabase(db);
        return spent;
    };
    const std::string importCommand = orb + " --db " + shellQuoted(orbDb) +
                                      " import --mode content " + shellQuoted(corpus) +
                                      " > /dev/null";
    const std::string floorCommand =
        shellQuoted(self) + " --floor " + shellQuoted(orbDb) + " " + shellQuoted(corpus);
    const std::string baselineCommand =
        shellQuoted(self) + " --baseline " + shellQuoted(baseDb) + " " + shellQuoted(corpus);
    // The program run first after the catalogue was filled often took 0.6 to 0.9 s longer, the
    // floor as well as the import; a first floor run is printed but not counted. Later runs can
    // still be slowed by other work on the machine.
    std::printf("  a first floor run, not counted: %.2f s\n",
                timed(startDb, orbDb, floorCommand, "KORFStyles", expectedStyles));
    std::vector<Run> result;
    for (int run = 0; run < runs; ++run) {
        Run times{};
        times.import = timed(startDb, orbDb, importCommand, "KORFStyles", expectedStyles);
        times.floor = timed(startDb, orbDb, floorCommand, "KORFStyles", expectedStyles);
        times.baseline = timed(baseStartDb, baseDb, baselineCommand, "Blocks", blocks);
        result.push_back(times);
    }
    removeDatabase(startDb);
    removeDatabase(baseStartDb);
    return result;
}

void report(const std::string& into, const std::vector<Run>& runs) {
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Run& run = runs[i];
        std::printf(
            "into %s, run %zu: import %.2f s, floor %.2f s, bare insert %.2f s; import/floor "
            "%.2f, import/bare insert %.2f\n",
            into.c_str(), i + 1, run.import, run.floor, run.baseline, run.import / run.floor,
            run.import / run.baseline);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    fs::path work;
    try {
        if (argc == 4 && std::string(argv[1]) == "--baseline") {
            return runBaseline(argv[2], argv[3]);
        }
        if (argc == 4 && std::string(argv[1]) == "--floor") {
            return runFloor(argv[2], argv[3]);
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
        const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
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

        report("an empty catalogue", measure(work, corpus, self, 0, expected, files * 16LL, runs));
        if (catalogue > 0) {
            report(std::to_string(catalogue) + " styles",
                   measure(work, corpus, self, catalogue, expected, files * 16LL, runs));
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
