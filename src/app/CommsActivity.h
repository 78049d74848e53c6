// The six scale-communication activity counters that the status bar follows. Link threads raise and
// lower them; the status text is built on the user-interface thread after a posted message, reading
// the counters without the lock.
//
//   state 2 connecting, 3 receiving, 4 sending choose a text; 0, 1 and 5 are only counted.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace varnel {

class CommsActivity {
public:
    static constexpr std::size_t kStates = 6;

    // False, with nothing changed, for a state above 5. Lowering a counter at 0 leaves it at 0.
    bool Raise(std::uint32_t state);
    bool Lower(std::uint32_t state);

    std::uint32_t Count(std::uint32_t state) const { return m_counts[state].load(std::memory_order_relaxed); }

private:
    std::mutex m_lock;  // the comms lock: one change at a time
    std::array<std::atomic<std::uint32_t>, kStates> m_counts{};
};

// What status pane 1 is chosen from.
struct CommsStatusFacts {
    bool quiet = false;    // scheduler mode or automated: the pane stays empty
    bool offLine = false;  // on-line comms off, no on-line scale on an enabled link, or links not started
    std::uint32_t connecting = 0;
    std::uint32_t receiving = 0;
    std::uint32_t sending = 0;
    std::size_t scalesWithUnsentData = 0;  // of the current department (all scales when none)
    std::size_t offLineScales = 0;         // of the current department
};

std::string CommsStatusText(const CommsStatusFacts& facts);

}  // namespace varnel
