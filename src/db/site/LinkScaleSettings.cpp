#include "db/site/LinkScaleSettings.h"

#include "db/site/MainFrame.h"

namespace varnel {

std::uint16_t CLinkScaleSettings::GetScaleType() const
{
    if (m_scaleType != kDefaultFamily) return m_scaleType;
    const IMainFrame* frame = GetMainFrame();
    return frame ? frame->GetGeneralSetup().m_defaultScaleFamily : 0;
}

}  // namespace varnel
