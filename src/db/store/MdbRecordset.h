// MdbRecordset: a table's open record set in an ".mdb" database. It knows the table's columns as the
// database has them (their positions are the column ordinals) and reads, adds, changes and deletes
// rows by key. Rows cross it as MdbRow values, one per column ordinal; the table moves them between
// the rows and its records.
#pragma once

#include "db/store/FieldVariant.h"
#include "platform/SqliteDatabase.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

class MdbRecordset {
public:
    // Fails (with SQLite's message) when the table cannot be read, for instance when it does not exist.
    static Result<std::unique_ptr<MdbRecordset>> Open(SqliteDatabase& database, const std::string& table);

    const std::vector<std::string>& GetColumnNames() const { return m_columns; }
    // The columns rows are written to, and the one that holds the key.
    void BindColumns(std::vector<int> writtenColumns, int keyColumn);
    // A row of NULLs, as wide as the table.
    MdbRow EmptyRow() const { return MdbRow(m_columns.size()); }

    // Hands every row to `visit` in key order.
    Result<void> ForEachRow(const std::function<void(const MdbRow&)>& visit);
    // Reads the row of a key; false when there is none.
    Result<bool> FindRow(const FieldVariant& key, MdbRow& row);
    Result<void> AddRow(const MdbRow& row);
    // Writes the written columns of the row of `key`; false when there is none.
    Result<bool> UpdateRow(const FieldVariant& key, const MdbRow& row);
    // A key without a row is no failure.
    Result<void> DeleteRow(const FieldVariant& key);
    // Deletes the row of `oldKey` and adds `row`, both or neither.
    Result<void> ReplaceRow(const FieldVariant& oldKey, const MdbRow& row);

private:
    MdbRecordset(SqliteDatabase& database, std::string table, std::vector<std::string> columns);

    // The statement in `slot`, prepared from `sql` on first use.
    Result<SqliteStatement*> Prepared(SqliteStatement& slot, const std::string& sql);
    Result<void> BindRow(SqliteStatement& statement, const MdbRow& row) const;
    void ReadRow(const SqliteStatement& statement, MdbRow& row) const;
    int UpdateKeyParameter() const { return static_cast<int>(m_columns.size()) + 1; }

    SqliteDatabase& m_database;
    std::string m_table;
    std::vector<std::string> m_columns;
    std::vector<int> m_written;
    int m_keyColumn = -1;
    std::string m_findSql;
    std::string m_insertSql;
    std::string m_updateSql;
    std::string m_deleteSql;
    SqliteStatement m_selectAll;
    SqliteStatement m_find;
    SqliteStatement m_insert;
    SqliteStatement m_update;
    SqliteStatement m_delete;
};

}  // namespace varnel
