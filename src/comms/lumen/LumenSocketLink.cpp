#include "comms/lumen/LumenSocketLink.h"

#include "platform/ArchiveExchange.h"

namespace varnel {
namespace {

constexpr std::uint32_t kOpenSendTimeout = 5;
constexpr std::uint32_t kOpenReceiveTimeout = 1;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CLumenSocketLink, 1)

CLumenSocketLink::CLumenSocketLink(IClock& clock, IFileSystem& fs) : CLumenLink(clock, fs), m_socket(clock) {}

CLumenSocketLink::~CLumenSocketLink() { CancelWorker(); }

void CLumenSocketLink::Serialize(CArchive& ar)
{
    CLumenLink::Serialize(ar);
    Exchange(ar, m_port, m_address[0], m_address[1], m_address[2], m_address[3], m_sendTimeout, m_receiveTimeout);
}

bool CLumenSocketLink::Open()
{
    if (!m_socket.IsOpen()) {
        Ipv4Address peer;
        for (std::size_t i = 0; i < peer.octets.size(); ++i) peer.octets[i] = static_cast<std::uint8_t>(m_address[i]);
        peer.port = m_port;
        Result<void> made = m_socket.Create(CBlockingSocket::Type::Stream);
        if (made) made = m_socket.ConnectTimed(peer, kConnectLimit, nullptr);
        if (!made) {
            (void)m_socket.Close();
            TraceSocketError("Error opening link: ", made.GetError());
            return false;
        }
    }
    m_sendTimeout = kOpenSendTimeout;
    m_receiveTimeout = kOpenReceiveTimeout;
    return true;
}

bool CLumenSocketLink::Close()
{
    if (!m_socket.IsOpen()) {
        WriteTrace(TraceError, "Error closing link: Already closed");
        return false;
    }
    EndWorker();
    if (const Result<void> closed = m_socket.Close(); !closed) TraceSocketError("Error closing link: ", closed.GetError());
    return true;
}

bool CLumenSocketLink::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    sent = 0;
    const Result<std::size_t> written = m_socket.SendAll(bytes, std::chrono::seconds(m_sendTimeout));
    if (!written) {
        TraceSocketError("TCP/IP socket send error: ", written.GetError());
        return false;
    }
    sent = *written;
    return true;
}

bool CLumenSocketLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    const Result<std::size_t> read = m_socket.Receive(into, std::chrono::seconds(m_receiveTimeout));
    if (!read) {
        // A time-out is a read that brought nothing; a broken connection would bring nothing for ever.
        TraceSocketError("TCP/IP socket receive error: ", read.GetError());
        return read.GetError().code == Errc::Timeout;
    }
    // Nothing read from a stream means the scale closed it.
    if (*read == 0 && !into.empty()) {
        WriteTrace(TraceError, "TCP/IP socket receive error: Connection closed by the scale");
        return false;
    }
    got = *read;
    return true;
}

void CLumenSocketLink::TraceSocketError(std::string_view prefix, const Error& error)
{
    std::string text(prefix);
    text += error.message;
    if (text.size() > kTraceLimit) text.resize(kTraceLimit);
    WriteTrace(TraceError, text);
}

}  // namespace varnel
