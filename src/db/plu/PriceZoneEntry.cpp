#include "db/plu/PriceZoneEntry.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"

#include <algorithm>

namespace varnel {

std::int32_t GetZoneValue(const CPluDefRec& plu, const PriceZoneEntries& entries, std::uint16_t fieldNo,
                          std::uint16_t zone)
{
    const auto found =
        std::ranges::find_if(entries, [&](const PriceZoneEntry& e) { return e.fieldNo == fieldNo && e.zone == zone; });
    return found != entries.end() ? found->value : GetPluFieldValue(plu, fieldNo);
}

std::int32_t GetEntryValue(const CPluDefRec& plu, const PriceZoneEntries& entries, std::uint16_t fieldNo)
{
    const auto found = std::ranges::find(entries, fieldNo, &PriceZoneEntry::fieldNo);
    return found != entries.end() ? found->value : GetPluFieldValue(plu, fieldNo);
}

void SetZoneEntry(std::uint16_t fieldNo, std::uint16_t zone, std::int32_t value, PriceZoneEntries& entries)
{
    const auto found =
        std::ranges::find_if(entries, [&](const PriceZoneEntry& e) { return e.fieldNo == fieldNo && e.zone == zone; });
    if (found != entries.end()) found->value = value;
    else entries.push_back({zone, fieldNo, value});
}

void SetPluOrZoneValue(CPluDefRec& plu, PriceZoneEntries& entries, std::uint16_t zone, std::uint16_t fieldNo,
                       std::int32_t value, const FieldDefSet& fields)
{
    if (zone != 0 && IsPriceZoneField(fields, fieldNo)) SetZoneEntry(fieldNo, zone, value, entries);
    else (void)SetPluFieldValue(plu, fieldNo, value);
}

}  // namespace varnel
