// Which object shows which report type.
#include "app/Reports.h"

#include <array>

namespace varnel {

std::optional<ReportObject> ReportObjectFor(int type)
{
    using enum ReportObject;
    static constexpr std::array<ReportObject, 35> kByType = {
        PluList,        PluProduction,  PeriodTotals,   PeriodTotals,   HourlyTotals,   //  0- 4
        OperatorTotals, PluProduction,  PeriodTotals,   PeriodTotals,   PluProduction,  //  5- 9
        PeriodTotals,   PeriodTotals,   MessageList,    MessageList,    DeptGroupProduction,  // 10-14
        MessageList,    MessageList,    OperatorTotals, MessageList,    MessageList,    // 15-19
        MessageList,    MessageList,    MessageList,    MessageList,    MessageList,    // 20-24
        MessageList,    MessageList,    MessageList,    MessageList,    MessageList,    // 25-29
        BatchTotals,    PeriodTotals,   PeriodTotals,   ScaleTotals,    ImageList,      // 30-34
    };
    if (type < 0 || static_cast<std::size_t>(type) >= kByType.size()) return std::nullopt;
    return kByType[static_cast<std::size_t>(type)];
}

}  // namespace varnel
