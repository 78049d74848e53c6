// The report objects of the report window. The document picks the object for a report type, keeps it
// as the pending report while it prepares itself, and the report window takes it over. The report
// subsystem fills IReportMaker; until it does, the document is given none and no report runs.
#pragma once

#include <memory>
#include <optional>

namespace varnel {

class CVrn3Doc;

enum class ReportObject {
    PluList,
    PluProduction,
    PeriodTotals,
    HourlyTotals,
    OperatorTotals,
    MessageList,
    DeptGroupProduction,
    BatchTotals,
    ScaleTotals,
    ImageList,
};

// The object that shows report type 0 to 34; none for other types.
std::optional<ReportObject> ReportObjectFor(int type);

class IReport {
public:
    virtual ~IReport() = default;
    // Gathers what the report of `type` shows; false when it cannot be shown.
    virtual bool Prepare(int type) = 0;
};

class IReportMaker {
public:
    virtual ~IReportMaker() = default;
    virtual std::unique_ptr<IReport> MakeReport(ReportObject object, CVrn3Doc& document) = 0;
};

}  // namespace varnel
