#include "platform/ScaleSocket.h"

#include "platform/TextFormat.h"

#include <algorithm>
#include <string>

namespace varnel {
namespace {

constexpr std::size_t kTraceLimit = 200;

}  // namespace

Ipv4Address PeerOf(const std::array<std::uint16_t, 4>& octets, std::uint16_t port)
{
    Ipv4Address peer{{}, port};
    std::ranges::transform(octets, peer.octets.begin(), [](std::uint16_t octet) { return static_cast<std::uint8_t>(octet); });
    return peer;
}

ScaleSocket::Outcome ScaleSocket::Connect(const Ipv4Address& peer, IPinger* pinger, std::chrono::seconds limit,
                                          Event* cancel)
{
    Result<void> opened = m_socket.Create(CBlockingSocket::Type::Stream);
    if (opened && pinger != nullptr) {
        const Result<bool> answered = pinger->PingHost(peer.DottedText());
        if (!answered) Trace("Ping could not be sent: " + answered.GetError().message);
        if (!answered || !*answered) {
            (void)m_socket.Close();
            Trace("Error opening link: - Unable to ping scale");
            return Outcome::Unanswered;
        }
    }
    if (opened) opened = m_socket.ConnectTimed(peer, limit, cancel);
    if (!opened) {
        (void)m_socket.Close();
        TraceError("Error opening link: ", opened.GetError());
        return Outcome::Failed;
    }
    return Outcome::Opened;
}

ScaleSocket::Outcome ScaleSocket::Open(const Ipv4Address& peer, IPinger* pinger, std::chrono::seconds limit,
                                       Event* cancel)
{
    if (m_socket.IsOpen()) return Outcome::AlreadyOpen;
    const Outcome outcome = Connect(peer, pinger, limit, cancel);
    if (outcome == Outcome::Opened) Trace(FormatText("Opened socket: %s - %d", peer.DottedText().c_str(), int{peer.port}));
    return outcome;
}

bool ScaleSocket::Send(std::span<const std::uint8_t> bytes, std::size_t& sent, std::chrono::seconds limit)
{
    sent = 0;
    const Result<std::size_t> written = m_socket.SendAll(bytes, limit);
    if (!written) {
        TraceError("TCP/IP socket send error: ", written.GetError());
        return false;
    }
    sent = *written;
    return true;
}

bool ScaleSocket::Receive(std::span<std::uint8_t> into, std::size_t& got, std::chrono::milliseconds wait)
{
    got = 0;
    const Result<std::size_t> read = m_socket.Receive(into, wait);
    if (!read) {
        if (read.GetError().code != Errc::Timeout) TraceError("TCP/IP socket receive error: ", read.GetError());
        return true;
    }
    // A connection the scale closed brings nothing more: a line error rather than a wait for the
    // time-outs spent reading nothing at once in a tight loop.
    if (*read == 0 && !into.empty()) {
        Trace("TCP/IP socket receive error: the scale closed the connection");
        return false;
    }
    got = *read;
    return true;
}

void ScaleSocket::TraceError(std::string_view prefix, const Error& error) const
{
    std::string text(prefix);
    text += error.message;
    if (text.size() > kTraceLimit) text.resize(kTraceLimit);
    m_trace(text);
}

}  // namespace varnel
