#include "db/store/MdbRecordset.h"

#include <cstdint>
#include <type_traits>

namespace varnel {
namespace {

// Leaves a statement reset however its use ends: a statement left running would hold its lock on
// the database and keep other connections' changes out of view.
class ResetOnExit {
public:
    explicit ResetOnExit(SqliteStatement& statement) : m_statement(statement) {}
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;
    ~ResetOnExit() { m_statement.Reset(); }

private:
    SqliteStatement& m_statement;
};

Result<void> BindValue(SqliteStatement& statement, int index, const FieldVariant& value)
{
    return std::visit(
        [&](const auto& v) -> Result<void> {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_integral_v<V>) {
                return statement.BindInt(index, v);
            } else if constexpr (std::is_same_v<V, COleDateTime>) {
                if (v.status != DateTimeStatus::Valid) return statement.BindNull(index);
                return statement.BindDouble(index, v.value);
            } else if constexpr (std::is_same_v<V, std::string>) {
                return statement.BindText(index, v);
            } else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) {
                return statement.BindBlob(index, v);
            } else {
                return statement.BindNull(index);
            }
        },
        value);
}

FieldVariant ColumnValue(const SqliteStatement& statement, int column)
{
    switch (statement.ColumnType(column)) {
    case SqliteType::Integer: {
        // No field holds more than 32 bits: keys and longs above 2^31 are stored either way round, and
        // a larger number is no value of a field, never one cut to another.
        const std::int64_t value = statement.ColumnInt(column);
        if (value < INT32_MIN || value > UINT32_MAX) return {};
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    case SqliteType::Float: return COleDateTime{statement.ColumnDouble(column), DateTimeStatus::Valid};
    case SqliteType::Text: return std::string(statement.ColumnText(column));
    case SqliteType::Blob: {
        const auto bytes = statement.ColumnBlob(column);
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }
    case SqliteType::Null: break;
    }
    return {};
}

std::string Parameter(int number)
{
    std::string parameter = "?";
    parameter += std::to_string(number);
    return parameter;
}

}  // namespace

MdbRecordset::MdbRecordset(SqliteDatabase& database, std::string table, std::vector<std::string> columns)
    : m_database(database), m_table(std::move(table)), m_columns(std::move(columns))
{
}

Result<std::unique_ptr<MdbRecordset>> MdbRecordset::Open(SqliteDatabase& database, const std::string& table)
{
    auto selectAll = database.Prepare("SELECT * FROM " + SqliteQuoteName(table));
    if (!selectAll) return selectAll.GetError();
    std::vector<std::string> columns;
    for (int column = 0; column < selectAll->ColumnCount(); ++column) columns.push_back(selectAll->ColumnName(column));
    std::unique_ptr<MdbRecordset> recordset(new MdbRecordset(database, table, std::move(columns)));
    recordset->m_selectAll = std::move(*selectAll);
    return recordset;
}

void MdbRecordset::BindColumns(std::vector<int> writtenColumns, int keyColumn)
{
    m_written = std::move(writtenColumns);
    m_keyColumn = keyColumn;
    m_find = SqliteStatement();
    m_insert = SqliteStatement();
    m_update = SqliteStatement();
    m_delete = SqliteStatement();

    // Parameters are numbered by column ordinal + 1, so one row binds alike into the insert and the
    // update; the update's key comes after every column.
    const std::string table = SqliteQuoteName(m_table);
    const std::string keyIs = " WHERE " + SqliteQuoteName(m_columns.at(keyColumn)) + " = ";
    std::string names;
    std::string values;
    std::string assignments;
    for (int column : m_written) {
        const std::string separator = names.empty() ? "" : ", ";
        names += separator + SqliteQuoteName(m_columns.at(column));
        values += separator + Parameter(column + 1);
        assignments += separator + SqliteQuoteName(m_columns.at(column)) + " = " + Parameter(column + 1);
    }
    m_findSql = "SELECT * FROM " + table + keyIs + Parameter(1);
    m_insertSql = "INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")";
    m_updateSql = "UPDATE " + table + " SET " + assignments + keyIs + Parameter(UpdateKeyParameter());
    m_deleteSql = "DELETE FROM " + table + keyIs + Parameter(1);
}

