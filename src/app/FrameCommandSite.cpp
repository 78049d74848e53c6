// The setup password gate of the frame's commands.
#include "app/FrameCommandSite.h"

#include "app/MainFrame.h"
#include "app/SetupCommands.h"

namespace varnel {

bool PassPasswordGate(FrameCommandSite& site)
{
    return PassSetupPassword(site.frame.GetGeneralSetup(),
                             [&site](const std::string& password) { return site.ui.EnterSetupPassword(password); });
}

}  // namespace varnel
