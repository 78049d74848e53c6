#include "comms/lumen/LumenSignals.h"

namespace varnel {
namespace {

bool StaysSet(LumenSignals::Signal signal)
{
    return signal == LumenSignals::Cancel || signal == LumenSignals::ThreadEnded;
}

}  // namespace

void LumenSignals::Set(Signal signal)
{
    {
        const std::lock_guard lock(m_mutex);
        m_set[signal] = true;
    }
    m_changed.notify_all();
}

void LumenSignals::Reset(Signal signal)
{
    const std::lock_guard lock(m_mutex);
    m_set[signal] = false;
}

void LumenSignals::ResetAll()
{
    const std::lock_guard lock(m_mutex);
    m_set = {};
}

bool LumenSignals::Poll(Signal signal)
{
    const std::lock_guard lock(m_mutex);
    return TakeFirstLocked({signal}).has_value();
}

LumenSignals::Signal LumenSignals::WaitAny(std::initializer_list<Signal> wanted)
{
    std::unique_lock lock(m_mutex);
    std::optional<Signal> taken;
    m_changed.wait(lock, [&] { return (taken = TakeFirstLocked(wanted)).has_value(); });
    return *taken;
}

std::optional<LumenSignals::Signal> LumenSignals::WaitAnyUntil(std::initializer_list<Signal> wanted,
                                                               std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    std::optional<Signal> taken;
    m_clock.WaitUntil(m_changed, lock, deadline, [&] { return (taken = TakeFirstLocked(wanted)).has_value(); });
    return taken;
}

std::optional<LumenSignals::Signal> LumenSignals::TakeFirstLocked(std::initializer_list<Signal> wanted)
{
    for (const Signal signal : wanted) {
        if (!m_set[signal]) continue;
        if (!StaysSet(signal)) m_set[signal] = false;
        return signal;
    }
    return std::nullopt;
}

}  // namespace varnel
