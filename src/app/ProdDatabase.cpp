#include "app/ProdDatabase.h"

#include "db/plu/UnbuiltTable.h"

namespace varnel {

std::string GetProdDatabaseName(const std::string& pluDatabasePath)
{
    const std::size_t slash = pluDatabasePath.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = pluDatabasePath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return pluDatabasePath + "Prod.pld";
    return pluDatabasePath.substr(0, dot) + "Prod" + pluDatabasePath.substr(dot);
}

CBasicProdDatabase::CBasicProdDatabase(IFileSystem& fs) : CObjDatabase(kTableCount, fs)
{
    SetFileVersion(kVersion);
}

std::unique_ptr<CObjDBTable> CBasicProdDatabase::CreateTable(std::uint16_t tableNo)
{
    if (tableNo < 1 || tableNo > kTableCount) return nullptr;
    return std::make_unique<CUnbuiltPlainTb>(tableNo, this);
}

bool CBasicProdDatabase::Open(const std::string& path)
{
    if (!FileSystem().Exists(path)) {
        for (std::uint16_t tableNo = 1; tableNo <= kTableCount; ++tableNo) (void)GetOrCreateTable(tableNo);
        if (!Create(path)) return false;
    }
    return CObjDatabase::Open(path);
}

void CBasicProdDatabase::ConvertOldRecords()
{
    for (std::uint16_t tableNo = 1; tableNo <= kTableCount; ++tableNo)
        if (CObjDBTable* table = GetTable(tableNo))
            for (const auto& entry : table->GetIndex()) entry.record->ConvertOldLayout();
}

CObjDBTable* CBasicProdDatabase::GetProdTable(std::uint16_t tableNo)
{
    if (tableNo < 1 || tableNo > kTableCount) return nullptr;
    return GetOrCreateTable(tableNo);
}

void CBasicProdDatabase::SetRetention(std::uint16_t tableNo, std::uint32_t days, std::uint8_t selector)
{
    if (tableNo >= 1 && tableNo <= kTableCount) m_retention[tableNo - 1u] = {days, selector};
}

bool CBasicProdDatabase::EmptyTable(std::uint16_t tableNo)
{
    CObjDBTable* table = GetProdTable(tableNo);
    if (!table) return false;
    while (table->GetRecordCount() > 0) {
        std::uint32_t key = 0;
        if (!table->DeleteRecord(table->GetRecordAt(0, key))) return false;
    }
    return true;
}

bool CBasicProdDatabase::ParseScaleRecord(std::uint16_t, const CLinkScaleSettings&, std::span<const std::uint8_t>)
{
    // The totals layouts belong to the production tables, which are not built: nothing is taken, so
    // the scale keeps its totals.
    return false;
}

}  // namespace varnel
