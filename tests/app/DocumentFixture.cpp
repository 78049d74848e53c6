#include "DocumentFixture.h"

#include "app/PluMigration.h"
#include "db/plu/PluDatabase.h"
#include "db/PldBytes.h"

#include <cstring>

namespace varnel::test {

std::string PldImage(std::uint16_t version, const std::vector<FixtureRow>& rows)
{
    PldBytes bytes(version);
    for (const FixtureRow& row : rows) {
        const auto size = static_cast<std::uint16_t>(row.data.size());
        if (HasOldRecordLayout(version) || version == 150)  // the old production layout too
            bytes.OldRecord(row.table, size, size, row.key, row.data);
        else
            bytes.Record(row.table, size, size, row.key, row.data);
    }
    return bytes.Bytes();
}

void WriteMdb(const std::string& path, std::uint16_t version, const std::vector<FixtureRow>& rows)
{
    CPluDatabase database;
    database.SetFileVersion(version);
    database.CreateAllTables();
    ASSERT_TRUE(database.Create(path));
    ASSERT_TRUE(database.Open(path));
    for (const FixtureRow& row : rows) {
        CObjDBTable* table = database.GetOrCreateTable(row.table);
        ASSERT_NE(table, nullptr);
        auto record = table->CreateRecord(row.data.size());
        std::memcpy(record->GetData(), row.data.data(), std::min(row.data.size(), record->GetDataRoom()));
        ASSERT_TRUE(table->AddRecord(row.key, static_cast<std::uint16_t>(row.data.size()), std::move(record)));
    }
    (void)database.Close();
}

std::string DataBlock(std::size_t size, const std::map<std::size_t, std::string>& bytes)
{
    std::string data(size, '\0');
    for (const auto& [offset, text] : bytes) data.replace(offset, text.size(), text);
    return data;
}

std::string Le16(std::uint16_t value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }

std::string Le32(std::uint32_t value)
{
    return Le16(static_cast<std::uint16_t>(value)) + Le16(static_cast<std::uint16_t>(value >> 16));
}

std::string StoredData(const std::string& path, std::uint16_t table, std::uint32_t key)
{
    CPluDatabase database;
    database.CreateAllTables();
    if (!database.Open(path)) return {};
    const CObjDBTable* found = database.GetTable(table);
    const CDBRecord* record = found ? found->FindRecord(key) : nullptr;
    std::string data;
    if (record) data.assign(reinterpret_cast<const char*>(record->GetData()), record->GetLength());
    (void)database.Close();
    return data;
}

std::uint16_t StoredVersion(const std::string& path)
{
    CPluDatabase database;
    database.CreateAllTables();
    if (!database.Open(path)) return 0;
    const std::uint16_t version = database.GetFileVersion();
    (void)database.Close();
    return version;
}

std::string Slice(const std::string& data, std::size_t offset, std::size_t size)
{
    return data.size() >= offset + size ? data.substr(offset, size) : "<short>";
}

}  // namespace varnel::test
