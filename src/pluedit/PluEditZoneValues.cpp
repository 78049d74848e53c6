// The PLU edit form's values of one field by price zone, as the zone popup edits them.
#include "pluedit/PluEditForm.h"

#include "db/plu/PluFieldAccess.h"
#include "db/plu/PluPriceZoneTb.h"

#include <algorithm>

namespace varnel {

bool PluEditForm::CanEditZoneValues(std::uint16_t fieldNo) const
{
    return m_site.settings.headOffice && m_site.settings.siteZone == 0 && IsPriceZoneField(m_fields, fieldNo);
}

PriceZoneEntries PluEditForm::LoadFieldZoneValues(std::uint16_t fieldNo) const
{
    PriceZoneEntries entries;
    if (CPluPriceZoneTb* zones = Zones(); zones != nullptr && !m_isNew && m_loaded != 0)
        (void)zones->LoadFieldEntries(m_loaded, fieldNo, entries);
    return entries;
}

std::int32_t PluEditForm::GetZoneValue(const CLabProp& definition, std::uint16_t zone,
                                      const PriceZoneEntries& stored) const
{
    if (zone == 0) return GetPluFieldValue(m_row, definition);
    const std::uint16_t fieldNo = definition.m_fieldNo;
    const auto pending = std::ranges::find_if(m_pendingZoneValues, [&](const PriceZoneEntry& entry) {
        return entry.zone == zone && entry.fieldNo == fieldNo;
    });
    if (pending != m_pendingZoneValues.end()) return pending->value;
    return varnel::GetZoneValue(m_row, stored, fieldNo, zone);
}

void PluEditForm::SetZoneValue(const CLabProp& definition, std::uint16_t zone, std::int32_t value)
{
    if (zone == 0)
        (void)SetPluFieldValue(m_row, definition, value);
    else
        SetZoneEntry(definition.m_fieldNo, zone, value, m_pendingZoneValues);
    m_site.document.pluChanged = true;
}

}  // namespace varnel
