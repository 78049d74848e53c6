// The document's list reports, status log and outside-maker sends.
#include "app/ui/DocumentListCommands.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetupList.h"

#include <cstdint>

namespace varnel {
namespace {

struct ListReportCommand {
    std::uint32_t command;
    const char* menuText;
    int reportType;
};

constexpr ListReportCommand kListReports[] = {
    {32977, "RUX Comment", 18},
    {32972, "Free Messages #1", 19},
    {32973, "Free Messages #2", 20},
    {32974, "Free Messages #3", 21},
    {32975, "Free Messages #4", 22},
    {32976, "Free Messages #5", 23},
    {32971, "Ingredients", 24},
    {32970, "RUX Origin Message", 25},
    {32935, "Storage Temp. Messages", 26},
    {32925, "Storage Instructions", 27},
    {32978, "Departments", 28},
    {32923, "Groups", 29},
    {32991, "Scale Totals", 33},
};

constexpr std::uint32_t kSendAllOrlan = 32993;
constexpr std::uint32_t kSendOrlanChanges = 32964;
constexpr std::uint32_t kUpdateStatusLog = 32961;

CommandState EnabledWhen(bool enabled) { return CommandState{enabled, std::nullopt}; }

}  // namespace

void RegisterDocumentListCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    const auto open = [&document] { return EnabledWhen(document.IsDatabaseOpen()); };
    for (const ListReportCommand& entry : kListReports) {
        commands.Register(
            entry.command, entry.menuText, [&document, &entry] { (void)document.RunReport(entry.reportType); },
            open);
    }
    commands.Register(kSendAllOrlan, "All PLUs", [&document] { (void)document.SendAllOrlanPlus(); }, open);
    commands.Register(
        kSendOrlanChanges, "Recent Changes Only", [&document] { (void)document.SendOrlanChanges(true); },
        [&frame, &document] {
            return EnabledWhen(frame.GetGeneralSetup().m_orlanComms != 0 && document.HasOrlanChanges());
        });
    commands.Register(
        kUpdateStatusLog, "Update Scale Status Log",
        [&frame, &document] { (void)document.WriteScaleStatusLog(frame.EventLog(), true); },
        [&frame, &document] {
            return EnabledWhen(frame.EventLog().ScaleStatusLogOn != 0 && document.CanUseOnlineComms() &&
                               !frame.Access().m_users.IsRestrictedAccess());
        });
}

}  // namespace varnel
