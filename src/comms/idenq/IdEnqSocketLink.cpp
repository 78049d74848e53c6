#include "comms/idenq/IdEnqSocketLink.h"

#include "db/site/MainFrame.h"
#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgTcpIp = 17595;  // "TCP/IP  "
constexpr std::uint32_t kOpenedSendTimeout = 5;
constexpr std::uint32_t kDefaultConnectTimeout = 5;
constexpr std::uint32_t kLowestConnectTimeout = 2;
constexpr std::chrono::seconds kReceiveWait(1);
constexpr std::size_t kTraceLimit = 200;

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CIdEnqSocketLink, 1)

CIdEnqSocketLink::CIdEnqSocketLink(IClock& clock, IFileSystem& fs, IPinger& pinger)
    : CIdEnqLink(clock, fs), m_pinger(pinger), m_socket(clock)
{
}

CIdEnqSocketLink::~CIdEnqSocketLink() { Close(); }

void CIdEnqSocketLink::Serialize(CArchive& ar)
{
    CIdEnqLink::Serialize(ar);
    SerializeSetupVersion(ar, kFormat);
    std::uint8_t useUdp = m_useUdp ? 1 : 0;
    Exchange(ar, m_port, m_address[0], m_address[1], m_address[2], m_address[3], m_sendTimeout, m_connectTimeout,
             useUdp);
    if (ar.IsStoring()) return;
    m_useUdp = useUdp != 0;
    if (m_connectTimeout < kLowestConnectTimeout) m_connectTimeout = kDefaultConnectTimeout;
}

Ipv4Address CIdEnqSocketLink::PeerAddress() const
{
    Ipv4Address peer{{}, m_port};
    std::ranges::transform(m_address, peer.octets.begin(), [](std::uint16_t octet) { return static_cast<std::uint8_t>(octet); });
    return peer;
}

bool CIdEnqSocketLink::Open()
{
    const Ipv4Address peer = PeerAddress();
    return m_useUdp ? OpenUdp(peer) : OpenTcp(peer);
}

bool CIdEnqSocketLink::OpenUdp(const Ipv4Address& peer)
{
    m_readAhead.clear();
    m_readAheadPosition = 0;
    const std::string text = peer.DottedText();
    Result<void> opened = m_socket.Create(CBlockingSocket::Type::Datagram);
    if (opened) {
        WriteTrace(TraceMessage, FormatText("Connecting to UDP socket :%s - %d", text.c_str(), int{m_port}));
        opened = m_socket.ConnectTimed(peer, std::chrono::seconds(m_connectTimeout), &m_cancelEvent);
    }
    m_sendTimeout = kOpenedSendTimeout;
    if (!opened) {
        (void)m_socket.Close();
        TraceSocketError("Error opening link: ", opened.GetError());
        return false;
    }
    WriteTrace(TraceMessage, "Opened UDP socket");
    return true;
}

bool CIdEnqSocketLink::OpenTcp(const Ipv4Address& peer)
{
    if (m_socket.IsOpen()) return false;
    const std::string text = peer.DottedText();
    Result<void> opened = m_socket.Create(CBlockingSocket::Type::Stream);
    if (opened && CurrentGeneralSetup().m_usePing != 0) {
        const Result<bool> answered = m_pinger.PingHost(text);
        if (!answered) WriteTrace(TraceMessage, "Ping could not be sent: " + answered.GetError().message);
        if (!answered || !*answered) {
            (void)m_socket.Close();
            WriteTrace(TraceMessage, "Error opening link: - Unable to ping scale");
            return false;
        }
    }
    if (opened) opened = m_socket.ConnectTimed(peer, std::chrono::seconds(m_connectTimeout), &m_cancelEvent);
    m_sendTimeout = kOpenedSendTimeout;
    if (!opened) {
        (void)m_socket.Close();
        TraceSocketError("Error opening link: ", opened.GetError());
        return false;
    }
    WriteTrace(TraceMessage, FormatText("Opened socket: %s - %d", text.c_str(), int{m_port}));
    return true;
}

bool CIdEnqSocketLink::ClosePort()
{
    (void)m_socket.Close();
    return true;
}

void CIdEnqSocketLink::Close()
{
    StopThread();
    ClosePort();
}

bool CIdEnqSocketLink::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
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

bool CIdEnqSocketLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    if (m_useUdp) return ReceiveDatagramBytes(into, got);
    const Result<std::size_t> read = m_socket.Receive(into, kReceiveWait);
    if (!read) {
        if (read.GetError().code != Errc::Timeout) TraceSocketError("TCP/IP socket receive error: ", read.GetError());
        return true;
    }
    // A connection the scale closed delivers nothing more: a line error, not a wait for the time-outs
    // spent reading nothing at once in a tight loop.
    if (*read == 0 && !into.empty()) {
        WriteTrace(TraceMessage, "TCP/IP socket receive error: the scale closed the connection");
        return false;
    }
    got = *read;
    return true;
}

bool CIdEnqSocketLink::ReceiveDatagramBytes(std::span<std::uint8_t> into, std::size_t& got)
{
    while (got == 0) {
        if (m_readAheadPosition < m_readAhead.size()) {
            got = std::min(m_readAhead.size() - m_readAheadPosition, into.size());
            std::copy_n(m_readAhead.begin() + static_cast<std::ptrdiff_t>(m_readAheadPosition), got, into.begin());
            m_readAheadPosition += got;
            return true;
        }
        m_readAhead.assign(kReadAheadSize, 0);
        m_readAheadPosition = 0;
        const Result<std::size_t> read = m_socket.Receive(m_readAhead, kReceiveWait);
        m_readAhead.resize(read ? *read : 0);
        if (!read) {
            if (read.GetError().code != Errc::Timeout)
                TraceSocketError("TCP/IP socket receive error: ", read.GetError());
            return true;
        }
    }
    return true;
}

void CIdEnqSocketLink::TraceSocketError(std::string_view prefix, const Error& error)
{
    std::string text(prefix);
    text += error.message;
    if (text.size() > kTraceLimit) text.resize(kTraceLimit);
    WriteTrace(TraceMessage, text);
}

std::string CIdEnqSocketLink::GetDescription() const
{
    return DescribeKind(kMsgTcpIp);
}

std::string CIdEnqSocketLink::GetStatusText() const { return StatusText(kMsgTcpIp); }

bool CIdEnqSocketLink::IsSameAddress(const std::array<std::uint16_t, 4>& octets) const
{
    static constexpr std::array<std::uint16_t, 4> kLoopback{127, 0, 0, 1};
    return octets != kLoopback && octets == m_address;
}

void CIdEnqSocketLink::WriteSetupDetails(std::string& out) const
{
    out += FormatText("  IP address                          : %hd.%hd.%hd.%hd (Port = %d)\r\n", m_address[0],
                      m_address[1], m_address[2], m_address[3], int{m_port});
    out += FormatText("  Connect timeout                     : %hd\r\n", static_cast<short>(m_connectTimeout));
    out += FormatText("  Use UDP?                            : %s\r\n", m_useUdp ? "Yes" : "No");
}

}  // namespace varnel
