// The settings of one scale on a link that shape the records it is sent and read back: what the
// record builders and decoders of the record store need to know of the scale they work for. The
// link scale of the communications subsystem derives from it and adds its queue, filters and state.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

struct CLinkScaleSettings {
    static constexpr std::uint16_t kDefaultFamily = 65535;

    std::uint16_t m_scaleNo = 1;
    bool m_enabled = true;
    std::string m_name = "Scale ID = 1";
    std::uint16_t m_scaleType = kDefaultFamily;  // 0 to 12, or the general setup's default family
    std::uint16_t m_priceZone = 0;
    std::uint16_t m_machineNo = 1;               // 1 to 99: the ID-ENQ enquiry's two digits
    std::uint16_t m_addOneDay = 0;               // add one day to the shelf life
    std::uint16_t m_maxDescLength = 1001;        // 1001, 1501, 2000 or 2050
    std::uint16_t m_tareFormat = 0;              // 0 standard, 1 divided by 10
    std::uint16_t m_message28 = 0;               // the scale sends PLUs to the computer with message 28
    std::uint16_t m_twoColour = 0;               // the scale prints in two colours
    std::uint32_t m_storeNumber = 0;

    // The effective family: the stored one, or `defaultFamily` (the general setup's default family)
    // for 65535.
    std::uint16_t GetScaleType(std::uint16_t defaultFamily) const
    {
        return m_scaleType != kDefaultFamily ? m_scaleType : defaultFamily;
    }

    bool operator==(const CLinkScaleSettings&) const = default;
};

}  // namespace varnel
