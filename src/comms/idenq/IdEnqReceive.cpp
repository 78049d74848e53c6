// The receiving side of ID-ENQ: frames and packets from a scale, the receive transaction and the
// capacity check.
//
// Receiving exchange (Transact): BeginTransmission -> request packet (the file code) -> EOT -> the
// scale's enquiry -> ACK -> packets, each frame ACKed -> the scale's EOT.
//
// Where a frame ends: the scale sends a frame whole and then waits for ACK or NAK, so its end is a
// terminator (ETX or ETB) and a block check as the last two bytes in hand. Data bytes may be 03 or 17
// themselves (packed-BCD prices and PLU numbers hold them): a terminator whose block check fails is
// taken as data while more bytes come, and the frame is NAKed only when none has come for a second
// after such a candidate, or when the frame has grown past its 256 bytes without a checked end.
#include "comms/idenq/IdEnqLink.h"

#include "comms/idenq/IdEnqFrame.h"
#include "comms/idenq/ScaleFileCodes.h"
#include "db/plu/Document.h"
#include "db/store/ObjDatabase.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <new>

namespace varnel {
namespace {

constexpr unsigned kMaxBlockCheckErrors = 4;
// Enquiries a scale may repeat where one frame is awaited (it repeats one when it missed our ACK).
constexpr unsigned kMaxRepeatedEnquiries = 16;
constexpr std::int64_t kCandidateGapSeconds = 1;
constexpr std::uint16_t kExtraMessageTable = 4;
constexpr std::string_view kCapacityRequest = "9001";
constexpr std::size_t kCapacityReplyMinimum = 13;

// A field of decimal digits (leading blanks skipped; it ends at the first other byte).
std::uint32_t DecimalField(std::span<const std::uint8_t> field)
{
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    std::uint32_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10 + (field[i] - '0');
    return value;
}

}  // namespace

std::optional<CIdEnqLink::FrameEnd> CIdEnqLink::ReceiveFrame(std::span<std::uint8_t> destination, bool& cancelled)
{
    cancelled = false;
    // Polling the cancel event clears it: the caller learns of it through `cancelled`.
    const auto cancel = [&] { return cancelled = m_cancelEvent.Poll(); };
    const bool eightBit = m_eightBitData != 0;
    for (unsigned checkErrors = 0, enquiries = 0;;) {
        // Header: three bytes not starting with EOT; EOT alone gives the line back; EOT with more is the
        // scale's enquiry once again, answered with ACK.
        std::array<std::uint8_t, idenq::kEnquirySize> header{};
        std::size_t have = 0;
        auto start = m_clock.MonotonicNow();
        while (have < idenq::kFrameHeaderSize || (header[0] == idenq::kEot && have < idenq::kEnquirySize)) {
            const std::size_t wanted = header[0] == idenq::kEot && have > 0 ? idenq::kEnquirySize : idenq::kFrameHeaderSize;
            std::size_t got = 0;
            if (!Receive(std::span(header).subspan(have, wanted - have), got)) return std::nullopt;
            if (got == 0) {
                if (cancel() || SecondsSince(start) >= GetReplyTimeout()) return std::nullopt;
                continue;
            }
            have += got;
            if (header[0] == idenq::kEot && have == 1) return FrameEnd{0, idenq::kEot};
            if (header[0] == idenq::kEot && have == idenq::kEnquirySize) {
                // A scale that only ever repeats its enquiry would hold the line for good.
                if (cancel()) return std::nullopt;
                if (++enquiries > kMaxRepeatedEnquiries) {
                    WriteTrace(TraceMessage, "Too many repeated ID-ENQs from scale");
                    return std::nullopt;
                }
                SendControl(idenq::kAck);
                have = 0;
                header = {};
                start = m_clock.MonotonicNow();
            }
        }
        const idenq::SequenceDigits digits{header[1], header[2]};

        // Body: data, terminator and block check.
        const std::size_t limit = std::min(destination.size(), idenq::kMaxFrameBody);
        std::size_t size = 0;
        start = m_clock.MonotonicNow();
        auto lastByte = start;
        for (;;) {
            const auto body = destination.first(size);
            if (idenq::IsCheckedFrameEnd(digits, body, eightBit)) {
                const FrameEnd end{size - idenq::kFrameTrailerSize, body[size - 2]};
                SendControl(idenq::kAck);
                return end;
            }
            if (size == limit) {
                if (limit < idenq::kMaxFrameBody) return std::nullopt;  // the packet's room is used up
                break;
            }
            std::size_t got = 0;
            if (!Receive(destination.subspan(size, limit - size), got)) return std::nullopt;
            if (got > 0) {
                size += got;
                lastByte = m_clock.MonotonicNow();
                continue;
            }
            if (cancel() || SecondsSince(start) >= GetReplyTimeout()) return std::nullopt;
            if (idenq::EndsInCandidate(body) && SecondsSince(lastByte) >= kCandidateGapSeconds) break;
        }

        WriteTrace(TraceMessage, FormatText("Received BCC error (retry cnt = %d)\n", static_cast<int>(checkErrors)));
        if (++checkErrors > kMaxBlockCheckErrors) {
            SendControl(idenq::kEot);
            return std::nullopt;
        }
        SendControl(idenq::kNak);
    }
}

MessageId CIdEnqLink::ReceivePacket(bool& done)
{
    done = false;
    std::size_t length = 0;
    for (;;) {
        if (length >= kDataBufferSize) {
            WriteTrace(TraceMessage, "Receive buffer overflow");
            return kMsgCommsError;
        }
        bool cancelled = false;
        const std::optional<FrameEnd> frame =
            ReceiveFrame(std::span(m_data).subspan(length, kDataBufferSize - length), cancelled);
        if (cancelled) return kMsgCancelled;
        if (!frame) {
            WriteTrace(TraceMessage, "ReceivePacket error");
            return kMsgCommsError;
        }
        if (m_cancelEvent.Poll()) return kMsgCancelled;
        length += frame->dataSize;
        m_data[length] = 0;
        m_dataLength = length;
        if (frame->terminator == idenq::kEtx) return 0;
        if (frame->terminator == idenq::kEot) {
            done = true;
            WriteTrace(TraceMessage, "Got EOT from scale");
            return 0;
        }
    }
}

bool CIdEnqLink::Transact()
{
    const std::uint32_t highestExtraMessage = [this] {
        const std::lock_guard document(m_documentLock);
        const CObjDatabase* database = m_document ? m_document->GetPluDatabase() : nullptr;
        const CObjDBTable* extraMessages = database ? database->GetTable(kExtraMessageTable) : nullptr;
        return extraMessages ? extraMessages->GetHighestKey() : 0;
    }();
    for (CLinkScale* scale : GetJobScales()) {
        m_currentScale = scale;
        std::size_t length = 0;
        if (!GetScaleFileCode(m_receiveKind, *scale, Settings()->setup, highestExtraMessage,
                              std::span(m_data).first(kDataBufferSize), length))
            continue;
        m_dataLength = length;
        const auto failed = [scale](MessageId result, bool offline) {
            scale->SetLastResult(result);
            if (offline) scale->SetOnline(false);
        };
        if (const MessageId begun = BeginTransmission(); begun != 0) {
            if (begun == kMsgCancelled) return Terminate(kMsgCancelled);
            failed(begun, true);
            continue;
        }
        scale->SetOnline(true);
        WriteTrace(TraceSent, std::span<const std::uint8_t>(m_data.data(), m_dataLength));
        if (const MessageId sent = SendData(); sent != 0) {
            if (sent == kMsgCancelled) {
                SendControl(idenq::kEot);
                return Terminate(kMsgCancelled);
            }
            failed(sent, true);
            continue;
        }
        SendControl(idenq::kEot);
        if (const MessageId claimed = WaitScaleEnquiry(); claimed != 0) {
            if (claimed == kMsgCancelled) return Terminate(kMsgCancelled);
            failed(claimed, false);
            continue;
        }
        SendControl(idenq::kAck);
        for (bool done = false; !done;) {
            if (const MessageId received = ReceivePacket(done); received != 0) {
                if (received == kMsgCancelled) return Terminate(kMsgCancelled);
                failed(received, true);
                break;
            }
            if (done) break;
            const std::span<const std::uint8_t> packet(m_data.data(), m_dataLength);
            WriteTrace(TraceReceived, packet);
            try {
                m_received.push_back({std::vector<std::uint8_t>(packet.begin(), packet.end()), scale});
            } catch (const std::bad_alloc&) {
                return Terminate(kMsgInternalError);
            }
            scale->CountRecord();
            if (m_cancelEvent.Poll()) return Terminate(kMsgCancelled);
        }
    }
    return true;
}

MessageId CIdEnqLink::CapacityCheck()
{
    std::ranges::copy(kCapacityRequest, m_data.begin());
    m_dataLength = kCapacityRequest.size();
    WriteTrace(TraceSent, std::span<const std::uint8_t>(m_data.data(), m_dataLength));
    (void)SendData();
    SendControl(idenq::kEot);
    if (const MessageId claimed = WaitScaleEnquiry(); claimed != 0) return claimed;
    SendControl(idenq::kAck);
    bool shortfall = false;
    for (bool done = false; !done;) {
        if (const MessageId received = ReceivePacket(done); received != 0) return received;
        if (done) break;
        const std::span<const std::uint8_t> packet(m_data.data(), m_dataLength);
        WriteTrace(TraceReceived, packet);
        if (packet.size() >= kCapacityReplyMinimum) {
            const std::uint32_t wanted = DecimalField(packet.subspan(4, 4));
            const std::uint32_t room = DecimalField(packet.subspan(8, 4));
            if (room < wanted) shortfall = true;
        }
    }
    (void)SendEnquiry();
    if (shortfall) Terminate(kMsgScaleMemoryFull);
    return 0;
}

}  // namespace varnel
