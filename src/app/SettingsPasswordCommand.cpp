// The settings password shown to those who may change it.
#include "app/SettingsPasswordCommand.h"

#include "app/MainFrame.h"
#include "platform/UserPrompt.h"
#include "settings/OptionsConversions.h"
#include "settings/UserSetupList.h"

namespace varnel {

bool OnShowSettingsPassword(const CMainFrame& frame)
{
    if (!CheckUserPermission(frame, kSetupTable, AccessUpdate, true)) return false;
    ShowMessageText(SetupPasswordText(frame.GetGeneralSetup().m_setupPassword), MessageButtons::Ok,
                    MessageIcon::Information);
    return true;
}

}  // namespace varnel
