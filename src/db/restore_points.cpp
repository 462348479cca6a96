#include "db/restore_points.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

#include "core/clock.h"
#include "core/file_access.h"
#include "core/file_replacement.h"
#include "core/file_sync.h"
#include "db/database.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPointExtension = ".orbpoint";
constexpr const char* kAboutExtension = ".txt";
constexpr const char* kPartSuffix = ".part";
// Room left over beside a copy, for its text file and the file system's own needs.
constexpr std::uintmax_t kSpareRoom = 64 * 1024;

struct ConnectionCloser {
    void operator()(sqlite3* handle) const { sqlite3_close_v2(handle); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

Connection openFile(const fs::path& file, int flags, std::string& failure) {
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
    Connection connection(handle);
    if (rc != SQLITE_OK) {
        failure = handle != nullptr ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
        connection.reset();
    }
    return connection;
}

// Copies every page of `from` into `to` in one step, so that `to` changes all at once or not
// at all. "" when done, else the engine's reason.
std::string copyPages(sqlite3* to, sqlite3* from) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (backup == nullptr) {
        return sqlite3_errmsg(to);
    }
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped == SQLITE_DONE && finished == SQLITE_OK) {
        return {};
    }
    if (stepped == SQLITE_BUSY || stepped == SQLITE_LOCKED) {
        return "the database is in use by another program";
    }
    return stepped != SQLITE_DONE ? sqlite3_errstr(stepped) : sqlite3_errmsg(to);
}

// A read transaction that holds the shared lock while it lasts, so that no other program
// changes the file; it reads only, so it ends by rolling back.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& database) : database_(database) {
        database_.execute("BEGIN");
        database_.query("SELECT COUNT(*) FROM sqlite_master").next();
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    ~ReadTransaction() {
        try {
            database_.execute("ROLLBACK");
        } catch (const std::exception&) {
            // Nothing was written: a failed end changes nothing.
        }
    }

private:
    Database& database_;
};

// Copies the database file while a read transaction keeps every writer out: in the rollback
// journal modes the file then holds the whole catalogue, and the system copies it as fast as any
// file. In WAL mode, or inside the caller's transaction, the pages are copied by the engine's
// online backup instead. "" when done, else the reason.
std::string copyDatabase(Database& database, const fs::path& copy) {
    std::string mode;
    {
        Rows rows = database.query("PRAGMA journal_mode");
        mode = rows.next() ? rows.text(0) : "";
    }
    const bool fileIsWhole = mode == "delete" || mode == "truncate" || mode == "persist";
    if (fileIsWhole && !database.inTransaction()) {
        const ReadTransaction reading(database);
        std::error_code error;
        fs::copy_file(database.path(), copy, fs::copy_options::overwrite_existing, error);
        return error ? error.message() : std::string();
    }
    std::string failure;
    Connection target = openFile(copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, failure);
    if (!target) {
        return failure;
    }
    // A new file has nothing to roll back to: no journal, and one sync afterwards.
    sqlite3_exec(target.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr,
                 nullptr);
    return copyPages(target.get(), database.handle());
}

std::int64_t countOf(Database& database, const char* sql) {
    Rows rows = database.query(sql);
    return rows.next() ? rows.integer(0) : 0;
}

fs::path canonicalOrSame(const fs::path& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : canonical;
}

std::string stemOf(std::int64_t sequence) {
    char text[32];
    std::snprintf(text, sizeof text, "point-%06lld", static_cast<long long>(sequence));
    return text;
}

// The text file beside a copy: one "key=value" line each.
std::string aboutText(const RestorePoint& point) {
    return "sequence=" + std::to_string(point.sequence) + "\ndatabase=" + point.database.string() +
           "\ntime=" + point.time + "\naction=" + point.action +
           "\nstyles=" + std::to_string(point.styles) + "\nbanks=" + std::to_string(point.banks) +
           "\nsongs=" + std::to_string(point.songs) + "\n";
}

std::optional<RestorePoint> readAbout(const fs::path& about) {
    std::ifstream in(about, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    RestorePoint point;
    point.file = fs::path(about).replace_extension(kPointExtension);
    std::string line;
    bool hasSequence = false;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        try {
            if (key == "sequence") {
                point.sequence = std::stoll(value);
                hasSequence = true;
            } else if (key == "database") {
                point.database = value;
            } else if (key == "time") {
                point.time = value;
            } else if (key == "action") {
                point.action = value;
            } else if (key == "styles") {
                point.styles = std::stoll(value);
            } else if (key == "banks") {
                point.banks = std::stoll(value);
            } else if (key == "songs") {
                point.songs = std::stoll(value);
            }
        } catch (const std::exception&) {
            return std::nullopt;  // not a file of ours
        }
    }
    std::error_code error;
    if (!hasSequence || !fs::is_regular_file(point.file, error)) {
        return std::nullopt;
    }
    return point;
}

}  // namespace

CatalogueCounts countCatalogue(Database& database) {
    return {countOf(database, "SELECT COUNT(*) FROM KORFStyles"),
            countOf(database, "SELECT COUNT(*) FROM KORFBanks"),
            countOf(database, "SELECT COUNT(*) FROM KORFSongs")};
}

RestorePoints::RestorePoints(fs::path folder, int limit, const Clock& clock)
    : folder_(std::move(folder)), limit_(std::max(1, limit)), clock_(clock) {}

