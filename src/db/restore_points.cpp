#include "db/restore_points.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "core/ascii_text.h"
#include "core/clock.h"
#include "core/exclusive_files.h"
#include "core/file_sync.h"
#include "db/changesets.h"
#include "db/database.h"
#include "db/point_check.h"
#include "db/point_notes.h"
#include "db/store_support.h"
#include "db/write_transaction.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCopyExtension = ".orbpoint";
constexpr const char* kChangesExtension = ".orbchanges";
constexpr const char* kNoteExtension = ".txt";
constexpr const char* kStemPrefix = "point-";
// Room left over beside a point, for its note and the file system's own needs.
constexpr std::uintmax_t kSpareRoom = 64 * 1024;
// A note is a few lines; anything larger is not ours.
constexpr std::uintmax_t kLargestNote = 64 * 1024;
// How many numbers are tried when other programs take them meanwhile.
constexpr int kNameTries = 100;

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

// Copies the database into `copy` (new and empty) while a read transaction keeps every writer
// out: in the rollback journal modes the file then holds the whole catalogue, and the system
// copies it as fast as any file. In WAL mode, or inside the caller's transaction, the pages are
// copied by the engine's online backup instead. "" when done, else the reason.
std::string copyDatabase(Database& database, NewFile& copy) {
    std::string mode;
    {
        Rows rows = database.query("PRAGMA journal_mode");
        mode = rows.next() ? rows.text(0) : "";
    }
    const bool fileIsWhole = mode == "delete" || mode == "truncate" || mode == "persist";
    if (fileIsWhole && !database.inTransaction()) {
        const ReadTransaction reading(database);
        return copy.copyFrom(database.path(), true);
    }
    std::string failure;
    Connection target =
        openFile(copy.path(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, failure);
    if (!target) {
        return failure;
    }
    // A new file has nothing to roll back to: no journal, and one sync afterwards.
    sqlite3_exec(target.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr,
                 nullptr);
    return copyPages(target.get(), database.handle());
}

fs::path canonicalOrSame(const fs::path& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : canonical;
}

std::string stemOf(std::int64_t sequence) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%06lld", kStemPrefix, static_cast<long long>(sequence));
    return text;
}

// The number in a name "point-NNNNNN.*", when it is one in range.
std::optional<std::int64_t> numberInName(const std::string& name) {
    if (!name.starts_with(kStemPrefix)) {
        return std::nullopt;
    }
    const std::string_view rest =
        std::string_view(name).substr(std::char_traits<char>::length(kStemPrefix));
    const auto value = wholeNumber<std::int64_t>(rest.substr(0, rest.find('.')));
    return value && *value >= 1 && *value <= kLargestSequence ? value : std::nullopt;
}

const char* extensionOf(RestorePoint::Kind kind) {
    return kind == RestorePoint::Kind::Changes ? kChangesExtension : kCopyExtension;
}

void removeOurs(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
}

// A scratch copy of a whole-copy point, checked and brought up to date, and removed at the end.
class CheckedCopy {
public:
    CheckedCopy(const fs::path& folder, const RestorePoint& point,
                const std::function<RestorePointError(const std::string&)>& refuse) {
        std::string failure;
        for (int attempt = 0; attempt < kNameTries; ++attempt) {
            const fs::path name =
                folder / (stemOf(point.sequence) + ".check" + std::to_string(attempt));
            const NewFile::Outcome outcome = NewFile::create(name, file_, failure);
            if (outcome == NewFile::Outcome::Created) {
                break;
            }
            if (outcome == NewFile::Outcome::Failed) {
                throw refuse("its copy cannot be checked (" + failure + ")");
            }
        }
        if (file_.path().empty()) {
            throw refuse("its copy cannot be checked (no free name in " + folder.string() + ")");
        }
        failure = file_.copyFrom(point.file, false);
        file_.close();
        if (!failure.empty()) {
            removeOurs(file_.path());
            throw refuse("its copy " + point.file.string() + " cannot be read (" + failure + ")");
        }
        try {
            database.open(file_.path(), Database::OpenMode::ExistingOnly);
        } catch (const DbError& e) {
            removeOurs(file_.path());
            throw refuse("its copy " + point.file.string() + " is damaged (" + e.what() + ")");
        }
        if (const std::string problem = wholeCopyProblem(database); !problem.empty()) {
            database.close();
            removeOurs(file_.path());
            throw refuse("its copy " + point.file.string() + " is no ORB catalogue: " + problem);
        }
    }
    CheckedCopy(const CheckedCopy&) = delete;
    CheckedCopy& operator=(const CheckedCopy&) = delete;
    ~CheckedCopy() {
        database.close();
        removeOurs(file_.path());
    }

