// Which rows of the price-zone table belong to which PLU, and the smallest key that no row has. The
// map is derived from the table's index and kept while the index's stamp stays the same; the changes
// the table makes itself are followed without walking the index again, so that writing the zone
// values of many PLUs does not walk the table once per PLU. The user-interface thread and the link
// threads share it, so it has a lock of its own.
#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace varnel {

class CDBKeyIndex;

class PriceZoneRowMap {
public:
    // The keys of the PLU's rows, in key order.
    std::vector<std::uint32_t> GetRowKeys(const CDBKeyIndex& index, std::uint32_t pluNumber);
    std::uint32_t GetFirstUnusedKey(const CDBKeyIndex& index);

    // After the table added or removed row `key` of the PLU, the index's stamp having been
    // `stampBefore` just before: anyone else's change in between makes the map derive itself again.
    void NoteAdded(const CDBKeyIndex& index, std::uint64_t stampBefore, std::uint32_t pluNumber, std::uint32_t key);
    void NoteRemoved(const CDBKeyIndex& index, std::uint64_t stampBefore, std::uint32_t pluNumber,
                     std::uint32_t key);
    // For a change the stamp does not show: a row whose PLU number changed in place.
    void Invalidate();

private:
    void Derive(const CDBKeyIndex& index);
    void DeriveIfStale(const CDBKeyIndex& index);

    std::mutex m_lock;
    std::uint64_t m_stamp = 0;  // of the index the map was derived from; 0 (no index's stamp) for none
    std::unordered_map<std::uint32_t, std::vector<std::uint32_t>> m_rowsByPlu;
    std::uint32_t m_firstUnused = 1;
};

}  // namespace varnel
