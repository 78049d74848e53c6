// A notify window for tests: it keeps the results a link posts and lets the test wait for one.
#pragma once

#include "comms/idenq/IdEnqLink.h"
#include "platform/MessageWindow.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace varnel::test {

class RecordingWindow final : public IMessageWindow {
public:
    struct Posted {
        std::uint32_t message;
        std::uintptr_t result;
        std::intptr_t linkId;
        bool operator==(const Posted&) const = default;
    };

    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        const std::lock_guard lock(m_mutex);
        m_posted.push_back({message, wParam, lParam});
        m_changed.notify_all();
    }

    // Waits until `result` has been posted `count` times in all; false if that never happens (a
    // generous real-time guard, so a broken link fails its test instead of hanging it).
    bool WaitFor(std::uintptr_t result, std::size_t count = 1)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(60), [&] { return Count(result) >= count; });
    }

    std::vector<Posted> Results() const
    {
        const std::lock_guard lock(m_mutex);
        return m_posted;
    }

private:
    std::size_t Count(std::uintptr_t result) const
    {
        std::size_t count = 0;
        for (const Posted& posted : m_posted) count += posted.result == result ? 1 : 0;
        return count;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Posted> m_posted;
};

}  // namespace varnel::test
