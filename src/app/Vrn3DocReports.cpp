// The document's reports: the pending report between its preparation and the report window.
#include "app/Vrn3Doc.h"

namespace varnel {

bool CVrn3Doc::RunReport(int type)
{
    const std::optional<ReportObject> object = ReportObjectFor(type);
    if (!object || m_reportMaker == nullptr) return false;
    return ShowReport(m_reportMaker->MakeReport(*object, *this), type);
}

bool CVrn3Doc::ShowReport(std::unique_ptr<IReport> report, int type)
{
    if (report == nullptr) return false;
    m_pendingReport = std::move(report);
    if (!m_pendingReport->Prepare(type)) {
        m_pendingReport.reset();
        return false;
    }
    m_reportType = type;
    // A report no window took would otherwise be handed to the next window that opens.
    if (m_ui->OpenReportWindow()) return true;
    m_pendingReport.reset();
    return false;
}

}  // namespace varnel
