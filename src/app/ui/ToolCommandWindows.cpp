// The PLU range profile, log view, keyboard template and wrapping machine commands in the command
// table.
#include "app/MainFrame.h"
#include "app/SetupCommands.h"
#include "app/ToolCommands.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/FrameCommandWindows.h"
#include "app/ui/MainFrameWindow.h"

namespace varnel {

void RegisterToolCommands(QtFrameCommandUi& ui)
{
    FrameCommandSite& site = ui.Site();
    CommandTable& commands = ui.Window().Commands();
    const auto notRestricted = [&site] {
        return CommandState{!site.frame.Access().m_users.IsRestrictedAccess(), std::nullopt};
    };
    commands.Register(Commands::kPluRangeProfile, "PLU &Range Profile", [&site] { (void)OnEditPluRangeProfile(site); },
                      [&site] { return CommandState{MayViewSetup(&site.frame.Access().m_users), std::nullopt}; });
    commands.Register(Commands::kViewWholeLog, "&All", [&site] { OnViewWholeLog(site); }, notRestricted);
    commands.Register(Commands::kViewTodaysPriceChanges, "Todays &Price Changes",
                      [&site] { OnViewTodaysPriceChanges(site); }, notRestricted);
    commands.Register(Commands::kViewTodaysDataImport, "Today's &Data Import", [&site] { OnViewTodaysDataImport(site); },
                      notRestricted);
    commands.Register(Commands::kViewLogRange, "&Customize...", [&site] { (void)OnViewLogRange(site); }, notRestricted);
    commands.Register(Commands::kKeyboardTemplate, "Keyboard Template", [] { (void)OnKeyboardTemplate(); });
    commands.Register(Commands::kSerialComms, "Serial Comms (PZ-6602)", [&site] { (void)OnSerialComms(site); });
}

}  // namespace varnel
