// A small database for the record-store tests: tables 1 to 10 whose rows are plain byte blocks,
// and helpers that snapshot what a database holds.
#pragma once

#include "db/store/ObjDatabase.h"

#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varnel::test {

class TestRow final : public CDBRecord {
public:
    static constexpr std::size_t kRoom = 512;
    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return GetLength(); }

private:
    std::array<std::uint8_t, kRoom> m_data{};
};

class TestTable final : public CObjDBTable {
public:
    using CObjDBTable::CObjDBTable;
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t) override { return std::make_unique<TestRow>(); }
    // Keys above 1,000,000 are refused, as a table with a number range refuses them.
    bool IsKeyAllowed(std::uint32_t key) const override { return key <= 1000000; }
};

class TestDatabase : public CObjDatabase {
public:
    static constexpr std::uint16_t kHighestTable = 20;
    explicit TestDatabase(IFileSystem& fs = RealFileSystem()) : CObjDatabase(kHighestTable, fs) {}
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        if (tableNo == 0 || tableNo > 10) return nullptr;
        std::string name = std::to_string(tableNo);
        return std::make_unique<TestTable>(tableNo, this, name.insert(0, 1, 'T'));
    }
};

// table -> key -> data bytes
using Snapshot = std::map<std::uint16_t, std::map<std::uint32_t, std::string>>;

inline Snapshot TakeSnapshot(const CObjDatabase& database)
{
    Snapshot snapshot;
    for (std::uint16_t tableNo = 1; tableNo < database.GetTableSlots(); ++tableNo) {
        const CObjDBTable* table = database.GetTable(tableNo);
        if (!table) continue;
        for (const auto& entry : table->GetIndex()) {
            const CDBRecord& record = *entry.record;
            snapshot[tableNo][entry.key] =
                std::string(reinterpret_cast<const char*>(record.GetData()), record.GetLength());
        }
    }
    return snapshot;
}

// What a fresh open of the file holds; an empty optional when it does not open.
inline std::optional<Snapshot> SnapshotOfFile(const std::string& path)
{
    TestDatabase database;
    if (!database.Open(path)) return std::nullopt;
    return TakeSnapshot(database);
}

// Adds a record of `size` bytes whose content is `fill`.
inline bool AddRow(CObjDBTable& table, std::uint32_t key, std::uint16_t size, char fill)
{
    auto record = table.CreateRecord(size);
    std::memset(record->GetData(), fill, size);
    return table.AddRecord(key, size, std::move(record));
}

}  // namespace varnel::test
