// The build lock of a scale-data table, which the link workers' record builders and the user's edits
// of the table share. Two kinds of hold:
//   - alone: whoever changes the table's rows or its index holds it alone; a builder that brings no
//     scratch of its own holds it alone too and works in the table's scratch. The holder may take it
//     again (an edit made of smaller edits holds it throughout);
//   - shared: a builder with its own scratch (each link has one) reads the rows beside the others, so
//     links encode at once. A thread that holds the lock alone is already covered when it asks for a
//     shared hold.
// A shared holder never asks for a hold alone of the same table (it would wait on itself).
#pragma once

#include <atomic>
#include <cstddef>
#include <shared_mutex>
#include <thread>
#include <vector>

namespace varnel {

struct BuildScratch;
class RecordBuildMutex;

// A hold of a table's build lock, released when it ends (or by Unlock).
class BuildLock {
public:
    BuildLock() = default;
    BuildLock(BuildLock&& other) noexcept;
    BuildLock& operator=(BuildLock&& other) noexcept;
    BuildLock(const BuildLock&) = delete;
    BuildLock& operator=(const BuildLock&) = delete;
    ~BuildLock() { Unlock(); }

    bool Holds(const RecordBuildMutex& mutex) const { return m_mutex == &mutex; }
    // The builder's own scratch; null for a hold alone without one, whose builder uses the table's.
    BuildScratch* Scratch() const { return m_scratch; }
    void Unlock();

private:
    friend class RecordBuildMutex;
    enum class Hold : unsigned char { Alone, Shared, WithinAlone };
    BuildLock(RecordBuildMutex& mutex, Hold hold, BuildScratch* scratch)
        : m_mutex(&mutex), m_hold(hold), m_scratch(scratch)
    {
    }

    RecordBuildMutex* m_mutex = nullptr;
    Hold m_hold = Hold::Alone;
    BuildScratch* m_scratch = nullptr;
};

// The holds a thread takes one inside another and gives back innermost first: a table's row changes,
// held across each change. Only the thread holding the lock alone touches them.
class BuildLockHolds {
public:
    void Push(BuildLock hold) { m_holds.push_back(std::move(hold)); }
    void Pop() { m_holds.pop_back(); }

private:
    std::vector<BuildLock> m_holds;
};

class RecordBuildMutex {
public:
    [[nodiscard]] BuildLock LockAlone();
    [[nodiscard]] BuildLock LockShared(BuildScratch& scratch);

private:
    friend class BuildLock;
    bool HeldAloneHere() const { return m_owner.load(std::memory_order_relaxed) == std::this_thread::get_id(); }
    void Release(BuildLock::Hold hold);

    std::shared_mutex m_mutex;
    // The thread holding it alone (only that thread ever finds its own id here) and its depth.
    std::atomic<std::thread::id> m_owner{};
    std::size_t m_depth = 0;
};

}  // namespace varnel
