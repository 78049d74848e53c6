// CDBKeyIndex: the sorted map from a 32-bit record key to the record, one per table. The index owns
// its records; positions run 0..count-1 in ascending key order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace varnel {

class CDBRecord;

class CDBKeyIndex {
public:
    struct Entry {
        std::uint32_t key;
        std::unique_ptr<CDBRecord> record;
    };

    CDBKeyIndex();
    ~CDBKeyIndex();
    CDBKeyIndex(CDBKeyIndex&&) noexcept;
    CDBKeyIndex& operator=(CDBKeyIndex&&) noexcept;

    std::size_t GetCount() const { return m_entries.size(); }
    // Changes whenever a key comes or goes (or a record is replaced), and is never the same for two
    // indexes: whoever keeps what it derived from the index compares stamps to know it is current.
    std::uint64_t GetStamp() const { return m_stamp; }
    bool IsEmpty() const { return m_entries.empty(); }

    // The entry holding the key, else the entry at the key's insertion point (the first greater key,
    // or the last entry when the key lies above all); null when the index is empty. `position`
    // receives the position of the key or of its insertion point.
    const Entry* FindNearest(std::uint32_t key, std::size_t& position) const;
    // The position of the key, or of the first greater key; `found` tells which.
    std::size_t FindPosition(std::uint32_t key, bool& found) const;
    CDBRecord* Lookup(std::uint32_t key) const;
    bool GetAt(std::size_t position, std::uint32_t& key, CDBRecord*& record) const;

    // Replaces the record of a present key (destroying the old one), else inserts in key order.
    void SetAt(std::uint32_t key, std::unique_ptr<CDBRecord> record);
    // Inserts in key order; false, leaving `record` with the caller, when the key is present.
    bool Insert(std::uint32_t key, std::unique_ptr<CDBRecord>& record);
    // Takes the record of the key out of the index; null when absent.
    std::unique_ptr<CDBRecord> RemoveKey(std::uint32_t key);
    void RemoveAll();
    // Empties the index, handing every entry over in key order.
    std::vector<Entry> TakeAll();

    // An unused key at or after `key`. When the largest key is 0xFFFFFFFF the search wraps to the
    // gaps before `key`'s position (never giving 0); false when there is none.
    bool FindNextFreeKey(std::uint32_t& key) const;

    // Loads many records at once, in any order: they are sorted and, where a key repeats, the first
    // one given is kept and the others come back in `duplicates`. Replaces the present contents.
    void Build(std::vector<Entry> entries, std::vector<std::unique_ptr<CDBRecord>>& duplicates);

    // Iteration in key order.
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

private:
    void Touch();

    std::vector<Entry> m_entries;
    std::uint64_t m_stamp;
};

}  // namespace varnel
