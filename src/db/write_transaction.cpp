#include "db/write_transaction.h"

namespace orb {
namespace {

constexpr const char* kSavepoint = "SAVEPOINT orb_write";
constexpr const char* kRelease = "RELEASE orb_write";
constexpr const char* kRollbackToSavepoint = "ROLLBACK TO orb_write";

}  // namespace

WriteTransaction::WriteTransaction(Database& database)
    : database_(database), nested_(database.inTransaction()) {
    database_.execute(nested_ ? kSavepoint : "BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (done_) {
        return;
    }
    try {
        if (nested_) {
            database_.execute(kRollbackToSavepoint);
            database_.execute(kRelease);
        } else {
            database_.execute("ROLLBACK");
        }
    } catch (const DbError&) {
        // The engine already rolled back (for example after a full disk); nothing is left to
        // undo.
    }
}

void WriteTransaction::commit() {
    CommitObserver* observer = nested_ ? nullptr : database_.commitObserver();
    if (observer != nullptr) {
        observer->beforeCommit();
    }
    try {
        database_.execute(nested_ ? kRelease : "COMMIT");
    } catch (...) {
        if (observer != nullptr) {
            observer->afterCommit(false);
        }
        throw;
    }
    done_ = true;
    if (observer != nullptr) {
        observer->afterCommit(true);
    }
}

ReadTransaction::ReadTransaction(Database& database) : database_(database) {
    database_.execute("BEGIN");
    // A deferred transaction takes its lock at its first read.
    database_.query("SELECT COUNT(*) FROM sqlite_master").next();
}

ReadTransaction::~ReadTransaction() {
    try {
        database_.execute("ROLLBACK");
    } catch (const std::exception&) {
        // Nothing was written: a failed end changes nothing.
    }
}

}  // namespace orb