    Database database;

private:
    NewFile file_;
};

// The changes a point holds, checked against its note and the tables of `database`.
std::string checkedChanges(Database& database, const RestorePoint& point,
                           const std::function<RestorePointError(const std::string&)>& refuse) {
    std::string failure;
    const std::optional<std::string> bytes =
        readRegularFileNoFollow(point.file, point.notedBytes, failure);
    if (!bytes) {
        throw refuse("its file " + point.file.string() + " cannot be read (" + failure + ")");
    }
    if (bytes->size() != point.notedBytes || digestOf(*bytes) != point.digest) {
        throw refuse("its file " + point.file.string() + " is damaged");
    }
    if (const std::string problem = changesetProblem(database, *bytes); !problem.empty()) {
        throw refuse("its file " + point.file.string() + " is no ORB restore point: " + problem);
    }
    return *bytes;
}

// Undoes `changes` newest first in `database`, inside the caller's transaction.
void undoAll(Database& database, const std::vector<std::string>& changes,
             const std::function<RestorePointError(const std::string&)>& refuse) {
    // Every step is tried, so that the message names every row in the way.
    std::vector<std::string> inTheWay;
    for (const std::string& one : changes) {
        for (std::string& row : undoChanges(database, one)) {
            if (std::find(inTheWay.begin(), inTheWay.end(), row) == inTheWay.end()) {
                inTheWay.push_back(std::move(row));
            }
        }
    }
    if (!inTheWay.empty()) {
        constexpr std::size_t kNamed = 10;
        std::string names;
        for (std::size_t i = 0; i < std::min(kNamed, inTheWay.size()); ++i) {
            names += (i == 0 ? "" : ", ") + inTheWay[i];
        }
        if (inTheWay.size() > kNamed) {
            names += " and " + std::to_string(inTheWay.size() - kNamed) + " more";
        }
        throw refuse("later changes to the same rows stand in the way (" + names + ")");
    }
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
        const fs::path& note = it->path();
        if (note.extension() != kNoteExtension || !numberInName(note.filename().string())) {
            continue;
        }
        std::string failure;
        const std::optional<std::string> text =
            readRegularFileNoFollow(note, kLargestNote, failure);
        std::optional<RestorePoint> point = text ? parseNote(*text) : std::nullopt;
        if (!point) {
            continue;
        }
        point->file = fs::path(note).replace_extension(extensionOf(point->kind));
        const std::optional<std::uintmax_t> size = regularFileSize(point->file);
        if (!size) {
            continue;
        }
        point->size = *size;
        points.push_back(std::move(*point));
    }
    std::sort(points.begin(), points.end(), [](const RestorePoint& a, const RestorePoint& b) {
        return a.sequence != b.sequence ? a.sequence > b.sequence : a.file > b.file;
    });
    return points;
}

std::vector<RestorePoint> RestorePoints::list(const fs::path& database) const {
    const fs::path wanted = canonicalOrSame(database);
    std::vector<RestorePoint> points = all();
    std::erase_if(points, [&](const RestorePoint& point) { return point.database != wanted; });
    return points;
}

