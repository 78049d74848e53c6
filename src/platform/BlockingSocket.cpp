#include "platform/BlockingSocket.h"

#include "platform/TextFormat.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace varnel {
namespace {

constexpr std::chrono::milliseconds kConnectStep(500);

std::string SocketErrorMessage(std::string_view operation, int errorNumber)
{
    const std::string name(operation);
    return errorNumber == 0 ? FormatText("%s error", name.c_str())
                            : FormatText("%s error #%d", name.c_str(), errorNumber);
}

sockaddr_in ToSockaddr(const Ipv4Address& address)
{
    sockaddr_in native{};
    native.sin_family = AF_INET;
    native.sin_port = htons(address.port);
    std::memcpy(&native.sin_addr.s_addr, address.octets.data(), address.octets.size());
    return native;
}

Ipv4Address FromSockaddr(const sockaddr_in& native)
{
    Ipv4Address address;
    std::memcpy(address.octets.data(), &native.sin_addr.s_addr, address.octets.size());
    address.port = ntohs(native.sin_port);
    return address;
}

Result<void> SetBlocking(int handle, bool blocking)
{
    const int flags = fcntl(handle, F_GETFL);
    if (flags < 0) return CBlockingSocketException("Connect", errno);
    const int wanted = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
    if (fcntl(handle, F_SETFL, wanted) < 0) return CBlockingSocketException("Connect", errno);
    return {};
}

}  // namespace

std::string Ipv4Address::DottedText() const
{
    return FormatText("%d.%d.%d.%d", int{octets[0]}, int{octets[1]}, int{octets[2]}, int{octets[3]});
}

std::optional<Ipv4Address> ParseDottedAddress(std::string_view text, std::uint16_t port)
{
    Ipv4Address address{{}, port};
    const char* position = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t i = 0; i < address.octets.size(); ++i) {
        if (i > 0 && (position == end || *position++ != '.')) return std::nullopt;
        unsigned value = 0;
        const auto [next, error] = std::from_chars(position, end, value);
        if (error != std::errc{} || next == position || value > 255) return std::nullopt;
        address.octets[i] = static_cast<std::uint8_t>(value);
        position = next;
    }
    if (position != end) return std::nullopt;
    return address;
}

CBlockingSocketException::CBlockingSocketException(std::string_view operation, int errorNumber, Errc errorCode,
                                                   SourceLocation location)
    : Error{errorCode, SocketErrorMessage(operation, errorNumber), errorNumber, location}
{
}

CBlockingSocket::CBlockingSocket(CBlockingSocket&& other) noexcept
    : m_clock(other.m_clock), m_handle(other.m_handle), m_receiveTimeout(other.m_receiveTimeout),
      m_sendTimeout(other.m_sendTimeout)
{
    other.m_handle = -1;
}

CBlockingSocket& CBlockingSocket::operator=(CBlockingSocket&& other) noexcept
{
    if (this != &other) {
        (void)Close();
        m_clock = other.m_clock;
        m_handle = other.m_handle;
        m_receiveTimeout = other.m_receiveTimeout;
        m_sendTimeout = other.m_sendTimeout;
        other.m_handle = -1;
    }
    return *this;
}

CBlockingSocket::~CBlockingSocket() { (void)Close(); }

