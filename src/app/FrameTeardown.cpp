// The main frame's saves at exit.
#include "app/FrameTeardown.h"

#include "platform/Profile.h"

namespace varnel {

void SaveAtExit(const FrameExitState& state, CProfile& profile, ISetupFiles& setups)
{
    switch (state.mode) {
    case RunMode::Automation: return;
    case RunMode::Scheduler: profile.WriteProfileString("Scheduler", "SchedFile", state.schedulePath); return;
    case RunMode::Normal: break;
    }
    SaveWindowPlacement(profile, state.placement);
    if (!setups.IsGeneralSetupLoaded()) return;
    setups.SaveGeneralSetup();
    if (setups.IsSiteSetupLoaded()) setups.SaveSiteSetup();
    profile.WriteProfileString("General", "DbFile", state.lastDatabasePath);
    if (state.recentFiles != nullptr) state.recentFiles->Save(profile);
}

}  // namespace varnel
