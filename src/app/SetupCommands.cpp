// The main frame's settings commands.
#include "app/SetupCommands.h"

#include "app/MainFrame.h"
#include "settings/DefLineFontsForm.h"
#include "settings/HostInterfaceForm.h"
#include "settings/OptionsConversions.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

namespace varnel {

bool MayViewSetup(const CUserSetupList* users)
{
    return users == nullptr || users->HasTableAccess(kSetupTable, AccessView);
}

bool PassSetupPassword(const CGeneralSetup& setup, const EnterSetupPassword& enterPassword)
{
    return setup.m_setupPasswordInUse == 0 || enterPassword(SetupPasswordText(setup.m_setupPassword));
}

bool RunSettingsListCommand(CMainFrame& frame, const SettingsListSteps& steps, const EnterSetupPassword& enterPassword,
                            const std::function<bool()>& runEditor)
{
    if (steps.passwordGuarded && !PassSetupPassword(frame.GetGeneralSetup(), enterPassword)) return false;
    const bool ok = runEditor();
    if (!ok && !steps.savedAnyway) return false;
    // Each save says itself when it fails, and leaves its file as it was.
    if (steps.siteSetup)
        (void)frame.SaveSiteSetup(frame.GetSiteSetupPath());
    else
        (void)frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    if (steps.recalcFlags) frame.RecalcSetupFlags();
    return ok;
}

bool MayEditDeptCodes(const CMainFrame& frame)
{
    return frame.GetGeneralSetup().m_noDeptGroupSearchFamily10 == 0;
}

bool EditHostInterface(CMainFrame& frame, const std::function<bool(HostInterfaceForm&)>& runDialog)
{
    HostInterfaceForm form(ReadHostInterface(frame.GetGeneralSetup(), frame.EventLog()), frame.GetTextRules().chars);
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
    if (!CheckUserPermission(frame, kSetupTable, AccessUpdate, true)) return false;
    StoreLineFontSets(form.GetSets(), frame.LineFonts());
    frame.SaveGeneralSetup(frame.GetGeneralSetupPath());
    return true;
}

}  // namespace varnel
