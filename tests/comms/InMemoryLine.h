// A line between a link and a scale simulator in one process, with virtual time. Each Connect opens
// a new connection, which the simulator accepts in turn (as a listening socket would); bytes travel
// through the connection's two queues.
//
// Time moves only when nothing else can happen: when the link waits for bytes and the simulator is
// idle (waiting for the link's bytes, for a connection, or sleeping until a later time), the line
// moves the shared test clock on by one second and the link's read returns empty. Time-outs therefore
// run their course at once and always the same way, and no test sleeps.
//
// The simulator reads what the link sent once the link waits for an answer (or has closed the
// connection), so it always sees whole frames, as a scale does.
#pragma once

#include "ScaleLine.h"
#include "support/FakeClock.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

namespace varnel::test {

class InMemoryLine final : public ScaleLine {
public:

    explicit InMemoryLine(FakeClock& clock) : m_clock(clock) {}
    InMemoryLine(const InMemoryLine&) = delete;
    InMemoryLine& operator=(const InMemoryLine&) = delete;

    FakeClock& Clock() { return m_clock; }

    // The link's end: always its newest connection.
    bool Connect();
    void Disconnect();
    bool LinkSend(std::span<const std::uint8_t> bytes, std::size_t& sent);
    bool LinkReceive(std::span<std::uint8_t> into, std::size_t& got);
    // Refused connections make the link's Open fail.
    void RefuseConnections(bool refuse);

    // The simulator's end. Without a simulator the line counts as idle, so a link alone sees its
    // time-outs (and whatever a test wrote for it with Accept and ScaleWrite).
    ConnectionPtr Accept() override;
    ReadResult ScaleRead(const ConnectionPtr& connection, Bytes& bytes) override;
    bool ScaleWrite(const ConnectionPtr& connection, std::span<const std::uint8_t> bytes) override;
    bool ScaleWaitDrained(const ConnectionPtr& connection) override;
    bool ScaleSleep(std::chrono::seconds duration) override;
    // The link reads what was written, then fails.
    void ScaleDrop(const ConnectionPtr& connection) override;
    // A simulator present is idle while it waits.
    void AttachScale(bool attached) override;
    void Stop() override;
    // (all work done)
    void WaitScaleIdle() override;

private:
    struct Pipe;
    using PipePtr = std::shared_ptr<Pipe>;
    static Pipe& PipeOf(const ConnectionPtr& connection);

    enum class ScaleState { Absent, Running, Accepting, Reading, Sleeping, Draining };
    bool ScaleIdleLocked() const;
    void SetScaleStateLocked(ScaleState state);

    FakeClock& m_clock;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PipePtr> m_backlog;
    PipePtr m_linkConnection;
    PipePtr m_scaleConnection;  // the one the simulator serves
    bool m_linkWaiting = false;
    bool m_refuse = false;
    bool m_stopped = false;
    ScaleState m_scaleState = ScaleState::Absent;
    std::chrono::steady_clock::time_point m_sleepUntil{};
};

struct InMemoryLine::Pipe final : ScaleLine::Connection {
    std::deque<std::uint8_t> toScale;
    std::deque<std::uint8_t> toLink;
    bool linkOpen = true;
    bool scaleOpen = true;
};

}  // namespace varnel::test
