// CIdEnqSocketLink: the ID-ENQ protocol to the scales on the network, over TCP, or over UDP when the
// link is so set. The socket is opened for each operation and closed after it; before a TCP connect
// the scale is pinged when the general setup asks for it.
//
// Archive form, after the link base's: u16 format 100 (absent in setups of the oldest format),
// u16 port, four u16 octets, u32 send time-out, u32 connect time-out, u8 use UDP. A loaded connect
// time-out below 2 seconds becomes 5.
#pragma once

#include "comms/idenq/NetworkLink.h"

#include <array>
#include <cstdint>
#include <vector>

namespace varnel {

class CIdEnqSocketLink : public CNetworkLink {
    VARNEL_DECLARE_SERIAL(CIdEnqSocketLink)
public:
    static constexpr std::uint16_t kFormat = 100;
    static constexpr std::size_t kReadAheadSize = 512;

    CIdEnqSocketLink() : CIdEnqSocketLink(SystemClock(), RealFileSystem(), SystemPinger()) {}
    CIdEnqSocketLink(IClock& clock, IFileSystem& fs, IPinger& pinger);
    ~CIdEnqSocketLink() override;

    void Serialize(CArchive& ar) override;

    bool Open() override;
    // The TCP line's, or the datagrams' bytes.
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override;
    std::string GetDescription(const CGeneralSetup& setup) const override;
    std::string GetStatusText(const CGeneralSetup& setup) const override;
    bool IsSameAddress(const std::array<std::uint16_t, 4>& octets) const override;
    void WriteSetupDetails(std::string& out) const override;
    bool EditSettings(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers) override;
    bool EditScales(const LinkSetupContext& context, ScaleNumberMap& scaleNumbers) override;

    bool m_useUdp = false;

private:
    bool OpenUdp(const Ipv4Address& peer);
    bool OpenTcp();
    bool ReceiveDatagramBytes(std::span<std::uint8_t> into, std::size_t& got);

    // UDP: the datagram last read and how much of it was handed out.
    std::vector<std::uint8_t> m_readAhead;
    std::size_t m_readAheadPosition = 0;
};

}  // namespace varnel
