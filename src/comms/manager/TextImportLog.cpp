#include "comms/manager/TextImportLog.h"

#include "comms/manager/IdEnqLinkList.h"
#include "settings/AppEventLog.h"

#include <optional>
#include <string>

namespace varnel {
namespace {

// The links' lines are gathered before the log is opened: a link's queue lock is never taken while
// the logs' lock is held.
void AppendToCustomLog(const CAppEventLog& log, int kind, const std::string& lines)
{
    if (std::optional<LogFile> file = log.OpenCustomLog(kind)) (void)file->Append(lines);
}

}  // namespace

void LogTextImport(const CAppEventLog& log, const CIdEnqLinkList& links, const PluLogImport& import,
                   std::uint32_t imported, std::uint32_t sent)
{
    if (log.ImportLogsOn == 0) return;
    std::string summary;
    links.WriteCommsLog(summary, import.importFile, import.database, imported, sent);
    AppendToCustomLog(log, CustomLogImportSummary, summary);
    if (sent == 0) return;
    std::string unsent;
    links.WritePluLogLines(log, unsent, import);
    AppendToCustomLog(log, CustomLogImportErrors, unsent);
}

}  // namespace varnel