Result<SqliteStatement*> MdbRecordset::Prepared(SqliteStatement& slot, const std::string& sql)
{
    if (!slot.IsPrepared()) {
        auto prepared = m_database.Prepare(sql);
        if (!prepared) return prepared.GetError();
        slot = std::move(*prepared);
    }
    return &slot;
}

Result<void> MdbRecordset::BindRow(SqliteStatement& statement, const MdbRow& row) const
{
    for (int column : m_written)
        if (auto bound = BindValue(statement, column + 1, row.at(column)); !bound) return bound;
    return {};
}

void MdbRecordset::ReadRow(const SqliteStatement& statement, MdbRow& row) const
{
    row.assign(m_columns.size(), FieldVariant{});
    const int columns = std::min<int>(statement.ColumnCount(), static_cast<int>(m_columns.size()));
    for (int column = 0; column < columns; ++column) row[column] = ColumnValue(statement, column);
}

Result<void> MdbRecordset::ForEachRow(const std::function<void(const MdbRow&)>& visit)
{
    ResetOnExit reset(m_selectAll);
    MdbRow row;
    for (;;) {
        auto stepped = m_selectAll.Step();
        if (!stepped) return stepped.GetError();
        if (!*stepped) return {};
        ReadRow(m_selectAll, row);
        visit(row);
    }
}

Result<bool> MdbRecordset::FindRow(const FieldVariant& key, MdbRow& row)
{
    auto find = Prepared(m_find, m_findSql);
    if (!find) return find.GetError();
    SqliteStatement& statement = **find;
    ResetOnExit reset(statement);
    if (auto bound = BindValue(statement, 1, key); !bound) return bound.GetError();
    auto stepped = statement.Step();
    if (!stepped) return stepped.GetError();
    if (*stepped) ReadRow(statement, row);
    return *stepped;
}

Result<void> MdbRecordset::AddRow(const MdbRow& row)
{
    auto insert = Prepared(m_insert, m_insertSql);
    if (!insert) return insert.GetError();
    SqliteStatement& statement = **insert;
    ResetOnExit reset(statement);
    if (auto bound = BindRow(statement, row); !bound) return bound;
    if (auto stepped = statement.Step(); !stepped) return stepped.GetError();
    return {};
}

Result<bool> MdbRecordset::UpdateRow(const FieldVariant& key, const MdbRow& row)
{
    auto update = Prepared(m_update, m_updateSql);
    if (!update) return update.GetError();
    SqliteStatement& statement = **update;
    ResetOnExit reset(statement);
    if (auto bound = BindRow(statement, row); !bound) return bound.GetError();
    if (auto bound = BindValue(statement, UpdateKeyParameter(), key); !bound) return bound.GetError();
    if (auto stepped = statement.Step(); !stepped) return stepped.GetError();
    return m_database.Changes() > 0;
}

Result<void> MdbRecordset::DeleteRow(const FieldVariant& key)
{
    auto erase = Prepared(m_delete, m_deleteSql);
    if (!erase) return erase.GetError();
    SqliteStatement& statement = **erase;
    ResetOnExit reset(statement);
    if (auto bound = BindValue(statement, 1, key); !bound) return bound;
    if (auto stepped = statement.Step(); !stepped) return stepped.GetError();
    return {};
}

Result<void> MdbRecordset::ReplaceRow(const FieldVariant& oldKey, const MdbRow& row)
{
    SqliteSavepoint savepoint(m_database);
    if (!savepoint.Begun()) return savepoint.Begun();
    if (auto deleted = DeleteRow(oldKey); !deleted) return deleted;
    if (auto added = AddRow(row); !added) return added;
    return savepoint.Release();
}

}  // namespace varnel
