#include "db/plu/PluPriceZoneTb.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "db/store/ObjDatabase.h"
#include "db/plu/PluFieldAccess.h"

#include <algorithm>

namespace varnel {

bool IsPriceZoneField(const FieldDefSet& fields, std::uint16_t fieldNo)
{
    const std::span<const std::uint16_t> zoneFields = fields.PriceZoneFields();
    return std::ranges::find(zoneFields, fieldNo) != zoneFields.end();
}

CPluPriceZoneTb::CPluPriceZoneTb(std::uint16_t tableNo, CObjDatabase* database, std::string name,
                                 const TableRoles& roles)
    : CObjDBTable(tableNo, database, std::move(name)), m_roles(roles)
{
}

void CPluPriceZoneTb::BeginRowChange()
{
    const auto* plus = GetDatabase() ? dynamic_cast<const CDBComTb*>(GetDatabase()->GetTable(CPluDefTb::kTableNo)) : nullptr;
    m_pluTableHolds.Push(plus ? plus->LockRecordBuild() : BuildLock());
}

std::unique_ptr<CDBRecord> CPluPriceZoneTb::CreateRecord(std::size_t size)
{
    if (size > CPluPriceZoneRec::kDataSize) return nullptr;
    return std::make_unique<CPluPriceZoneRec>();
}

void CPluPriceZoneTb::BindColumns()
{
    for (const ColumnDef& column : kPriceZoneColumns)
        AddField(std::string(column.name), column.daoType, column.size, column.offset, column.fieldNo);
}

std::vector<CPluPriceZoneRec*> CPluPriceZoneTb::GetPluRows(std::uint32_t pluNumber, bool fromIndex)
{
    std::vector<CPluPriceZoneRec*> rows;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::vector<std::uint32_t> keys = m_rowMap.GetRowKeys(GetIndex(), pluNumber);
        rows.clear();
        for (const std::uint32_t key : keys) {
            auto* row = dynamic_cast<CPluPriceZoneRec*>(fromIndex ? FindRecord(key) : GetRecord(key));
            if (!row || row->GetPluNumber() != pluNumber) break;
            rows.push_back(row);
        }
        if (rows.size() == keys.size()) return rows;
        // A row read again from the database names another PLU now.
        m_rowMap.Invalidate();
    }
    return rows;
}

std::uint32_t CPluPriceZoneTb::FindRowKey(std::uint32_t pluNumber, std::size_t n)
{
    const std::vector<std::uint32_t> keys = m_rowMap.GetRowKeys(GetIndex(), pluNumber);
    return n < keys.size() ? keys[n] : m_rowMap.GetFirstUnusedKey(GetIndex());
}

bool CPluPriceZoneTb::LoadZoneEntries(std::uint32_t pluNumber, std::uint16_t zone, PriceZoneEntries& entries)
{
    FreeZoneEntries(entries);
    if (zone == 0) return true;
    const FieldDefSet fields = m_roles.Fields();
    for (const CPluPriceZoneRec* row : GetPluRows(pluNumber, false))
        (void)row->CollectZoneEntries(zone, fields, entries);
    return true;
}

bool CPluPriceZoneTb::LoadZoneEntriesFromIndex(std::uint32_t pluNumber, std::uint16_t zone,
                                               PriceZoneEntries& entries)
{
    FreeZoneEntries(entries);
    if (zone == 0) return true;
    const FieldDefSet fields = m_roles.Fields();
    for (const CPluPriceZoneRec* row : GetPluRows(pluNumber, true))
        (void)row->CollectZoneEntries(zone, fields, entries);
    return true;
}

bool CPluPriceZoneTb::LoadFieldEntries(std::uint32_t pluNumber, std::uint16_t fieldNo, PriceZoneEntries& entries)
{
    FreeZoneEntries(entries);
    if (!IsZoneField(fieldNo)) return true;
    for (const CPluPriceZoneRec* row : GetPluRows(pluNumber, false)) (void)row->CollectFieldEntries(fieldNo, entries);
    return true;
}

bool CPluPriceZoneTb::LoadAllEntries(std::uint32_t pluNumber, PriceZoneEntries& entries)
{
    FreeZoneEntries(entries);
    for (const CPluPriceZoneRec* row : GetPluRows(pluNumber, false)) (void)row->CollectAllEntries(entries);
    return true;
}

