// Receiving one data kind from the scale: a request, then one reply block of records (or a refusal),
// then, for production totals, the message that clears them.
//
// The paged receive (the long form, and families 6 and 8 that send PLUs with message 28) asks from
// record 0 (with the records per block for message-28 PLUs), ends a long-form block at a record code
// ending in two zero digits, reads record bodies with cancelling allowed, and reconnects before the
// delete-totals message in the long form too.
#include "comms/sorrel/SorrelSocketLink.h"

#include "comms/idenq/ScaleFileCodes.h"
#include "comms/sorrel/RecordBlockReader.h"
#include "comms/sorrel/SorrelCodes.h"
#include "db/text/Bcd.h"
#include "platform/TextFormat.h"

#include <new>

namespace varnel {
namespace {

constexpr std::chrono::milliseconds kAfterReceivePause(500);
constexpr std::uint16_t kNoDataError = 20001;
constexpr std::uint32_t kLongestDroppedRefusal = 256;
constexpr std::size_t kFileCodeRoom = 32;

}  // namespace

MessageId CSorrelSocketLink::ReceiveRecords(std::uint32_t length, bool paged, CLinkScale& scale)
{
    sorrel::RecordBlockReader reader(GetForm(), paged, length, kDataBufferSize);
    for (;;) {
        switch (reader.GetStep()) {
        case sorrel::RecordBlockReader::Step::RecordHeader: {
            sorrel::Header header{};
            if (const MessageId read = ReceiveExactly(header, false); read != 0) return read;
            WriteTrace(TraceHexOnlyToo, header);
            reader.TakeHeader(header);
            break;
        }
        case sorrel::RecordBlockReader::Step::RecordBody: {
            const auto body = std::span(m_data).first(reader.GetWanted());
            if (const MessageId read = ReceiveExactly(body, paged); read != 0) return read;
            WriteTrace(TraceHexOnlyToo, body);
            try {
                m_received.push_back({std::vector<std::uint8_t>(body.begin(), body.end()), &scale});
            } catch (const std::bad_alloc&) {
                return kMsgInternalError;
            }
            scale.CountRecord();
            reader.TakeWanted();
            break;
        }
        case sorrel::RecordBlockReader::Step::Drop:
            if (const MessageId read = DiscardBytes(reader.GetWanted(), paged); read != 0) return read;
            reader.TakeWanted();
            break;
        case sorrel::RecordBlockReader::Step::Overlong:
            WriteTrace(TraceMessage, FormatText("Received record length invalid: len = %d",
                                                static_cast<int>(reader.GetRecordHeader().length)));
            return kMsgCommsError;
        case sorrel::RecordBlockReader::Step::Done:
            return 0;
        }
    }
}

MessageId CSorrelSocketLink::ReceiveRefusal(std::uint32_t length)
{
    if (length == sorrel::kReplyBodySize) {
        std::array<std::uint8_t, sorrel::kReplyBodySize> bytes{};
        if (const MessageId read = ReceiveExactly(bytes, false); read != 0) return read;
        WriteTrace(TraceDeclined, bytes);
        m_lastScaleError = sorrel::ParseReplyBody(GetForm(), bytes).errorCode;
        return m_lastScaleError == kNoDataError ? 0 : kMsgScaleReportedError;
    }
    // A refusal of another shape is read and dropped when it is short enough to be one.
    if (length < kLongestDroppedRefusal)
        if (const MessageId read = DiscardBytes(length, false); read != 0) return read;
    return kMsgScaleReportedError;
}

MessageId CSorrelSocketLink::RequestKind(CLinkScale& scale, bool paged)
{
    const sorrel::Form form = GetForm();
    std::array<std::uint8_t, kFileCodeRoom> fileCode{};
    std::size_t length = 0;
    if (!GetScaleFileCode(m_receiveKind, scale, Settings()->setup, 0, fileCode, length)) return 0;
    std::vector<std::uint8_t> data(fileCode.begin(), fileCode.begin() + static_cast<std::ptrdiff_t>(length));
    if (paged && form == sorrel::Form::Long) {
        data = {'0', ','};  // from record 0
    } else if (paged && m_receiveKind == 0) {
        data.assign(8, 0);
        (void)PackBcd(std::span(data).subspan(4), RecordsPerBlock(), 8);
    }
    if (!Reconnect()) return kMsgCannotOpen;
    const sorrel::Bytes request = sorrel::RequestBlock(form, GetBlockCode(m_receiveKind), data);
    if (const MessageId sent = SendBytes(request, TraceSentToLink); sent != 0) return sent;
    m_commandReplyPending = false;
    sorrel::Header header{};
    const MessageId read = ReceiveExactly(header, false);
    if (read == 0 || read == kMsgCancelled) WriteTrace(TraceStartReceive, header);
    if (read != 0) return read;
    const sorrel::ParsedHeader parsed = sorrel::ParseHeader(form, header);
    return parsed.flag == 0 ? ReceiveRecords(parsed.length, paged, scale) : ReceiveRefusal(parsed.length);
}

MessageId CSorrelSocketLink::DeleteTotals(const CLinkScale& scale, bool paged)
{
    const std::uint16_t code =
        sorrel::GetDeleteTotalsCode(m_receiveKind, FamilyOf(scale), sorrel::CodeSettings::Of(Settings()->setup));
    if (code == 0 || Settings()->setup.m_keepProductionAfterLoad != 0) return 0;
    if (!Reconnect(paged)) return kMsgCannotOpen;
    const sorrel::Bytes message = sorrel::DeleteTotalsMessage(GetForm(), code);
    if (const MessageId sent = SendBytes(message, TraceSentToLink); sent != 0) return sent;
    m_commandReplyPending = true;
    const MessageId result = ReceiveReply();
    m_commandReplyPending = false;
    return result;
}

bool CSorrelSocketLink::Transact()
{
    CLinkScale* scale = LinkScale();
    m_lastScaleError = 0;
    m_batchLabelRefusal = false;
    FreeReceivedData();
    if (scale == nullptr || GetBlockCode(m_receiveKind) == 0) return true;
    m_currentScale = scale;
    const std::uint16_t family = FamilyOf(*scale);
    const bool paged = GetForm() == sorrel::Form::Long || ((family == 6 || family == 8) && scale->m_message28 != 0);

    if (m_cancelEvent.Poll()) return Fail(*scale, kMsgCancelled);
    if (const MessageId started = StartTransfer(); started != 0) return Fail(*scale, started);
    scale->SetOnline(true);
    MessageId result = m_cancelEvent.Poll() ? kMsgCancelled : 0;
    if (result == 0) {
        // Without a file code nothing is asked; only the paged receive goes on to clear the totals.
        const bool asked = HasScaleFileCode(m_receiveKind, *scale, Settings()->setup);
        result = RequestKind(*scale, paged);
        if (result == 0 && (asked || paged)) result = DeleteTotals(*scale, paged);
    }
    if (result == 0 && m_cancelEvent.Poll()) result = kMsgCancelled;
    if (result != kMsgCannotOpen && Reconnect()) (void)EndTransfer();
    PauseBetweenDeviceUses(m_clock, kAfterReceivePause);
    return result == 0 || Fail(*scale, result);
}

}  // namespace varnel
