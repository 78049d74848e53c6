#include "comms/idenq/NetworkLink.h"

#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr std::chrono::seconds kReceiveWait(1);

}  // namespace

CNetworkLink::CNetworkLink(IClock& clock, IFileSystem& fs, IPinger& pinger, std::uint16_t port)
    : CIdEnqLink(clock, fs), m_port(port),
      m_line(clock, [this](std::string_view line) { WriteTrace(TraceMessage, line); }), m_pinger(pinger)
{
}

ScaleSocket::Outcome CNetworkLink::OpenStream()
{
    IPinger* pinger = Settings()->setup.m_usePing != 0 ? &m_pinger : nullptr;
    return m_line.Open(Peer(), pinger, std::chrono::seconds(m_connectTimeout), &m_cancelEvent);
}

bool CNetworkLink::ClosePort()
{
    (void)m_line.Close();
    return true;
}

void CNetworkLink::Close()
{
    StopThread();
    ClosePort();
}

bool CNetworkLink::Send(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    return m_line.Send(bytes, sent, std::chrono::seconds(m_sendTimeout));
}

bool CNetworkLink::Receive(std::span<std::uint8_t> into, std::size_t& got)
{
    return m_line.Receive(into, got, kReceiveWait);
}

void CNetworkLink::WriteAddressDetails(std::string& out) const
{
    out += FormatText("  IP address                          : %hd.%hd.%hd.%hd (Port = %d)\r\n", m_address[0],
                      m_address[1], m_address[2], m_address[3], int{m_port});
    out += FormatText("  Connect timeout                     : %hd\r\n", static_cast<short>(m_connectTimeout));
}

}  // namespace varnel
