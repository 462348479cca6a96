#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/errors.h"

namespace orb {

class Clock;
class Database;

// What undo needs to take the catalogue back to just before a step: either the rows the step
// changed, as they were (a changeset of SQLite's session extension), or, for steps that replace
// everything (the wipe, a restore), a copy of the whole catalogue.
struct RestorePoint {
    enum class Kind { WholeCopy, Changes };

    // Counts up with every point kept in the folder; the newest has the largest.
    std::int64_t sequence = 0;
    Kind kind = Kind::WholeCopy;
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
    // The bytes its file takes.
    std::uintmax_t size = 0;
    // Changes only: the length and digest the note records, to tell a damaged file.
    std::uintmax_t notedBytes = 0;
    std::string digest;
};

// A restore point that cannot be kept or brought back; the text is meant for the person.
class RestorePointError : public OrbError {
public:
    explicit RestorePointError(const std::string& message) : OrbError(message) {}
};

// The restore points of the catalogues, kept in one folder, each a file and a small note saying
// what it is. Other programs (a second ORB) may keep points there at the same moment: a point's
// number is taken by creating its file exclusively, and only files this run made are removed
// on a failure. The newest `limit` of each database are kept, and together they take at most
// `sizeLimit` bytes (the newest always stays); older ones are dropped after a new one is made.
class RestorePoints {
public:
    static constexpr int kDefaultLimit = 10;
    static constexpr std::uintmax_t kDefaultSizeLimit = std::uintmax_t{2} << 30;

    RestorePoints(std::filesystem::path folder, int limit, const Clock& clock);

    const std::filesystem::path& folder() const { return folder_; }
    int limit() const { return limit_; }
    const Clock& clock() const { return clock_; }
    void setSizeLimit(std::uintmax_t bytes) { sizeLimit_ = bytes; }

    // Copies the whole database as it is now, before `action` (a step that replaces
    // everything). Throws RestorePointError when the copy cannot be made (no room, no folder, a
    // refusal of the engine), leaving no half copy, so that the step it was to protect does not
    // run. Points beyond the limits are dropped, oldest first, but for the one numbered `spare`.
    RestorePoint keep(Database& database, const std::string& action, std::int64_t spare = 0);

    // Writes and syncs a point holding `changes` (a changeset) made by `action`; the counts
    // are those before the step. Throws RestorePointError, leaving nothing behind.
    RestorePoint keepChanges(Database& database, const std::string& action,
                             const std::string& changes, const RestorePoint& counts);

    // The restore points of the database file `database`, newest first.
    std::vector<RestorePoint> list(const std::filesystem::path& database) const;

    // Drops the points of `database` beyond the limits, oldest first, but for `spare`.
    void dropBeyondLimits(const std::filesystem::path& database, std::int64_t spare = 0) const;

    // Brings `database` back to how it was before the oldest of `newestFirst` (the newest points
    // of the catalogue, in order): whole copies replace everything, changes are undone newest
    // first, all in one step. Every point is checked first. A failure, or a later change that
    // stands in the way (named in the message), throws RestorePointError and changes nothing.
    // The undo keeps a point of its own first, noted as `action`: of what it changes, or a whole
    // copy when it brings a whole copy back.
    void undo(Database& database, const std::vector<RestorePoint>& newestFirst,
              const std::string& action);

    // Brings one point back after checking it, keeping no point of its own: a whole copy
    // replaces everything, changes are undone.
    void bringBack(Database& database, const RestorePoint& point) const;

    // The free room of the folder, for tests that fill it.
    using RoomReader = std::function<std::uintmax_t(const std::filesystem::path&)>;
    void setRoomReader(RoomReader room) { room_ = std::move(room); }
    // A test's stand-in for syncing a new point's file: "" for done, else the reason.
    using SyncCheck = std::function<std::string(const std::filesystem::path&)>;
    void setSyncCheck(SyncCheck check) { syncCheck_ = std::move(check); }

private:
    std::vector<RestorePoint> all() const;
    void requireRoom(std::uintmax_t needed,
                     const std::function<RestorePointError(const std::string&)>& refuse) const;

    std::filesystem::path folder_;
    int limit_;
    std::uintmax_t sizeLimit_ = kDefaultSizeLimit;
    const Clock& clock_;
    RoomReader room_;
    SyncCheck syncCheck_;
};

// The counts a restore point notes, read from the open database.
struct CatalogueCounts {
    std::int64_t styles = 0;
    std::int64_t banks = 0;
    std::int64_t songs = 0;
};
CatalogueCounts countCatalogue(Database& database);

// Records what one step changes and keeps it as a restore point, synced before the step's
// changes are committed: made before the step's transaction, it lives until the step ends.
// When the point cannot be kept, the commit throws RestorePointError and the step is rolled
// back. A step that changes nothing keeps no point. Inside another recording it does nothing:
// the outer one records everything.
class StepPoint {
public:
    StepPoint(RestorePoints points, Database& database, std::string action);
    StepPoint(const StepPoint&) = delete;
    StepPoint& operator=(const StepPoint&) = delete;
    ~StepPoint();

    // The local time the point is noted with.
    const std::string& time() const { return time_; }

private:
    class Recorder;
    std::unique_ptr<Recorder> recorder_;
    std::string time_;
};

}  // namespace orb
