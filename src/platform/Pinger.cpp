#include "platform/Pinger.h"

#include "platform/BlockingSocket.h"
#include "platform/ByteOrder.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varnel {
namespace {

constexpr std::uint8_t kEchoType = 8;
constexpr std::size_t kPatternOffset = 13;
constexpr std::size_t kReplyRoom = 321;
constexpr std::chrono::seconds kAnswerLimit(4);
constexpr std::chrono::seconds kDatagramWait(3);

std::atomic<std::uint16_t> g_identifier{0};
std::atomic<std::uint16_t> g_sequence{0};

// An ICMP socket the process may open: raw, else datagram; -1 and both errors when neither.
int OpenIcmpSocket(int& rawError, int& datagramError)
{
    if (const int raw = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP); raw >= 0) return raw;
    rawError = errno;
    if (const int datagram = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP); datagram >= 0) return datagram;
    datagramError = errno;
    return -1;
}

class SocketHandle {
public:
    explicit SocketHandle(int handle) : m_handle(handle) {}
    ~SocketHandle() { close(m_handle); }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    int Get() const { return m_handle; }

private:
    int m_handle;
};

}  // namespace

std::uint16_t InternetChecksum(std::span<const std::uint8_t> bytes)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const std::uint32_t high = bytes[i];
        const std::uint32_t low = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        sum += (high << 8) | low;
    }
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence, std::uint32_t ticks)
{
    EchoRequest request{};
    request[0] = kEchoType;
    StoreLe16(&request[4], identifier);
    StoreLe16(&request[6], sequence);
    StoreLe32(&request[9], ticks);
    for (std::size_t i = kPatternOffset; i < request.size(); ++i)
        request[i] = static_cast<std::uint8_t>(0x20 + (i - kPatternOffset));
    // Summed over the words as they lie on the wire, so stored high byte first.
    StoreBe16(&request[2], InternetChecksum(request));
    return request;
}

std::pair<std::uint16_t, std::uint16_t> IcmpPinger::NextEchoNumbers()
{
    return {static_cast<std::uint16_t>(++g_identifier), static_cast<std::uint16_t>(++g_sequence)};
}

Result<bool> IcmpPinger::PingHost(std::string_view dottedAddress)
{
    const std::optional<Ipv4Address> target = ParseDottedAddress(dottedAddress, 0);
    if (!target) return MakeError(Errc::Invalid, "not an IPv4 address: " + std::string(dottedAddress));
    int rawError = 0;
    int datagramError = 0;
    const int handle = OpenIcmpSocket(rawError, datagramError);
    if (handle < 0)
        return MakeError(Errc::Refused,
                         "no ICMP socket may be opened (raw: " + std::string(std::strerror(rawError)) +
                             ", datagram: " + std::string(std::strerror(datagramError)) + ")",
                         datagramError);
    const SocketHandle socketHandle(handle);

    const auto [identifier, sequence] = NextEchoNumbers();
    const auto ticks = std::chrono::duration_cast<std::chrono::milliseconds>(m_clock.MonotonicNow().time_since_epoch());
    const EchoRequest request = BuildEchoRequest(identifier, sequence, static_cast<std::uint32_t>(ticks.count()));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    std::memcpy(&to.sin_addr.s_addr, target->octets.data(), target->octets.size());
    if (sendto(handle, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
        return CBlockingSocketException("Ping", errno);

    const auto deadline = m_clock.MonotonicNow() + kAnswerLimit;
    while (m_clock.MonotonicNow() < deadline) {
        pollfd entry{handle, POLLIN, 0};
        const auto wait = m_clock.DeviceWaitSlice(kDatagramWait);
        const int ready = poll(&entry, 1, static_cast<int>(wait.count()));
        if (ready < 0 && errno != EINTR) return CBlockingSocketException("Ping", errno);
        if (ready <= 0) {
            if (wait == kDatagramWait) return false;
            continue;
        }
        std::array<std::uint8_t, kReplyRoom> reply{};
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t got = recvfrom(handle, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), &size);
        if (got < 0) return CBlockingSocketException("Ping", errno);
        if (got == 0) return false;
        // Any datagram from the pinged host is its answer.
        if (from.sin_addr.s_addr == to.sin_addr.s_addr) return true;
    }
    return false;
}

IPinger& SystemPinger()
{
    static IcmpPinger pinger;
    return pinger;
}

}  // namespace varnel
