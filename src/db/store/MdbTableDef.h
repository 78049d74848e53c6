// MdbTableDef: the definition of a table in an ".mdb" database: its columns with their SQL types and
// the key column, which is the table's primary key under the constraint name "PrimaryKey".
#pragma once

#include "db/store/DBFieldDef.h"

#include <string>
#include <vector>

namespace varnel {

struct MdbColumnDef {
    std::string name;
    std::string sqlType;
};

struct MdbTableDef {
    std::string name;
    std::vector<MdbColumnDef> columns;
    std::string keyColumn;

    bool IsEmpty() const { return name.empty() || columns.empty(); }
    // Adds the column of a catalogue entry, typed as the store keeps that kind of field.
    void AddColumn(const DBFieldDef& field);
    // The statement that creates the table.
    std::string CreateSql() const;
};

// The SQL type of a catalogue entry's column: integers INTEGER, dates REAL (the day count), texts
// TEXT of twice the catalogue size, long binary BLOB.
std::string SqlTypeOf(const DBFieldDef& field);

}  // namespace varnel
