#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/errors.h"

namespace orb {

class Clock;
class Database;

// A copy of the whole catalogue as it was just before a destructive step.
struct RestorePoint {
    // Counts up with every point kept in the folder; the newest has the largest.
    std::int64_t sequence = 0;
    std::filesystem::path file;
    // The database file it was taken of.
    std::filesystem::path database;
    // Local time, "yyyy-mm-dd hh:mm:ss".
    std::string time;
    // What was about to happen, as "deleting 3 styles".
    std::string action;
    std::int64_t styles = 0;
    std::int64_t banks = 0;
    std::int64_t songs = 0;
};

// A restore point that cannot be kept or brought back; the text is meant for the person.
class RestorePointError : public OrbError {
public:
    explicit RestorePointError(const std::string& message) : OrbError(message) {}
};

// The restore points of the catalogues, kept as page-by-page copies (SQLite's online backup) in
// one folder, each with a small text file saying what it is. The newest `limit` of each
// database are kept; older ones are dropped when a new one is made.
class RestorePoints {
public:
    static constexpr int kDefaultLimit = 10;

    RestorePoints(std::filesystem::path folder, int limit, const Clock& clock);

    const std::filesystem::path& folder() const { return folder_; }
    int limit() const { return limit_; }

    // Copies the database as it is now, before `action`. Throws RestorePointError when the copy
    // cannot be made (no room, no folder, a refusal of the engine), leaving no half copy, so
    // that the step it was to protect does not run. Points beyond the limit are dropped, oldest
    // first, but for the one numbered `spare` (an undo keeps the point it is about to use).
    RestorePoint keep(Database& database, const std::string& action, std::int64_t spare = 0);

    // The restore points of the database file `database`, newest first.
    std::vector<RestorePoint> list(const std::filesystem::path& database) const;

    // Replaces everything in `database` by the restore point's contents, in one step: a failure
    // throws RestorePointError and leaves the database as it was. The point itself stays.
    void bringBack(Database& database, const RestorePoint& point) const;

    // The free room of the folder, for tests that fill it.
    using RoomReader = std::function<std::uintmax_t(const std::filesystem::path&)>;
    void setRoomReader(RoomReader room) { room_ = std::move(room); }

private:
    std::vector<RestorePoint> all() const;
    void dropOldest(const std::filesystem::path& database, std::int64_t spare) const;

    std::filesystem::path folder_;
    int limit_;
    const Clock& clock_;
    RoomReader room_;
};

// The counts a restore point notes, read from the open database.
struct CatalogueCounts {
    std::int64_t styles = 0;
    std::int64_t banks = 0;
    std::int64_t songs = 0;
};
CatalogueCounts countCatalogue(Database& database);

}  // namespace orb
