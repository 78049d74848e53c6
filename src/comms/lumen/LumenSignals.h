// The five events of a Lumen transfer, under one lock so that a wait can end on any of several: the
// worker waits for the start or a cancel, and for the dialog's answer or a cancel. Cancel and
// thread-ended stay set until reset; the others clear as a wait takes them. Timed waits run on the
// injected clock.
#pragma once

#include "platform/Clock.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <optional>

namespace varnel {

class LumenSignals {
public:
    enum Signal : std::size_t { Cancel, Start, ThreadEnded, ReceivedDone, DataReady, kCount };

    explicit LumenSignals(const IClock& clock) : m_clock(clock) {}
    LumenSignals(const LumenSignals&) = delete;
    LumenSignals& operator=(const LumenSignals&) = delete;

    void Set(Signal signal);
    void Reset(Signal signal);
    void ResetAll();
    // Whether it is set, without waiting (an auto-reset signal is then cleared).
    bool Poll(Signal signal);
    // The first of `wanted` that is set, waiting without limit.
    Signal WaitAny(std::initializer_list<Signal> wanted);
    // The first of `wanted` set before `deadline` on the clock; none when the time ran out.
    std::optional<Signal> WaitAnyUntil(std::initializer_list<Signal> wanted,
                                       std::chrono::steady_clock::time_point deadline);

private:
    std::optional<Signal> TakeFirstLocked(std::initializer_list<Signal> wanted);

    const IClock& m_clock;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::array<bool, kCount> m_set{};
};

}  // namespace varnel
