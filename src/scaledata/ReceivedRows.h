// What the scale-data tables share around their rows: the catalogue from a column table, the storing
// of a row made from a received record or file record, and the state of the PLU a row belongs to.
#pragma once

#include "db/store/ColumnLayout.h"
#include "db/store/ObjDBTable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace varnel {

class CDBComTb;
struct MdbTableDef;

// Whether the PLU of that number in the table's database is marked inactive (bit 0 of its control
// flags), which keeps its records off the scales while the active/inactive function is on.
bool IsInactivePlu(const CObjDBTable& table, std::uint32_t pluNumber);

// One AddField per column, in order.
void AddColumns(CObjDBTable& table, std::span<const ColumnDef> columns);
// Declares the table's ".mdb" column of a text as `width` wide, where its row holds less or more of it:
// the column's catalogue entry at that width.
void DeclareTextWidth(const CObjDBTable& table, MdbTableDef& definition, std::string_view column,
                      std::uint16_t width);

// A received comma-separated record as text to read in place: its bytes and a 0 byte after them.
std::vector<char> CsvTextOf(std::span<const std::uint8_t> data);

// The row of the key, or a new one from the table's CreateRecord, is given to `fill`, which changes
// it and returns the size to store it with; then the row is updated or added. With `keepExisting`
// a row the table holds is left as it is (true). False when no row can be made or stored.
bool StoreReceivedRow(CObjDBTable& table, std::uint32_t key, const std::function<std::uint16_t(CDBRecord&)>& fill,
                      bool keepExisting = false);
// The same for a record whose number was read (none: false): a number outside the table's keys is
// passed over, giving `outside` (true, or false where the record form counts it an error).
bool StoreReceivedNumber(CDBComTb& table, std::optional<std::uint32_t> number,
                         const std::function<std::uint16_t(CDBRecord&)>& fill, bool keepExisting = false,
                         bool outside = true);

}  // namespace varnel
