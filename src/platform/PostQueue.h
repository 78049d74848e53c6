// The posts a window model receives from worker threads, kept for the model's own thread: a post is
// queued under a lock and the owner woken (the view queues a call onto its thread; a model run without
// a window waits for the post), and the owner takes the posts one by one on its own thread.
#pragma once

#include "platform/MessageWindow.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace varnel {

class PostQueue final : public IMessageWindow {
public:
    struct Posted {
        std::uint32_t message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
    };

    // Any thread: queues the post, then wakes the owner.
    void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // How the owner hears of a post: called on the posting thread, under the queue's lock, so it must not
    // post itself. Cleared (null) before the owner goes; none runs once that returned.
    void SetWake(std::function<void()> wake);
    // The owner's thread: the oldest post not taken yet.
    std::optional<Posted> Take();
    // Waits until a post is queued, for an owner without an event loop of its own.
    void WaitForPost();

private:
    std::mutex m_mutex;  // guards the queue and the wake
    std::condition_variable m_posted;
    std::deque<Posted> m_posts;
    std::function<void()> m_wake;
};

}  // namespace varnel
