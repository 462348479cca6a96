#pragma once

#include "db/database.h"

namespace orb {

// Begins a transaction at construction and rolls it back on destruction unless commit() was
// called, so that an exception anywhere in between leaves the data as it was.
class Transaction {
public:
    explicit Transaction(Database& database) : database_(database) { database_.begin(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction() {
        if (!done_) {
            try {
                database_.rollback();
            } catch (const DbError&) {
                // The engine already rolled back (for example after a full disk); nothing is left
                // to undo.
            }
        }
    }

    // Throws DbError when the commit fails; the transaction is then rolled back.
    void commit() {
        database_.commit();
        done_ = true;
    }

private:
    Database& database_;
    bool done_ = false;
};

}  // namespace orb
