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
    // test, a simulator, or the waits themselves while MoveWhileWaitedOn is on) ends a wait by its deadline.
    bool WaitUntil(std::condition_variable& changed, std::unique_lock<std::mutex>& lock,
                   std::chrono::steady_clock::time_point deadline, const std::function<bool()>& ready) const override
    {
        while (!ready()) {
            if (MonotonicNow() >= deadline) return false;
            changed.wait_for(lock, std::chrono::milliseconds(1));
            if (const auto step = m_waitedStep.load(); step != 0 && !ready()) Move(std::chrono::seconds(step));
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

    void Advance(std::chrono::seconds by) { Move(by); }

    // While on, each slice of a wait on this clock that finds nothing ready moves the clock on by
    // `step`: code that waits out its time-outs runs through them as it waits, with nobody moving the
    // clock for it. A step of 0 turns it off.
    void MoveWhileWaitedOn(std::chrono::seconds step) { m_waitedStep = step.count(); }

    // Sets the wall clock forward or back (a user's change, the repeated hour at the end of daylight-saving
    // time); the monotonic clock never moves back.
    void SetWallBy(std::chrono::seconds by)
    {
        m_wall += std::chrono::duration_cast<std::chrono::system_clock::duration>(by).count();
    }

private:
    void Move(std::chrono::seconds by) const
    {
        m_wall += std::chrono::duration_cast<std::chrono::system_clock::duration>(by).count();
        m_monotonic += std::chrono::duration_cast<std::chrono::steady_clock::duration>(by).count();
    }

    mutable std::atomic<std::chrono::system_clock::rep> m_wall{0};
    mutable std::atomic<std::chrono::steady_clock::rep> m_monotonic{0};
    std::atomic<std::chrono::seconds::rep> m_waitedStep{0};
    mutable std::atomic<std::uint64_t> m_deviceWaits{0};
};

}  // namespace varnel::test
