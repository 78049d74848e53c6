// The setup copy and schedule file commands in the command table.
#include "app/MainFrame.h"
#include "app/ScheduleCommands.h"
#include "app/SetupFileCommands.h"
#include "app/ui/CommandTable.h"
#include "app/ui/FrameCommandWindows.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetup.h"

namespace varnel {

void RegisterSetupFileCommands(QtFrameCommandUi& ui)
{
    FrameCommandSite& site = ui.Site();
    CommandTable& commands = ui.Window().Commands();
    const auto mayUpdateSetup = [&site] {
        return CommandState{site.frame.HasTableAccess(kSetupTable, AccessUpdate), std::nullopt};
    };
    commands.Register(Commands::kSaveGeneralSetup, "&Save General Setup", [&site] { (void)OnSaveGeneralSetup(site); },
                      mayUpdateSetup);
    commands.Register(Commands::kLoadGeneralSetup, "&Load General Setup", [&site] { (void)OnLoadGeneralSetup(site); },
                      mayUpdateSetup);
    commands.Register(Commands::kSaveSiteSetup, "Sa&ve Site Setup", [&site] { (void)OnSaveSiteSetup(site); },
                      mayUpdateSetup);
    commands.Register(Commands::kLoadSiteSetup, "Lo&ad Site Setup", [&site] { (void)OnLoadSiteSetup(site); },
                      mayUpdateSetup);
    commands.Register(Commands::kNewSchedule, "&New", [&site] { (void)OnNewSchedule(site); });
    commands.Register(Commands::kOpenSchedule, "&Open", [&site] { (void)OnOpenSchedule(site); });
    commands.Register(Commands::kSaveSchedule, "&Save", [&site] { (void)OnSaveSchedule(site); });
    commands.Register(Commands::kSaveScheduleAs, "Save &As", [&site] { (void)OnSaveScheduleAs(site); });
}

}  // namespace varnel