std::vector<RestorePoint> RestorePoints::all() const {
    std::vector<RestorePoint> points;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == kAboutExtension) {
            if (auto point = readAbout(it->path())) {
                points.push_back(std::move(*point));
            }
        }
    }
    std::sort(points.begin(), points.end(),
              [](const RestorePoint& a, const RestorePoint& b) { return a.sequence > b.sequence; });
    return points;
}

std::vector<RestorePoint> RestorePoints::list(const fs::path& database) const {
    const fs::path wanted = canonicalOrSame(database);
    std::vector<RestorePoint> points = all();
    std::erase_if(points, [&](const RestorePoint& point) { return point.database != wanted; });
    return points;
}

void RestorePoints::dropOldest(const fs::path& database, std::int64_t spare) const {
    std::vector<RestorePoint> points = list(database);
    const std::size_t spared = std::erase_if(
        points, [spare](const RestorePoint& point) { return point.sequence == spare; });
    // The newest, just made, always stays; the spared one counts against the limit.
    const std::size_t kept = std::max<std::size_t>(
        1, static_cast<std::size_t>(limit_) - std::min<std::size_t>(spared, 1));
    for (std::size_t i = kept; i < points.size(); ++i) {
        std::error_code error;
        // The text file first: a copy without it is no restore point any more.
        fs::remove(fs::path(points[i].file).replace_extension(kAboutExtension), error);
        fs::remove(points[i].file, error);
    }
}

RestorePoint RestorePoints::keep(Database& database, const std::string& action,
                                 std::int64_t spare) {
    const auto refuse = [&](const std::string& why) -> RestorePointError {
        return RestorePointError("ORB could not keep a restore point before " + action + ": " +
                                 why + ". Nothing was changed.");
    };
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) {
        throw refuse("the folder " + folder_.string() + " cannot be made (" + error.message() +
                     ")");
    }
    const std::int64_t pages = countOf(database, "PRAGMA page_count");
    const std::int64_t pageSize = countOf(database, "PRAGMA page_size");
    const auto needed = static_cast<std::uintmax_t>(pages * pageSize) + kSpareRoom;
    std::uintmax_t free = 0;
    if (room_) {
        free = room_(folder_);
    } else {
        const fs::space_info space = fs::space(folder_, error);
        free = error ? 0 : space.available;
    }
    if (free < needed) {
        throw refuse("there is not enough room in " + folder_.string() + " (" +
                     std::to_string(needed) + " bytes needed, " + std::to_string(free) + " free)");
    }

    RestorePoint point;
    const CatalogueCounts counts = countCatalogue(database);
    point.styles = counts.styles;
    point.banks = counts.banks;
    point.songs = counts.songs;
    const std::vector<RestorePoint> existing = all();
    point.sequence = existing.empty() ? 1 : existing.front().sequence + 1;
    point.database = canonicalOrSame(database.path());
    point.time = clock_.localTime();
    point.action = action;
    point.file = folder_ / (stemOf(point.sequence) + kPointExtension);
    const fs::path part = fs::path(point.file).concat(kPartSuffix);
    const fs::path about = fs::path(point.file).replace_extension(kAboutExtension);

    try {
        fs::remove(part, error);
        const std::string failure = copyDatabase(database, part);
        if (!failure.empty()) {
            throw refuse("the copy failed (" + failure + ")");
        }
        if (const std::string syncError = syncFileToDisk(part); !syncError.empty()) {
            throw refuse("the copy could not be written to the disk (" + syncError + ")");
        }
        fs::rename(part, point.file, error);
        if (error) {
            throw refuse("the copy cannot be named " + point.file.string() + " (" +
                         error.message() + ")");
        }
        try {
            replaceFileSafely(about, "The restore point's note",
                              [&](std::ostream& out) { out << aboutText(point); });
        } catch (const FileAccessError& failed) {
            throw refuse(failed.what());
        }
    } catch (...) {
        fs::remove(part, error);
        fs::remove(point.file, error);
        throw;
    }
    dropOldest(database.path(), spare);
    return point;
}

void RestorePoints::bringBack(Database& database, const RestorePoint& point) const {
    const auto refuse = [&](const std::string& why) {
        return RestorePointError("The restore point of " + point.time +
                                 " cannot be brought back: " + why +
                                 ". The catalogue is as it was.");
    };
    if (database.inTransaction()) {
        throw refuse("the catalogue is in the middle of a change");
    }
    std::string failure;
    Connection source = openFile(point.file, SQLITE_OPEN_READONLY, failure);
    if (!source) {
        throw refuse("its copy " + point.file.string() + " cannot be opened (" + failure + ")");
    }
    sqlite3_stmt* check = nullptr;
    std::string verdict;
    if (sqlite3_prepare_v2(source.get(), "PRAGMA quick_check", -1, &check, nullptr) == SQLITE_OK &&
        sqlite3_step(check) == SQLITE_ROW) {
        verdict = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
    } else {
        verdict = sqlite3_errmsg(source.get());
    }
    sqlite3_finalize(check);
    if (verdict != "ok") {
        throw refuse("its copy " + point.file.string() + " is damaged (" + verdict + ")");
    }
    failure = copyPages(database.handle(), source.get());
    if (!failure.empty()) {
        throw refuse(failure);
    }
}

}  // namespace orb
