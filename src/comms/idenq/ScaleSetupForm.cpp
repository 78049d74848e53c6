#include "comms/idenq/ScaleSetupForm.h"

#include "db/text/DoubleByteText.h"
#include "platform/NumberEntry.h"

namespace varnel {

ScaleSetupForm::ScaleSetupForm(const CLinkScale& scale, const LinkSetupContext& context)
    : m_chars(CharRuleOf(context.Setup(), !TextRules::Of(context.Setup(), true).IsDoubleByteMarket())),
      m_fields(LinkScaleFields::Of(scale)),
      m_filters(scale.m_filters, context.database),
      m_priceZones(MakePriceZoneChoices(context.priceZones))
{
    SetName(m_fields.name);
}

void ScaleSetupForm::SetName(std::string name)
{
    // Cut at whole characters: a double-byte character is never split.
    std::size_t kept = 0;
    while (kept < name.size()) {
        const std::size_t length = GetCharLength(std::string_view(name).substr(kept), m_chars);
        if (length == 0 || kept + length > kMaxNameLength) break;
        kept += length;
    }
    name.resize(kept);
    m_fields.name = std::move(name);
}

bool ScaleSetupForm::SetMachineNo(std::string_view text)
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(text, 1, 99);
    if (number) m_fields.machineNo = static_cast<std::uint16_t>(*number);
    return number.has_value();
}

void ScaleSetupForm::StoreInto(CLinkScale& scale) const
{
    m_fields.StoreInto(scale);
    m_filters.StoreInto(scale.m_filters);
}

}  // namespace varnel
