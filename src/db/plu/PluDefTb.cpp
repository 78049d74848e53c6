#include "db/plu/PluDefTb.h"


#include <cassert>
#include <set>

namespace varnel {

CPluDefTb::CPluDefTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const TableRoles& roles)
    : CDBComTb(tableNo, database, std::move(name), roles)
{
}

std::unique_ptr<CDBRecord> CPluDefTb::CreateRecord(std::size_t size)
{
    if (size > kPluDataRoom) return nullptr;
    return std::make_unique<CPluDefRec>(size);
}

std::unique_ptr<CDBRecord> CPluDefTb::CreateLoadedRecord(std::span<const std::uint8_t> data, RowArena& arena)
{
    if (data.size() > kPluDataRoom) return nullptr;
    return std::unique_ptr<CDBRecord>(new (arena) CPluDefRec(data, arena));
}

void CPluDefTb::BindColumns()
{
    for (const ColumnDef& column : kPluColumns)
        AddField(std::string(column.name), column.daoType, column.size, column.offset, column.fieldNo);
}

std::uint32_t CPluDefTb::GetMaxKey() const { return GetRoles().Setup().m_maxPluNo; }

std::optional<std::string_view> CPluDefTb::GetDescText(const CDBRecord& record) const
{
    const auto* row = dynamic_cast<const CPluDefRec*>(&record);
    return row ? std::optional(row->GetDesc()) : std::nullopt;
}

CPluDefRec* CPluDefTb::FindPlu(std::uint32_t pluNumber) { return dynamic_cast<CPluDefRec*>(GetRecord(pluNumber)); }

bool CPluDefTb::AddPlu(std::uint32_t pluNumber, std::uint16_t size, std::unique_ptr<CPluDefRec> row)
{
    if (!row) return false;
    if (!CheckPluAllowed(pluNumber)) return false;
    row->Set(PluCol::PluNo1, static_cast<std::int32_t>(pluNumber));
    const BuildLock lock = LockRecordBuild();
    return AddRecord(pluNumber, size, std::move(row));
}

bool CPluDefTb::UpdatePlu(CPluDefRec& row, std::uint16_t size)
{
    if (!CheckPluAllowed(row.GetKey())) return false;
    const BuildLock lock = LockRecordBuild();
    return UpdateRecord(&row, size);
}

bool CPluDefTb::FindFreePluNo(std::uint32_t& pluNumber, std::uint32_t low, std::uint32_t high) const
{
    // Each round moves past an excluded range or wraps to `low` once; a key seen again means the
    // search has gone round.
    std::set<std::uint32_t> seen;
    std::uint32_t candidate = pluNumber;
    for (;;) {
        std::uint32_t key = GetRoles().rules.NextAllowedPluNumber(candidate);
        if (key == 0 || !FindFreeKey(key, low, high)) return false;  // 0: excluded up to the last number
        if (GetRoles().rules.NextAllowedPluNumber(key) == key) {
            pluNumber = key;
            return true;
        }
        if (!seen.insert(key).second) return false;
        candidate = key;
    }
}

void CPluDefTb::RememberPluValue(std::uint32_t pluNumber, std::uint32_t department)
{
    if (GetRoles().Setup().m_orlanComms == 0) return;
    for (auto& [number, remembered] : m_remembered)
        if (number == pluNumber) {
            remembered = department;
            return;
        }
    m_remembered.emplace_back(pluNumber, department);
}

void CPluDefTb::LogSendFailedRange(const std::function<void(const CPluDefRec&)>& writeLine, KeyCursor& first,
                                   std::uint32_t last)
{
    while (const CDBRecord* record = GetNextRecord(first)) {
        if (record->GetKey() > last) return;
        if (const auto* row = dynamic_cast<const CPluDefRec*>(record)) writeLine(*row);
    }
}

BuildScratch& CPluDefTb::GetScratch(const BuildLock& lock)
{
    assert(HoldsBuildLock(lock));
    return lock.Scratch() != nullptr ? *lock.Scratch() : m_scratch;
}

CPluDefTb::CurrentScale::CurrentScale(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale)
    : m_scratch(table.GetScratch(lock))
{
    m_scratch.addOneDay = scale.m_addOneDay;
    m_scratch.priceZone = scale.m_priceZone;
}

CPluDefTb::CurrentScale::~CurrentScale()
{
    m_scratch.addOneDay = 0;
    m_scratch.priceZone = 0;
}

}  // namespace varnel
