// CBlockingSocket: an IPv4 socket whose connect, send and receive are each bounded by a time-out, for
// the links to scales on the network. Failures are values: a CBlockingSocketException returned as the
// operation's Error, the operation being one of "Create", "Close", "Connect", "Connect - Cancel",
// "Connect - Timeout", "Send", "Send timeout", "Receive", "Receive timeout (select)". A receive
// time-out alone has the code Errc::Timeout, so a caller tells it apart from a real error.
//
// Waits count on the injected clock; each real wait on the socket lasts what the clock allows
// (IClock::DeviceWaitSlice), so tests drive the time-outs by moving their clock. On the real clock Send
// and Receive wait in the call itself, bounded by the socket's send and receive time-outs (SO_SNDTIMEO,
// SO_RCVTIMEO), which are set only when the wait they are given changes: a frame and its answer cost
// one system call each, not a poll before every call.
//
// The peer's side (bind, listen, accept, datagrams to and from any address) is here too: the tests'
// scale simulators listen on loopback with it.
#pragma once

#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/Result.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

struct Ipv4Address {
    std::array<std::uint8_t, 4> octets{};
    std::uint16_t port = 0;

    bool operator==(const Ipv4Address&) const = default;
    // "a.b.c.d".
    std::string DottedText() const;
};

// "a.b.c.d" with each part 0 to 255; none for anything else.
std::optional<Ipv4Address> ParseDottedAddress(std::string_view text, std::uint16_t port);

// The error of a failed socket operation: its message is "<operation> error #<errno>", or "<operation>
// error" without an error number, and osError the error number. It is returned, not thrown, and slices
// to the Error it is.
struct CBlockingSocketException : Error {
    CBlockingSocketException(std::string_view operation, int errorNumber, Errc errorCode = Errc::Io,
                             SourceLocation location = SourceLocation::Current());
};

class CBlockingSocket {
public:
    enum class Type { Stream, Datagram };

    explicit CBlockingSocket(const IClock& clock = SystemClock()) : m_clock(&clock) {}
    CBlockingSocket(CBlockingSocket&& other) noexcept;
    CBlockingSocket& operator=(CBlockingSocket&& other) noexcept;
    CBlockingSocket(const CBlockingSocket&) = delete;
    CBlockingSocket& operator=(const CBlockingSocket&) = delete;
    ~CBlockingSocket();

    Result<void> Create(Type type);
    Result<void> Close();
    bool IsOpen() const { return m_handle >= 0; }

    // Connects within `limit` (whole seconds on the clock), polling `cancel` (may be null) every half
    // second. A datagram socket only takes the address as its default peer.
    Result<void> ConnectTimed(const Ipv4Address& address, std::chrono::seconds limit, Event* cancel);
    // Writes what the socket takes within `limit`: the count written (all of it unless the time ran
    // out part-way).
    Result<std::size_t> Send(std::span<const std::uint8_t> bytes, std::chrono::seconds limit);
    // Writes every byte, each write within `limit`.
    Result<std::size_t> SendAll(std::span<const std::uint8_t> bytes, std::chrono::seconds limit);
    // Reads what has arrived within `limit`, at most into.size() bytes; 0 when a stream's peer closed.
    Result<std::size_t> Receive(std::span<std::uint8_t> into, std::chrono::milliseconds limit);

    // The peer's side.
    Result<void> Bind(const Ipv4Address& address);
    Result<void> Listen(int backlog);
    // The next connection, within `limit`.
    Result<CBlockingSocket> Accept(std::chrono::milliseconds limit);
    Result<Ipv4Address> LocalAddress() const;
    struct Datagram {
        std::size_t size = 0;
        Ipv4Address from;
    };
    Result<Datagram> ReceiveFrom(std::span<std::uint8_t> into, std::chrono::milliseconds limit);
    Result<void> SendTo(std::span<const std::uint8_t> bytes, const Ipv4Address& to);
    // Whether bytes (or a closed peer) are there to read within `limit`.
    Result<bool> WaitReadable(std::chrono::milliseconds limit);

private:
    CBlockingSocket(int handle, const IClock& clock) : m_clock(&clock), m_handle(handle) {}
    // One send or receive (`transfer`, given the flags to add) retried after each time-out slice until
    // `limit` has passed on the clock: the count it moved, or none when the time ran out first.
    template <class Transfer>
    Result<std::optional<std::size_t>> TransferWithin(int timeoutOption, std::chrono::milliseconds limit,
                                                      Transfer transfer);
    // Sets the socket's SO_RCVTIMEO or SO_SNDTIMEO to `slice` unless it is set so already.
    Result<void> SetTimeout(int option, std::chrono::milliseconds slice);
    // Waits until the socket is ready for `events` or `limit` has passed on the clock, in real waits
    // of at most `step`; with `cancel`, which is polled between them, a set event ends the wait.
    enum class Wait { Ready, TimedOut, Cancelled };
    Result<Wait> WaitFor(short events, std::chrono::milliseconds limit, std::chrono::milliseconds step,
                         Event* cancel) const;

    const IClock* m_clock;
    int m_handle = -1;
    // The time-outs last set on the handle; negative while unset.
    std::chrono::milliseconds m_receiveTimeout{-1};
    std::chrono::milliseconds m_sendTimeout{-1};
};

}  // namespace varnel
