// The PLU as the scales of a price zone see it: the PLU row with the zone's values of the price-zone
// table put over a copy of it, built in the builder's scratch row under the build lock.
#include "db/plu/PluDefTb.h"

#include "db/store/ObjDatabase.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"

namespace varnel {

CPluPriceZoneTb* CPluDefTb::GetPriceZoneTable() const
{
    CObjDatabase* database = GetDatabase();
    return database ? dynamic_cast<CPluPriceZoneTb*>(database->GetTable(CPluPriceZoneTb::kTableNo)) : nullptr;
}

const CPluDefRec& CPluDefTb::GetZonePlu(const BuildLock& lock, const CPluDefRec& row, std::uint16_t zone)
{
    CPluPriceZoneTb* zones = GetPriceZoneTable();
    PriceZoneEntries entries;
    if (!zones || !zones->LoadZoneEntriesFromIndex(row.GetKey(), zone, entries) || entries.empty()) return row;
    CPluDefRec& scratch = GetScratchRow(lock);
    scratch = row;
    scratch.SetHeader(kTableNo, kPluDataRoom, kPluDataRoom, row.GetKey());
    for (const PriceZoneEntry& entry : entries) (void)SetPluFieldValue(scratch, entry.fieldNo, entry.value);
    return scratch;
}

const CPluDefRec& CPluDefTb::GetCurrentZonePlu(const BuildLock& lock, const CPluDefRec& row)
{
    const CGeneralSetup& setup = GetRoles().Setup();
    const std::uint16_t current = GetScratch(lock).priceZone;
    const std::uint16_t zone = setup.IsHeadOfficeMode() && current != 0 ? current : setup.GetLocalPriceZone();
    return zone == 0 ? row : GetZonePlu(lock, row, zone);
}

const CPluDefRec& CPluDefTb::GetCurrentZonePluCopy(const BuildLock& lock, const CPluDefRec& row)
{
    const CPluDefRec& seen = GetCurrentZonePlu(lock, row);
    if (GetScratch(lock).addOneDay == 0) return seen;
    CPluDefRec& scratch = GetScratchRow(lock);
    if (&seen != &scratch) scratch = seen;
    scratch.Set(PluCol::ShelfLife, static_cast<std::uint16_t>(scratch.Get(PluCol::ShelfLife) + 1));
    scratch.Set(PluCol::BestBefore, static_cast<std::uint16_t>(scratch.Get(PluCol::BestBefore) + 1));
    return scratch;
}

const CPluDefRec* CPluDefTb::GetCurrentZonePluByKey(const BuildLock& lock, std::uint32_t pluNumber)
{
    const auto* row = dynamic_cast<const CPluDefRec*>(FindRecord(pluNumber));
    return row ? &GetCurrentZonePluCopy(lock, *row) : nullptr;
}

}  // namespace varnel
