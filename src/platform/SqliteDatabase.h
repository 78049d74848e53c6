// A small RAII layer over SQLite, which keeps the ".mdb" databases: a connection, prepared statements
// with typed binds and column reads, and savepoints. Every failure carries SQLite's own message, so the
// store can hand it on as its last error text.
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace varnel {

enum class SqliteOpen {
    ReadOnly,
    ReadWrite,  // an existing database
    Create      // created when absent
};

enum class SqliteType { Integer, Float, Text, Blob, Null };

// A name quoted for SQL: "name", with any '"' doubled.
std::string SqliteQuoteName(std::string_view name);

class SqliteStatement {
public:
    SqliteStatement() = default;
    explicit SqliteStatement(sqlite3_stmt* statement) : m_statement(statement) {}
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    bool IsPrepared() const { return m_statement != nullptr; }

    // Parameters count from 1.
    Result<void> BindNull(int index);
    Result<void> BindInt(int index, std::int64_t value);
    Result<void> BindDouble(int index, double value);
    Result<void> BindText(int index, std::string_view text);
    Result<void> BindBlob(int index, std::span<const std::uint8_t> bytes);

    // Runs to the next row: true when a row is ready, false when the statement has finished.
    Result<bool> Step();
    // Makes the statement ready to run again with no parameters bound. A statement is reset after
    // use so that it holds no lock and no snapshot between uses.
    void Reset();

    // Columns count from 0. Text and blob views stay valid until the next step or reset.
    int ColumnCount() const;
    std::string ColumnName(int column) const;
    SqliteType ColumnType(int column) const;
    std::int64_t ColumnInt(int column) const;
    double ColumnDouble(int column) const;
    std::string_view ColumnText(int column) const;
    std::span<const std::uint8_t> ColumnBlob(int column) const;

private:
    Result<void> Checked(int code) const;

    sqlite3_stmt* m_statement = nullptr;
};

class SqliteDatabase {
public:
    SqliteDatabase() = default;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase();

    Result<void> Open(const std::string& path, SqliteOpen mode);
    // Statements still prepared on the connection keep it alive until they are finalised.
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs one or more statements that return nothing of interest.
    Result<void> Exec(const std::string& sql);
    Result<SqliteStatement> Prepare(std::string_view sql);
    // How long a statement waits for another connection's lock before it fails as busy; 0 fails at once.
    void SetBusyTimeout(int milliseconds);
    // The largest text, blob or row a statement may make or read; a larger one fails the statement.
    void SetLengthLimit(int bytes);
    // Rows changed by the last insert, update or delete that finished.
    std::int64_t Changes() const;
    // Whether a transaction is open on the connection. SQLite ends one by itself after some failures
    // (a full disk, an I/O error), after which statements would commit one by one.
    bool InTransaction() const;

private:
    sqlite3* m_db = nullptr;
};

// A savepoint: the changes made while it lives are kept by Release and undone otherwise. Outside a
// transaction it begins one, so many changes commit together.
class SqliteSavepoint {
public:
    explicit SqliteSavepoint(SqliteDatabase& database);
    SqliteSavepoint(const SqliteSavepoint&) = delete;
    SqliteSavepoint& operator=(const SqliteSavepoint&) = delete;
    ~SqliteSavepoint();

    // Whether the savepoint was taken.
    const Result<void>& Begun() const { return m_begun; }
    Result<void> Release();

private:
    SqliteDatabase& m_database;
    Result<void> m_begun;
    bool m_open = false;
};

}  // namespace varnel
