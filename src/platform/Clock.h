// The clock seam: wall time for dates written to files and logs, monotonic time for waits and
// time-outs. Tests inject a clock they move by hand, so nothing sleeps for real.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace varnel {

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::chrono::system_clock::time_point WallNow() const = 0;
    virtual std::chrono::steady_clock::time_point MonotonicNow() const = 0;

    // Blocks on `changed` (with `lock` held) until `ready()` holds or this clock's monotonic time
    // reaches `deadline`; the last value of ready(). The real clock waits for real; a test clock,
    // whose time moves only when a test moves it, overrides this to notice that.
    virtual bool WaitUntil(std::condition_variable& changed, std::unique_lock<std::mutex>& lock,
                           std::chrono::steady_clock::time_point deadline, const std::function<bool()>& ready) const
    {
        return changed.wait_until(lock, deadline, ready);
    }

    // How long one wait on a device (a socket, a port) may last for real when it is meant to last
    // `wanted` on this clock: all of it on the real clock. A test clock answers a short slice and
    // the device's user looks at the clock again after each, so only the test's moves end the wait.
    virtual std::chrono::milliseconds DeviceWaitSlice(std::chrono::milliseconds wanted) const { return wanted; }
};

// The process's real clocks.
IClock& SystemClock();

// Waits `duration` on the clock.
void SleepFor(const IClock& clock, std::chrono::milliseconds duration);
// Waits `duration` on the clock between two uses of a device (a link's pause before it reconnects):
// the real clock sleeps; a test clock is waited on in device-wait slices, so a test's peer sees the
// code keep waiting and moves time on.
void PauseBetweenDeviceUses(const IClock& clock, std::chrono::milliseconds duration);

}  // namespace varnel
