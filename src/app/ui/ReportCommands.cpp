// The production and message reports.
#include "app/ui/ReportCommands.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetupList.h"

#include <cstdint>

namespace varnel {
namespace {

enum class ReportRight { None, PluProduction, PluList };

struct ReportCommand {
    std::uint32_t command;
    const char* menuText;
    int reportType;
    ReportRight right;
};

constexpr ReportCommand kReports[] = {
    {32860, "&PLU Production", 1, ReportRight::PluProduction},
    {32931, "&Dept && Group Production", 14, ReportRight::PluProduction},
    {32862, "&Daily Totals", 2, ReportRight::None},
    {32863, "&Weekly Totals", 3, ReportRight::None},
    {32864, "&Operator Totals", 5, ReportRight::None},
    {32843, "&Operator Totals (Overrides)", 17, ReportRight::None},
    {32869, "&Hourly Totals", 4, ReportRight::None},
    {32915, "&Rewrap Totals", 6, ReportRight::None},
    {32916, "Rewrap Daily Totals", 7, ReportRight::None},
    {32917, "Rewrap Weekly Totals", 8, ReportRight::None},
    {32918, "&Next Day Totals", 9, ReportRight::None},
    {32919, "Next Day Daily Totals", 10, ReportRight::None},
    {32920, "Next Day Weekly Totals", 11, ReportRight::None},
    {32987, "Batch Production Totals", 30, ReportRight::None},
    {32988, "Batch Prod. Daily Totals", 31, ReportRight::None},
    {32989, "Batch Prod. Weekly Totals", 32, ReportRight::None},
    {32818, "PLU &List", 0, ReportRight::PluList},
    {32921, "&Extra Messages", 12, ReportRight::None},
    {32966, "Lot Messages", 15, ReportRight::None},
    {32777, "&Extra Messages #2", 15, ReportRight::None},
    {32778, "&Extra Messages #3", 16, ReportRight::None},
    {32922, "&Coupons", 13, ReportRight::None},
};

bool HasRight(const CUserSetupList& users, ReportRight right)
{
    switch (right) {
    case ReportRight::PluProduction: return users.AllowPluProdReport();
    case ReportRight::PluList: return users.AllowPluListReport();
    case ReportRight::None: break;
    }
    return true;
}

}  // namespace

void RegisterReportCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    for (const ReportCommand& entry : kReports) {
        commands.Register(
            entry.command, entry.menuText, [&document, &entry] { (void)document.RunReport(entry.reportType); },
            [&frame, &document, &entry] {
                return CommandState{document.IsDatabaseOpen() && HasRight(frame.Access().m_users, entry.right),
                                    std::nullopt};
            });
    }
}

}  // namespace varnel
