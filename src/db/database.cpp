#include "db/database.h"

#include <sqlite3.h>

#include <charconv>
#include <cstring>
#include <vector>

#include "db/sql_parameters.h"

namespace orb {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           sqlite3_strnicmp(a.data(), b.data(), static_cast<int>(a.size())) == 0;
}

// Keeps the number of statements prepared once and reused bounded.
constexpr std::size_t kStatementCacheLimit = 256;

// Long enough for another program's short write to end, short enough not to look hung.
int busyTimeoutMilliseconds = 3000;

// SQLite counts every allocation under a global mutex for statistics that ORB never reads; the
// count is switched off once, before the engine starts. An engine already started by another
// part of the process keeps counting: slower, never wrong.
void startEngine() {
    static const bool started = [] {
        const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return (configured == SQLITE_OK || configured == SQLITE_MISUSE) &&
               sqlite3_initialize() == SQLITE_OK;
    }();
    if (!started) {
        throw DbError(SQLITE_ERROR, "the database engine could not be started");
    }
}

}  // namespace

bool isLockCode(int code) {
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

bool isMalformedCode(int code) {
    return (code & 0xFF) == SQLITE_CORRUPT;
}

DbError::DbError(int code, const std::string& message, const std::string& path)
    : StoreError(isLockCode(code) ? inUseMessage(path) : message,
                 isLockCode(code) ? Kind::InUse : Kind::Refused),
      code_(code),
      message_(message) {}

DbError::DbError(int code, const std::string& message, const std::string& text, Kind kind)
    : StoreError(text, kind), code_(code), message_(message) {}

std::int64_t SqlValue::toInteger() const {
    if (const auto* value = std::get_if<std::int64_t>(&storage_)) {
        return *value;
    }
    if (const auto* value = std::get_if<double>(&storage_)) {
        return static_cast<std::int64_t>(*value);
    }
    const std::string text = toText();
    std::int64_t result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::string SqlValue::toText() const {
    if (const auto* value = std::get_if<std::string>(&storage_)) {
        return *value;
    }
    if (const auto* value = std::get_if<Blob>(&storage_)) {
        return value->bytes;
    }
    if (const auto* value = std::get_if<std::int64_t>(&storage_)) {
        return std::to_string(*value);
    }
    if (const auto* value = std::get_if<double>(&storage_)) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, *value).ptr;
        return std::string(text, end);
    }
    return {};
}

// --- Rows ---------------------------------------------------------------------------------

Rows::Rows(Database& database, sqlite3_stmt* statement, bool* inUse)
    : database_(&database), statement_(statement), inUse_(inUse) {}

Rows::Rows(Rows&& other) noexcept
    : database_(other.database_), statement_(other.statement_), inUse_(other.inUse_) {
    other.statement_ = nullptr;
}

Rows::~Rows() {
    release();
}

void Rows::release() {
    if (statement_ != nullptr) {
        Database::releaseStatement(statement_, inUse_);
        statement_ = nullptr;
    }
}

bool Rows::next() {
    if (statement_ == nullptr) {
        return false;
    }
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    database_->fail();
}

int Rows::columnCount() const {
    return sqlite3_column_count(statement_);
}

std::string Rows::columnName(int column) const {
    const char* name = sqlite3_column_name(statement_, column);
    return name != nullptr ? name : "";
}

int Rows::columnIndex(std::string_view name) const {
    const int count = columnCount();
    for (int i = 0; i < count; ++i) {
        const char* columnName = sqlite3_column_name(statement_, i);
        if (columnName != nullptr && equalsIgnoringCase(columnName, name)) {
            return i;
        }
    }
    throw DbError(SQLITE_RANGE, "no such column in the result: " + std::string(name));
}

bool Rows::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t Rows::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string Rows::text(int column) const {
    return std::string(bytes(column));
}

std::string_view Rows::bytes(int column) const {
    // Read as a blob so that no conversion touches the bytes, whatever the storage class.
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (data == nullptr || size <= 0) {
        return {};
    }
    return std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

SqlValue Rows::value(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_INTEGER:
            return SqlValue::integer(integer(column));
        case SQLITE_FLOAT:
            return SqlValue(SqlValue::Storage{sqlite3_column_double(statement_, column)});
        case SQLITE_TEXT:
            return SqlValue::text(text(column));
        case SQLITE_BLOB:
            return SqlValue::blob(std::string(bytes(column)));
        default:
            return SqlValue();
    }
}

// --- Database -----------------------------------------------------------------------------

Database::Database() = default;

Database::~Database() {
    close();
}

