#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3_session;

namespace orb {

class Database;

// What a step changes in the catalogue, recorded by SQLite's session extension from the moment
// the session is made: every table with a primary key.
class ChangeSession {
public:
    // Throws RestorePointError when the engine cannot record.
    explicit ChangeSession(Database& database);
    ChangeSession(const ChangeSession&) = delete;
    ChangeSession& operator=(const ChangeSession&) = delete;
    ~ChangeSession();

    bool empty() const;
    // The changeset of what changed so far; throws RestorePointError on a refusal.
    std::string changes() const;

private:
    sqlite3_session* session_ = nullptr;
};

// "" when every change in `changes` is a well-formed change of one of ORB's tables, with the
// columns and primary key that table has in `database`; else what is wrong.
std::string changesetProblem(Database& database, std::string_view changes);

// Undoes `changes` in `database` inside the caller's transaction. When later changes stand in
// the way, answers the rows they touched ("style 21", "the link of song 3 to style 34") and the
// caller must roll back; empty when done.
std::vector<std::string> undoChanges(Database& database, std::string_view changes);

}  // namespace orb