bool CPluPriceZoneTb::WritePlu(std::uint32_t pluNumber, const PriceZoneEntries& entries, const CPluDefRec* plu)
{
    if (entries.empty()) return true;
    const RowChange change(*this);  // the rows change in place before they are written
    const std::vector<CPluPriceZoneRec*> rows = GetPluRows(pluNumber, false);
    const FieldDefSet fields = m_roles.Fields();
    std::vector<CPluPriceZoneRec> stored;  // to write only the rows that change
    stored.reserve(rows.size());
    for (const CPluPriceZoneRec* row : rows) stored.push_back(*row);

    // Values of a zone and field that a row holds replace the old ones there.
    PriceZoneEntries toStore;
    for (const PriceZoneEntry& entry : entries) {
        const auto holder = std::ranges::find_if(rows, [&](CPluPriceZoneRec* row) { return row->SetValue(entry); });
        if (holder == rows.end()) toStore.push_back(entry);
    }
    const auto isBaseValue = [&](const PriceZoneEntry& entry) {
        return entry.value == GetPluFieldValue(*plu, entry.fieldNo);
    };
    if (plu) std::erase_if(toStore, isBaseValue);

    auto next = toStore.begin();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CPluPriceZoneRec& row = *rows[i];
        if (plu) (void)row.RemoveBaseValueEntries(*plu, m_roles.rules, fields);
        while (next != toStore.end() && row.AddEntry(*next)) ++next;
        const bool unchanged = std::ranges::equal(stored[i].Bytes(), row.Bytes()) &&
                               stored[i].GetLength() == CPluPriceZoneRec::kDataSize;
        if (unchanged || UpdateRecord(&row, CPluPriceZoneRec::kDataSize)) continue;
        // The rows not written keep in memory what the database holds.
        for (std::size_t j = i; j < rows.size(); ++j) *rows[j] = stored[j];
        return false;
    }

    while (next != toStore.end()) {
        auto row = std::make_unique<CPluPriceZoneRec>();
        for (std::size_t place = 0; place < CPluPriceZoneRec::kEntryCount && next != toStore.end(); ++place, ++next)
            row->SetEntry(place, *next);
        if (!AddRow(pluNumber, std::move(row))) return false;
    }
    return true;
}

bool CPluPriceZoneTb::AddRow(std::uint32_t pluNumber, std::unique_ptr<CPluPriceZoneRec> row)
{
    row->SetPluNumber(pluNumber);
    const std::uint32_t key = m_rowMap.GetFirstUnusedKey(GetIndex());
    const std::uint64_t stampBefore = GetIndex().GetStamp();
    if (!AddRecord(key, CPluPriceZoneRec::kDataSize, std::move(row))) return false;
    m_rowMap.NoteAdded(GetIndex(), stampBefore, pluNumber, key);
    return true;
}

bool CPluPriceZoneTb::SetZoneValue(std::uint32_t pluNumber, std::uint16_t fieldNo, std::uint16_t zone,
                                   std::int32_t value, const CPluDefRec* plu)
{
    if (zone == 0) return true;
    return WritePlu(pluNumber, {PriceZoneEntry{zone, fieldNo, value}}, plu);
}

bool CPluPriceZoneTb::DeletePlu(std::uint32_t pluNumber)
{
    const RowChange change(*this);
    std::vector<CPluPriceZoneRec*> rows = GetPluRows(pluNumber, true);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const std::uint32_t key = (*row)->GetKey();
        const std::uint64_t stampBefore = GetIndex().GetStamp();
        if (!DeleteRecord(*row)) return false;
        m_rowMap.NoteRemoved(GetIndex(), stampBefore, pluNumber, key);
    }
    return true;
}

bool CPluPriceZoneTb::RemoveZoneFromPlu(std::uint32_t pluNumber, std::uint16_t zone)
{
    const RowChange change(*this);
    const FieldDefSet fields = m_roles.Fields();
    for (CPluPriceZoneRec* row : GetPluRows(pluNumber, false))
        if (!RewriteIfChanged(*row, [&](CPluPriceZoneRec& r) { return r.RemoveZone(zone, m_roles.rules, fields); }))
            return false;
    return true;
}

template <class Change>
bool CPluPriceZoneTb::RewriteIfChanged(CPluPriceZoneRec& row, Change change)
{
    const CPluPriceZoneRec stored = row;
    if (!change(row) || UpdateRecord(&row, CPluPriceZoneRec::kDataSize)) return true;
    row = stored;  // as the database still holds it
    return false;
}

template <class Change>
bool CPluPriceZoneTb::ChangeEveryRow(Change change)
{
    const RowChange rows(*this);
    bool written = true;
    for (const auto& entry : GetIndex())
        if (auto* row = dynamic_cast<CPluPriceZoneRec*>(entry.record.get()))
            written = RewriteIfChanged(*row, change) && written;
    return written;
}

bool CPluPriceZoneTb::RemoveDuplicateEntries()
{
    const FieldDefSet fields = m_roles.Fields();
    return ChangeEveryRow([&](CPluPriceZoneRec& row) { return row.RemoveDuplicateEntries(m_roles.rules, fields); });
}

bool CPluPriceZoneTb::RemoveUnknownZones()
{
    const FieldDefSet fields = m_roles.Fields();
    return ChangeEveryRow([&](CPluPriceZoneRec& row) { return row.RemoveUnknownZones(m_roles.rules, fields); });
}

void CPluPriceZoneTb::RemoveUnchangedZoneValues(std::uint32_t pluNumber, PriceZoneEntries& entries)
{
    PriceZoneEntries stored;
    (void)LoadAllEntries(pluNumber, stored);
    std::erase_if(entries, [&](const PriceZoneEntry& entry) {
        const auto same = std::ranges::find_if(stored, [&](const PriceZoneEntry& s) {
            return s.zone == entry.zone && s.fieldNo == entry.fieldNo;
        });
        return same != stored.end() && same->value == entry.value;
    });
}

}  // namespace varnel
