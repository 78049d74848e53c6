// Sending a batch: the dialog hands over the document's records one at a time. A record's command goes
// when it differs from the last one sent, then its data in blocks of 250 bytes numbered down to 0;
// command 12 ends the batch. Each frame waits for its 6-byte reply and goes again when the reply is
// not an acceptance (a refusal, a time-out, a failed read), three times in all.
#include "comms/lumen/LumenLink.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::size_t kReplyStatus = 2;
constexpr std::uint8_t kAccepted = '1';

}  // namespace

void CLumenLink::SendAll()
{
    m_command = lumen::kNoCommand;
    std::uint32_t lastSent = lumen::kNoCommand;
    for (;;) {
        const Answer answer = AskDialog(ProgressFetch);
        if (answer == Answer::Cancelled) return Finish(ResultCancelled);
        if (answer != Answer::Given) {
            WriteTrace(TraceError, "Error getting data to send");
            return Finish(ResultDataError);
        }
        if (m_command != lastSent) {
            if (const TransferResult sent = SendCommand(m_command); sent != ResultDone) {
                WriteTrace(TraceError, "Error sending scale command");
                return Finish(sent);
            }
            lastSent = m_command;
        }
        if (m_command == lumen::kEndOfTransfer) return Finish(ResultDone);
        if (const TransferResult sent = SendData(); sent != ResultDone) return Finish(sent);
    }
}

CLumenLink::TransferResult CLumenLink::SendCommand(std::uint32_t command)
{
    if (command >= lumen::kNoCommand) return ResultDataError;
    return SendFrame(lumen::CommandFrame(m_letters.LetterToSend(command, m_addMode)));
}

CLumenLink::TransferResult CLumenLink::SendData()
{
    const auto data = std::span<const std::uint8_t>(m_buffer).first(m_dataLength);
    const std::size_t blocks = lumen::BlockCount(data.size());
    for (std::size_t block = 0; block < blocks; ++block) {
        const std::size_t start = block * lumen::kMaxBlockData;
        const auto piece = data.subspan(start, std::min(lumen::kMaxBlockData, data.size() - start));
        const auto number = static_cast<std::uint8_t>(blocks - 1 - block);
        if (const TransferResult sent = SendFrame(lumen::DataBlockFrame(number, piece)); sent != ResultDone) return sent;
    }
    return ResultDone;
}

CLumenLink::TransferResult CLumenLink::SendFrame(std::span<const std::uint8_t> frame)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::size_t sent = 0;
        if (!Send(frame, sent) || sent != frame.size()) return ResultProtocolError;
        WriteTrace(TraceSend, frame);
        const TransferResult reply = WaitReply();
        if (reply == ResultDone || reply == ResultCancelled) return reply;
    }
    WriteTrace(TraceError, "Max. retries exceeded");
    return ResultProtocolError;
}

CLumenLink::TransferResult CLumenLink::WaitReply()
{
    std::array<std::uint8_t, lumen::kReplyFrameSize> reply{};
    std::size_t have = 0;
    for (int reads = 0;;) {
        if (Cancelled()) return ResultCancelled;
        std::size_t got = 0;
        if (!Receive(std::span(reply).subspan(have), got)) return ResultProtocolError;
        have += got;
        if (have == reply.size()) break;
        if (++reads >= kReadLimit) {
            WriteTrace(TraceError, "Receive Timeout waiting for ACK");
            return ResultTimeout;
        }
    }
    // The reply's block check is not looked at: its status alone counts.
    WriteTrace(TraceReceived, reply);
    return reply[kReplyStatus] == kAccepted ? ResultDone : ResultProtocolError;
}

}  // namespace varnel
