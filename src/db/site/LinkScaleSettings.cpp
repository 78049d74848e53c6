#include "db/site/LinkScaleSettings.h"

#include "db/site/MainFrame.h"

namespace varnel {

std::uint16_t CLinkScaleSettings::GetScaleType() const
{
    return GetScaleType(CurrentGeneralSetup().m_defaultScaleFamily);
}

}  // namespace varnel
