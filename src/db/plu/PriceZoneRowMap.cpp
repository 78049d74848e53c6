#include "db/plu/PriceZoneRowMap.h"

#include "db/store/DBKeyIndex.h"
#include "db/plu/PluPriceZoneRec.h"

#include <algorithm>

namespace varnel {

void PriceZoneRowMap::Derive(const CDBKeyIndex& index)
{
    m_rowsByPlu.clear();
    std::uint32_t expected = 1;
    bool gapFound = false;
    for (const auto& [key, record] : index) {
        if (!gapFound && key == expected) ++expected;
        else if (key > expected) gapFound = true;
        if (const auto* row = dynamic_cast<const CPluPriceZoneRec*>(record.get()))
            m_rowsByPlu[row->GetPluNumber()].push_back(key);
    }
    m_firstUnused = expected;
    m_stamp = index.GetStamp();
}

void PriceZoneRowMap::DeriveIfStale(const CDBKeyIndex& index)
{
    if (m_stamp != index.GetStamp()) Derive(index);
}

std::vector<std::uint32_t> PriceZoneRowMap::GetRowKeys(const CDBKeyIndex& index, std::uint32_t pluNumber)
{
    const std::lock_guard lock(m_lock);
    DeriveIfStale(index);
    const auto found = m_rowsByPlu.find(pluNumber);
    return found == m_rowsByPlu.end() ? std::vector<std::uint32_t>{} : found->second;
}

std::uint32_t PriceZoneRowMap::GetFirstUnusedKey(const CDBKeyIndex& index)
{
    const std::lock_guard lock(m_lock);
    DeriveIfStale(index);
    return m_firstUnused;
}

void PriceZoneRowMap::NoteAdded(const CDBKeyIndex& index, std::uint64_t stampBefore, std::uint32_t pluNumber,
                                std::uint32_t key)
{
    const std::lock_guard lock(m_lock);
    if (m_stamp != stampBefore) return;  // derived again on the next use
    std::vector<std::uint32_t>& keys = m_rowsByPlu[pluNumber];
    keys.insert(std::ranges::upper_bound(keys, key), key);
    if (key == m_firstUnused) {
        std::uint32_t next = key;
        if (!index.FindNextFreeKey(next) || next < key) {
            m_stamp = 0;
            return;
        }
        m_firstUnused = next;
    }
    m_stamp = index.GetStamp();
}

void PriceZoneRowMap::NoteRemoved(const CDBKeyIndex& index, std::uint64_t stampBefore, std::uint32_t pluNumber,
                                  std::uint32_t key)
{
    const std::lock_guard lock(m_lock);
    if (m_stamp != stampBefore) return;
    if (const auto found = m_rowsByPlu.find(pluNumber); found != m_rowsByPlu.end()) {
        std::erase(found->second, key);
        if (found->second.empty()) m_rowsByPlu.erase(found);
    }
    if (key != 0) m_firstUnused = std::min(m_firstUnused, key);
    m_stamp = index.GetStamp();
}

void PriceZoneRowMap::Invalidate()
{
    const std::lock_guard lock(m_lock);
    m_stamp = 0;
}

}  // namespace varnel
