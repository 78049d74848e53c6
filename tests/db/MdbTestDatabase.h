// A database whose tables carry a field catalogue, so that they live in ".mdb" files too: tables 1
// "Items" and 2 "Others" with one column of every kind, and table 3 without a name, which lives only
// in memory and ".pld" files. The tables are made with the database, as the document's databases make
// theirs before opening.
#pragma once

#include "TestDatabase.h"

#include "platform/SqliteDatabase.h"

#include <array>
#include <cstring>
#include <string>

namespace varnel::test {

class ItemRow final : public CDBRecord {
public:
    // Field places in the data area.
    static constexpr std::uint16_t kFlag = 0, kCount = 1, kAmount = 3, kChanged = 7, kName = 15, kNameSize = 30,
                                   kPicture = 45, kPictureSize = 16, kSize = 61;

    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return kSize; }

private:
    std::array<std::uint8_t, kSize> m_data{};
};

class ItemTable : public CObjDBTable {
public:
    using CObjDBTable::CObjDBTable;
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t) override { return std::make_unique<ItemRow>(); }
    // The largest keys are refused, as a table with a number range refuses them.
    bool IsKeyAllowed(std::uint32_t key) const override { return key < 0xFFFFFF00u; }
    void BindColumns() override
    {
        AddField("Key", DaoLong, 4, DBFieldDef::kKeyOffset, 1);
        AddField("Flag", DaoByte, 1, ItemRow::kFlag, 2);
        AddField("Count", DaoShort, 2, ItemRow::kCount, 3);
        AddField("Amount", DaoLong, 4, ItemRow::kAmount, 4);
        AddField("Changed", DaoDate, 8, ItemRow::kChanged, 5);
        AddField("Name", DaoText, ItemRow::kNameSize, ItemRow::kName, 6);
        AddField("Picture", DaoLongBinary, ItemRow::kPictureSize, ItemRow::kPicture, 7);
    }
};

class MdbTestDatabase : public CObjDatabase {
public:
    explicit MdbTestDatabase(IFileSystem& fs = RealFileSystem()) : CObjDatabase(TestDatabase::kHighestTable, fs)
    {
        for (std::uint16_t tableNo = 1; tableNo <= 3; ++tableNo) EnsureTable(tableNo);
    }
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        static const char* const kNames[] = {"", "Items", "Others", ""};
        if (tableNo == 0 || tableNo > 3) return nullptr;
        return std::make_unique<ItemTable>(tableNo, this, kNames[tableNo]);
    }
};

struct Item {
    std::uint8_t flag = 0;
    std::int16_t count = 0;
    std::int32_t amount = 0;
    double changed = 0;
    std::string name;
    std::string picture;
};

inline void WriteItem(CDBRecord& record, const Item& item)
{
    std::uint8_t* data = record.GetData();
    std::memset(data, 0, ItemRow::kSize);
    data[ItemRow::kFlag] = item.flag;
    std::memcpy(data + ItemRow::kCount, &item.count, 2);
    std::memcpy(data + ItemRow::kAmount, &item.amount, 4);
    std::memcpy(data + ItemRow::kChanged, &item.changed, 8);
    std::memcpy(data + ItemRow::kName, item.name.data(),
                std::min<std::size_t>(item.name.size(), ItemRow::kNameSize - 1));
    std::memcpy(data + ItemRow::kPicture, item.picture.data(),
                std::min<std::size_t>(item.picture.size(), ItemRow::kPictureSize));
}

inline std::string ItemName(const CDBRecord& record)
{
    return reinterpret_cast<const char*>(record.GetData() + ItemRow::kName);
}

inline bool AddItem(CObjDBTable& table, std::uint32_t key, const Item& item)
{
    auto record = table.CreateRecord(ItemRow::kSize);
    WriteItem(*record, item);
    return table.AddRecord(key, ItemRow::kSize, std::move(record));
}

// What a fresh open of an ".mdb" (or ".pld") file holds; empty when it does not open.
inline std::optional<Snapshot> SnapshotOfItems(const std::string& path)
{
    MdbTestDatabase database;
    if (!database.Open(path)) return std::nullopt;
    return TakeSnapshot(database);
}

// Runs SQL on a database file from outside the store, as another program would.
inline void RunSql(const std::string& path, const std::string& sql)
{
    SqliteDatabase database;
    if (!database.Open(path, SqliteOpen::Create)) throw std::runtime_error("cannot open " + path);
    if (auto done = database.Exec(sql); !done) throw std::runtime_error(done.GetError().message);
}

// The first column of every row a query gives, as text.
inline std::vector<std::string> QueryColumn(const std::string& path, const std::string& sql)
{
    SqliteDatabase database;
    std::vector<std::string> values;
    if (!database.Open(path, SqliteOpen::ReadOnly)) return values;
    auto statement = database.Prepare(sql);
    if (!statement) throw std::runtime_error(statement.GetError().message);
    while (true) {
        auto row = statement->Step();
        if (!row || !*row) break;
        values.emplace_back(statement->ColumnText(0));
    }
    return values;
}

}  // namespace varnel::test
