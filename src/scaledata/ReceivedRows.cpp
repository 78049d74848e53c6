#include "scaledata/ReceivedRows.h"

#include "db/plu/DBComTb.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/store/MdbTableDef.h"
#include "db/store/ObjDatabase.h"

#include <algorithm>
#include <string>

namespace varnel {

bool IsInactivePlu(const CObjDBTable& table, std::uint32_t pluNumber)
{
    constexpr std::int32_t kCtrlFlagInactive = 1;
    const CObjDatabase* database = table.GetDatabase();
    const auto* plus = database ? dynamic_cast<const CPluDefTb*>(database->GetTable(CPluDefTb::kTableNo)) : nullptr;
    const auto* plu = plus ? dynamic_cast<const CPluDefRec*>(plus->FindRecord(pluNumber)) : nullptr;
    return plu && (plu->Get(PluCol::CtrlFlag) & kCtrlFlagInactive) != 0;
}

void AddColumns(CObjDBTable& table, std::span<const ColumnDef> columns)
{
    for (const ColumnDef& column : columns)
        table.AddField(std::string(column.name), column.daoType, column.size, column.offset, column.fieldNo);
}

void DeclareTextWidth(const CObjDBTable& table, MdbTableDef& definition, std::string_view column,
                      std::uint16_t width)
{
    const std::vector<DBFieldDef>& fields = table.GetFields();
    const auto field = std::ranges::find(fields, column, &DBFieldDef::m_name);
    if (field == fields.end()) return;
    DBFieldDef declared;
    CopyFieldDef(declared, *field);
    declared.m_size = width;
    for (MdbColumnDef& entry : definition.columns)
        if (entry.name == column) entry.sqlType = SqlTypeOf(declared);
}

std::vector<char> CsvTextOf(std::span<const std::uint8_t> data)
{
    std::vector<char> text(data.begin(), data.end());
    text.push_back('\0');
    return text;
}

bool StoreReceivedNumber(CDBComTb& table, std::optional<std::uint32_t> number,
                         const std::function<std::uint16_t(CDBRecord&)>& fill, bool keepExisting, bool outside)
{
    if (!number) return false;
    if (*number < table.GetMinKey() || *number > table.GetMaxKey()) return outside;
    return StoreReceivedRow(table, *number, fill, keepExisting);
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
