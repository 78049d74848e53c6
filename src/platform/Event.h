// An event that one thread sets and another waits for. An auto-reset event lets exactly one wait
// through and clears itself as it does; a manual-reset event stays set until it is reset. Timed
// waits run on an injected clock, so tests move time by hand.
#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace varnel {

class Event {
public:
    enum class ResetMode { Auto, Manual };

    explicit Event(ResetMode mode) : m_mode(mode) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    // The wait that returns at once: whether the event is set (an auto-reset event is then cleared).
    bool Poll();
    // Waits until the event is set.
    void Wait();
    // Waits until the event is set or `timeout` has passed on `clock`; whether it was set.
    bool WaitFor(std::chrono::milliseconds timeout, const IClock& clock);

private:
    bool TakeLocked();

    const ResetMode m_mode;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set = false;
};

}  // namespace varnel