Result<void> CBlockingSocket::Create(Type type)
{
    const int handle = socket(AF_INET, (type == Type::Stream ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0);
    if (handle < 0) return CBlockingSocketException("Create", errno);
    if (type == Type::Stream) {
        // Frames and their one-byte answers go out at once instead of waiting for the peer's ACK.
        const int on = 1;
        (void)setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    (void)Close();
    m_handle = handle;
    m_receiveTimeout = m_sendTimeout = std::chrono::milliseconds(-1);
    return {};
}

Result<void> CBlockingSocket::Close()
{
    if (m_handle < 0) return {};
    const int handle = m_handle;
    m_handle = -1;
    if (close(handle) < 0) return CBlockingSocketException("Close", errno);
    return {};
}

Result<CBlockingSocket::Wait> CBlockingSocket::WaitFor(short events, std::chrono::milliseconds limit,
                                                       std::chrono::milliseconds step, Event* cancel) const
{
    const auto deadline = m_clock->MonotonicNow() + limit;
    for (;;) {
        if (cancel && cancel->Poll()) return Wait::Cancelled;
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(std::max(deadline - m_clock->MonotonicNow(),
                                                                  std::chrono::steady_clock::duration::zero()));
        const auto slice = m_clock->DeviceWaitSlice(std::min(remaining, step));
        pollfd entry{m_handle, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(slice.count()));
        if (ready < 0 && errno != EINTR) return CBlockingSocketException("select", errno);
        if (ready > 0) return Wait::Ready;
        if (m_clock->MonotonicNow() >= deadline) return Wait::TimedOut;
    }
}

Result<void> CBlockingSocket::ConnectTimed(const Ipv4Address& address, std::chrono::seconds limit, Event* cancel)
{
    if (auto blocking = SetBlocking(m_handle, false); !blocking) return blocking;
    const sockaddr_in native = ToSockaddr(address);
    if (connect(m_handle, reinterpret_cast<const sockaddr*>(&native), sizeof native) < 0 && errno != EINPROGRESS)
        return CBlockingSocketException("Connect", errno);
    // Elapsed time counts in whole seconds, as the time-out is given.
    const auto start = m_clock->MonotonicNow();
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            std::max(start + limit - m_clock->MonotonicNow(), std::chrono::steady_clock::duration::zero()));
        const Result<Wait> wait = WaitFor(POLLOUT, std::min(left, kConnectStep), kConnectStep, cancel);
        if (!wait) return CBlockingSocketException("Connect", wait.GetError().osError);
        if (*wait == Wait::Cancelled) return CBlockingSocketException("Connect - Cancel", 0, Errc::Cancelled);
        if (*wait == Wait::Ready) {
            int error = 0;
            socklen_t size = sizeof error;
            if (getsockopt(m_handle, SOL_SOCKET, SO_ERROR, &error, &size) < 0) error = errno;
            if (error != 0) return CBlockingSocketException("Connect", error);
            return SetBlocking(m_handle, true);
        }
        if (std::chrono::duration_cast<std::chrono::seconds>(m_clock->MonotonicNow() - start) >= limit)
            return CBlockingSocketException("Connect - Timeout", 0, Errc::Timeout);
    }
}

Result<void> CBlockingSocket::SetTimeout(int option, std::chrono::milliseconds slice)
{
    std::chrono::milliseconds& current = option == SO_RCVTIMEO ? m_receiveTimeout : m_sendTimeout;
    if (current == slice) return {};
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(slice);
    const timeval wait{static_cast<time_t>(seconds.count()),
                       static_cast<suseconds_t>(std::chrono::microseconds(slice - seconds).count())};
    if (setsockopt(m_handle, SOL_SOCKET, option, &wait, sizeof wait) < 0)
        return CBlockingSocketException(option == SO_RCVTIMEO ? "Receive" : "Send", errno);
    current = slice;
    return {};
}

template <class Transfer>
Result<std::optional<std::size_t>> CBlockingSocket::TransferWithin(int timeoutOption, std::chrono::milliseconds limit,
                                                                   Transfer transfer)
{
    const auto deadline = m_clock->MonotonicNow() + limit;
    for (;;) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            std::max(deadline - m_clock->MonotonicNow(), std::chrono::steady_clock::duration::zero()));
        const auto slice = m_clock->DeviceWaitSlice(remaining);
        int flags = 0;
        if (slice.count() <= 0 || slice < remaining) {
            // A time-out of zero would wait for ever, and the socket's time-outs count in the kernel's
            // ticks: a wait of nothing, or the short slice a test's clock cuts, is waited exactly
            // (poll), then tried once without blocking.
            pollfd entry{m_handle, static_cast<short>(timeoutOption == SO_RCVTIMEO ? POLLIN : POLLOUT), 0};
            if (poll(&entry, 1, static_cast<int>(slice.count())) < 0 && errno != EINTR)
                return CBlockingSocketException(timeoutOption == SO_RCVTIMEO ? "Receive" : "Send", errno);
            flags = MSG_DONTWAIT;
        } else if (Result<void> set = SetTimeout(timeoutOption, slice); !set) {
            return set.GetError();
        }
        const ssize_t moved = transfer(flags);
        if (moved >= 0) return std::optional(static_cast<std::size_t>(moved));
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return CBlockingSocketException(timeoutOption == SO_RCVTIMEO ? "Receive" : "Send", errno);
        if (m_clock->MonotonicNow() >= deadline) return std::optional<std::size_t>();
    }
}

