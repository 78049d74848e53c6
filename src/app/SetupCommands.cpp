// The main frame's settings commands.
#include "app/SetupCommands.h"

#include "app/MainFrame.h"
#include "settings/DefLineFontsForm.h"
#include "settings/HostInterfaceForm.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

namespace varnel {


bool MayViewSetup(const CUserSetupList* users)
{
    return users == nullptr || users->HasTableAccess(kSetupTable, AccessView);
}

bool EditHostInterface(CMainFrame& frame, const std::function<bool(HostInterfaceForm&)>& runDialog)
{
    HostInterfaceForm form(ReadHostInterface(frame.GetGeneralSetup(), frame.EventLog()));
    if (!runDialog(form)) return false;
    // The links read the general setup: it is replaced whole, never edited field by field in place.
    CGeneralSetup setup = frame.GetGeneralSetup();
    if (!StoreHostInterface(form.Settings(), setup, frame.EventLog())) return false;
    frame.GeneralSetup() = setup;
    return true;
}

bool EditEMailSettings(CMainFrame& frame, const std::function<bool(CEMailSettings&)>& runDialog)
{
    CEMailSettings settings = frame.EMailSettings();
    if (!runDialog(settings)) return false;
    frame.EMailSettings() = settings;
    return true;
}

bool EditDefaultLineFonts(CMainFrame& frame, const std::function<bool(DefLineFontsForm&)>& runDialog)
{
    // Which of the optional texts a site uses is not known here: every tab is offered.
    DefLineFontsForm form(ReadLineFontSets(frame.LineFonts()), {true, true, true});
    if (!runDialog(form)) return false;
    if (!CheckUserPermission(kSetupTable, AccessUpdate, true)) return false;
    StoreLineFontSets(form.GetSets(), frame.LineFonts());
    frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    return true;
}

}  // namespace varnel
