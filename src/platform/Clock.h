// The clock seam: wall time for dates written to files and logs, monotonic time for waits and
// time-outs. Tests inject a clock they move by hand, so nothing sleeps for real.
#pragma once

#include <chrono>

namespace varnel {

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::chrono::system_clock::time_point WallNow() const = 0;
    virtual std::chrono::steady_clock::time_point MonotonicNow() const = 0;
};

// The process's real clocks.
IClock& SystemClock();

}  // namespace varnel