namespace {

// A point file whose note was never written (ORB stopped between the two) is no restore point
// and would stay unlisted for good; once it is an hour old no writer is still on its way to the
// note, and it goes.
void removeNotelessPoints(const fs::path& folder) {
    const auto oldest = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& file = it->path();
        const std::string extension = file.extension().string();
        if ((extension != kCopyExtension && extension != kChangesExtension) ||
            !numberInName(file.filename().string())) {
            continue;
        }
        std::error_code status;
        if (!fs::is_regular_file(fs::symlink_status(file, status)) ||
            fs::exists(fs::path(file).replace_extension(kNoteExtension), status)) {
            continue;
        }
        const auto written = fs::last_write_time(file, status);
        if (!status && written < oldest) {
            removeOurs(file);
        }
    }
}

}  // namespace

void RestorePoints::dropBeyondLimits(const fs::path& database, std::int64_t spare) const {
    removeNotelessPoints(folder_);
    std::vector<RestorePoint> points = list(database);
    const std::size_t spared = std::erase_if(
        points, [spare](const RestorePoint& point) { return point.sequence == spare; });
    // The newest, just made, always stays; the spared one counts against the limit.
    const std::size_t kept = std::max<std::size_t>(
        1, static_cast<std::size_t>(limit_) - std::min<std::size_t>(spared, 1));
    std::uintmax_t total = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        total += points[i].size;
        if (i == 0 || (i < kept && total <= sizeLimit_)) {
            continue;
        }
        // The note first: a file without it is no restore point any more.
        removeOurs(fs::path(points[i].file).replace_extension(kNoteExtension));
        removeOurs(points[i].file);
    }
}

void RestorePoints::requireRoom(
    std::uintmax_t needed,
    const std::function<RestorePointError(const std::string&)>& refuse) const {
    std::uintmax_t free = 0;
    if (room_) {
        free = room_(folder_);
    } else {
        std::error_code error;
        const fs::space_info space = fs::space(folder_, error);
        free = error ? 0 : space.available;
    }
    if (free < needed) {
        throw refuse("there is not enough room in " + folder_.string() + " (" +
                     std::to_string(needed) + " bytes needed, " + std::to_string(free) + " free)");
    }
}

namespace {

// Takes the next free number by creating the point's file exclusively, writes it with `fill`,
// syncs it, then writes and syncs its note the same way. What this run made is removed when a
// later part fails.
RestorePoint writePoint(const fs::path& folder, RestorePoint point,
                        const std::function<std::string(NewFile&)>& fill,
                        const RestorePoints::SyncCheck& syncCheck,
                        const std::function<RestorePointError(const std::string&)>& refuse) {
    std::int64_t newest = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        newest = std::max(newest, numberInName(it->path().filename().string()).value_or(0));
    }
    const auto sync = [&](NewFile& file) {
        std::string failure = syncCheck ? syncCheck(file.path()) : std::string();
        return failure.empty() ? file.sync() : failure;
    };
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        point.sequence = newest + 1 + attempt;
        if (point.sequence > kLargestSequence) {
            break;
        }
        const std::string stem = stemOf(point.sequence);
        point.file = folder / (stem + extensionOf(point.kind));
        NewFile file;
        std::string failure;
        const NewFile::Outcome made = NewFile::create(point.file, file, failure);
        if (made == NewFile::Outcome::NameTaken) {
            continue;  // another program took it meanwhile
        }
        if (made == NewFile::Outcome::Failed) {
            throw refuse("the file " + point.file.string() + " cannot be made (" + failure + ")");
        }
        const fs::path notePath = folder / (stem + kNoteExtension);
        NewFile note;
        try {
            if (failure = fill(file); !failure.empty()) {
                throw refuse("the copy failed (" + failure + ")");
            }
            if (failure = sync(file); !failure.empty()) {
                throw refuse("the copy could not be written to the disk (" + failure + ")");
            }
            if (failure = file.close(); !failure.empty()) {
                throw refuse("the copy could not be written to the disk (" + failure + ")");
            }
            const NewFile::Outcome noted = NewFile::create(notePath, note, failure);
            if (noted == NewFile::Outcome::NameTaken) {
                removeOurs(point.file);
                continue;  // something holds the note's name: not ours to touch
            }
            if (noted == NewFile::Outcome::Failed) {
                throw refuse("the note " + notePath.string() + " cannot be made (" + failure + ")");
            }
            if (failure = note.write(noteText(point)); failure.empty()) {
                failure = sync(note);
            }
            if (failure.empty()) {
                failure = note.close();
            }
            if (!failure.empty()) {
                throw refuse("the note " + notePath.string() + " cannot be written (" + failure +
                             ")");
            }
        } catch (...) {
            file.close();
            removeOurs(point.file);
            if (!note.path().empty()) {
                note.close();
                removeOurs(notePath);
            }
            throw;
        }
        // Without the folder's entries on the disk the point could vanish with a power cut.
        if (failure = syncFolderToDisk(folder); !failure.empty()) {
            removeOurs(point.file);
            if (!note.path().empty())
                removeOurs(notePath);
            throw refuse("the folder " + folder.string() + " cannot be synced (" + failure + ")");
        }
        return point;
    }
    throw refuse("no free number for it in " + folder.string());
}

