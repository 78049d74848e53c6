#include "comms/idenq/IdEnqSocketLink.h"

#include "platform/ArchiveExchange.h"
#include "platform/TextFormat.h"
#include "settings/SetupFormat.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kMsgTcpIp = 17595;  // "TCP/IP  "
constexpr std::uint32_t kDefaultConnectTimeout = 5;
constexpr std::uint32_t kLowestConnectTimeout = 2;
constexpr std::chrono::seconds kReceiveWait(1);

}  // namespace

VARNEL_IMPLEMENT_SERIAL(CIdEnqSocketLink, 1)

CIdEnqSocketLink::CIdEnqSocketLink(IClock& clock, IFileSystem& fs, IPinger& pinger)
    : CNetworkLink(clock, fs, pinger, 0)
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

bool CIdEnqSocketLink::Open()
{
    return m_useUdp ? OpenUdp(Peer()) : OpenTcp();
}

bool CIdEnqSocketLink::OpenUdp(const Ipv4Address& peer)
{
    m_readAhead.clear();
    m_readAheadPosition = 0;
    const std::string text = peer.DottedText();
    Result<void> opened = m_line.Socket().Create(CBlockingSocket::Type::Datagram);
    if (opened) {
        WriteTrace(TraceMessage, FormatText("Connecting to UDP socket :%s - %d", text.c_str(), int{m_port}));
        opened = m_line.Socket().ConnectTimed(peer, std::chrono::seconds(m_connectTimeout), &m_cancelEvent);
    }
    m_sendTimeout = kOpenedSendTimeout;
    if (!opened) {
        (void)m_line.Socket().Close();
        m_line.TraceError("Error opening link: ", opened.GetError());
        return false;
    }
    WriteTrace(TraceMessage, "Opened UDP socket");
    return true;
}

bool CIdEnqSocketLink::OpenTcp()
{
    const ScaleSocket::Outcome opened = OpenStream();
    // A socket already open, or a scale that does not answer the ping, leaves the send time-out as it was.
    if (opened == ScaleSocket::Outcome::AlreadyOpen || opened == ScaleSocket::Outcome::Unanswered) return false;
    m_sendTimeout = kOpenedSendTimeout;
    return opened == ScaleSocket::Outcome::Opened;
}

bool CIdEnqSocketLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    if (!m_useUdp) return CNetworkLink::Receive(into, got);
    got = 0;
    return ReceiveDatagramBytes(into, got);
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
        const Result<std::size_t> read = m_line.Socket().Receive(m_readAhead, kReceiveWait);
        m_readAhead.resize(read ? *read : 0);
        if (!read) {
            if (read.GetError().code != Errc::Timeout)
                m_line.TraceError("TCP/IP socket receive error: ", read.GetError());
            return true;
        }
    }
    return true;
}

std::string CIdEnqSocketLink::GetDescription(const CGeneralSetup& setup) const
{
    return DescribeKind(kMsgTcpIp, setup);
}

std::string CIdEnqSocketLink::GetStatusText(const CGeneralSetup& /*setup*/) const { return StatusText(kMsgTcpIp); }

bool CIdEnqSocketLink::IsSameAddress(const std::array<std::uint16_t, 4>& octets) const
{
    static constexpr std::array<std::uint16_t, 4> kLoopback{127, 0, 0, 1};
    return octets != kLoopback && octets == m_address;
}

void CIdEnqSocketLink::WriteSetupDetails(std::string& out) const
{
    WriteAddressDetails(out);
    out += FormatText("  Use UDP?                            : %s\r\n", m_useUdp ? "Yes" : "No");
}

}  // namespace varnel
