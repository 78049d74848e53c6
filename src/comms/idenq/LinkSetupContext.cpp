#include "comms/idenq/LinkSetupContext.h"

#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"

namespace varnel {

const CGeneralSetup& LinkSetupContext::Setup() const
{
    static const CGeneralSetup defaults;
    return setup ? *setup : defaults;
}

void LinkSetupContext::LogSetupModified(std::uint32_t subject, const std::string& detail) const
{
    if (eventLog) eventLog->LogSetupModified(subject, FormatText(" %s", detail.c_str()));
}

void MarkScaleNumber(ScaleNumberMap& map, std::uint16_t scaleNo)
{
    if (map.size() <= scaleNo) map.resize(scaleNo + std::size_t{1}, false);
    map[scaleNo] = true;
}

std::uint16_t LowestFreeScaleNumber(const ScaleNumberMap& map)
{
    for (std::size_t number = 1; number < map.size(); ++number)
        if (!map[number]) return static_cast<std::uint16_t>(number);
    return static_cast<std::uint16_t>(map.size() < 1 ? 1 : map.size());
}

}  // namespace varnel
