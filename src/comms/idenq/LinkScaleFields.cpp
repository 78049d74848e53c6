#include "comms/idenq/LinkScaleFields.h"

#include "comms/idenq/ScaleFamily.h"
#include "platform/TextFormat.h"
#include "settings/PriceZone.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint16_t kListedFamilies = 6;  // families 0 to 5 in the ID-ENQ dialogs

}  // namespace

LinkScaleFields LinkScaleFields::Of(const CLinkScale& scale)
{
    LinkScaleFields fields;
    fields.enabled = scale.m_enabled;
    fields.name = scale.m_name;
    fields.scaleNo = scale.m_scaleNo;
    fields.family = scale.m_scaleType;
    fields.priceZone = scale.m_priceZone;
    fields.machineNo = scale.m_machineNo;
    fields.addOneDay = scale.m_addOneDay != 0;
    fields.maxDescLength = scale.m_maxDescLength;
    fields.tareFormat = scale.m_tareFormat;
    fields.message28 = scale.m_message28 != 0;
    fields.twoColour = scale.m_twoColour != 0;
    fields.storeNo = scale.m_storeNumber;
    return fields;
}

void LinkScaleFields::StoreInto(CLinkScale& scale) const
{
    scale.m_enabled = enabled;
    scale.m_name = name;
    scale.m_scaleType = family;
    scale.m_priceZone = priceZone;
    scale.m_machineNo = machineNo;
    scale.m_addOneDay = addOneDay ? 1 : 0;
    scale.m_maxDescLength = maxDescLength;
    scale.m_tareFormat = tareFormat;
    scale.m_message28 = message28 ? 1 : 0;
    scale.m_twoColour = twoColour ? 1 : 0;
    scale.m_storeNumber = storeNo;
}

std::vector<std::string> ScaleTypeChoices()
{
    std::vector<std::string> choices{"Default scale type"};
    for (std::uint16_t family = 0; family < kListedFamilies; ++family)
        choices.emplace_back(GetScaleFamilyName(family));
    return choices;
}

std::size_t ScaleTypeIndex(std::uint16_t family)
{
    return family < kListedFamilies ? family + std::size_t{1} : 0;
}

std::uint16_t FamilyOfScaleTypeIndex(std::size_t index)
{
    return index == 0 || index > kListedFamilies ? CLinkScaleSettings::kDefaultFamily
                                                 : static_cast<std::uint16_t>(index - 1);
}

std::optional<std::size_t> NetworkModelIndex(std::uint16_t family)
{
    const auto found = std::ranges::find_if(kNetworkModels, [family](const NetworkModel& model) { return model.family == family; });
    if (found == kNetworkModels.end()) return std::nullopt;
    return static_cast<std::size_t>(found - kNetworkModels.begin());
}

std::vector<std::string> MaxDescLengthChoices()
{
    return {"1000 bytes (standard)", "1500 bytes", "2000 bytes", "2050 bytes"};
}

std::size_t MaxDescLengthIndex(std::uint16_t length)
{
    const auto found = std::ranges::find(kMaxDescLengths.begin(), kMaxDescLengths.end() - 1, length);
    return static_cast<std::size_t>(found - kMaxDescLengths.begin());
}

std::vector<std::string> TareFormatChoices() { return {"Standard", "Divide by 10 (USA x.xxlb)"}; }

std::size_t PriceZoneChoices::IndexOf(std::uint16_t zone) const
{
    const auto found = std::ranges::find(zones, zone);
    return found == zones.end() ? 0 : static_cast<std::size_t>(found - zones.begin());
}

PriceZoneChoices MakePriceZoneChoices(const CPriceZoneList* zones)
{
    PriceZoneChoices choices;
    const CPriceZoneList none;
    const CPriceZoneList& list = zones ? *zones : none;
    choices.rows.push_back(list.GetName(CPriceZoneList::kDefaultZone));
    choices.zones.push_back(CPriceZoneList::kDefaultZone);
    for (const CPriceZone* zone : list.SortById()) {
        choices.rows.push_back(FormatText("%04.4d  %s", int{zone->m_id}, zone->m_name.c_str()));
        choices.zones.push_back(zone->m_id);
    }
    return choices;
}

}  // namespace varnel
