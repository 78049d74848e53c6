#include "InMemoryLine.h"

#include <algorithm>

namespace varnel::test {

bool InMemoryLine::Connect()
{
    const std::lock_guard lock(m_mutex);
    if (m_linkConnection) m_linkConnection->linkOpen = false;
    m_linkConnection.reset();
    if (m_refuse || m_stopped) return false;
    m_linkConnection = std::make_shared<Pipe>();
    m_backlog.push_back(m_linkConnection);
    m_changed.notify_all();
    return true;
}

void InMemoryLine::Disconnect()
{
    const std::lock_guard lock(m_mutex);
    if (m_linkConnection) m_linkConnection->linkOpen = false;
    m_linkConnection.reset();
    m_changed.notify_all();
}

bool InMemoryLine::LinkSend(std::span<const std::uint8_t> bytes, std::size_t& sent)
{
    sent = 0;
    const std::lock_guard lock(m_mutex);
    if (!m_linkConnection || !m_linkConnection->scaleOpen) return false;
    m_linkConnection->toScale.insert(m_linkConnection->toScale.end(), bytes.begin(), bytes.end());
    sent = bytes.size();
    m_changed.notify_all();
    return true;
}

bool InMemoryLine::LinkReceive(std::span<std::uint8_t> into, std::size_t& got)
{
    got = 0;
    std::unique_lock lock(m_mutex);
    const PipePtr connection = m_linkConnection;
    if (!connection) return false;
    if (connection->toLink.empty() && connection->scaleOpen) {
        m_linkWaiting = true;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return !connection->toLink.empty() || !connection->scaleOpen || ScaleIdleLocked(); });
        m_linkWaiting = false;
    }
    if (!connection->toLink.empty()) {
        got = std::min(into.size(), connection->toLink.size());
        std::copy_n(connection->toLink.begin(), got, into.begin());
        connection->toLink.erase(connection->toLink.begin(), connection->toLink.begin() + static_cast<std::ptrdiff_t>(got));
        m_changed.notify_all();
        return true;
    }
    if (!connection->scaleOpen) return false;
    // Nothing can arrive before time passes.
    m_clock.Advance(std::chrono::seconds(1));
    m_changed.notify_all();
    return true;
}

void InMemoryLine::RefuseConnections(bool refuse)
{
    const std::lock_guard lock(m_mutex);
    m_refuse = refuse;
}

bool InMemoryLine::ScaleIdleLocked() const
{
    if (m_stopped) return true;
    switch (m_scaleState) {
    case ScaleState::Absent:
        return true;
    case ScaleState::Accepting:
        return m_backlog.empty();
    case ScaleState::Reading:
        return m_scaleConnection && m_scaleConnection->toScale.empty() && m_scaleConnection->linkOpen;
    case ScaleState::Sleeping:
        return m_clock.MonotonicNow() < m_sleepUntil;
    case ScaleState::Running:
    case ScaleState::Draining:
        return false;
    }
    return false;
}

void InMemoryLine::SetScaleStateLocked(ScaleState state)
{
    m_scaleState = state;
    m_changed.notify_all();
}

void InMemoryLine::AttachScale(bool attached)
{
    const std::lock_guard lock(m_mutex);
    SetScaleStateLocked(attached ? ScaleState::Running : ScaleState::Absent);
}

InMemoryLine::Pipe& InMemoryLine::PipeOf(const ConnectionPtr& connection)
{
    return static_cast<Pipe&>(*connection);
}

ScaleLine::ConnectionPtr InMemoryLine::Accept()
{
    std::unique_lock lock(m_mutex);
    SetScaleStateLocked(ScaleState::Accepting);
    m_changed.wait(lock, [&] { return m_stopped || !m_backlog.empty(); });
    SetScaleStateLocked(ScaleState::Running);
    if (m_stopped) return nullptr;
    m_scaleConnection = m_backlog.front();
    m_backlog.pop_front();
    return m_scaleConnection;
}

ScaleLine::ReadResult InMemoryLine::ScaleRead(const ConnectionPtr& scaleEnd, Bytes& bytes)
{
    Pipe* const connection = &PipeOf(scaleEnd);
    bytes.clear();
    std::unique_lock lock(m_mutex);
    SetScaleStateLocked(ScaleState::Reading);
    m_changed.wait(lock, [&] {
        const bool linkDone = m_linkWaiting || !connection->linkOpen || connection != m_linkConnection.get();
        return m_stopped || !connection->scaleOpen || (!connection->toScale.empty() && linkDone) ||
               (connection->toScale.empty() && !connection->linkOpen);
    });
    SetScaleStateLocked(ScaleState::Running);
    if (m_stopped) return ReadResult::Stopped;
    if (connection->toScale.empty() || !connection->scaleOpen) return ReadResult::Closed;
    bytes.assign(connection->toScale.begin(), connection->toScale.end());
    connection->toScale.clear();
    return ReadResult::Data;
}

bool InMemoryLine::ScaleWrite(const ConnectionPtr& scaleEnd, std::span<const std::uint8_t> bytes)
{
    Pipe* const connection = &PipeOf(scaleEnd);
    const std::lock_guard lock(m_mutex);
    if (!connection->linkOpen || !connection->scaleOpen) return false;
    connection->toLink.insert(connection->toLink.end(), bytes.begin(), bytes.end());
    m_changed.notify_all();
    return true;
}

bool InMemoryLine::ScaleWaitDrained(const ConnectionPtr& scaleEnd)
{
    Pipe* const connection = &PipeOf(scaleEnd);
    std::unique_lock lock(m_mutex);
    SetScaleStateLocked(ScaleState::Draining);
    m_changed.wait(lock, [&] { return m_stopped || connection->toLink.empty() || !connection->linkOpen; });
    SetScaleStateLocked(ScaleState::Running);
    return !m_stopped && connection->linkOpen;
}

bool InMemoryLine::ScaleSleep(std::chrono::seconds duration)
{
    std::unique_lock lock(m_mutex);
    m_sleepUntil = m_clock.MonotonicNow() + duration;
    SetScaleStateLocked(ScaleState::Sleeping);
    m_changed.wait(lock, [&] { return m_stopped || m_clock.MonotonicNow() >= m_sleepUntil; });
    SetScaleStateLocked(ScaleState::Running);
    return !m_stopped;
}

void InMemoryLine::ScaleDrop(const ConnectionPtr& connection)
{
    const std::lock_guard lock(m_mutex);
    PipeOf(connection).scaleOpen = false;
    m_changed.notify_all();
}

void InMemoryLine::Stop()
{
    const std::lock_guard lock(m_mutex);
    m_stopped = true;
    m_changed.notify_all();
}

void InMemoryLine::WaitScaleIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_stopped || (m_scaleState == ScaleState::Accepting && m_backlog.empty()); });
}

}  // namespace varnel::test