// Why no point could be kept before `action`; the step then changes nothing.
auto refusalBefore(const std::string& action) {
    return [action](const std::string& why) {
        return RestorePointError("ORB could not keep a restore point before " + action + ": " +
                                 why + ". Nothing was changed.");
    };
}

template <typename Refuse>
void makeFolder(const fs::path& folder, const Refuse& refuse) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw refuse("the folder " + folder.string() + " cannot be made (" + error.message() + ")");
    }
}

}  // namespace

RestorePoint RestorePoints::keep(Database& database, const std::string& action,
                                 std::int64_t spare) {
    const auto refuse = refusalBefore(action);
    makeFolder(folder_, refuse);
    const std::int64_t pages = countOf(database, "PRAGMA page_count");
    const std::int64_t pageSize = countOf(database, "PRAGMA page_size");
    requireRoom(static_cast<std::uintmax_t>(pages * pageSize) + kSpareRoom, refuse);

    RestorePoint point;
    const CatalogueCounts counts = countCatalogue(database);
    point.styles = counts.styles;
    point.banks = counts.banks;
    point.songs = counts.songs;
    point.database = canonicalOrSame(database.path());
    point.time = clock_.localTime();
    point.action = action;
    point = writePoint(
        folder_, point, [&](NewFile& file) { return copyDatabase(database, file); }, syncCheck_,
        refuse);
    point.size = regularFileSize(point.file).value_or(0);
    dropBeyondLimits(database.path(), spare);
    return point;
}

RestorePoint RestorePoints::keepChanges(Database& database, const std::string& action,
                                        const std::string& changes, const RestorePoint& counts) {
    const auto refuse = refusalBefore(action);
    makeFolder(folder_, refuse);
    requireRoom(changes.size() + kSpareRoom, refuse);
    RestorePoint point = counts;
    point.kind = RestorePoint::Kind::Changes;
    point.database = canonicalOrSame(database.path());
    point.action = action;
    point.size = changes.size();
    point.notedBytes = changes.size();
    point.digest = digestOf(changes);
    return writePoint(
        folder_, point, [&](NewFile& file) { return file.write(changes); }, syncCheck_, refuse);
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
    if (point.kind == RestorePoint::Kind::Changes) {
        const std::vector<std::string> changes{checkedChanges(database, point, refuse)};
        WriteTransaction transaction(database);
        undoAll(database, changes, refuse);
        transaction.commit();
        return;
    }
    CheckedCopy copy(folder_, point, refuse);
    if (const std::string failure = copyPages(database.handle(), copy.database.handle());
        !failure.empty()) {
        throw refuse(failure);
    }
}

