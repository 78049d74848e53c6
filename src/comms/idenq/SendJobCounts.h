// SendJobCounts: how many copies of each send job a holder knows, a job being identified by every
// field it is stored with (kind, table, key range, time queued). The unsent-data file's merge uses it
// to tell the jobs this process already saw in the file from those another process added, whatever
// the jobs' times say.
#pragma once

#include "db/plu/SendDataLog.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace varnel {

class SendJobCounts {
public:
    void Add(const CSendDataLog& job);
    // Uses up one copy of the job; false when none is left, that is when the job is new to the holder.
    bool Take(const CSendDataLog& job);

private:
    struct Identity {
        std::uint32_t kind;
        std::uint16_t tableId;
        std::uint32_t rangeStart;
        std::uint32_t rangeEnd;
        std::uint64_t queuedBits;  // the time's bits, so equal times hash equally
        int queuedStatus;
        bool operator==(const Identity&) const = default;
    };
    struct IdentityHash {
        std::size_t operator()(const Identity& id) const;
    };
    static Identity IdentityOf(const CSendDataLog& job);

    std::unordered_map<Identity, std::size_t, IdentityHash> m_counts;
};

}  // namespace varnel
