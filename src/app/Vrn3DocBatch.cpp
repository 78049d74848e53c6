// Batch mode: the database's changes recorded in a batch file instead of being written.
#include "app/Vrn3Doc.h"

#include "db/site/MainFrame.h"
#include "platform/Messages.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

namespace varnel {
namespace {

void LogBatchEvent(MessageId text)
{
    FrameEventLog().WriteEvent(EventGeneral, GetMessageText(text));
}

}  // namespace

bool CVrn3Doc::StartBatchMode()
{
    if (!IsDatabaseOpen() || IsBatchMode()) return false;
    FileRequest request;
    request.kind = FileRequest::Kind::Save;
    request.defaultExtension = "bch";
    request.fileName = "*.bch";
    request.filter = "Batch files (*.bch) |*.bch||";
    request.askOverwrite = false;  // the question below offers appending as well
    const std::optional<std::string> path = AskFileName(request);
    if (!path) return false;

    const CMasterScale* current = m_host.GetCurrentDepartment();
    const std::string department = current != nullptr ? current->m_name : std::string();
    bool append = false;
    std::string recorded;
    if (m_pluDatabase.ReadBatchDepartment(*path, recorded)) {
        switch (ShowMessage(kMsgBatchFileExists, MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Cancel: return false;
        case MessageAnswer::No:
            // What the file holds already shows before more is recorded after it.
            if (!m_pluDatabase.LoadBatchFile(*path, department)) return false;
            m_ui->UpdateAllViews();
            append = true;
            break;
        default: break;
        }
    }
    if (!m_pluDatabase.BeginBatch(*path, department, append)) return false;
    LogBatchEvent(kMsgBatchStarted);
    return true;
}

bool CVrn3Doc::EndBatchMode()
{
    if (!m_pluDatabase.EndBatch()) return false;
    m_ui->UpdateAllViews();
    LogBatchEvent(kMsgBatchEnded);
    return true;
}

}  // namespace varnel
