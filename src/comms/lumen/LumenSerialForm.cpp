#include "comms/lumen/LumenSerialForm.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/lumen/LumenRs232Link.h"
#include "platform/UserPrompt.h"

namespace varnel {

LumenSerialForm::LumenSerialForm(const CLumenRs232Link& link)
    : port(link.m_port),
      baudRate(link.m_baudRate),
      parity(link.m_parity == "E" ? "EVEN" : link.m_parity == "O" ? "ODD" : "N"),
      dataBits(link.m_dataBits),
      stopBits(link.m_stopBits),
      rtsCts(link.m_useRtsCts != 0),
      m_logging(link.m_logging != 0),
      m_logFile(link.m_logFile)
{
}

void LumenSerialForm::SetLogging(bool on)
{
    m_logging = on;
    if (on && m_logFile.empty()) (void)ChangeFile();
}

bool LumenSerialForm::ChangeFile()
{
    FileRequest request;
    request.kind = FileRequest::Kind::Save;
    request.fileName = m_logFile.empty() ? "*.txt" : m_logFile;
    request.filter = "Text files (*.txt) |*.txt|All files (*.*) |*.*||";
    const std::optional<std::string> file = AskFileName(request);
    if (!file) return false;
    m_logFile = *file;
    return true;
}

std::string LumenSerialForm::GetShownLogFile() const
{
    return m_logFile.size() <= kShownPathLength ? m_logFile : m_logFile.substr(m_logFile.size() - kShownPathLength);
}

void LumenSerialForm::StoreInto(CLumenRs232Link& link) const
{
    link.m_port = port;
    link.m_baudRate = baudRate;
    link.m_parity = parity == "EVEN" ? "E" : parity == "ODD" ? "O" : "N";
    link.m_dataBits = dataBits;
    link.m_stopBits = stopBits;
    link.m_useRtsCts = rtsCts ? 1 : 0;
    link.m_logging = m_logging ? 1 : 0;
    link.m_logFile = m_logFile;
}

bool CLumenRs232Link::Setup()
{
    LumenSerialForm form(*this);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (!dialogs || !dialogs->RunLumenSerial(form)) return false;
    form.StoreInto(*this);
    return true;
}

}  // namespace varnel
