// The tables of the PLU database whose classes this subsystem builds, and what the PLU records read
// of them (the extra-message and ingredient texts).
#pragma once

#include "db/plu/PluCompanionData.h"
#include "db/store/ObjDBTable.h"

#include <cstdint>
#include <memory>

namespace varnel {

class CObjDatabase;

// The table of the number; null for a number whose class is not built here.
std::unique_ptr<CObjDBTable> CreateScaleDataTable(std::uint16_t tableNo, CObjDatabase* database);
// The texts of the database's extra-message and ingredients tables, read when asked.
std::unique_ptr<IPluCompanionData> CreateScaleDataCompanions(const CObjDatabase& database);

// Makes the PLU database use both; called once at start-up, before any database is made.
void RegisterScaleDataTables();

}  // namespace varnel
