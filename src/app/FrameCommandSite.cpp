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

FileRequest ExtensionChooser(FileRequest::Kind kind, std::string_view extension, std::string_view filter)
{
    FileRequest request;
    request.kind = kind;
    request.defaultExtension = extension;
    request.fileName = "*.";
    request.fileName += extension;
    request.filter = filter;
    return request;
}

}  // namespace varnel
