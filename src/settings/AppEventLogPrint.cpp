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
    SetupLine(out, "  Logging", EnabledDisabled(LoggingOn));
    SetupLine(out, "  Keep log data for", std::to_string(KeepDays) + " days");
    SetupLine(out, "  Log File", LogFile);
    SetupLine(out, "  Log Additions", YesNo(LogAdditions));
    SetupLine(out, "  Log Updates", YesNo(LogUpdates));
    SetupLine(out, "  Log Deletions", YesNo(LogDeletions));
    SetupLine(out, "  Log General Items", YesNo(LogGeneral));
    SetupLine(out, "  Log Plu Details", YesNo(LogPluDetails));
    SetupLine(out, "  Log Plu Changes", YesNo(LogPluUpdates));
    if (LogPluUpdates != 0) SubLine(out, "    Log File", PluUpdateLogFile);
    SetupLine(out, "  Log Plu Send Errors", YesNo(LogSendFailures));
    if (LogSendFailures != 0) SubLine(out, "    Log File", SendFailureLogFile);
    SetupLine(out, "  Scale Exception Log", EnabledDisabled(ScaleStatusLogOn));
    if (ScaleStatusLogOn != 0) SubLine(out, "    Log File", ScaleStatusLogFile);
    SetupLine(out, "  Custom Text Import Log", YesNo(ImportLogsOn));
    if (ImportLogsOn != 0) {
        SubLine(out, "    Log File", ImportErrorLogFile);
        SubLine(out, "    Summary Log File", ImportSummaryLogFile);
        SetupLine(out, "    PLU Log File", ImportPluLogFile, 30);
    }
    SetupLine(out, "  Max. comms log size", std::to_string(setup.m_maxCommsLogSize) + " KB");
    out += "\r\n";
    if (setup.m_kauriAucklandHostImport != 0) {
        SubLine(out, "    POS update file", PosUpdateFile);
        out += "\r\n";
    }
}

}  // namespace varnel
