// The lists behind the "..." buttons of "Price Master Settings", over the open database: the POP
// message list (field 1206), "Select Extra Message" on the extra messages (1207) and the tray list
// (1210), each in pick mode with the field's number selected. A list whose table the database lacks
// picks nothing.
#pragma once

#include "scaledata/ui/ScaleDataListWindows.h"
#include "settings/EditRuxPriceForm.h"

namespace varnel {

class RuxPricePickers final : public IRuxPricePickers {
public:
    explicit RuxPricePickers(const ScaleDataListSite& site) : m_site(site) {}

    std::optional<std::uint32_t> PickPopMessage(std::uint32_t current) override;
    std::optional<std::uint32_t> PickExtraMessage(std::uint32_t current) override;
    std::optional<std::uint32_t> PickTray(std::uint32_t current) override;

private:
    ScaleDataListSite m_site;
};

}  // namespace varnel
