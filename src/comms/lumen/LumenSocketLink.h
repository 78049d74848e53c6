// CLumenSocketLink: the Lumen link over TCP. The connection is made for one transfer (no ping first:
// a scale may not answer them) and closed after it; each read waits up to the receive time-out of one
// second, so the protocol's 1000-read limits last about 1000 s, and each write up to the send
// time-out. A connection the scale closed or that broke is a failed read, which ends the transfer;
// only a time-out is a read that brought nothing.
//
// Archive form: the link base's (LumenLink.h), then u16 port, four u16 octets, u32 send time-out and
// u32 receive time-out (seconds; every Open sets them to 5 and 1).
#pragma once

#include "comms/lumen/LumenLink.h"
#include "platform/ScaleSocket.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace varnel {

class CLumenSocketLink : public CLumenLink {
    VARNEL_DECLARE_SERIAL(CLumenSocketLink)

public:
    // The system's own connect gives up about then; the link sets no limit of its own.
    static constexpr std::chrono::seconds kConnectLimit{75};
    static constexpr std::size_t kTraceLimit = 200;

    CLumenSocketLink() : CLumenSocketLink(SystemClock(), RealFileSystem()) {}
    CLumenSocketLink(IClock& clock, IFileSystem& fs);
    ~CLumenSocketLink() override;

    void Serialize(CArchive& ar) override;

    bool Open() override;
    bool Close() override;
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent) override;
    bool Receive(std::span<std::uint8_t> into, std::size_t& got) override;

    std::uint32_t m_sendTimeout = 21;    // seconds
    std::uint32_t m_receiveTimeout = 1;  // seconds
    std::array<std::uint16_t, 4> m_address{};
    std::uint16_t m_port = 0;

private:
    ScaleSocket m_line;  // its lines go to the trace when logging is on
};

}  // namespace varnel
