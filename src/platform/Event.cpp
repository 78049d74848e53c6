#include "platform/Event.h"

namespace varnel {

void Event::Set()
{
    {
        const std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void Event::Reset()
{
    const std::lock_guard lock(m_mutex);
    m_set = false;
}

bool Event::TakeLocked()
{
    if (!m_set) return false;
    if (m_mode == ResetMode::Auto) m_set = false;
    return true;
}

bool Event::Poll()
{
    const std::lock_guard lock(m_mutex);
    return TakeLocked();
}

void Event::Wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_set; });
    TakeLocked();
}

bool Event::WaitFor(std::chrono::milliseconds timeout, const IClock& clock)
{
    std::unique_lock lock(m_mutex);
    const auto deadline = clock.MonotonicNow() + timeout;
    clock.WaitUntil(m_changed, lock, deadline, [this] { return m_set; });
    return TakeLocked();
}

}  // namespace varnel
