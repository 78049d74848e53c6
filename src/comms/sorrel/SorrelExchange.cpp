// The block link's exchanges: exact reads with their time-outs and cancel rules, replies, commands,
// the start and end of a transfer and the short form's reconnects.
//
// Reply time-outs: 5 s while a command's reply is awaited, else 300 s (a scale stores a whole block
// before it answers). A cancel never cuts a reply short: the exchange ends with 61225 once the reply
// is in, or with 61219 at the time-out. Only record bodies of the paged receive may be given up on a
// cancel, 3 seconds into their wait at the earliest.
#include "comms/sorrel/SorrelSocketLink.h"

#include "comms/idenq/ScaleFamily.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr std::chrono::milliseconds kReconnectPause(1000);
constexpr std::int64_t kCancelGraceSeconds = 3;
constexpr std::size_t kFlushRoom = 200;
constexpr std::uint16_t kNoDataToSendError = 20013;
constexpr std::uint16_t kBatchLabelKind = 10;

bool IsRefusal(MessageId result)
{
    return result == CIdEnqLink::kMsgRecordsRefused || result == CIdEnqLink::kMsgScaleMemoryFull;
}

}  // namespace

bool CSorrelSocketLink::Reconnect(bool evenLongForm)
{
    if (GetForm() == sorrel::Form::Long && !evenLongForm) return true;
    ClosePort();
    PauseBetweenDeviceUses(m_clock, kReconnectPause);
    // A cancel waiting is kept for the exchange: the connect would take it as its own.
    const bool cancelled = m_cancelEvent.Poll();
    bool opened = Open();
    if (!opened) opened = Open();
    if (cancelled) m_cancelEvent.Set();
    return opened;
}

MessageId CSorrelSocketLink::SendBytes(std::span<const std::uint8_t> bytes, std::uint16_t traceKind)
{
    std::size_t sent = 0;
    if (!Send(bytes, sent) || sent != bytes.size()) return kMsgCommsError;
    WriteTrace(traceKind, bytes);
    return 0;
}

MessageId CSorrelSocketLink::ReceiveExactly(std::span<std::uint8_t> into, bool allowCancel)
{
    const auto start = m_clock.MonotonicNow();
    bool cancelSeen = false;
    for (std::size_t have = 0;;) {
        // A stop that could not wait any longer ends the worker: the kill is left for it to see.
        if (m_killEvent.Poll()) {
            m_killEvent.Set();
            return kMsgCancelled;
        }
        std::size_t got = 0;
        if (have < into.size() && !Receive(into.subspan(have), got)) return kMsgCommsError;
        have += got;
        if (have == into.size()) return cancelSeen ? kMsgCancelled : 0;
        const std::int64_t seconds = SecondsSince(start);
        if (seconds >= GetReplyTimeout()) {
            WriteTrace(TraceMessage, std::string(GetMessageText(kMsgTimeout)) +
                                         FormatText(" (Waiting for %d bytes - received %d bytes)",
                                                    static_cast<int>(into.size()), static_cast<int>(have)));
            return kMsgTimeout;
        }
        if (!cancelSeen) cancelSeen = m_cancelEvent.Poll();
        if (cancelSeen && allowCancel && seconds >= kCancelGraceSeconds) {
            WriteTrace(TraceMessage, "User cancel occured while waiting to receive data");
            return kMsgCancelled;
        }
    }
}

MessageId CSorrelSocketLink::DiscardBytes(std::uint32_t count, bool allowCancel)
{
    std::array<std::uint8_t, 512> sink{};
    while (count > 0) {
        const std::size_t piece = std::min<std::size_t>(count, sink.size());
        if (const MessageId read = ReceiveExactly(std::span(sink).first(piece), allowCancel); read != 0) return read;
        count -= static_cast<std::uint32_t>(piece);
    }
    return 0;
}

MessageId CSorrelSocketLink::ReceiveReply()
{
    const sorrel::Form form = GetForm();
    sorrel::Header header{};
    const MessageId read = ReceiveExactly(header, false);
    if (read == 0 || read == kMsgCancelled) WriteTrace(TraceStartReceive, header);
    if (read != 0) return read;
    const sorrel::ParsedHeader parsed = sorrel::ParseHeader(form, header);
    sorrel::ReplyBody body;
    if (parsed.length != sorrel::kReplyBodySize) {
        WriteTrace(TraceMessage, FormatText("Received data length invalid: len = %d", static_cast<int>(parsed.length)));
        std::array<std::uint8_t, kFlushRoom> waiting{};
        std::size_t got = 0;
        if (Receive(waiting, got) && got > 0) {
            WriteTrace(TraceMessage, "Attempted to flush buffer:");
            WriteTrace(TraceHexOnly, std::span(waiting).first(got));
        } else {
            WriteTrace(TraceMessage, "Attempted to flush buffer - no data waiting");
        }
    } else {
        std::array<std::uint8_t, sorrel::kReplyBodySize> bytes{};
        if (const MessageId bodyRead = ReceiveExactly(bytes, false); bodyRead != 0) return bodyRead;
        WriteTrace(TraceHexOnlyToo, bytes);
        body = sorrel::ParseReplyBody(form, bytes);
    }
    if (parsed.flag == 0) return 0;
    const MessageId result = sorrel::RefusalResult(body);
    if (body.errorCode != 0) {
        m_lastScaleError = body.errorCode;
        if (body.errorCode == kNoDataToSendError && GetDataKindOfTable(m_blockTable) == kBatchLabelKind)
            m_batchLabelRefusal = true;
    }
    WriteTrace(TraceMessage, FormatText("NAK received from scale - %s", std::string(GetMessageText(result)).c_str()));
    return result;
}

MessageId CSorrelSocketLink::SendCommand(std::uint16_t code)
{
    const sorrel::Header header = sorrel::CommandHeader(GetForm(), code);
    if (const MessageId sent = SendBytes(header, TraceSentToLink); sent != 0) return sent;
    m_commandReplyPending = true;
    MessageId result = ReceiveReply();
    m_commandReplyPending = false;
    // A scale refuses the start of a transfer and the status poll while it is busy.
    if (IsRefusal(result) && (code == sorrel::kStartOfTransfer || code == sorrel::kStatusPoll)) result = kMsgScaleBusy;
    return result;
}

MessageId CSorrelSocketLink::StartTransfer()
{
    if (GetForm() == sorrel::Form::Long) return 0;
    const MessageId result = SendCommand(sorrel::kStartOfTransfer);
    if (result != kMsgScaleBusy) return result;
    if (Reconnect()) (void)SendCommand(sorrel::kEndOfTransfer);
    return kMsgScaleBusy;
}

MessageId CSorrelSocketLink::EndTransfer()
{
    return GetForm() == sorrel::Form::Long ? 0 : SendCommand(sorrel::kEndOfTransfer);
}

void CSorrelSocketLink::PollScales(const std::vector<CLinkScale*>& scales)
{
    for (CLinkScale* scale : scales) {
        m_lastScaleError = 0;
        m_batchLabelRefusal = false;
        m_currentScale = scale;
        const MessageId result = GetForm() == sorrel::Form::Long ? 0 : SendCommand(sorrel::kStatusPoll);
        // A busy scale is there all the same.
        if (!TakePollAnswer(*scale, result == kMsgScaleBusy ? 0 : result)) return;
    }
}

}  // namespace varnel
