#include "comms/idenq/SendJobCounts.h"

#include <bit>
#include <functional>

namespace varnel {

SendJobCounts::Identity SendJobCounts::IdentityOf(const CSendDataLog& job)
{
    return {job.m_kind,      job.m_tableId, job.m_rangeStart, job.m_rangeEnd, std::bit_cast<std::uint64_t>(job.m_queued.value),
            static_cast<int>(job.m_queued.status)};
}

std::size_t SendJobCounts::IdentityHash::operator()(const Identity& id) const
{
    std::size_t hash = std::hash<std::uint64_t>{}(id.queuedBits);
    const auto mix = [&hash](std::uint64_t value) {
        hash ^= std::hash<std::uint64_t>{}(value) + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    };
    mix(id.kind);
    mix(id.tableId);
    mix(id.rangeStart);
    mix(id.rangeEnd);
    mix(static_cast<std::uint64_t>(id.queuedStatus));
    return hash;
}

void SendJobCounts::Add(const CSendDataLog& job) { ++m_counts[IdentityOf(job)]; }

bool SendJobCounts::Take(const CSendDataLog& job)
{
    const auto found = m_counts.find(IdentityOf(job));
    if (found == m_counts.end()) return false;
    if (--found->second == 0) m_counts.erase(found);
    return true;
}

}  // namespace varnel
