#include "scaledata/ReceivedRows.h"

#include <string>

namespace varnel {

void AddColumns(CObjDBTable& table, std::span<const ColumnDef> columns)
{
    for (const ColumnDef& column : columns)
        table.AddField(std::string(column.name), column.daoType, column.size, column.offset, column.fieldNo);
}

bool StoreReceivedRow(CObjDBTable& table, std::uint32_t key, const std::function<std::uint16_t(CDBRecord&)>& fill,
                      bool keepExisting)
{
    if (CDBRecord* present = table.GetRecord(key)) {
        if (keepExisting) return true;
        const std::uint16_t size = fill(*present);
        return table.UpdateRecord(present, size);
    }
    std::unique_ptr<CDBRecord> made = table.CreateRecord(0);
    if (!made) return false;
    const std::uint16_t size = fill(*made);
    return table.AddRecord(key, size, std::move(made));
}

}  // namespace varnel
