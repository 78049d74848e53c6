// The classes of the PLU database's tables, registered by table number. The PLU layer registers its
// PLU and price-zone tables itself; each subsystem above it that builds tables (src/scaledata: the
// messages, campaigns, nutrition ...) registers its tables once at start-up, before any database is
// made, together with what the PLU records read of them (the companion data). CPluDatabase makes a
// registered number's table from its factory and keeps any other number it has in a placeholder, so a
// new table plugs in by registering alone.
#pragma once

#include "db/plu/PluCompanionData.h"
#include "db/site/TableRoles.h"
#include "db/store/ObjDBTable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace varnel {

class CObjDatabase;

using PluTableFactory = std::function<std::unique_ptr<CObjDBTable>(std::uint16_t tableNo, CObjDatabase* database)>;
using PluCompanionFactory = std::function<std::unique_ptr<IPluCompanionData>(const CObjDatabase& database)>;

// Registers the PLU layer's own tables (the PLU table and its price zones), which read the site and
// queue their sends through the roles given; these must outlive every table made afterwards. Called
// once at start-up, before any database is made: until then a database has no PLU table.
void RegisterPluTables(const TableRoles& roles);
// The roles RegisterPluTables was given, for the database's tables of no registered class; none
// before it is called.
std::optional<TableRoles> RegisteredPluTableRoles();
// Registers the class of a table number (1 to CPluDatabase::kHighestTableNo); registering a number
// again replaces its class, and registering none takes it away.
void RegisterPluTable(std::uint16_t tableNo, PluTableFactory make);
// Registers what the PLU records read of the other tables; registering again replaces it.
void RegisterPluCompanionData(PluCompanionFactory make);

bool IsPluTableRegistered(std::uint16_t tableNo);
// The table of a registered number; null for a number nobody registered.
std::unique_ptr<CObjDBTable> MakeRegisteredPluTable(std::uint16_t tableNo, CObjDatabase* database);
// The registered companion data of a database; null when none is registered.
std::unique_ptr<IPluCompanionData> MakeRegisteredPluCompanionData(const CObjDatabase& database);

// The factory of a table class constructed as (table number, database, name, extra...).
template <class Table, class... Extra>
PluTableFactory MakesTable(std::string name, Extra... extra)
{
    return [name = std::move(name), extra...](std::uint16_t tableNo, CObjDatabase* database) {
        return std::unique_ptr<CObjDBTable>(std::make_unique<Table>(tableNo, database, name, extra...));
    };
}

}  // namespace varnel
