// The link's worker thread: its loop, the requests it carries out, the unsent-data checks, and the
// poll and send operations over the job scales.
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/IdEnqFrame.h"
#include "platform/TextFormat.h"
#include "settings/AppEventLog.h"

namespace varnel {
namespace {

// How long a worker with jobs queued for its scales waits before it tries them again.
constexpr std::chrono::milliseconds kUnsentRetryInterval(60000);
constexpr std::uint32_t kKilledExitBase = 1000;
constexpr MessageId kMsgScaleReportedError = 20574;  // "Communication error reported by scale [%s] : %s"

}  // namespace

class CIdEnqLink::CommsStateScope {
public:
    CommsStateScope(const CIdEnqLink& link, std::uint32_t state) : m_link(link), m_state(state)
    {
        const std::lock_guard lock(m_link.m_documentLock);
        if (m_link.m_commsStatus) m_link.m_commsStatus->IncCommsState(m_state);
    }
    ~CommsStateScope()
    {
        const std::lock_guard lock(m_link.m_documentLock);
        if (m_link.m_commsStatus) m_link.m_commsStatus->DecCommsState(m_state);
    }
    CommsStateScope(const CommsStateScope&) = delete;
    CommsStateScope& operator=(const CommsStateScope&) = delete;

private:
    const CIdEnqLink& m_link;
    std::uint32_t m_state;
};

void CIdEnqLink::WriteWorkerEvent(std::uint16_t kind, std::string_view text) const
{
    const std::lock_guard lock(m_documentLock);
    if (m_eventLog) m_eventLog->WriteEvent(kind, text);
}

void CIdEnqLink::MarkPassUnderWay(bool underWay)
{
    {
        const std::lock_guard lock(m_queueLock);
        m_passUnderWay = underWay;
    }
    if (!underWay) m_requestEnded.notify_all();
}

std::uint32_t CIdEnqLink::RunThread()
{
    for (;;) {
        const bool unsent = m_enabled && HasUnsentData();
        if (KillRequested()) return kKilledExitBase + m_linkId;
        bool woken = true;
        MarkPassUnderWay(false);
        if (unsent)
            woken = m_requestEvent.WaitFor(kUnsentRetryInterval, m_clock);
        else
            m_requestEvent.Wait();
        MarkPassUnderWay(true);
        if (KillRequested()) return kKilledExitBase + m_linkId;
        if (m_stopRequested) break;
        m_passSettings = SettingsForPass();
        const SiteSettingsScope pinned(m_passSettings);
        if (woken) {
            std::uint32_t code = RequestIdle;
            {
                const std::lock_guard lock(m_queueLock);
                code = m_request;
            }
            if (code == RequestStop) break;
            if (!m_enabled) {
                PostResult(code == RequestReceive ? ResultReceiveDone : ResultDone, true);
                continue;
            }
            bool sentAfterOpen = false;
            CarryOutRequest(code, sentAfterOpen);
            if (sentAfterOpen || m_stopRequested) continue;
        }
        CheckUnsentData();
    }
    m_threadEndedEvent.Set();
    return m_linkId;
}

bool CIdEnqLink::KillRequested()
{
    if (!m_killEvent.Poll()) return false;
    WriteTrace(TraceMessage, FormatText("****** Kill Link %s *****", m_name.c_str()));
    ClosePort();
    m_threadEndedEvent.Set();
    return true;
}

bool CIdEnqLink::HasUnsentData()
{
    const std::lock_guard lock(m_queueLock);
    bool unsent = false;
    for (const auto& scale : m_scales) {
        if (scale->HasDataWaiting())
            unsent = true;
        else
            scale->m_sendQueue.clear();
    }
    return unsent;
}

void CIdEnqLink::CarryOutRequest(std::uint32_t code, bool& sentAfterOpen)
{
    switch (code) {
    case RequestPoll: {
        const CommsStateScope state(*this, CommsStatePoll);
        const std::vector<CLinkScale*> scales = GetJobScales();
        if (OpenLink(scales)) {
            PollScales(scales);
            ClosePort();
        }
        break;
    }
    case RequestReceive: {
        {
            const CommsStateScope state(*this, CommsStateReceive);
            FreeReceivedData();
            if (OpenLink(GetJobScales())) {
                Transact();
                ClosePort();
            }
            if (m_linkError != 0) FreeReceivedData();
        }
        PostResult(ResultReceiveDone, true);
        return;
    }
    case RequestSendNow:
    case RequestSendUnsent: {
        const CommsStateScope state(*this, CommsStateSend);
        if (OpenLink(GetJobScales())) {
            ProcessQueue();
            ClosePort();
            sentAfterOpen = true;
        }
        break;
    }
    default:
        break;
    }
    PostResult(ResultDone, true);
}

void CIdEnqLink::CheckUnsentData()
{
    const auto scalesWithJobs = [this](bool online) {
        std::vector<CLinkScale*> scales;
        const std::lock_guard lock(m_queueLock);
        for (const auto& scale : m_scales) {
            if (!scale->m_enabled || scale->IsOnline() != online) continue;
            if (scale->HasDataWaiting())
                scales.push_back(scale.get());
            else
                scale->m_sendQueue.clear();
        }
        return scales;
    };
    // Every off-line scale with jobs waiting is asked whether it is back (not only those of the last
    // request, which may not include it: its jobs would then wait for ever).
    if (const std::vector<CLinkScale*> offline = scalesWithJobs(false); !offline.empty()) {
        const CommsStateScope state(*this, CommsStatePoll);
        if (OpenLink(offline)) {
            PollScales(offline);
            ClosePort();
        }
    }
    if (const std::vector<CLinkScale*> online = scalesWithJobs(true); !online.empty()) {
        WriteTrace(TraceNote, "Starting to send unsent data");
        const CommsStateScope state(*this, CommsStateSend);
        if (OpenLink(online)) {
            ProcessQueue();
            ClosePort();
        }
    }
}

bool CIdEnqLink::OpenLink(const std::vector<CLinkScale*>& scales)
{
    if (Open()) return true;
    for (CLinkScale* scale : scales) scale->SetOnline(false);
    if (Settings()->setup.m_discardUnsentOnOpenFailure != 0) ClearQueues(nullptr, false, false);
    return Terminate(kMsgCannotOpen);
}

void CIdEnqLink::PollScales(const std::vector<CLinkScale*>& scales)
{
    for (CLinkScale* scale : scales) {
        m_currentScale = scale;
        WriteTrace(TraceSent, std::span<const std::uint8_t>{});
        const MessageId result = SendEnquiry();
        SendControl(idenq::kEot);
        if (!TakePollAnswer(*scale, result)) return;
    }
}

bool CIdEnqLink::TakePollAnswer(CLinkScale& scale, MessageId result)
{
    if (result == kMsgCancelled) {
        Terminate(kMsgCancelled);
        return false;
    }
    if (result != 0) scale.SetLastResult(result);
    scale.SetOnline(result == 0);
    return true;
}

bool CIdEnqLink::ProcessQueue()
{
    for (const auto& scale : m_scales) {
        m_currentScale = scale.get();
        if (!StartNextJob()) {
            SendControl(idenq::kEot);
            continue;
        }
        if (const MessageId begun = BeginTransmission(); begun != 0) {
            if (begun == kMsgCancelled) return Terminate(kMsgCancelled);
            scale->SetLastResult(begun);
            scale->SetOnline(false);
            SendControl(idenq::kEot);
            continue;
        }
        scale->SetOnline(true);
        for (bool done = false; !done;) {
            WriteTrace(TraceSent, std::span<const std::uint8_t>(m_data.data(), m_dataLength));
            const MessageId sent = SendData(true);
            if (sent == 0) {
                NoteRecordDelivered();
                done = !NextRecords();
            } else if (sent == kMsgCancelled) {
                return Terminate(kMsgCancelled);
            } else {
                scale->SetLastResult(sent);
                scale->SetOnline(false);
                done = true;
            }
            if (m_cancelEvent.Poll()) {
                SendControl(idenq::kEot);
                return Terminate(kMsgCancelled);
            }
        }
        SendControl(idenq::kEot);
    }
    return true;
}

bool CIdEnqLink::Terminate(MessageId message)
{
    if (message == 0) return true;
    const std::string text(GetMessageText(message));
    if (message == kMsgRecordsRefused || message == kMsgScaleMemoryFull) {
        WriteWorkerEvent(EventGeneral, FormatMessage(kMsgScaleReportedError, m_name.c_str(), text.c_str()));
    }
    WriteTrace(TraceMessage, FormatText("Terminated comms operation: Error = %s", text.c_str()));
    m_linkError = message;
    PostResult(ResultError, false);
    return false;
}

void CIdEnqLink::PostResult(std::uint32_t code, bool endRequest)
{
    {
        const std::lock_guard lock(m_queueLock);
        if (m_notifyWindow != nullptr) m_notifyWindow->Post(kResultMessage, code, m_linkId);
        if (!endRequest) return;
        m_request = RequestIdle;
        m_notifyWindow = nullptr;
    }
    m_requestEnded.notify_all();
}

}  // namespace varnel
