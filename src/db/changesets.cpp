#include "db/changesets.h"

// The declarations of the session extension appear only with these; the system's library is
// built with them.
#define SQLITE_ENABLE_SESSION 1
#define SQLITE_ENABLE_PREUPDATE_HOOK 1
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <memory>

#include "db/database.h"
#include "db/restore_points.h"

namespace orb {
namespace {

constexpr std::array<const char*, 5> kTables = {"KORFStyles", "KORFBanks", "KORFSongs",
                                                "KORFSonSty", "KORFSetups"};

struct IteratorCloser {
    void operator()(sqlite3_changeset_iter* iterator) const { sqlite3changeset_finalize(iterator); }
};
using Iterator = std::unique_ptr<sqlite3_changeset_iter, IteratorCloser>;

struct Freer {
    void operator()(void* memory) const { sqlite3_free(memory); }
};

std::string valueText(sqlite3_value* value) {
    if (value == nullptr) {
        return "?";
    }
    const unsigned char* text = sqlite3_value_text(value);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

// The row a change touches, as a person knows it.
std::string rowName(sqlite3_changeset_iter* iterator) {
    const char* table = nullptr;
    int columns = 0;
    int operation = 0;
    int indirect = 0;
    sqlite3changeset_op(iterator, &table, &columns, &operation, &indirect);
    const auto key = [&](int column) {
        sqlite3_value* value = nullptr;
        if (operation == SQLITE_INSERT) {
            sqlite3changeset_new(iterator, column, &value);
        } else {
            sqlite3changeset_old(iterator, column, &value);
        }
        return valueText(value);
    };
    const std::string name = table;
    if (name == "KORFStyles") {
        return "style " + key(0);
    }
    if (name == "KORFBanks") {
        return "bank " + key(0);
    }
    if (name == "KORFSongs") {
        return "song " + key(0);
    }
    if (name == "KORFSonSty") {
        return "the link of song " + key(0) + " to style " + key(1);
    }
    if (name == "KORFSetups") {
        return "the set-up " + key(0);
    }
    return name + " " + key(0);
}

struct Conflicts {
    std::vector<std::string> rows;
};

int onConflict(void* context, int kind, sqlite3_changeset_iter* iterator) {
    auto* conflicts = static_cast<Conflicts*>(context);
    if (kind == SQLITE_CHANGESET_FOREIGN_KEY) {
        conflicts->rows.push_back("a link between rows");
        return SQLITE_CHANGESET_ABORT;
    }
    const std::string row = rowName(iterator);
    if (std::find(conflicts->rows.begin(), conflicts->rows.end(), row) == conflicts->rows.end()) {
        conflicts->rows.push_back(row);
    }
    return SQLITE_CHANGESET_OMIT;
}

}  // namespace

ChangeSession::ChangeSession(Database& database) {
    if (sqlite3session_create(database.handle(), "main", &session_) != SQLITE_OK ||
        sqlite3session_attach(session_, nullptr) != SQLITE_OK) {
        const std::string reason = sqlite3_errmsg(database.handle());
        sqlite3session_delete(session_);
        session_ = nullptr;
        throw RestorePointError("the changes cannot be recorded (" + reason + ")");
    }
}

ChangeSession::~ChangeSession() {
    if (session_ != nullptr) {
        sqlite3session_delete(session_);
    }
}

bool ChangeSession::empty() const {
    return sqlite3session_isempty(session_) != 0;
}

std::string ChangeSession::changes() const {
    int size = 0;
    void* bytes = nullptr;
    const int rc = sqlite3session_changeset(session_, &size, &bytes);
    const std::unique_ptr<void, Freer> owned(bytes);
    if (rc != SQLITE_OK) {
        throw RestorePointError(std::string("the changes cannot be read (") + sqlite3_errstr(rc) +
                                ")");
    }
    return std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

std::string changesetProblem(Database& database, std::string_view changes) {
    sqlite3_changeset_iter* raw = nullptr;
    if (sqlite3changeset_start(&raw, static_cast<int>(changes.size()),
                               const_cast<char*>(changes.data())) != SQLITE_OK) {
        return "its changes cannot be read";
    }
    const Iterator iterator(raw);
    int rc = SQLITE_OK;
    while ((rc = sqlite3changeset_next(raw)) == SQLITE_ROW) {
        const char* table = nullptr;
        int columns = 0;
        int operation = 0;
        int indirect = 0;
        unsigned char* keys = nullptr;
        int keyColumns = 0;
        if (sqlite3changeset_op(raw, &table, &columns, &operation, &indirect) != SQLITE_OK ||
            sqlite3changeset_pk(raw, &keys, &keyColumns) != SQLITE_OK) {
            return "its changes cannot be read";
        }
        const std::string name = table;
        if (std::find(kTables.begin(), kTables.end(), name) == kTables.end()) {
            return "it changes " + name + ", which is no table of ORB";
        }
        Rows shape = database.query("SELECT pk FROM pragma_table_info(pTable)", {name});
        int column = 0;
        bool same = true;
        while (shape.next()) {
            same = same && column < columns && (shape.integer(0) != 0) == (keys[column] != 0);
            ++column;
        }
        if (!same || column != columns) {
            return "its changes of " + name + " do not fit that table";
        }
    }
    if (rc != SQLITE_DONE) {
        return "its changes are damaged (" + std::string(sqlite3_errstr(rc)) + ")";
    }
    return {};
}

std::vector<std::string> undoChanges(Database& database, std::string_view changes) {
    int size = 0;
    void* inverse = nullptr;
    const int rc =
        sqlite3changeset_invert(static_cast<int>(changes.size()), changes.data(), &size, &inverse);
    const std::unique_ptr<void, Freer> owned(inverse);
    if (rc != SQLITE_OK) {
        throw RestorePointError(std::string("its changes cannot be reversed (") +
                                sqlite3_errstr(rc) + ")");
    }
    Conflicts conflicts;
    const int applied =
        sqlite3changeset_apply(database.handle(), size, inverse, nullptr, onConflict, &conflicts);
    if (!conflicts.rows.empty()) {
        return conflicts.rows;
    }
    if (applied != SQLITE_OK) {
        throw RestorePointError("its changes cannot be undone (" +
                                std::string(sqlite3_errmsg(database.handle())) + ")");
    }
    return {};
}

}  // namespace orb
