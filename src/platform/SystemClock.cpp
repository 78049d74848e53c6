// The real clocks.
#include "platform/Clock.h"

#include <thread>

namespace varnel {
namespace {

class RealClock final : public IClock {
public:
    std::chrono::system_clock::time_point WallNow() const override { return std::chrono::system_clock::now(); }
    std::chrono::steady_clock::time_point MonotonicNow() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace

IClock& SystemClock()
{
    static RealClock clock;
    return clock;
}

void SleepFor(const IClock& clock, std::chrono::milliseconds duration)
{
    std::mutex mutex;
    std::condition_variable never;
    std::unique_lock lock(mutex);
    clock.WaitUntil(never, lock, clock.MonotonicNow() + duration, [] { return false; });
}

void PauseBetweenDeviceUses(const IClock& clock, std::chrono::milliseconds duration)
{
    const auto until = clock.MonotonicNow() + duration;
    for (auto now = clock.MonotonicNow(); now < until; now = clock.MonotonicNow())
        std::this_thread::sleep_for(clock.DeviceWaitSlice(std::chrono::ceil<std::chrono::milliseconds>(until - now)));
}

}  // namespace varnel
