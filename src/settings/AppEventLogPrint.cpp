// The event log's block of the setup list.
#include "settings/AppEventLog.h"

#include "db/site/GeneralSetup.h"
#include "settings/SetupListLines.h"

namespace varnel {
namespace {

const char* EnabledDisabled(std::uint16_t flag) { return flag != 0 ? "Enabled" : "Disabled"; }

void SubLine(std::string& out, const char* label, const std::string& value) { SetupLine(out, label, value, 34); }

}  // namespace

void CAppEventLog::PrintSettings(std::string& out, const CGeneralSetup& setup) const
{
    out += "Event Log Settings:\r\n";
    SetupLine(out, "  Logging", EnabledDisabled(m_loggingOn));
    SetupLine(out, "  Keep log data for", std::to_string(m_keepDays) + " days");
    SetupLine(out, "  Log File", m_logFile);
    SetupLine(out, "  Log Additions", YesNo(m_logAdditions));
    SetupLine(out, "  Log Updates", YesNo(m_logUpdates));
    SetupLine(out, "  Log Deletions", YesNo(m_logDeletions));
    SetupLine(out, "  Log General Items", YesNo(m_logGeneral));
    SetupLine(out, "  Log Plu Details", YesNo(m_logPluDetails));
    SetupLine(out, "  Log Plu Changes", YesNo(m_logPluUpdates));
    if (m_logPluUpdates != 0) SubLine(out, "    Log File", m_pluUpdateLogFile);
    SetupLine(out, "  Log Plu Send Errors", YesNo(m_logSendFailures));
    if (m_logSendFailures != 0) SubLine(out, "    Log File", m_sendFailureLogFile);
    SetupLine(out, "  Scale Exception Log", EnabledDisabled(m_scaleStatusLogOn));
    if (m_scaleStatusLogOn != 0) SubLine(out, "    Log File", m_scaleStatusLogFile);
    SetupLine(out, "  Custom Text Import Log", YesNo(m_importLogsOn));
    if (m_importLogsOn != 0) {
        SubLine(out, "    Log File", m_importErrorLogFile);
        SubLine(out, "    Summary Log File", m_importSummaryLogFile);
        SetupLine(out, "    PLU Log File", m_importPluLogFile, 30);
    }
    SetupLine(out, "  Max. comms log size", std::to_string(setup.m_maxCommsLogSize) + " KB");
    out += "\r\n";
    if (setup.m_kauriAucklandHostImport != 0) {
        SubLine(out, "    POS update file", m_posUpdateFile);
        out += "\r\n";
    }
}

}  // namespace varnel
