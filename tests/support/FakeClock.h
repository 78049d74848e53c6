// A clock for tests: it stands still until the test moves it. Safe to read from several threads, so
// a link's worker thread and a scale simulator can share it with the test.
#pragma once

#include "platform/Clock.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace varnel::test {

class FakeClock final : public IClock {
public:
    FakeClock() = default;
    // Set to a local date and time, as logs write it.
    explicit FakeClock(const DateTimeParts& local) : m_wall(FromLocalParts(local).time_since_epoch().count()) {}

    std::chrono::system_clock::time_point WallNow() const override
    {
        return std::chrono::system_clock::time_point(std::chrono::system_clock::duration(m_wall.load()));
    }
    std::chrono::steady_clock::time_point MonotonicNow() const override
    {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(m_monotonic.load()));
    }

    // Waits in short real slices, looking at the fake time after each: only a move of the clock (by the
    // test or a simulator) ends a wait by its deadline.
    bool WaitUntil(std::condition_variable& changed, std::unique_lock<std::mutex>& lock,
                   std::chrono::steady_clock::time_point deadline, const std::function<bool()>& ready) const override
    {
        while (!ready()) {
            if (MonotonicNow() >= deadline) return false;
            changed.wait_for(lock, std::chrono::milliseconds(1));
        }
        return true;
    }

    // Device waits last a millisecond for real; each one is counted, so a test's peer can tell that
    // the code under test keeps waiting on its device.
    std::chrono::milliseconds DeviceWaitSlice(std::chrono::milliseconds wanted) const override
    {
        ++m_deviceWaits;
        return std::min(wanted, std::chrono::milliseconds(1));
    }
    std::uint64_t DeviceWaits() const { return m_deviceWaits.load(); }

    void Advance(std::chrono::seconds by)
    {
        m_wall += std::chrono::duration_cast<std::chrono::system_clock::duration>(by).count();
        m_monotonic += std::chrono::duration_cast<std::chrono::steady_clock::duration>(by).count();
    }

    // Sets the wall clock forward or back (a user's change, the repeated hour at the end of daylight-saving
    // time); the monotonic clock never moves back.
    void SetWallBy(std::chrono::seconds by)
    {
        m_wall += std::chrono::duration_cast<std::chrono::system_clock::duration>(by).count();
    }

private:
    std::atomic<std::chrono::system_clock::rep> m_wall{0};
    std::atomic<std::chrono::steady_clock::rep> m_monotonic{0};
    mutable std::atomic<std::uint64_t> m_deviceWaits{0};
};

}  // namespace varnel::test