void RestorePoints::undo(Database& database, const std::vector<RestorePoint>& newestFirst,
                         const std::string& action) {
    if (newestFirst.empty()) {
        return;
    }
    const RestorePoint& oldest = newestFirst.back();
    const auto refuse = [&](const std::string& why) {
        return RestorePointError("The restore point of " + oldest.time +
                                 " cannot be brought back: " + why +
                                 ". The catalogue is as it was.");
    };
    if (database.inTransaction()) {
        throw refuse("the catalogue is in the middle of a change");
    }
    // A whole copy replaces everything after it: the oldest one in the range is where the undo
    // starts, and only the changes older than it are undone on top.
    std::size_t start = newestFirst.size();
    for (std::size_t i = 0; i < newestFirst.size(); ++i) {
        if (newestFirst[i].kind == RestorePoint::Kind::WholeCopy) {
            start = i;
        }
    }
    if (start == newestFirst.size()) {
        std::vector<std::string> changes;
        for (const RestorePoint& point : newestFirst) {
            changes.push_back(checkedChanges(database, point, refuse));
        }
        StepPoint recording(*this, database, action);
        WriteTransaction transaction(database);
        undoAll(database, changes, refuse);
        transaction.commit();
        return;
    }
    CheckedCopy copy(folder_, newestFirst[start], refuse);
    std::vector<std::string> changes;
    for (std::size_t i = start + 1; i < newestFirst.size(); ++i) {
        changes.push_back(checkedChanges(copy.database, newestFirst[i], refuse));
    }
    if (!changes.empty()) {
        WriteTransaction transaction(copy.database);
        undoAll(copy.database, changes, refuse);
        transaction.commit();
    }
    keep(database, action, newestFirst[start].sequence);
    if (const std::string failure = copyPages(database.handle(), copy.database.handle());
        !failure.empty()) {
        throw refuse(failure);
    }
}

class StepPoint::Recorder : public CommitObserver {
public:
    Recorder(RestorePoints points, Database& database, std::string action, std::string time)
        : points_(std::move(points)), database_(database), action_(std::move(action)) {
        const CatalogueCounts counts = countCatalogue(database);
        before_.styles = counts.styles;
        before_.banks = counts.banks;
        before_.songs = counts.songs;
        before_.time = std::move(time);
        session_ = std::make_unique<ChangeSession>(database);
        database_.setCommitObserver(this);
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    ~Recorder() override { database_.setCommitObserver(nullptr); }

    void beforeCommit() override {
        kept_.reset();
        if (!session_) {
            throw RestorePointError("ORB could not keep a restore point before " + action_ +
                                    ": the changes cannot be recorded. Nothing was changed.");
        }
        if (session_->empty()) {
            return;
        }
        std::string changes;
        try {
            changes = session_->changes();
        } catch (const RestorePointError& e) {
            throw RestorePointError("ORB could not keep a restore point before " + action_ + ": " +
                                    e.what() + ". Nothing was changed.");
        }
        if (!changes.empty()) {
            kept_ = points_.keepChanges(database_, action_, changes, before_);
        }
    }

    void afterCommit(bool committed) noexcept override {
        try {
            if (kept_ && !committed) {
                // The step did not happen: its point would undo what is not there.
                removeOurs(fs::path(kept_->file).replace_extension(kNoteExtension));
                removeOurs(kept_->file);
            } else if (kept_) {
                points_.dropBeyondLimits(database_.path());
            }
            kept_.reset();
            // A second transaction of the same step gets a point of its own.
            session_.reset();
            session_ = std::make_unique<ChangeSession>(database_);
        } catch (const std::exception&) {
            // Tidying only: the step's data is already as it should be.
        }
    }

private:
    RestorePoints points_;
    Database& database_;
    std::string action_;
    RestorePoint before_;
    std::unique_ptr<ChangeSession> session_;
    std::optional<RestorePoint> kept_;
};

StepPoint::StepPoint(RestorePoints points, Database& database, std::string action)
    : time_(points.clock().localTime()) {
    if (database.commitObserver() == nullptr) {
        recorder_ =
            std::make_unique<Recorder>(std::move(points), database, std::move(action), time_);
    }
}

StepPoint::~StepPoint() = default;

}  // namespace orb
