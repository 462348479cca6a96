#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

#include "db/store_error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace orb {

// A failure reported by the database engine. Its text is for the person: the engine's message
// without its code, or the in-use text when another program held the database longer than the
// busy timeout. code() keeps the engine's code for the decisions of this layer.
class DbError : public StoreError {
public:
    // `path` is the database file, which the in-use text names.
    DbError(int code, const std::string& message, const std::string& path = "");
    int code() const { return code_; }
    const std::string& engineMessage() const { return message_; }

protected:
    // A failure told in full by `text`.
    DbError(int code, const std::string& message, const std::string& text, Kind kind);

private:
    int code_;
    std::string message_;
};

// True for the codes of a lock that another connection holds.
bool isLockCode(int code);
// True for the code of a file that SQLite finds malformed.
bool isMalformedCode(int code);

// A failure of the data path (opening, the schema, a wipe) told in full for the person: the
// file, what became of the data and why.
class DataPathError : public DbError {
public:
    DataPathError(const std::string& text, const DbError& cause)
        : DbError(cause.code(), cause.engineMessage(), text, cause.kind()) {}
    DataPathError(int code, const std::string& text) : DbError(code, text, text, Kind::Refused) {}
};

// "<told> (<engine text>)." — the engine's words after the system's own; a database in use is
// told by its own text alone.
inline std::string withEngineText(const std::string& told, const DbError& cause) {
    return failureMessage(cause, told + " (", ").");
}

// A value read from or written to a column. Byte blocks are kept apart from text so that they
// are bound and read as BLOBs and never converted.
class SqlValue {
public:
    struct Blob {
        std::string bytes;
        bool operator==(const Blob&) const = default;
    };
    using Storage = std::variant<std::monostate, std::int64_t, double, std::string, Blob>;

    SqlValue() = default;
    explicit SqlValue(Storage storage) : storage_(std::move(storage)) {}
    static SqlValue integer(std::int64_t value) { return SqlValue(Storage{value}); }
    static SqlValue text(std::string value) { return SqlValue(Storage{std::move(value)}); }
    static SqlValue blob(std::string bytes) { return SqlValue(Storage{Blob{std::move(bytes)}}); }

    bool isNull() const { return std::holds_alternative<std::monostate>(storage_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(storage_); }
    bool isBlob() const { return std::holds_alternative<Blob>(storage_); }
    const Storage& storage() const { return storage_; }

    // Integer value; text is read as a decimal number, null as 0.
    std::int64_t toInteger() const;
    // Text value; numbers in decimal, blobs as their bytes, null as "".
    std::string toText() const;

    bool operator==(const SqlValue&) const = default;

private:
    Storage storage_;
};

// One input parameter, bound by position. Text and blobs are views: the caller's data must
// live until the call that binds them returns.
class SqlParam {
public:
    enum class Kind { Null, Integer, Real, Text, Blob };

    SqlParam(std::int32_t value) : kind_(Kind::Integer), integer_(value) {}
    SqlParam(std::int64_t value) : kind_(Kind::Integer), integer_(value) {}
    SqlParam(double value) : kind_(Kind::Real), real_(value) {}
    SqlParam(std::string_view text) : kind_(Kind::Text), bytes_(text) {}
    SqlParam(const std::string& text) : kind_(Kind::Text), bytes_(text) {}
    SqlParam(const char* text) : kind_(Kind::Text), bytes_(text) {}
    static SqlParam blob(std::string_view bytes) { return SqlParam(Kind::Blob, bytes); }
    static SqlParam null() { return SqlParam(Kind::Null, {}); }

    Kind kind() const { return kind_; }
    std::int64_t integer() const { return integer_; }
    double real() const { return real_; }
    std::string_view bytes() const { return bytes_; }

private:
    SqlParam(Kind kind, std::string_view bytes) : kind_(kind), bytes_(bytes) {}
    Kind kind_;
    std::int64_t integer_ = 0;
    double real_ = 0;
    std::string_view bytes_;
};

class Database;

// The rows of one query, read forward. Columns are found by position (from 0) or by name,
// without regard to letter case. A Rows must not outlive its Database.
class Rows {
public:
    Rows(Rows&& other) noexcept;
    Rows& operator=(Rows&&) = delete;
    Rows(const Rows&) = delete;
    ~Rows();

