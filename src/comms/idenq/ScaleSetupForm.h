// "Scale Setup" (dialog 236) without its window: one scale of a link that carries a list of scales
// (CLinkScale::EditSettings). Name at most 30 bytes (whole characters), machine number 1 to 99, type, price zone,
// description length, tare format, the add-one-day flag and the filters; "Save off-line" starts
// cleared and is not stored.
#pragma once

#include "comms/idenq/FilterListForm.h"
#include "comms/idenq/LinkScaleFields.h"
#include "comms/idenq/LinkSetupContext.h"
#include "db/site/TextRules.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

class ScaleSetupForm {
public:
    static constexpr std::size_t kMaxNameLength = 30;

    ScaleSetupForm(const CLinkScale& scale, const LinkSetupContext& context);

    LinkScaleFields& Fields() { return m_fields; }
    const LinkScaleFields& Fields() const { return m_fields; }
    FilterListForm& Filters() { return m_filters; }
    const PriceZoneChoices& GetPriceZones() const { return m_priceZones; }

    void SetName(std::string name);
    // False, after the range message, for anything but a number 1 to 99.
    bool SetMachineNo(std::string_view text);

    void StoreInto(CLinkScale& scale) const;

private:
    CharRule m_chars;
    LinkScaleFields m_fields;
    FilterListForm m_filters;
    PriceZoneChoices m_priceZones;
};

}  // namespace varnel
