#include "RealScaleLine.h"

#include <thread>

namespace varnel::test {
namespace {

constexpr std::chrono::milliseconds kIdleSlice(5);
// How long a real transport is given to bring the rest of what the link sent at once.
constexpr std::chrono::milliseconds kFollowGap(20);
// The link's device waits that show it kept waiting while the simulator did.
constexpr std::uint64_t kLinkWaitingTicks = 3;
constexpr std::size_t kReadRoom = 4096;
constexpr std::chrono::seconds kWriteLimit(5);

struct TcpConnection final : ScaleLine::Connection {
    explicit TcpConnection(CBlockingSocket accepted) : socket(std::move(accepted)) {}
    CBlockingSocket socket;
};

CBlockingSocket& SocketOf(const ScaleLine::ConnectionPtr& connection)
{
    return static_cast<TcpConnection&>(*connection).socket;
}

const Ipv4Address kLoopback{{127, 0, 0, 1}, 0};

}  // namespace

bool RealScaleLine::MoreFollows(const ConnectionPtr& connection) { return WaitReadable(connection, kFollowGap); }

bool RealScaleLine::WaitForBytes(const ConnectionPtr& connection)
{
    while (!m_stopped) {
        const std::uint64_t before = LinkDeviceWaits();
        if (WaitReadable(connection, kIdleSlice)) return true;
        IdleTick(before);
    }
    return false;
}

void RealScaleLine::IdleTick(std::uint64_t deviceWaitsBefore)
{
    if (m_clock && m_clock->DeviceWaits() - deviceWaitsBefore >= kLinkWaitingTicks)
        m_clock->Advance(std::chrono::seconds(1));
}

bool RealScaleLine::ScaleSleep(std::chrono::seconds duration)
{
    if (!m_clock) {
        std::this_thread::sleep_for(duration);
        return !m_stopped;
    }
    const auto until = m_clock->MonotonicNow() + duration;
    while (!m_stopped && m_clock->MonotonicNow() < until) {
        const std::uint64_t before = m_clock->DeviceWaits();
        std::this_thread::sleep_for(kIdleSlice);
        IdleTick(before);
    }
    return !m_stopped;
}

void RealScaleLine::Stop()
{
    m_stopped = true;
    const std::lock_guard lock(m_mutex);
    m_changed.notify_all();
}

void RealScaleLine::NoteAccepting()
{
    const std::lock_guard lock(m_mutex);
    m_accepting = true;
    m_changed.notify_all();
}

void RealScaleLine::WaitScaleIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_accepting || m_stopped; });
}

TcpScaleLine::TcpScaleLine(FakeClock* clock) : RealScaleLine(clock)
{
    if (!m_listener.Create(CBlockingSocket::Type::Stream) || !m_listener.Bind(kLoopback) || !m_listener.Listen(8))
        return;
    if (const Result<Ipv4Address> bound = m_listener.LocalAddress()) m_port = bound->port;
}

ScaleLine::ConnectionPtr TcpScaleLine::Accept()
{
    NoteAccepting();
    while (!Stopped()) {
        const std::uint64_t before = LinkDeviceWaits();
        if (Result<CBlockingSocket> accepted = m_listener.Accept(kFollowGap))
            return std::make_shared<TcpConnection>(std::move(*accepted));
        // A link pausing before it connects again waits on the clock too.
        IdleTick(before);
    }
    return nullptr;
}

bool TcpScaleLine::WaitReadable(const ConnectionPtr& connection, std::chrono::milliseconds slice)
{
    const Result<bool> ready = SocketOf(connection).WaitReadable(slice);
    return !ready || *ready;  // an error shows as something to read: the read then tells it
}

ScaleLine::ReadResult TcpScaleLine::ScaleRead(const ConnectionPtr& connection, Bytes& bytes)
{
    // The read itself waits, a slice at a time: one system call a frame, as a plain peer's, so that the
    // link benchmark measures the link rather than its simulator.
    bytes.resize(kReadRoom);
    while (!Stopped()) {
        const std::uint64_t before = LinkDeviceWaits();
        const Result<std::size_t> got = SocketOf(connection).Receive(bytes, kIdleSlice);
        if (got) {
            bytes.resize(*got);
            return bytes.empty() ? ReadResult::Closed : ReadResult::Data;
        }
        if (got.GetError().code != Errc::Timeout) break;
        IdleTick(before);
    }
    bytes.clear();
    return Stopped() ? ReadResult::Stopped : ReadResult::Closed;
}

bool TcpScaleLine::ScaleWrite(const ConnectionPtr& connection, std::span<const std::uint8_t> bytes)
{
    return SocketOf(connection).SendAll(bytes, kWriteLimit).HasValue();
}

void TcpScaleLine::ScaleDrop(const ConnectionPtr& connection) { (void)SocketOf(connection).Close(); }

ScaleLine::ConnectionPtr SingleConnectionLine::Accept()
{
    NoteAccepting();
    return Stopped() ? nullptr : std::make_shared<Connection>();
}

ScaleLine::ReadResult SingleConnectionLine::ScaleRead(const ConnectionPtr& connection, Bytes& bytes)
{
    bytes.clear();
    while (bytes.empty()) {
        if (!WaitForBytes(connection)) return ReadResult::Stopped;
        bytes.resize(kReadRoom);
        bytes.resize(ReadSome(bytes));
    }
    return ReadResult::Data;
}

UdpScaleLine::UdpScaleLine(FakeClock* clock) : SingleConnectionLine(clock)
{
    if (!m_socket.Create(CBlockingSocket::Type::Datagram) || !m_socket.Bind(kLoopback)) return;
    if (const Result<Ipv4Address> bound = m_socket.LocalAddress()) m_port = bound->port;
}

bool UdpScaleLine::WaitReadable(const ConnectionPtr&, std::chrono::milliseconds slice)
{
    const Result<bool> ready = m_socket.WaitReadable(slice);
    return ready && *ready;
}

std::size_t UdpScaleLine::ReadSome(Bytes& bytes)
{
    const Result<CBlockingSocket::Datagram> got = m_socket.ReceiveFrom(bytes, std::chrono::milliseconds(0));
    if (!got) return 0;
    m_peer = got->from;
    return got->size;
}

bool UdpScaleLine::ScaleWrite(const ConnectionPtr&, std::span<const std::uint8_t> bytes)
{
    if (!m_peer) return false;
    const std::size_t limit = m_datagramLimit == 0 ? bytes.size() : m_datagramLimit;
    for (std::size_t done = 0; done < bytes.size(); done += limit)
        if (!m_socket.SendTo(bytes.subspan(done, std::min(limit, bytes.size() - done)), *m_peer)) return false;
    return true;
}

PtyScaleLine::PtyScaleLine(FakeClock* clock) : SingleConnectionLine(clock)
{
    if (Result<PseudoTerminal> opened = PseudoTerminal::Open()) m_pty = std::move(*opened);
}

bool PtyScaleLine::WaitReadable(const ConnectionPtr&, std::chrono::milliseconds slice)
{
    const Result<bool> ready = m_pty.WaitReadable(slice);
    return ready && *ready;
}

std::size_t PtyScaleLine::ReadSome(Bytes& bytes)
{
    const Result<std::size_t> got = m_pty.Read(bytes, std::chrono::milliseconds(0));
    return got ? *got : 0;
}

bool PtyScaleLine::ScaleWrite(const ConnectionPtr&, std::span<const std::uint8_t> bytes)
{
    return m_pty.Write(bytes).HasValue();
}

}  // namespace varnel::test