void Database::open(const std::filesystem::path& path, OpenMode mode) {
    close();
    std::error_code error;
    if (mode != OpenMode::CreateIfMissing && !std::filesystem::is_regular_file(path, error)) {
        throw DbError(SQLITE_CANTOPEN, "database file not found: " + path.string());
    }
    startEngine();
    // One thread uses a connection: its calls need not take the connection's mutex.
    int flags = (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                SQLITE_OPEN_NOMUTEX;
    if (mode == OpenMode::CreateIfMissing) {
        flags |= SQLITE_OPEN_CREATE;
    }
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(path.string().c_str(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = handle != nullptr ? sqlite3_errmsg(handle) : "out of memory";
        sqlite3_close_v2(handle);
        throw DbError(rc, message + ": " + path.string(), path.string());
    }
    handle_ = handle;
    path_ = path;
    if (sqlite3_busy_timeout(handle_, busyTimeoutMilliseconds) != SQLITE_OK) {
        const DbError failure(sqlite3_errcode(handle_), sqlite3_errmsg(handle_), path.string());
        close();
        throw failure;
    }
    // Opening is lazy: reading the schema is what tells a database from any other file.
    try {
        Rows rows = query("SELECT count(*) FROM sqlite_master");
        rows.next();
    } catch (const DbError& e) {
        close();
        throw DbError(e.code(), e.engineMessage() + ": " + path.string(), path.string());
    }
}

void Database::setBusyTimeout(int milliseconds) {
    busyTimeoutMilliseconds = milliseconds;
}

int Database::busyTimeout() {
    return busyTimeoutMilliseconds;
}

void Database::close() {
    for (auto& [sql, cached] : cache_) {
        sqlite3_finalize(cached.statement);
    }
    cache_.clear();
    if (handle_ != nullptr) {
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
    path_.clear();
}

void Database::requireOpen() const {
    if (handle_ == nullptr) {
        throw DbError(SQLITE_MISUSE, "the database connection is not open");
    }
}

void Database::fail() const {
    throw DbError(sqlite3_errcode(handle_), sqlite3_errmsg(handle_), path_.string());
}

sqlite3_stmt* Database::prepare(std::string_view sql, bool*& inUse) {
    requireOpen();
    auto found = cache_.find(sql);
    if (found != cache_.end() && !found->second.inUse) {
        found->second.inUse = true;
        found->second.lastUse = ++useCounter_;
        inUse = &found->second.inUse;
        return found->second.statement;
    }
    const PositionalSql positional = toPositionalParameters(sql);
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(handle_, positional.text.c_str(),
                           static_cast<int>(positional.text.size()), &statement,
                           &tail) != SQLITE_OK) {
        fail();
    }
    if (statement == nullptr) {
        throw DbError(SQLITE_MISUSE, "empty statement");
    }
    if (tail != nullptr && std::strspn(tail, " \t\r\n;") != std::strlen(tail)) {
        sqlite3_finalize(statement);
        throw DbError(SQLITE_MISUSE, "one statement at a time: " + std::string(sql));
    }
    inUse = nullptr;
    // The cache is bounded, so that statements built at run time (the restore's inserts, the
    // schema's guards) cannot make it grow without end.
    if (found == cache_.end() &&
        (cache_.size() < kStatementCacheLimit || evictLeastRecentlyUsed())) {
        // Map nodes do not move, so the flag's address stays valid while the entry lives.
        auto entry =
            cache_.emplace(std::string(sql), CachedStatement{statement, true, ++useCounter_});
        inUse = &entry.first->second.inUse;
    }
    return statement;
}

bool Database::evictLeastRecentlyUsed() {
    auto oldest = cache_.end();
    for (auto entry = cache_.begin(); entry != cache_.end(); ++entry) {
        if (!entry->second.inUse &&
            (oldest == cache_.end() || entry->second.lastUse < oldest->second.lastUse)) {
            oldest = entry;
        }
    }
    if (oldest == cache_.end()) {
        return false;
    }
    sqlite3_finalize(oldest->second.statement);
    cache_.erase(oldest);
    return true;
}

void Database::bind(sqlite3_stmt* statement, std::span<const SqlParam> params, bool copy) {
    const int expected = sqlite3_bind_parameter_count(statement);
    if (expected != static_cast<int>(params.size())) {
        throw DbError(SQLITE_RANGE, "the statement takes " + std::to_string(expected) +
                                        " parameters, " + std::to_string(params.size()) +
                                        " were given");
    }
    sqlite3_destructor_type lifetime = copy ? SQLITE_TRANSIENT : SQLITE_STATIC;
    for (int i = 0; i < expected; ++i) {
        const SqlParam& param = params[static_cast<std::size_t>(i)];
        int rc = SQLITE_OK;
        switch (param.kind()) {
            case SqlParam::Kind::Null:
                rc = sqlite3_bind_null(statement, i + 1);
                break;
            case SqlParam::Kind::Integer:
                rc = sqlite3_bind_int64(statement, i + 1, param.integer());
                break;
            case SqlParam::Kind::Real:
                rc = sqlite3_bind_double(statement, i + 1, param.real());
                break;
            case SqlParam::Kind::Text:
                rc = sqlite3_bind_text64(statement, i + 1, param.bytes().data(),
                                         param.bytes().size(), lifetime, SQLITE_UTF8);
                break;
            case SqlParam::Kind::Blob:
                // A zero-length blob still binds as a blob, never as null.
                rc = sqlite3_bind_blob64(statement, i + 1,
                                         param.bytes().empty() ? "" : param.bytes().data(),
                                         param.bytes().size(), lifetime);
                break;
        }
        if (rc != SQLITE_OK) {
            fail();
        }
    }
}

void Database::releaseStatement(sqlite3_stmt* statement, bool* inUse) {
    if (inUse == nullptr) {
        sqlite3_finalize(statement);
        return;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    *inUse = false;
}

void Database::execute(std::string_view sql, std::span<const SqlParam> params) {
    bool* inUse = nullptr;
    sqlite3_stmt* statement = prepare(sql, inUse);
    Rows guard(*this, statement, inUse);
    bind(statement, params, false);
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        rc = sqlite3_step(statement);
    }
    if (rc != SQLITE_DONE) {
        fail();
    }
}

Rows Database::query(std::string_view sql, std::span<const SqlParam> params) {
    bool* inUse = nullptr;
    sqlite3_stmt* statement = prepare(sql, inUse);
    Rows rows(*this, statement, inUse);
    bind(statement, params, true);
    return rows;
}

int Database::changes() const {
    return handle_ != nullptr ? sqlite3_changes(handle_) : 0;
}

bool Database::inTransaction() const {
    return handle_ != nullptr && sqlite3_get_autocommit(handle_) == 0;
}

bool Database::isReadOnly() const {
    return handle_ != nullptr && sqlite3_db_readonly(handle_, "main") == 1;
}

}  // namespace orb
