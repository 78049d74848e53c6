// The activity counters and the status text they choose.
#include "app/CommsActivity.h"

#include "platform/Messages.h"
#include "platform/TextFormat.h"

namespace varnel {

bool CommsActivity::Raise(std::uint32_t state)
{
    if (state >= kStates) return false;
    const std::lock_guard lock(m_lock);
    m_counts[state].store(m_counts[state].load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    return true;
}

bool CommsActivity::Lower(std::uint32_t state)
{
    if (state >= kStates) return false;
    const std::lock_guard lock(m_lock);
    const std::uint32_t count = m_counts[state].load(std::memory_order_relaxed);
    if (count > 0) m_counts[state].store(count - 1, std::memory_order_relaxed);
    return true;
}

std::string CommsStatusText(const CommsStatusFacts& facts)
{
    if (facts.quiet) return {};
    if (facts.offLine) return std::string(GetMessageText(17589));
    if (facts.connecting > 0) return std::string(GetMessageText(17584));
    if (facts.receiving > 0) return std::string(GetMessageText(17585));
    if (facts.sending > 0) return std::string(GetMessageText(17586));
    if (facts.scalesWithUnsentData > 0) return FormatMessage(17588, static_cast<int>(facts.scalesWithUnsentData));
    return FormatMessage(17587, static_cast<int>(facts.offLineScales));
}

}  // namespace varnel
