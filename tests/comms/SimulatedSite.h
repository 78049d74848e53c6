// Scales on real transports for the link tests: each a simulator behind its own TCP listener, UDP
// socket or pseudo-terminal, with the socket or serial link that reaches it, all on one test clock.
#pragma once

#include "RealScaleLine.h"
#include "ScaleSimulator.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "platform/Pinger.h"

#include <atomic>
#include <memory>

namespace varnel::test {

enum class Transport { Tcp, Udp, Pty };

inline const char* TransportName(Transport transport)
{
    switch (transport) {
    case Transport::Tcp: return "Tcp";
    case Transport::Udp: return "Udp";
    case Transport::Pty: return "Pty";
    }
    return "";
}

// A pinger that answers as the test says (set before the links run; several links may ask at once).
class ScriptedPinger final : public IPinger {
public:
    Result<bool> PingHost(std::string_view) override
    {
        ++m_pings;
        return m_answer;
    }
    Result<bool> m_answer = true;
    std::atomic<int> m_pings = 0;
};

// One scale (machine id 1) on its own line, started; `clock` null for real time. The simulator moves
// its clock on while it and its link both wait, so where several links run at once each link and its
// scale need a clock of their own: with a shared one, a pair that idles times out a link whose scale is
// merely slow to answer.
class SimulatedScale {
public:
    SimulatedScale(Transport transport, FakeClock* clock, bool eightBitData = false)
        : m_transport(transport), m_line(MakeLine(transport, clock)), m_sim(*m_line, {1}, eightBitData)
    {
        m_sim.Start();
    }

    // The link that reaches this scale, with one scale numbered `scaleNo`.
    std::unique_ptr<CIdEnqLink> MakeLink(std::uint16_t linkId, std::uint16_t scaleNo, IClock& clock, IPinger& pinger,
                                         IFileSystem& fs = RealFileSystem()) const
    {
        std::unique_ptr<CIdEnqLink> link;
        if (m_transport == Transport::Pty) {
            auto serial = std::make_unique<CIdEnqComLink>(clock, fs);
            serial->m_portName = static_cast<PtyScaleLine&>(*m_line).PortName();
            link = std::move(serial);
        } else {
            auto socket = std::make_unique<CIdEnqSocketLink>(clock, fs, pinger);
            socket->m_address = {127, 0, 0, 1};
            socket->m_useUdp = m_transport == Transport::Udp;
            socket->m_port = m_transport == Transport::Udp ? static_cast<UdpScaleLine&>(*m_line).Port()
                                                           : static_cast<TcpScaleLine&>(*m_line).Port();
            link = std::move(socket);
        }
        link->m_linkId = linkId;
        link->m_enabled = true;
        link->m_name = std::string(TransportName(m_transport)) + " link " + std::to_string(linkId);
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = scaleNo;
        scale->m_machineNo = 1;
        scale->m_scaleType = 0;
        scale->m_name = "Scale " + std::to_string(scaleNo);
        link->m_scales.push_back(std::move(scale));
        return link;
    }

    ScaleSimulator& Sim() { return m_sim; }
    ScaleLine& Line() { return *m_line; }

private:
    static std::unique_ptr<ScaleLine> MakeLine(Transport transport, FakeClock* clock)
    {
        switch (transport) {
        case Transport::Tcp: return std::make_unique<TcpScaleLine>(clock);
        case Transport::Udp: return std::make_unique<UdpScaleLine>(clock);
        case Transport::Pty: return std::make_unique<PtyScaleLine>(clock);
        }
        return nullptr;
    }

    Transport m_transport;
    std::unique_ptr<ScaleLine> m_line;
    ScaleSimulator m_sim;
};

}  // namespace varnel::test
