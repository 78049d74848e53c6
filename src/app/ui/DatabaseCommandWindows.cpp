// The database, department, Data Save open, settings password and setup list commands in the command
// table.
#include "app/DataSaveOpenCommands.h"
#include "app/DatabaseCommands.h"
#include "app/MainFrame.h"
#include "app/SettingsPasswordCommand.h"
#include "app/SetupCommands.h"
#include "app/SetupList.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/FrameCommandWindows.h"
#include "app/ui/MainFrameWindow.h"

namespace varnel {

void RegisterDatabaseCommands(QtFrameCommandUi& ui)
{
    FrameCommandSite& site = ui.Site();
    CommandTable& commands = ui.Window().Commands();
    const auto notBatch = [&site] { return CommandState{!site.document.IsBatchMode(), std::nullopt}; };
    commands.Register(Commands::kOpenDatabase, "Open &Database", [&site] { (void)OnOpenDatabase(site); });
    commands.Register(Commands::kChangeDatabase, "&Change Database", [&site] { (void)OnChangeDatabase(site); },
                      notBatch);
    commands.Register(Commands::kNewDatabase, "&New Database", [&site] { (void)OnNewDatabase(site); }, notBatch);
    commands.Register(Commands::kOpenDepartment, "Open De&partment", [&site] { (void)OnOpenDepartment(site); });
    commands.Register(Commands::kChangeDepartment, "Change &Department", [&site] { (void)OnChangeDepartment(site); },
                      [&site] {
                          const bool any = !site.frame.Departments().GetDepartments().empty();
                          return CommandState{any && site.document.IsDatabaseOpen(), std::nullopt};
                      });
    commands.Register(Commands::kOpenDataSave, "&Open (Data Save)", [&site] { (void)OnOpenDataSave(site); },
                      notBatch);
    commands.Register(Commands::kOpenDataSaveNoDocument, "&Open (Data Save)",
                      [&site] { (void)OnOpenDataSaveNoDocument(site); });
    commands.Register(Commands::kOutputSetupList, "Output Setup List", [&site] { (void)OnOutputSetupList(site); },
                      [&site] { return CommandState{MayViewSetup(&site.frame.Access().m_users), std::nullopt}; });
    commands.Register(Commands::kShowSettingsPassword, "Show Settings Password",
                      [&site] { (void)OnShowSettingsPassword(site.frame); }, {},
                      QKeySequence(QStringLiteral("Ctrl+Alt+P")));
    // A recent file that no longer opens leaves the list.
    RecentFileList& recent = site.frame.GetRun().recentFiles;
    ui.Window().SetRecentFiles([&recent] { return recent.Files(); }, [&site, &recent](const std::string& path) {
        if (!SwitchDatabase(site, path)) recent.Remove(path);
    });
}

}  // namespace varnel
