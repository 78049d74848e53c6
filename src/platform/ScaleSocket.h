// The TCP line of a link to a scale: a blocking socket with the steps the socket links share (open with
// an optional ping first, write, read), each failure written to the link's trace in the links' own
// words, at most 200 characters a line.
#pragma once

#include "platform/BlockingSocket.h"
#include "platform/Event.h"
#include "platform/Pinger.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <utility>

namespace varnel {

// The address of a link's settings: four octets kept as words, and the port.
Ipv4Address PeerOf(const std::array<std::uint16_t, 4>& octets, std::uint16_t port);

class ScaleSocket {
public:
    // Where the lines go: the link's trace.
    using Tracer = std::function<void(std::string_view)>;

    ScaleSocket(const IClock& clock, Tracer trace) : m_socket(clock), m_trace(std::move(trace)) {}

    enum class Outcome { Opened, AlreadyOpen, Unanswered, Failed };

    // A stream socket connected to the peer within `limit` (the cancel event, when given, polled
    // meanwhile). With a pinger, a scale that does not answer the ping is not connected to
    // (Unanswered). A failure leaves the socket closed and says why.
    Outcome Connect(const Ipv4Address& peer, IPinger* pinger, std::chrono::seconds limit, Event* cancel);
    // Connect for a socket not open yet, saying "Opened socket: a.b.c.d - port" once it is.
    Outcome Open(const Ipv4Address& peer, IPinger* pinger, std::chrono::seconds limit, Event* cancel);
    bool IsOpen() const { return m_socket.IsOpen(); }
    Result<void> Close() { return m_socket.Close(); }

    // Writes all of the bytes within `limit`; `sent` tells how many went.
    bool Send(std::span<const std::uint8_t> bytes, std::size_t& sent, std::chrono::seconds limit);
    // Reads what arrives within `wait`, at most into.size() bytes (`got` may be 0 after a time-out or an
    // error, which is traced). False once the scale closed the connection: nothing more will come.
    bool Receive(std::span<std::uint8_t> into, std::size_t& got, std::chrono::milliseconds wait);

    // Traces "<prefix><message>".
    void TraceError(std::string_view prefix, const Error& error) const;
    void Trace(std::string_view line) const { m_trace(line); }

    // The socket itself, for what only one kind of link does with it (datagrams, a Lumen read).
    CBlockingSocket& Socket() { return m_socket; }

private:
    CBlockingSocket m_socket;
    Tracer m_trace;
};

}  // namespace varnel
