#include "db/store/DBKeyIndex.h"

#include "db/store/DBRecord.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace varnel {
namespace {

std::uint64_t NextStamp()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

}  // namespace

CDBKeyIndex::CDBKeyIndex() : m_stamp(NextStamp()) {}
CDBKeyIndex::~CDBKeyIndex() { RemoveAll(); }

CDBKeyIndex::CDBKeyIndex(CDBKeyIndex&& other) noexcept : m_entries(std::move(other.m_entries)), m_stamp(NextStamp())
{
    other.Touch();
}

CDBKeyIndex& CDBKeyIndex::operator=(CDBKeyIndex&& other) noexcept
{
    m_entries = std::move(other.m_entries);
    Touch();
    other.Touch();
    return *this;
}

void CDBKeyIndex::Touch() { m_stamp = NextStamp(); }

const CDBKeyIndex::Entry* CDBKeyIndex::FindNearest(std::uint32_t key, std::size_t& position) const
{
    const std::size_t count = m_entries.size();
    if (count == 0) {
        position = 0;
        return nullptr;
    }
    if (key > m_entries.back().key) {
        position = count;
        return &m_entries.back();
    }
    if (key < m_entries.front().key) {
        position = 0;
        return &m_entries.front();
    }
    // Interpolation search: keys of a table are mostly dense runs, so the probe lands close.
    std::size_t lo = 0;
    std::size_t hi = count - 1;
    for (;;) {
        if (key == m_entries[lo].key) {
            position = lo;
            return &m_entries[lo];
        }
        if (key == m_entries[hi].key || hi - lo < 2) {
            position = hi;
            return &m_entries[hi];
        }
        const double span = static_cast<double>(m_entries[hi].key - m_entries[lo].key);
        const double offset = static_cast<double>(key - m_entries[lo].key);
        std::size_t probe = lo + static_cast<std::size_t>(static_cast<double>(hi - lo) * (offset / span) + 0.1);
        if (probe >= hi) probe = hi - 1;
        if (probe <= lo) probe = lo + 1;
        if (m_entries[probe].key >= key) hi = probe;
        else lo = probe;
    }
}

std::size_t CDBKeyIndex::FindPosition(std::uint32_t key, bool& found) const
{
    std::size_t position = 0;
    const Entry* entry = FindNearest(key, position);
    found = entry && entry->key == key;
    return position;
}

CDBRecord* CDBKeyIndex::Lookup(std::uint32_t key) const
{
    bool found = false;
    const std::size_t position = FindPosition(key, found);
    return found ? m_entries[position].record.get() : nullptr;
}

bool CDBKeyIndex::GetAt(std::size_t position, std::uint32_t& key, CDBRecord*& record) const
{
    if (position >= m_entries.size()) return false;
    key = m_entries[position].key;
    record = m_entries[position].record.get();
    return true;
}

void CDBKeyIndex::SetAt(std::uint32_t key, std::unique_ptr<CDBRecord> record)
{
    bool found = false;
    const std::size_t position = FindPosition(key, found);
    if (found) m_entries[position].record = std::move(record);
    else m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(position), Entry{key, std::move(record)});
    Touch();
}

bool CDBKeyIndex::Insert(std::uint32_t key, std::unique_ptr<CDBRecord>& record)
{
    bool found = false;
    const std::size_t position = FindPosition(key, found);
    if (found) return false;
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(position), Entry{key, std::move(record)});
    Touch();
    return true;
}

std::unique_ptr<CDBRecord> CDBKeyIndex::RemoveKey(std::uint32_t key)
{
    bool found = false;
    const std::size_t position = FindPosition(key, found);
    if (!found) return nullptr;
    std::unique_ptr<CDBRecord> record = std::move(m_entries[position].record);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
    if (m_entries.capacity() > 2 * m_entries.size() + 16) m_entries.shrink_to_fit();
    Touch();
    return record;
}

void CDBKeyIndex::RemoveAll()
{
    while (!m_entries.empty()) m_entries.pop_back();
    m_entries.shrink_to_fit();
    Touch();
}

std::vector<CDBKeyIndex::Entry> CDBKeyIndex::TakeAll()
{
    Touch();
    return std::exchange(m_entries, {});
}

bool CDBKeyIndex::FindNextFreeKey(std::uint32_t& key) const
{
    bool found = false;
    const std::size_t start = FindPosition(key, found);
    if (!found) return true;

    std::uint32_t previous = key;
    for (std::size_t i = start + 1; i < m_entries.size(); ++i) {
        if (m_entries[i].key - previous > 1) {
            key = previous + 1;
            return true;
        }
        previous = m_entries[i].key;
    }
    if (previous < 0xFFFFFFFFu) {
        key = previous + 1;
        return true;
    }
    // Every key from the start to the top is taken: look for a gap between the keys below the start,
    // never at 0.
    previous = 0;
    for (std::size_t i = 0; i < start; ++i) {
        if (m_entries[i].key - previous > 1) {
            key = previous + 1;
            return true;
        }
        previous = m_entries[i].key;
    }
    return false;
}

void CDBKeyIndex::Build(std::vector<Entry> entries, std::vector<std::unique_ptr<CDBRecord>>& duplicates)
{
    RemoveAll();
    const auto byKey = [](const Entry& a, const Entry& b) { return a.key < b.key; };
    // A file the store wrote holds each table in key order already.
    if (!std::ranges::is_sorted(entries, byKey)) std::ranges::stable_sort(entries, byKey);
    // Kept entries move down over the repeated keys' places, in the one vector.
    std::size_t kept = 0;
    for (Entry& entry : entries) {
        if (kept > 0 && entries[kept - 1].key == entry.key) duplicates.push_back(std::move(entry.record));
        else if (&entries[kept++] != &entry) entries[kept - 1] = std::move(entry);
    }
    entries.resize(kept);
    m_entries = std::move(entries);
    Touch();
}

}  // namespace varnel
