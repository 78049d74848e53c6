// CNetworkLink: what the links to network scales share: the scale's four octets and port, the send and
// connect time-outs, and the TCP line that each operation opens (the scale pinged first when the
// general setup asks for it) and closes.
#pragma once

#include "comms/idenq/IdEnqLink.h"
#include "platform/Pinger.h"
#include "platform/ScaleSocket.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace varnel {

class CNetworkLink : public CIdEnqLink {
public:
    bool ClosePort() override;
    void Close() override;
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override;
    // The TCP line's bytes, waiting a second at most; false once the scale closed the connection.
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override;
    const std::array<std::uint16_t, 4>* GetIpAddress() const override { return &m_address; }
    std::uint16_t GetPort() const override { return m_port; }

    std::uint32_t m_sendTimeout = 21;    // seconds for each write; an open sets 5
    std::uint32_t m_connectTimeout = 5;  // seconds
    std::array<std::uint16_t, 4> m_address{};
    std::uint16_t m_port;

protected:
    static constexpr std::uint32_t kOpenedSendTimeout = 5;

    CNetworkLink(IClock& clock, IFileSystem& fs, IPinger& pinger, std::uint16_t port);

    Ipv4Address Peer() const { return PeerOf(m_address, m_port); }
    // Opens the TCP line to the scale within the connect time-out (a cancel ends the wait).
    ScaleSocket::Outcome OpenStream();
    // The setup listing's lines of the address, the port and the connect time-out.
    void WriteAddressDetails(std::string& out) const;

    ScaleSocket m_line;

private:
    IPinger& m_pinger;
};

}  // namespace varnel