Result<std::size_t> CBlockingSocket::Send(std::span<const std::uint8_t> bytes, std::chrono::seconds limit)
{
    const Result<std::optional<std::size_t>> sent = TransferWithin(SO_SNDTIMEO, limit, [&](int flags) {
        return send(m_handle, bytes.data(), bytes.size(), flags | MSG_NOSIGNAL);
    });
    if (!sent) return sent.GetError();
    if (!*sent) return CBlockingSocketException("Send timeout", 0, Errc::Timeout);
    return **sent;
}

Result<std::size_t> CBlockingSocket::SendAll(std::span<const std::uint8_t> bytes, std::chrono::seconds limit)
{
    for (std::size_t done = 0; done < bytes.size();) {
        Result<std::size_t> sent = Send(bytes.subspan(done), limit);
        if (!sent) return sent;
        done += *sent;
    }
    return bytes.size();
}

Result<std::size_t> CBlockingSocket::Receive(std::span<std::uint8_t> into, std::chrono::milliseconds limit)
{
    const Result<std::optional<std::size_t>> got = TransferWithin(SO_RCVTIMEO, limit, [&](int flags) {
        return recv(m_handle, into.data(), into.size(), flags);
    });
    if (!got) return got.GetError();
    if (!*got) return CBlockingSocketException("Receive timeout (select)", 0, Errc::Timeout);
    return **got;
}

Result<void> CBlockingSocket::Bind(const Ipv4Address& address)
{
    const int on = 1;
    (void)setsockopt(m_handle, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in native = ToSockaddr(address);
    if (bind(m_handle, reinterpret_cast<const sockaddr*>(&native), sizeof native) < 0)
        return CBlockingSocketException("Bind", errno);
    return {};
}

Result<void> CBlockingSocket::Listen(int backlog)
{
    if (listen(m_handle, backlog) < 0) return CBlockingSocketException("Listen", errno);
    return {};
}

Result<CBlockingSocket> CBlockingSocket::Accept(std::chrono::milliseconds limit)
{
    const Result<Wait> wait = WaitFor(POLLIN, limit, limit, nullptr);
    if (!wait) return wait.GetError();
    if (*wait != Wait::Ready) return CBlockingSocketException("Accept timeout", 0, Errc::Timeout);
    const int handle = accept4(m_handle, nullptr, nullptr, SOCK_CLOEXEC);
    if (handle < 0) return CBlockingSocketException("Accept", errno);
    const int on = 1;
    (void)setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return CBlockingSocket(handle, *m_clock);
}

Result<Ipv4Address> CBlockingSocket::LocalAddress() const
{
    sockaddr_in native{};
    socklen_t size = sizeof native;
    if (getsockname(m_handle, reinterpret_cast<sockaddr*>(&native), &size) < 0)
        return CBlockingSocketException("Name", errno);
    return FromSockaddr(native);
}

Result<CBlockingSocket::Datagram> CBlockingSocket::ReceiveFrom(std::span<std::uint8_t> into,
                                                               std::chrono::milliseconds limit)
{
    const Result<Wait> wait = WaitFor(POLLIN, limit, limit, nullptr);
    if (!wait) return wait.GetError();
    if (*wait != Wait::Ready) return CBlockingSocketException("Receive timeout (select)", 0, Errc::Timeout);
    sockaddr_in native{};
    socklen_t size = sizeof native;
    const ssize_t got = recvfrom(m_handle, into.data(), into.size(), 0, reinterpret_cast<sockaddr*>(&native), &size);
    if (got < 0) return CBlockingSocketException("Receive", errno);
    return Datagram{static_cast<std::size_t>(got), FromSockaddr(native)};
}

Result<void> CBlockingSocket::SendTo(std::span<const std::uint8_t> bytes, const Ipv4Address& to)
{
    const sockaddr_in native = ToSockaddr(to);
    if (sendto(m_handle, bytes.data(), bytes.size(), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&native),
               sizeof native) < 0)
        return CBlockingSocketException("Send", errno);
    return {};
}

Result<bool> CBlockingSocket::WaitReadable(std::chrono::milliseconds limit)
{
    const Result<Wait> wait = WaitFor(POLLIN, limit, limit, nullptr);
    if (!wait) return wait.GetError();
    return *wait == Wait::Ready;
}

}  // namespace varnel