    // Moves to the next row; false at the end. Throws DbError on failure.
    bool next();

    int columnCount() const;
    std::string columnName(int column) const;
    // Throws DbError when the statement has no such column.
    int columnIndex(std::string_view name) const;

    bool isNull(int column) const;
    bool isNull(std::string_view name) const { return isNull(columnIndex(name)); }
    std::int64_t integer(int column) const;
    std::int64_t integer(std::string_view name) const { return integer(columnIndex(name)); }
    // Text of the column; a null column gives "".
    std::string text(int column) const;
    std::string text(std::string_view name) const { return text(columnIndex(name)); }
    // The column's bytes as they are stored; valid until the next call to next().
    std::string_view bytes(int column) const;
    std::string_view bytes(std::string_view name) const { return bytes(columnIndex(name)); }
    SqlValue value(int column) const;
    SqlValue value(std::string_view name) const { return value(columnIndex(name)); }

private:
    friend class Database;
    // `inUse` is the cache's flag for a reused statement, null for one of its own.
    Rows(Database& database, sqlite3_stmt* statement, bool* inUse);
    void release();

    Database* database_;
    sqlite3_stmt* statement_;
    bool* inUse_;
};

// Told around each outermost commit of a WriteTransaction: a restore point of the step's changes
// is written and synced before the changes are, and tidied after.
class CommitObserver {
public:
    virtual ~CommitObserver() = default;
    // Throws to stop the commit; the transaction is then rolled back.
    virtual void beforeCommit() = 0;
    // `committed` false when the engine refused the commit: nothing of the step stands.
    virtual void afterCommit(bool committed) noexcept = 0;
};

// The one connection of the program, over the SQLite C API.
class Database {
public:
    enum class OpenMode { ExistingOnly, CreateIfMissing, ReadOnly };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file; throws DbError when it is missing (ExistingOnly), cannot be opened or is
    // not a database. A connection that is open is closed first. ReadOnly opens an existing
    // file without the right to write.
    void open(const std::filesystem::path& path, OpenMode mode);

    // How long a connection waits for another program's lock to clear before it gives up;
    // applies to connections opened afterwards.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    const std::filesystem::path& path() const { return path_; }

    // Runs one statement; its p-named parameters take `params` by position.
    void execute(std::string_view sql, std::span<const SqlParam> params);
    void execute(std::string_view sql, std::initializer_list<SqlParam> params = {}) {
        execute(sql, std::span<const SqlParam>(params.begin(), params.size()));
    }
    Rows query(std::string_view sql, std::span<const SqlParam> params);
    Rows query(std::string_view sql, std::initializer_list<SqlParam> params = {}) {
        return query(sql, std::span<const SqlParam>(params.begin(), params.size()));
    }

    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;

    bool inTransaction() const;
    // True when the connection may not write (a file opened read-only).
    bool isReadOnly() const;

    sqlite3* handle() const { return handle_; }

    // One observer at a time; nullptr ends it.
    void setCommitObserver(CommitObserver* observer) { commitObserver_ = observer; }
    CommitObserver* commitObserver() const { return commitObserver_; }

private:
    friend class Rows;
    struct CachedStatement {
        sqlite3_stmt* statement = nullptr;
        bool inUse = false;
        std::uint64_t lastUse = 0;
    };

    // Makes room for one more statement by dropping the one used longest ago; false when every
    // cached statement is in use.
    bool evictLeastRecentlyUsed();

    sqlite3_stmt* prepare(std::string_view sql, bool*& inUse);
    void bind(sqlite3_stmt* statement, std::span<const SqlParam> params, bool copy);
    static void releaseStatement(sqlite3_stmt* statement, bool* inUse);
    [[noreturn]] void fail() const;
    void requireOpen() const;

    sqlite3* handle_ = nullptr;
    std::filesystem::path path_;
    CommitObserver* commitObserver_ = nullptr;
    // Found by the statement's text without copying it, so that a reused statement costs no
    // allocation.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, CachedStatement, TextHash, std::equal_to<>> cache_;
    std::uint64_t useCounter_ = 0;
};

}  // namespace orb
