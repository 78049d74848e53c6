// The event log's block of the setup list.
#include "settings/AppEventLog.h"

#include "db/GeneralSetup.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

const char* YesNo(std::uint16_t flag) { return flag != 0 ? "Yes" : "No"; }
const char* EnabledDisabled(std::uint16_t flag) { return flag != 0 ? "Enabled" : "Disabled"; }

// "  Label<padding>: value", the colons of a block in one column.
void Line(std::string& out, const char* label, const std::string& value, int width = 38)
{
    out += FormatText("%-*s: %s\r\n", width, label, value.c_str());
}

void SubLine(std::string& out, const char* label, const std::string& value) { Line(out, label, value, 34); }

}  // namespace

void CAppEventLog::PrintSettings(std::string& out, const CGeneralSetup& setup) const
{
    out += "Event Log Settings:\r\n";
    Line(out, "  Logging", EnabledDisabled(m_loggingOn));
    Line(out, "  Keep log data for", std::to_string(m_keepDays) + " days");
    Line(out, "  Log File", m_logFile);
    Line(out, "  Log Additions", YesNo(m_logAdditions));
    Line(out, "  Log Updates", YesNo(m_logUpdates));
    Line(out, "  Log Deletions", YesNo(m_logDeletions));
    Line(out, "  Log General Items", YesNo(m_logGeneral));
    Line(out, "  Log Plu Details", YesNo(m_logPluDetails));
    Line(out, "  Log Plu Changes", YesNo(m_logPluUpdates));
    if (m_logPluUpdates != 0) SubLine(out, "    Log File", m_pluUpdateLogFile);
    Line(out, "  Log Plu Send Errors", YesNo(m_logSendFailures));
    if (m_logSendFailures != 0) SubLine(out, "    Log File", m_sendFailureLogFile);
    Line(out, "  Scale Exception Log", EnabledDisabled(m_scaleStatusLogOn));
    if (m_scaleStatusLogOn != 0) SubLine(out, "    Log File", m_scaleStatusLogFile);
    Line(out, "  Custom Text Import Log", YesNo(m_importLogsOn));
    if (m_importLogsOn != 0) {
        SubLine(out, "    Log File", m_importErrorLogFile);
        SubLine(out, "    Summary Log File", m_importSummaryLogFile);
        Line(out, "    PLU Log File", m_importPluLogFile, 30);
    }
    Line(out, "  Max. comms log size", std::to_string(setup.m_maxCommsLogSize) + " KB");
    out += "\r\n";
    if (setup.m_kauriAucklandHostImport != 0) {
        SubLine(out, "    POS update file", m_posUpdateFile);
        out += "\r\n";
    }
}

}  // namespace varnel
