#pragma once

#include "db/database.h"

namespace orb {

// One write that spans several statements. It begins IMMEDIATE, taking the write lock at once:
// a lock held by another program is then waited for up to the busy timeout, where a deferred
// transaction would fail at once when its first write finds the lock taken. The transaction is
// rolled back on destruction unless commit() was called, so that an exception anywhere in
// between leaves the data as it was. Inside a transaction already open (an import storing its
// styles) it becomes a savepoint of that one: undone alone on failure, kept with the outer one.
class WriteTransaction {
public:
    // Throws DbError when the transaction cannot begin; a lock that outlasts the busy timeout
    // gives the in-use text.
    explicit WriteTransaction(Database& database);
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    ~WriteTransaction();

    // Throws DbError when the commit fails; the transaction is then rolled back.
    void commit();

private:
    Database& database_;
    bool nested_;
    bool done_ = false;
};

// A read that spans several statements: it holds the shared lock while it lasts, so that no
// other program changes the file meanwhile (a copy of the file stays whole). It only reads, so it
// ends by rolling back. Throws DbError when it cannot begin.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& database);
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    ~ReadTransaction();

private:
    Database& database_;
};

}  // namespace orb
