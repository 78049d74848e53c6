#include "db/store/MdbTableDef.h"

#include "platform/SqliteDatabase.h"

namespace varnel {

std::string SqlTypeOf(const DBFieldDef& field)
{
    switch (field.m_daoType) {
    case DaoByte:
    case DaoShort:
    case DaoLong: return "INTEGER";
    case DaoDate: return "REAL";
    case DaoText: return "TEXT(" + std::to_string(2 * field.m_size) + ")";
    case DaoLongBinary: return "BLOB";
    default: return "";
    }
}

void MdbTableDef::AddColumn(const DBFieldDef& field) { columns.push_back({field.m_name, SqlTypeOf(field)}); }

std::string MdbTableDef::CreateSql() const
{
    // An INTEGER key column that is the primary key is SQLite's row id itself: rows are stored in key
    // order and found by key without a separate index.
    std::string sql = "CREATE TABLE " + SqliteQuoteName(name) + " (";
    for (const MdbColumnDef& column : columns) {
        sql += SqliteQuoteName(column.name);
        if (!column.sqlType.empty()) sql += " " + column.sqlType;
        sql += ", ";
    }
    return sql + "CONSTRAINT \"PrimaryKey\" PRIMARY KEY (" + SqliteQuoteName(keyColumn) + "))";
}

}  // namespace varnel
