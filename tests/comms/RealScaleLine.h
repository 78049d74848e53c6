// Real transports for the scale simulator: a TCP listener and a UDP socket on loopback, and the master
// side of a pseudo-terminal pair whose slave the link opens as its port.
//
// Time: with a test clock, while the simulator waits for bytes that do not come and the link keeps
// waiting on its device too (the clock counts the link's device waits), the clock moves on by one
// second at a time, as the in-memory line moves it when both sides are idle. Time-outs thus run their
// course without real sleeps. Without a test clock (the benchmark) time is real.
#pragma once

#include "PseudoTerminal.h"
#include "ScaleLine.h"
#include "platform/BlockingSocket.h"
#include "support/FakeClock.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace varnel::test {

class RealScaleLine : public ScaleLine {
public:
    explicit RealScaleLine(FakeClock* clock) : m_clock(clock) {}

    bool MoreFollows(const ConnectionPtr& connection) override;
    bool ScaleWaitDrained(const ConnectionPtr&) override { return !m_stopped; }
    bool ScaleSleep(std::chrono::seconds duration) override;
    void AttachScale(bool) override {}
    void Stop() override;
    void WaitScaleIdle() override;

protected:
    // Waits up to `slice` of real time for something to read on the connection.
    virtual bool WaitReadable(const ConnectionPtr& connection, std::chrono::milliseconds slice) = 0;
    // Waits until the connection has something to read; false once stopped. Moves the test clock while idle.
    bool WaitForBytes(const ConnectionPtr& connection);
    // The simulator has come to wait for a connection (Start returns then).
    void NoteAccepting();
    bool Stopped() const { return m_stopped; }
    // After a real wait in which nothing came (or no connection): moves the test clock when the link
    // kept waiting on its device too, given the link's device waits before the wait.
    std::uint64_t LinkDeviceWaits() const { return m_clock ? m_clock->DeviceWaits() : 0; }
    void IdleTick(std::uint64_t deviceWaitsBefore);

private:

    FakeClock* m_clock;
    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_accepting = false;
};

class TcpScaleLine final : public RealScaleLine {
public:
    explicit TcpScaleLine(FakeClock* clock);
    std::uint16_t Port() const { return m_port; }

    ConnectionPtr Accept() override;
    ReadResult ScaleRead(const ConnectionPtr& connection, Bytes& bytes) override;
    bool ScaleWrite(const ConnectionPtr& connection, std::span<const std::uint8_t> bytes) override;
    void ScaleDrop(const ConnectionPtr& connection) override;

private:
    bool WaitReadable(const ConnectionPtr& connection, std::chrono::milliseconds slice) override;

    CBlockingSocket m_listener;
    std::uint16_t m_port = 0;
};

// A line with one connection for good (a datagram peer, a serial cable).
class SingleConnectionLine : public RealScaleLine {
public:
    using RealScaleLine::RealScaleLine;
    ConnectionPtr Accept() override;
    ReadResult ScaleRead(const ConnectionPtr& connection, Bytes& bytes) override;
    void ScaleDrop(const ConnectionPtr&) override {}

protected:
    // Reads what is there into `bytes` (sized to the room); its size after.
    virtual std::size_t ReadSome(Bytes& bytes) = 0;
};

class UdpScaleLine final : public SingleConnectionLine {
public:
    explicit UdpScaleLine(FakeClock* clock);
    std::uint16_t Port() const { return m_port; }
    // Each datagram the scale sends carries at most this many bytes (0: as written).
    void SetDatagramLimit(std::size_t limit) { m_datagramLimit = limit; }

    bool ScaleWrite(const ConnectionPtr& connection, std::span<const std::uint8_t> bytes) override;

private:
    bool WaitReadable(const ConnectionPtr& connection, std::chrono::milliseconds slice) override;
    std::size_t ReadSome(Bytes& bytes) override;

    CBlockingSocket m_socket;
    std::uint16_t m_port = 0;
    std::optional<Ipv4Address> m_peer;  // the sender of the last datagram
    std::size_t m_datagramLimit = 0;
};

class PtyScaleLine final : public SingleConnectionLine {
public:
    explicit PtyScaleLine(FakeClock* clock);
    const std::string& PortName() const { return m_pty.SlaveName(); }

    bool ScaleWrite(const ConnectionPtr& connection, std::span<const std::uint8_t> bytes) override;

private:
    bool WaitReadable(const ConnectionPtr& connection, std::chrono::milliseconds slice) override;
    std::size_t ReadSome(Bytes& bytes) override;

    PseudoTerminal m_pty;
};

}  // namespace varnel::test
