#include "app/MenuStateSource.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "settings/UserSetupList.h"

namespace varnel {

MenuWindow MenuWindowFor(std::optional<ChildFrameKind> active, bool documentOpen)
{
    if (!active) return documentOpen ? MenuWindow::PluList : MenuWindow::NoDocument;
    switch (*active) {
    case ChildFrameKind::PluList: return MenuWindow::PluList;
    case ChildFrameKind::Keyboard: return MenuWindow::Keyboard;
    case ChildFrameKind::Scheduler: return MenuWindow::Scheduler;
    case ChildFrameKind::PluEditor: return MenuWindow::PluEditor;
    case ChildFrameKind::Report: return MenuWindow::Report;
    }
    return MenuWindow::PluList;
}

MenuRights MenuRightsOf(const CUserSetupList& users)
{
    MenuRights rights;
    const CUserSetup* user = users.GetCurrentUser();
    if (user == nullptr) return rights;
    rights.loggedIn = true;
    for (std::size_t right = 0; right < kUserRights; ++right)
        rights.rights[right] = user->HasRight(static_cast<UserRight>(right));
    rights.tables = user->m_tablePermission;
    return rights;
}

MenuState MenuStateOf(const CMainFrame& frame, const CVrn3Doc* document, MenuWindow window, bool keyboardWindowOpen)
{
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    MenuState state;
    state.window = window;
    state.schedulerMode = frame.GetRun().options.mode == RunMode::Scheduler;
    state.user = MenuRightsOf(frame.Access().m_users);
    state.flags = frame.GetSetupFlags();
    state.market = setup.m_market;
    state.defaultFamily = setup.m_defaultScaleFamily;
    state.scaleMix = frame.GetRuxScaleMix();
    state.headOffice = frame.IsHeadOfficeMode();
    state.ausNzNutrition = frame.IsAusNzNutrition();
    MenuSwitches& switches = state.switches;
    switches.hideDataSave = setup.m_hideDataSave != 0;
    switches.deptGroupTables = setup.m_noDeptGroupSearchFamily10 != 0;
    switches.scaleStatusLog = frame.EventLog().ScaleStatusLogOn != 0;
    switches.kauriAucklandHost = setup.m_kauriAucklandHostImport != 0;
    switches.totaraHost = setup.m_totaraHostImport != 0;
    switches.otherMakerSends = setup.m_orlanComms != 0;
    switches.pluActiveInactive = setup.m_pluActiveInactive != 0;
    switches.keepProductionAfterLoad = setup.m_keepProductionAfterLoad != 0;
    state.departmentsExist = !frame.Departments().GetDepartments().empty();
    state.onlineCommsOn = setup.m_onlineComms != 0;
    state.linksExist = !frame.Links().GetLinks().empty();
    state.keyboardWindowOpen = keyboardWindowOpen;
    if (document != nullptr && document->IsDatabaseOpen()) {
        state.documentOpen = true;
        state.batchMode = document->IsBatchMode();
        state.onlineCommsUsable = document->CanUseOnlineComms();
        state.dataSaveFileOpen = !frame.GetCurrentDataSaveFile().empty();
    }
    return state;
}

}  // namespace varnel
