#include "platform/PostQueue.h"

namespace varnel {

void PostQueue::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    {
        // The wake runs under the lock, so none is under way once SetWake(null) has returned.
        const std::lock_guard lock(m_mutex);
        m_posts.push_back({message, wParam, lParam});
        if (m_wake) m_wake();
    }
    m_posted.notify_all();
}

void PostQueue::SetWake(std::function<void()> wake)
{
    const std::lock_guard lock(m_mutex);
    m_wake = std::move(wake);
}

std::optional<PostQueue::Posted> PostQueue::Take()
{
    const std::lock_guard lock(m_mutex);
    if (m_posts.empty()) return std::nullopt;
    const Posted posted = m_posts.front();
    m_posts.pop_front();
    return posted;
}

void PostQueue::WaitForPost()
{
    std::unique_lock lock(m_mutex);
    m_posted.wait(lock, [&] { return !m_posts.empty(); });
}

}  // namespace varnel
