#include "db/plu/BuildLock.h"

#include <utility>

namespace varnel {

BuildLock::BuildLock(BuildLock&& other) noexcept
    : m_mutex(std::exchange(other.m_mutex, nullptr)), m_hold(other.m_hold), m_scratch(std::exchange(other.m_scratch, nullptr))
{
}

BuildLock& BuildLock::operator=(BuildLock&& other) noexcept
{
    if (this != &other) {
        Unlock();
        m_mutex = std::exchange(other.m_mutex, nullptr);
        m_hold = other.m_hold;
        m_scratch = std::exchange(other.m_scratch, nullptr);
    }
    return *this;
}

void BuildLock::Unlock()
{
    if (m_mutex == nullptr) return;
    std::exchange(m_mutex, nullptr)->Release(m_hold);
    m_scratch = nullptr;
}

BuildLock RecordBuildMutex::LockAlone()
{
    if (!HeldAloneHere()) {
        m_mutex.lock();
        m_owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
    }
    ++m_depth;
    return BuildLock(*this, BuildLock::Hold::Alone, nullptr);
}

BuildLock RecordBuildMutex::LockShared(BuildScratch& scratch)
{
    if (HeldAloneHere()) return BuildLock(*this, BuildLock::Hold::WithinAlone, &scratch);
    m_mutex.lock_shared();
    return BuildLock(*this, BuildLock::Hold::Shared, &scratch);
}

void RecordBuildMutex::Release(BuildLock::Hold hold)
{
    switch (hold) {
    case BuildLock::Hold::Alone:
        if (--m_depth == 0) {
            m_owner.store(std::thread::id(), std::memory_order_relaxed);
            m_mutex.unlock();
        }
        break;
    case BuildLock::Hold::Shared: m_mutex.unlock_shared(); break;
    case BuildLock::Hold::WithinAlone: break;
    }
}

}  // namespace varnel
