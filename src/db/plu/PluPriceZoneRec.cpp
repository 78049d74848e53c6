#include "db/plu/PluPriceZoneRec.h"

#include "db/plu/PluDefRec.h"
#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"
#include "platform/ByteOrder.h"

namespace varnel {
namespace {

constexpr std::size_t kEntryBytes = 8;
constexpr std::size_t kPluNumberOffset = 128;

}  // namespace

std::uint32_t CPluPriceZoneRec::GetPluNumber() const { return LoadLe32(&m_data[kPluNumberOffset]); }

void CPluPriceZoneRec::SetPluNumber(std::uint32_t pluNumber) { StoreLe32(&m_data[kPluNumberOffset], pluNumber); }

PriceZoneEntry CPluPriceZoneRec::GetEntry(std::size_t place) const
{
    const std::uint8_t* p = &m_data[place * kEntryBytes];
    return {LoadLe16(p), LoadLe16(p + 2), static_cast<std::int32_t>(LoadLe32(p + 4))};
}

void CPluPriceZoneRec::SetEntry(std::size_t place, const PriceZoneEntry& entry)
{
    std::uint8_t* p = &m_data[place * kEntryBytes];
    StoreLe16(p, entry.zone);
    StoreLe16(p + 2, entry.fieldNo);
    StoreLe32(p + 4, static_cast<std::uint32_t>(entry.value));
}

std::size_t CPluPriceZoneRec::CountEntries() const
{
    std::size_t count = 0;
    while (count < kEntryCount && GetEntry(count).zone != 0) ++count;
    return count;
}

bool CPluPriceZoneRec::CollectZoneEntries(std::uint16_t zone, const FieldDefSet& fields,
                                          PriceZoneEntries& entries) const
{
    for (std::size_t i = 0, n = CountEntries(); i < n; ++i) {
        const PriceZoneEntry entry = GetEntry(i);
        if (entry.zone == zone && IsPriceZoneField(fields, entry.fieldNo)) entries.push_back(entry);
    }
    return !entries.empty();
}

bool CPluPriceZoneRec::CollectFieldEntries(std::uint16_t fieldNo, PriceZoneEntries& entries) const
{
    for (std::size_t i = 0, n = CountEntries(); i < n; ++i)
        if (const PriceZoneEntry entry = GetEntry(i); entry.fieldNo == fieldNo) entries.push_back(entry);
    return !entries.empty();
}

bool CPluPriceZoneRec::CollectAllEntries(PriceZoneEntries& entries) const
{
    for (std::size_t i = 0, n = CountEntries(); i < n; ++i) entries.push_back(GetEntry(i));
    return !entries.empty();
}

bool CPluPriceZoneRec::RemoveUnknownZones(const ISiteRules& site, const FieldDefSet& fields)
{
    if (!site.HasPriceZones()) {
        // Only the first zone is cleared: it ends the list.
        if (GetEntry(0).zone == 0) return false;
        StoreLe16(&m_data[0], 0);
        return true;
    }
    bool changed = false;
    for (std::size_t i = 0; i < kEntryCount;) {
        const PriceZoneEntry entry = GetEntry(i);
        if (entry.zone == 0) break;
        if (site.IsPriceZoneDefined(entry.zone) && IsPriceZoneField(fields, entry.fieldNo)) {
            ++i;
            continue;
        }
        // The later entries move up one place and the place freed at the end becomes unused; the same
        // place is looked at again.
        for (std::size_t j = i + 1; j < kEntryCount; ++j) SetEntry(j - 1, GetEntry(j));
        StoreLe16(&m_data[(kEntryCount - 1) * kEntryBytes], 0);
        changed = true;
    }
    return changed;
}

template <class Pred>
bool CPluPriceZoneRec::MarkEntries(Pred matches)
{
    bool marked = false;
    for (std::size_t i = 0, n = CountEntries(); i < n; ++i) {
        PriceZoneEntry entry = GetEntry(i);
        if (entry.fieldNo == 0 || !matches(i, entry)) continue;
        entry.fieldNo = 0;
        SetEntry(i, entry);
        marked = true;
    }
    return marked;
}

bool CPluPriceZoneRec::RemoveZone(std::uint16_t zone, const ISiteRules& site, const FieldDefSet& fields)
{
    if (zone == 0) return false;
    const bool marked = MarkEntries([&](std::size_t, const PriceZoneEntry& entry) { return entry.zone == zone; });
    return RemoveUnknownZones(site, fields) || marked;
}

bool CPluPriceZoneRec::RemoveDuplicateEntries(const ISiteRules& site, const FieldDefSet& fields)
{
    // Found before anything is marked, since marking changes the field numbers compared.
    std::array<bool, kEntryCount> repeated{};
    for (std::size_t i = 1, n = CountEntries(); i < n; ++i) {
        const PriceZoneEntry entry = GetEntry(i);
        for (std::size_t earlier = 0; earlier < i && !repeated[i]; ++earlier) {
            const PriceZoneEntry first = GetEntry(earlier);
            repeated[i] = first.zone == entry.zone && first.fieldNo == entry.fieldNo;
        }
    }
    if (!MarkEntries([&](std::size_t place, const PriceZoneEntry&) { return repeated[place]; })) return false;
    (void)RemoveUnknownZones(site, fields);
    return true;
}

bool CPluPriceZoneRec::RemoveBaseValueEntries(const CPluDefRec& plu, const ISiteRules& site,
                                              const FieldDefSet& fields)
{
    const bool marked = MarkEntries([&](std::size_t, const PriceZoneEntry& entry) {
        return entry.value == GetPluFieldValue(plu, entry.fieldNo);
    });
    if (!marked) return false;
    (void)RemoveUnknownZones(site, fields);
    return true;
}

bool CPluPriceZoneRec::SetValue(const PriceZoneEntry& entry)
{
    for (std::size_t i = 0, n = CountEntries(); i < n; ++i) {
        PriceZoneEntry present = GetEntry(i);
        if (present.zone != entry.zone || present.fieldNo != entry.fieldNo) continue;
        present.value = entry.value;
        SetEntry(i, present);
        return true;
    }
    return false;
}

bool CPluPriceZoneRec::AddEntry(const PriceZoneEntry& entry)
{
    const std::size_t used = CountEntries();
    if (used == kEntryCount) return false;
    SetEntry(used, entry);
    return true;
}

}  // namespace varnel
