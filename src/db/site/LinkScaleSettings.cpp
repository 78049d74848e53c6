#include "db/site/LinkScaleSettings.h"

#include "db/site/MainFrame.h"

namespace varnel {

std::uint16_t CLinkScaleSettings::GetScaleType() const
{
    const IMainFrame* frame = GetMainFrame();
    return GetScaleType(frame ? frame->GetGeneralSetup().m_defaultScaleFamily : 0);
}

}  // namespace varnel
