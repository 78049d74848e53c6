#include "comms/lumen/LumenLink.h"

#include "comms/lumen/LumenProgressForm.h"
#include "comms/lumen/LumenTransferUi.h"
#include "db/plu/Document.h"
#include "platform/ArchiveExchange.h"
#include "platform/UserPrompt.h"

#include <algorithm>
#include <utility>

namespace varnel {
namespace {

MessageId MessageOfResult(CLumenLink::TransferResult result)
{
    switch (result) {
    case CLumenLink::ResultDone: return 0;
    case CLumenLink::ResultCancelled: return CLumenLink::kMsgCancelled;
    case CLumenLink::ResultTimeout: return CLumenLink::kMsgTimeout;
    default: return CLumenLink::kMsgCommsAborted;
    }
}

}  // namespace

CLumenLink::CLumenLink(IClock& clock, IFileSystem& fs) : m_clock(clock), m_fs(fs), m_signals(clock) {}

CLumenLink::CLumenLink(const CLumenLink& other)
    : CObject(other), LumenLinkSettings(other), m_clock(other.m_clock), m_fs(other.m_fs), m_signals(m_clock)
{
}

CLumenLink& CLumenLink::operator=(const CLumenLink& other)
{
    if (this == &other) return *this;
    LumenLinkSettings::operator=(other);
    return *this;
}

CLumenLink::~CLumenLink() { CancelWorker(); }

void CLumenLink::Serialize(CArchive& ar)
{
    std::uint32_t format = kFormat;
    Exchange(ar, format, m_name, m_firstFlag, m_logging, m_logFile, m_linkNo, m_scaleType);
    if (!ar.IsLoading()) return;
    m_logging = 1;
    if (format < kFormat) m_scaleType = kLumen;
}

MessageId CLumenLink::SendToScale(IDocument& document, std::uint16_t market, ILumenTransferUi& ui)
{
    m_document = &document;
    const MessageId result = RunTransfer(ModeSend, market, ui);
    m_document = nullptr;
    if (result == 0) ShowMessage(kMsgDataSent, MessageButtons::Ok, MessageIcon::Information);
    return result;
}

MessageId CLumenLink::ReceiveFromScale(IDocument& document, std::uint16_t market, ILumenTransferUi& ui)
{
    m_document = &document;
    const MessageId result = RunTransfer(ModeReceive, market, ui);
    m_document = nullptr;
    return result;
}

MessageId CLumenLink::RunTransfer(Mode mode, std::uint16_t market, ILumenTransferUi& ui)
{
    if (mode == ModeSend) {
        if (m_askAddMode) {
            const std::optional<bool> chosen = ui.AskAddMode(m_addMode);
            if (!chosen) return kMsgCancelled;
            m_addMode = *chosen;
        } else {
            m_addMode = true;
        }
        if (!ui.ShowStartInstructions(m_scaleType)) return kMsgCancelled;
    }
    m_letters = lumen::CommandLetters::ForMarketVersion(market);
    LumenProgressForm form(*this, mode, m_scaleType);
    m_open = Open();
    if (!m_open) return kMsgCannotOpen;
    {
        const std::lock_guard lock(m_lock);
        m_mode = mode;
        m_progress = &form;
        // A worker that never gets to start has been cancelled.
        m_result = ResultCancelled;
    }
    StartThread();
    if (!ui.RunProgress(form)) m_signals.Set(LumenSignals::Cancel);
    Close();
    // The form goes with this call: the worker must be gone and the window cleared whatever Close did.
    EndWorker();
    ClearProgressWindow();
    m_open = false;
    return MessageOfResult(GetResult());
}

void CLumenLink::ClearProgressWindow()
{
    const std::lock_guard lock(m_lock);
    m_progress = nullptr;
}

void CLumenLink::GetDataToSend()
{
    const std::lock_guard lock(m_lock);
    if (m_awaited != ProgressFetch) return;
    m_awaited.reset();
    std::uint32_t command = m_command;
    std::uint32_t length = kBufferSize;
    m_refused = m_document == nullptr || !m_document->GetNextLumenRecord(command, m_buffer, length) ||
                length > kBufferSize;
    m_command = command;
    m_dataLength = m_refused ? 0 : length;
    m_signals.Set(LumenSignals::DataReady);
}

void CLumenLink::StoreReceived()
{
    const std::lock_guard lock(m_lock);
    if (m_awaited != ProgressStore) return;
    m_awaited.reset();
    m_refused = m_document == nullptr ||
                !m_document->StoreLumenRecord(m_command, std::span(m_buffer).first(m_dataLength));
    m_signals.Set(LumenSignals::ReceivedDone);
}

CLumenLink::TransferResult CLumenLink::GetResult() const
{
    const std::lock_guard lock(m_lock);
    return m_result;
}

void CLumenLink::EndWorker()
{
    if (!m_worker.joinable()) return;
    if (!m_signals.WaitAnyUntil({LumenSignals::ThreadEnded}, m_clock.MonotonicNow() + kCloseWait)) {
        WriteTrace(TraceError, "Error closing link: No end notification from thread");
        m_signals.Set(LumenSignals::Cancel);
    }
    m_worker.join();
}

void CLumenLink::CancelWorker()
{
    if (!m_worker.joinable()) return;
    m_signals.Set(LumenSignals::Cancel);
    m_worker.join();
}

void CLumenLink::StartThread()
{
    m_signals.ResetAll();
    m_worker = std::thread([this] { RunWorker(); });
}

void CLumenLink::RunWorker()
{
    if (m_signals.WaitAny({LumenSignals::Cancel, LumenSignals::Start}) == LumenSignals::Start) Transfer();
    m_signals.Set(LumenSignals::ThreadEnded);
}

void CLumenLink::Transfer()
{
    Mode mode = ModeNone;
    {
        const std::lock_guard lock(m_lock);
        mode = std::exchange(m_mode, ModeNone);
        m_result = ResultRunning;
    }
    if (mode == ModeSend) {
        SendAll();
    } else if (mode == ModeReceive) {
        ReceiveAll();
    } else {
        Finish(ResultDone);
    }
    Post(ProgressFinished);
}

void CLumenLink::Post(ProgressCode code)
{
    const std::lock_guard lock(m_lock);
    if (m_progress) m_progress->Post(kProgressMessage, code, m_linkNo);
}

CLumenLink::Answer CLumenLink::AskDialog(ProgressCode code)
{
    const LumenSignals::Signal answered = code == ProgressFetch ? LumenSignals::DataReady : LumenSignals::ReceivedDone;
    // The five seconds count from the post.
    const auto deadline = m_clock.MonotonicNow() + kHandshakeWait;
    {
        const std::lock_guard lock(m_lock);
        m_signals.Reset(answered);
        m_awaited = code;
        m_refused = false;
        if (m_progress) m_progress->Post(kProgressMessage, code, m_linkNo);
    }
    const std::optional<LumenSignals::Signal> signal = m_signals.WaitAnyUntil({answered, LumenSignals::Cancel}, deadline);
    const std::lock_guard lock(m_lock);
    if (m_awaited) {
        m_awaited.reset();
        return signal == LumenSignals::Cancel ? Answer::Cancelled : Answer::TimedOut;
    }
    return m_refused ? Answer::Refused : Answer::Given;
}

void CLumenLink::Finish(TransferResult result)
{
    const std::lock_guard lock(m_lock);
    m_result = result;
}

}  // namespace varnel
