// The check an ".mdb" file's tables pass before anything is read from them. A database file comes
// from outside: a "table" of it may be a view (a recursive one never ends and grows without bound),
// a virtual table run by code of its own, or a table whose generated columns compute values on every
// read. Only plain tables are read, and only when the columns the catalogue binds have the types
// this system gives such fields.
#pragma once

#include "db/store/DBFieldDef.h"
#include "platform/Result.h"

#include <functional>
#include <string>

namespace varnel {

class SqliteDatabase;

// The largest value a read of an ".mdb" table may take: a record is at most 65,535 bytes, so a
// larger text or blob is hostile, and reading it would only fill memory.
constexpr int kMdbValueLimit = 1 << 20;

// Whether `table` is a plain table of the database whose columns, each named to the catalogue entry
// `fieldOf` finds for it (none for a column the catalogue does not know), have their entry's type; an
// error saying what is wrong otherwise. A missing table fails as the read of it would.
Result<void> CheckMdbTableShape(SqliteDatabase& database, const std::string& table,
                                const std::function<const DBFieldDef*(const std::string& column)>& fieldOf);

}  // namespace varnel
