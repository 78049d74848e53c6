#include "platform/SqliteDatabase.h"

#include <sqlite3.h>

#include <utility>

namespace varnel {
namespace {

Errc ErrcOf(int code)
{
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return Errc::Refused;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return Errc::Corrupt;
    case SQLITE_FULL: return Errc::DiskFull;
    case SQLITE_CANTOPEN: return Errc::NotFound;
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_ERROR: return Errc::Invalid;
    default: return Errc::Io;
    }
}

// The connection's message for its last failure; SQLite's generic text for `code` when there is no connection.
Error SqliteError(sqlite3* db, int code, SourceLocation where = SourceLocation::Current())
{
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return MakeError(ErrcOf(code), message ? message : "unknown SQLite error", 0, where);
}

int OpenFlags(SqliteOpen mode)
{
    switch (mode) {
    case SqliteOpen::ReadOnly: return SQLITE_OPEN_READONLY;
    case SqliteOpen::ReadWrite: return SQLITE_OPEN_READWRITE;
    case SqliteOpen::Create: return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    return SQLITE_OPEN_READONLY;
}

}  // namespace

std::string SqliteQuoteName(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_statement); }

Result<void> SqliteStatement::Checked(int code) const
{
    if (code == SQLITE_OK) return {};
    return SqliteError(sqlite3_db_handle(m_statement), code);
}

Result<void> SqliteStatement::BindNull(int index) { return Checked(sqlite3_bind_null(m_statement, index)); }

Result<void> SqliteStatement::BindInt(int index, std::int64_t value)
{
    return Checked(sqlite3_bind_int64(m_statement, index, value));
}

Result<void> SqliteStatement::BindDouble(int index, double value)
{
    return Checked(sqlite3_bind_double(m_statement, index, value));
}

Result<void> SqliteStatement::BindText(int index, std::string_view text)
{
    // Bytes in the store's code page go in as they are; SQLite copies them.
    return Checked(sqlite3_bind_text64(m_statement, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

Result<void> SqliteStatement::BindBlob(int index, std::span<const std::uint8_t> bytes)
{
    // A zero-length blob is bound as one, not as NULL: SQLite takes a null pointer for NULL.
    static const std::uint8_t kNone = 0;
    return Checked(sqlite3_bind_blob64(m_statement, index, bytes.empty() ? &kNone : bytes.data(), bytes.size(),
                                       SQLITE_TRANSIENT));
}

Result<bool> SqliteStatement::Step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    return SqliteError(sqlite3_db_handle(m_statement), code);
}

void SqliteStatement::Reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(m_statement); }

std::string SqliteStatement::ColumnName(int column) const
{
    const char* name = sqlite3_column_name(m_statement, column);
    return name ? name : "";
}

SqliteType SqliteStatement::ColumnType(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER: return SqliteType::Integer;
    case SQLITE_FLOAT: return SqliteType::Float;
    case SQLITE_TEXT: return SqliteType::Text;
    case SQLITE_BLOB: return SqliteType::Blob;
    default: return SqliteType::Null;
    }
}

std::int64_t SqliteStatement::ColumnInt(int column) const { return sqlite3_column_int64(m_statement, column); }

double SqliteStatement::ColumnDouble(int column) const { return sqlite3_column_double(m_statement, column); }

std::string_view SqliteStatement::ColumnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return text ? std::string_view(text, static_cast<std::size_t>(size)) : std::string_view{};
}

std::span<const std::uint8_t> SqliteStatement::ColumnBlob(int column) const
{
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return bytes ? std::span(bytes, static_cast<std::size_t>(size)) : std::span<const std::uint8_t>{};
}

SqliteDatabase::~SqliteDatabase() { Close(); }

Result<void> SqliteDatabase::Open(const std::string& path, SqliteOpen mode)
{
    Close();
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &db, OpenFlags(mode), nullptr);
    if (code != SQLITE_OK) {
        Error error = SqliteError(db, code);
        sqlite3_close_v2(db);
        return error;
    }
    sqlite3_extended_result_codes(db, 1);
    m_db = db;
    return {};
}

void SqliteDatabase::Close()
{
    sqlite3_close_v2(std::exchange(m_db, nullptr));
}

Result<void> SqliteDatabase::Exec(const std::string& sql)
{
    const int code = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) return SqliteError(m_db, code);
    return {};
}

Result<SqliteStatement> SqliteDatabase::Prepare(std::string_view sql)
{
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (code != SQLITE_OK) return SqliteError(m_db, code);
    return SqliteStatement(statement);
}

void SqliteDatabase::SetBusyTimeout(int milliseconds) { sqlite3_busy_timeout(m_db, milliseconds); }

void SqliteDatabase::SetLengthLimit(int bytes) { sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, bytes); }

std::int64_t SqliteDatabase::Changes() const { return sqlite3_changes64(m_db); }

bool SqliteDatabase::InTransaction() const { return m_db && sqlite3_get_autocommit(m_db) == 0; }

SqliteSavepoint::SqliteSavepoint(SqliteDatabase& database)
    : m_database(database), m_begun(database.Exec("SAVEPOINT varnel"))
{
    m_open = m_begun.HasValue();
}

SqliteSavepoint::~SqliteSavepoint()
{
    if (m_open) (void)m_database.Exec("ROLLBACK TO varnel; RELEASE varnel");
}

Result<void> SqliteSavepoint::Release()
{
    if (!m_open) return m_begun;
    auto released = m_database.Exec("RELEASE varnel");
    if (released) m_open = false;
    return released;
}

}  // namespace varnel
