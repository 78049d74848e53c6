// A clock for tests: it stands still until the test moves it.
#pragma once

#include "platform/Clock.h"
#include "platform/LocalTime.h"

namespace varnel::test {

class FakeClock final : public IClock {
public:
    FakeClock() = default;
    // Set to a local date and time, as logs write it.
    explicit FakeClock(const DateTimeParts& local) : m_wall(FromLocalParts(local)) {}

    std::chrono::system_clock::time_point WallNow() const override { return m_wall; }
    std::chrono::steady_clock::time_point MonotonicNow() const override { return m_monotonic; }

    void Advance(std::chrono::seconds by)
    {
        m_wall += by;
        m_monotonic += by;
    }

private:
    std::chrono::system_clock::time_point m_wall{};
    std::chrono::steady_clock::time_point m_monotonic{};
};

}  // namespace varnel::test
