// What the main frame keeps when it closes, by run mode:
//   automation  nothing: no profile entry, no setup file;
//   scheduler   only the schedule file's path ("Scheduler"/"SchedFile");
//   normal      the window placement, then, when the general setup was loaded, both setup files (the
//               site setup only when it was loaded too), the last database ("General"/"DbFile") and
//               the recent files.
#pragma once

#include "app/CommandLine.h"
#include "app/RecentFileList.h"
#include "app/WindowPlacement.h"

#include <string>

namespace varnel {

class CProfile;

// The setup files as the frame loaded them.
class ISetupFiles {
public:
    virtual ~ISetupFiles() = default;
    virtual bool IsGeneralSetupLoaded() const = 0;
    virtual bool IsSiteSetupLoaded() const = 0;
    // Each shows its own message when the file cannot be written.
    virtual bool SaveGeneralSetup() = 0;
    virtual bool SaveSiteSetup() = 0;
};

struct FrameExitState {
    RunMode mode = RunMode::Normal;
    ClosingPlacement placement;
    std::string lastDatabasePath;
    std::string schedulePath;
    const RecentFileList* recentFiles = nullptr;
};

void SaveAtExit(const FrameExitState& state, CProfile& profile, ISetupFiles& setups);

}  // namespace varnel
