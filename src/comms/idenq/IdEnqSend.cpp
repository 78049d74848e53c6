// The sending side of ID-ENQ: claiming the line with the enquiry and sending a packet as acknowledged
// frames.
//
// Sending exchange: BeginTransmission (up to 4 enquiries while they time out) -> one or more packets
// by SendData (each frame ACKed; a NAKed frame is built again with the next sequence number, at most
// 4 times in a row) -> EOT.
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/IdEnqFrame.h"
#include "platform/TextFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr int kEnquiryAttempts = 4;
constexpr unsigned kMaxNaksInARow = 4;

}  // namespace

std::int64_t CIdEnqLink::SecondsSince(std::chrono::steady_clock::time_point start) const
{
    return std::chrono::duration_cast<std::chrono::seconds>(m_clock.MonotonicNow() - start).count();
}

bool CIdEnqLink::SendControl(std::uint8_t byte)
{
    std::size_t sent = 0;
    return Send(std::span(&byte, 1), sent) && sent == 1;
}

MessageId CIdEnqLink::WaitAck(std::uint16_t seconds, std::uint8_t* received)
{
    if (received != nullptr) *received = 0;
    const auto start = m_clock.MonotonicNow();
    for (;;) {
        std::uint8_t byte = 0;
        std::size_t got = 0;
        if (!Receive(std::span(&byte, 1), got)) return kMsgCommsError;
        if (got == 1) {
            if (received != nullptr) *received = byte;
            if (byte == idenq::kAck) return 0;
            if (byte == idenq::kNak)
                WriteTrace(TraceMessage, "Received NAK\n");
            else
                WriteTrace(TraceMessage, FormatText("Received unexpected ACK char (0x%02.2x)\n", unsigned{byte}));
            return kMsgCommsError;
        }
        if (m_cancelEvent.Poll()) return kMsgCancelled;
        if (seconds != 0 && SecondsSince(start) >= seconds) {
            WriteTrace(TraceMessage, "Timeout waiting for ACK");
            return kMsgTimeout;
        }
    }
}

MessageId CIdEnqLink::SendEnquiry()
{
    const std::optional<idenq::Enquiry> enquiry = idenq::MakeEnquiry(m_currentScale->m_machineNo);
    if (!enquiry) {
        WriteTrace(TraceMessage, FormatText("ID-ENQ machine ID %u cannot be sent", unsigned{m_currentScale->m_machineNo}));
        return kMsgCommsError;
    }
    WriteTrace(TraceSent, *enquiry);
    std::size_t sent = 0;
    if (!Send(*enquiry, sent) || sent < enquiry->size()) return kMsgCommsError;
    return WaitAck(GetAckTimeout(), nullptr);
}

MessageId CIdEnqLink::BeginTransmission()
{
    for (int attempt = 0; attempt < kEnquiryAttempts; ++attempt) {
        const MessageId result = SendEnquiry();
        if (result == 0) return 0;
        if (result == kMsgCancelled) {
            SendControl(idenq::kEot);
            return kMsgCancelled;
        }
        if (result != kMsgTimeout) return result;
    }
    SendControl(idenq::kEot);
    return kMsgTimeout;
}

std::size_t CIdEnqLink::SendFrame(std::span<const std::uint8_t> data)
{
    const std::size_t size = std::min(data.size(), idenq::kMaxFrameData);
    const std::uint8_t terminator = data.size() <= idenq::kMaxFrameData ? idenq::kEtx : idenq::kEtb;
    const idenq::SequenceDigits digits = idenq::MakeSequenceDigits(m_frameSequence);
    m_frameSequence = static_cast<std::uint16_t>((m_frameSequence + 1) % idenq::kSequenceModulus);
    // One write per frame: a network link sends it as one segment, and the scale sees it whole.
    std::array<std::uint8_t, idenq::kFrameHeaderSize + idenq::kMaxFrameBody> frame{idenq::kStx, digits[0], digits[1]};
    std::ranges::copy(data.first(size), frame.begin() + idenq::kFrameHeaderSize);
    frame[idenq::kFrameHeaderSize + size] = terminator;
    frame[idenq::kFrameHeaderSize + size + 1] = idenq::BlockCheck(digits, data.first(size), terminator, m_eightBitData != 0);
    const std::span<const std::uint8_t> bytes = std::span(frame).first(idenq::kFrameHeaderSize + size + idenq::kFrameTrailerSize);
    std::size_t sent = 0;
    if (!Send(bytes, sent) || sent != bytes.size()) return 0;
    return size;
}

MessageId CIdEnqLink::SendData(bool prepareNext)
{
    unsigned naksInARow = 0;
    for (std::size_t position = 0; position < m_dataLength;) {
        const std::size_t size = SendFrame(std::span(m_data.data() + position, m_dataLength - position));
        if (size == 0) return kMsgCommsError;
        if (m_cancelEvent.Poll()) return kMsgCancelled;
        // The scale is busy with the packet's last frame: time to make the next record.
        if (prepareNext && position + size == m_dataLength) PrepareNextRecord();
        std::uint8_t answer = 0;
        const MessageId acked = WaitAck(GetAckTimeout(), &answer);
        if (acked == 0) {
            position += size;
            naksInARow = 0;
        } else if (acked == kMsgCommsError && answer == idenq::kNak) {
            if (++naksInARow > kMaxNaksInARow) return kMsgCommsError;
        } else {
            // The user's Cancel seen while waiting ends the operation as a cancel, not as a line fault.
            return acked == kMsgCancelled ? kMsgCancelled : kMsgCommsError;
        }
    }
    return 0;
}

MessageId CIdEnqLink::WaitScaleEnquiry()
{
    idenq::Enquiry enquiry{};
    std::size_t have = 0;
    const auto start = m_clock.MonotonicNow();
    for (;;) {
        std::size_t got = 0;
        if (!Receive(std::span(enquiry).subspan(have), got)) {
            WriteTrace(TraceMessage, "Receive error waiting for ID-ENQ");
            return kMsgCommsError;
        }
        have += got;
        if (have == enquiry.size()) {
            WriteTrace(TraceReceived, enquiry);
            return 0;
        }
        if (SecondsSince(start) >= GetReplyTimeout()) {
            WriteTrace(TraceMessage, FormatText("Timeout waiting for ID-ENQ (%d bytes received)", static_cast<int>(have)));
            return kMsgCommsError;
        }
        if (m_cancelEvent.Poll()) return kMsgCancelled;
    }
}

}  // namespace varnel
