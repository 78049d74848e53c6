#include "db/site/FieldDefSet.h"

#include "db/site/SiteRules.h"
#include "db/site/SiteSettings.h"

#include <algorithm>

namespace varnel {
namespace {

std::size_t IndexOf(FieldDefMap which) { return static_cast<std::size_t>(which); }

}  // namespace

const CLabPropMap& FieldDefSet::Map(FieldDefMap which) const
{
    static const CLabPropMap none;
    if (m_snapshot) return m_snapshot->fieldDefs.at(IndexOf(which));
    return m_site ? m_site->GetFieldDefMap(which) : none;
}

std::span<const std::uint16_t> FieldDefSet::PriceZoneFields() const
{
    if (m_snapshot) return m_snapshot->priceZoneFields;
    return m_site ? m_site->GetPriceZoneFields() : std::span<const std::uint16_t>{};
}

std::uint32_t FieldDefSet::RuxScaleMix() const
{
    if (m_snapshot) return m_snapshot->ruxScaleMix;
    return m_site ? m_site->GetRuxScaleMix() : 0;
}

bool SameDefinitions(const FieldDefSet& a, const FieldDefSet& b)
{
    for (std::size_t index = 0; index < kFieldDefMapCount; ++index) {
        const auto which = static_cast<FieldDefMap>(index);
        if (!SameOwnedMaps(a.Map(which), b.Map(which))) return false;
    }
    return std::ranges::equal(a.PriceZoneFields(), b.PriceZoneFields()) && a.RuxScaleMix() == b.RuxScaleMix();
}

}  // namespace varnel
