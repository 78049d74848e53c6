#include "db/store/MdbSchemaCheck.h"

#include "platform/SqliteDatabase.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

enum class Affinity { Integer, Text, Blob, Real, Numeric };

// SQLite's affinity of a declared column type, by its rules: INT, then CHAR/CLOB/TEXT, then BLOB or
// nothing, then REAL/FLOA/DOUB; anything else is NUMERIC.
Affinity AffinityOf(std::string declared)
{
    std::ranges::transform(declared, declared.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto has = [&declared](std::string_view part) { return declared.find(part) != std::string::npos; };
    if (has("INT")) return Affinity::Integer;
    if (has("CHAR") || has("CLOB") || has("TEXT")) return Affinity::Text;
    if (has("BLOB") || declared.empty()) return Affinity::Blob;
    if (has("REAL") || has("FLOA") || has("DOUB")) return Affinity::Real;
    return Affinity::Numeric;
}

bool HasFieldType(const DBFieldDef& field, Affinity affinity)
{
    switch (field.m_daoType) {
    case DaoByte:
    case DaoShort:
    case DaoLong: return affinity == Affinity::Integer;
    case DaoDate: return affinity == Affinity::Real || affinity == Affinity::Numeric;
    case DaoText: return affinity == Affinity::Text;
    case DaoLongBinary: return affinity == Affinity::Blob;
    default: return false;
    }
}

Error Refused(const std::string& table, const std::string& why)
{
    return MakeError(Errc::Corrupt, "The database's \"" + table + "\" cannot be read: " + why + ".");
}

}  // namespace

Result<void> CheckMdbTableShape(SqliteDatabase& database, const std::string& table,
                                const std::function<const DBFieldDef*(const std::string& column)>& fieldOf)
{
    auto kind = database.Prepare("SELECT type, sql FROM sqlite_master WHERE name = ?1 COLLATE NOCASE");
    if (!kind) return kind.GetError();
    if (auto bound = kind->BindText(1, table); !bound) return bound;
    auto found = kind->Step();
    if (!found) return found.GetError();
    if (!*found) return MakeError(Errc::NotFound, "no such table: " + table);
    if (kind->ColumnText(0) != "table") return Refused(table, "it is a " + std::string(kind->ColumnText(0)) + ", not a table");
    std::string sql(kind->ColumnText(1));
    std::ranges::transform(sql, sql.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (sql.starts_with("CREATE VIRTUAL")) return Refused(table, "it is a virtual table");

    // table_xinfo lists generated columns too (hidden 2 or 3); reading the list runs nothing of the file.
    auto columns = database.Prepare("SELECT name, type, hidden FROM pragma_table_xinfo(?1)");
    if (!columns) return columns.GetError();
    if (auto bound = columns->BindText(1, table); !bound) return bound;
    for (;;) {
        auto row = columns->Step();
        if (!row) return row.GetError();
        if (!*row) return {};
        const std::string name(columns->ColumnText(0));
        if (columns->ColumnInt(2) != 0) return Refused(table, "its column \"" + name + "\" is computed");
        const DBFieldDef* field = fieldOf(name);
        if (field && !HasFieldType(*field, AffinityOf(std::string(columns->ColumnText(1)))))
            return Refused(table, "its column \"" + name + "\" has the type " + std::string(columns->ColumnText(1)));
    }
}

}  // namespace varnel
