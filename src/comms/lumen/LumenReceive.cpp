// Receiving a batch: the scale sends a command frame, then each record of that command as data blocks
// numbered down to 0, and 'E' at the end. Every frame is answered: a sound command with its own
// letter, a sound block with the current command's letter, anything else with a refusal. A refused
// command is listened for again; a refused block is awaited again, three times in all.
//
// The first frame is awaited for as long as it takes (the user starts the scale meanwhile); only a
// cancel ends that wait. Every later frame must be complete within 1000 reads.
//
// A record is gathered whole, down to its block 0, as far as the 2048-byte buffer takes it; a record
// longer than that ends the transfer unstored, rather than reaching the document in two pieces.
#include "comms/lumen/LumenLink.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kLongestFrame = 255 + lumen::kFrameOverhead;
constexpr std::size_t kNumberAt = 2;
constexpr std::size_t kLetterAt = 2;
constexpr std::size_t kLengthAt = 3;
constexpr std::size_t kDataAt = 4;

bool IsSound(std::span<const std::uint8_t> frame) { return frame[0] == lumen::kStx && lumen::HasGoodBlockCheck(frame); }

}  // namespace

void CLumenLink::ReceiveAll()
{
    m_command = lumen::kNoCommand;
    bool timed = false;
    for (;;) {
        m_dataLength = 0;
        Frame frame;
        if (const TransferResult got = ReceiveFrameRetry(m_buffer, timed, frame); got != ResultDone) return Finish(got);
        timed = true;
        if (frame.command) {
            m_command = *frame.command;
            if (m_command == lumen::kEndOfTransfer) return Finish(ResultDone);
            continue;
        }
        if (m_command == lumen::kNoCommand) {
            WriteTrace(TraceError, "Packet received but no command");
            return Finish(ResultProtocolError);
        }
        std::size_t received = frame.length;
        while (frame.blockNumber != 0) {
            const TransferResult got = ReceiveFrameRetry(std::span(m_buffer).subspan(received), true, frame);
            if (got != ResultDone) return Finish(got);
            // A scale that starts a command inside a record has given the record up.
            if (frame.command) {
                WriteTrace(TraceError, "Command received inside a record");
                return Finish(ResultProtocolError);
            }
            received += frame.length;
        }
        m_dataLength = received;
        const Answer answer = AskDialog(ProgressStore);
        if (answer == Answer::Cancelled) return Finish(ResultCancelled);
        if (answer != Answer::Given) {
            WriteTrace(TraceError, "Error processing received record");
            return Finish(ResultDataError);
        }
    }
}

CLumenLink::TransferResult CLumenLink::ReceiveFrameRetry(std::span<std::uint8_t> destination, bool timed, Frame& frame)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const TransferResult got = ReceiveFrame(destination, timed, frame);
        if (got != ResultProtocolError) return got;
    }
    WriteTrace(TraceError, "Max. retries exceeded");
    return ResultProtocolError;
}

CLumenLink::TransferResult CLumenLink::ReceiveFrame(std::span<std::uint8_t> destination, bool timed, Frame& frame)
{
    std::array<std::uint8_t, kLongestFrame> bytes{};
    std::size_t have = 0;
    std::size_t wanted = lumen::kCommandFrameSize;
    int reads = 0;
    for (;;) {
        if (Cancelled()) return ResultCancelled;
        if (have < wanted) {
            std::size_t got = 0;
            if (!Receive(std::span(bytes).subspan(have, wanted - have), got)) return ResultDataError;
            have += got;
            if (have < wanted) {
                if (timed && ++reads >= kReadLimit) {
                    WriteTrace(TraceError, "Receive Timeout");
                    return ResultTimeout;
                }
                continue;
            }
        }
        const auto inHand = std::span<const std::uint8_t>(bytes).first(have);
        if (wanted == lumen::kCommandFrameSize) {
            const lumen::FrameShape shape = lumen::ShapeOf(inHand);
            if (!shape.command) {
                wanted = shape.size;
                continue;
            }
            WriteTrace(TraceReceived, inHand);
            const std::uint8_t letter = bytes[kLetterAt];
            const std::optional<std::uint32_t> command = IsSound(inHand) ? m_letters.IndexOf(letter) : std::nullopt;
            if (!Reply(command.has_value(), letter)) return ResultDataError;
            if (command) {
                frame = Frame{command, 0, 0};
                return ResultDone;
            }
            have = 0;
            reads = 0;
            continue;
        }
        WriteTrace(TraceReceived, inHand);
        if (!IsSound(inHand)) return Reply(false, 0) ? ResultProtocolError : ResultDataError;
        const std::size_t length = bytes[kLengthAt];
        if (length > destination.size()) {
            (void)Reply(false, 0);
            WriteTrace(TraceError, "Received record too long");
            return ResultDataError;
        }
        if (!Reply(true, m_letters.LetterToSend(m_command, true))) return ResultDataError;
        std::copy_n(bytes.begin() + kDataAt, length, destination.begin());
        frame = Frame{std::nullopt, bytes[kNumberAt], length};
        return ResultDone;
    }
}

bool CLumenLink::Reply(bool accepted, std::uint8_t letter)
{
    const lumen::Bytes reply = lumen::ReplyFrame(accepted, letter);
    std::size_t sent = 0;
    if (!Send(reply, sent) || sent != reply.size()) return false;
    WriteTrace(TraceSend, reply);
    return true;
}

}  // namespace varnel
