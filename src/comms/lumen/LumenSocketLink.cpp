#include "comms/lumen/LumenSocketLink.h"

#include "platform/ArchiveExchange.h"

namespace varnel {
namespace {

constexpr std::uint32_t kOpenSendTimeout = 5;
constexpr std::uint32_t kOpenReceiveTimeout = 1;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CLumenSocketLink, 1)

CLumenSocketLink::CLumenSocketLink(IClock& clock, IFileSystem& fs)
    : CLumenLink(clock, fs), m_line(clock, [this](std::string_view line) { WriteTrace(TraceError, line); })
{
}

CLumenSocketLink::~CLumenSocketLink() { CancelWorker(); }

void CLumenSocketLink::Serialize(CArchive& ar)
{
    CLumenLink::Serialize(ar);
    Exchange(ar, m_port, m_address[0], m_address[1], m_address[2], m_address[3], m_sendTimeout, m_receiveTimeout);
}

bool CLumenSocketLink::Open()
{
    if (!m_line.IsOpen() &&
        m_line.Connect(PeerOf(m_address, m_port), nullptr, kConnectLimit, nullptr) != ScaleSocket::Outcome::Opened)
        return false;
    m_sendTimeout = kOpenSendTimeout;
    m_receiveTimeout = kOpenReceiveTimeout;
    return true;
}

bool CLumenSocketLink::Close()
{
    if (!m_line.IsOpen()) {
        WriteTrace(TraceError, "Error closing link: Already closed");
        return false;
    }
    EndWorker();
    if (const Result<void> closed = m_line.Close(); !closed) m_line.TraceError("Error closing link: ", closed.GetError());
    return true;
}

bool CLumenSocketLink::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    return m_line.Send(bytes, sent, std::chrono::seconds(m_sendTimeout));
}

bool CLumenSocketLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    const Result<std::size_t> read = m_line.Socket().Receive(into, std::chrono::seconds(m_receiveTimeout));
    if (!read) {
        // A time-out is a read that brought nothing; a broken connection would bring nothing for ever.
        m_line.TraceError("TCP/IP socket receive error: ", read.GetError());
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

}  // namespace varnel
