// The ICMP echo ("ping") that a socket link sends to see whether its scale is reachable before it
// connects. The link holds an IPinger, so tests answer for the network.
//
// Echo request (45 bytes):
//   OFFSET  SIZE  FIELD
//     0       1   type 8
//     1       1   code 0
//     2       2   Internet checksum of all 45 bytes with this field 0
//     4       2   identifier, little-endian: a process-wide counter from 1, one more per ping
//     6       2   sequence, little-endian: a second such counter
//     8       1   0
//     9       4   milliseconds of the monotonic clock at sending, little-endian
//    13      32   bytes 0x20, 0x21, ... 0x3F
// (A datagram ICMP socket, used where raw sockets are not allowed, puts its own identifier in.)
#pragma once

#include "platform/Clock.h"
#include "platform/Result.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

namespace varnel {

class IPinger {
public:
    virtual ~IPinger() = default;
    // Whether the host at the dotted address answered within 4 seconds; an error when no echo
    // could be sent at all (its message says why).
    virtual Result<bool> PingHost(std::string_view dottedAddress) = 0;
};

constexpr std::size_t kEchoRequestSize = 45;
using EchoRequest = std::array<std::uint8_t, kEchoRequestSize>;

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence, std::uint32_t ticks);
// The Internet checksum (one's complement of the one's-complement sum of 16-bit words).
std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes);

// Pings through a raw ICMP socket where the process may open one, else through the unprivileged
// datagram ICMP socket; an error when neither is allowed.
class IcmpPinger final : public IPinger {
public:
    explicit IcmpPinger(const IClock& clock = SystemClock()) : m_clock(clock) {}
    Result<bool> PingHost(std::string_view dottedAddress) override;

    // The identifier and sequence of the next echo request (both counters move on).
    static std::pair<std::uint16_t, std::uint16_t> NextEchoNumbers();

private:
    const IClock& m_clock;
};

// The process's pinger.
IPinger& SystemPinger();

}  // namespace varnel
