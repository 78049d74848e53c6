// Opening the 65,535-record database from an ".mdb" (SQLite) file beside the same records in a
// ".pld" file, and one thousand single-record updates in each.
#include "BenchFiles.h"
#include "db/store/ObjDatabase.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

namespace {

using varnel::CDBRecord;
using varnel::CObjDBTable;
using varnel::DBFieldDef;

constexpr std::uint32_t kRecords = 65535;
constexpr std::uint32_t kUpdates = 1000;

// A row of about 300 bytes with a column of every kind, as a PLU row has.
class BenchRow final : public CDBRecord {
public:
    static constexpr std::uint16_t kName = 15, kNameSize = 200, kPicture = 215, kPictureSize = 64, kSize = 279;
    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return kSize; }

private:
    std::array<std::uint8_t, kSize> m_data{};
};

class BenchTable final : public CObjDBTable {
public:
    using CObjDBTable::CObjDBTable;
    std::unique_ptr<CDBRecord> CreateRecord(std::size_t) override { return std::make_unique<BenchRow>(); }
    void BindColumns() override
    {
        AddField("Key", varnel::DaoLong, 4, DBFieldDef::kKeyOffset, 1);
        AddField("Flag", varnel::DaoByte, 1, 0, 2);
        AddField("Count", varnel::DaoShort, 2, 1, 3);
        AddField("Amount", varnel::DaoLong, 4, 3, 4);
        AddField("Changed", varnel::DaoDate, 8, 7, 5);
        AddField("Name", varnel::DaoText, BenchRow::kNameSize, BenchRow::kName, 6);
        AddField("Picture", varnel::DaoLongBinary, BenchRow::kPictureSize, BenchRow::kPicture, 7);
    }
};

class BenchDatabase final : public varnel::CObjDatabase {
public:
    explicit BenchDatabase(bool shared = false) : CObjDatabase(10)
    {
        SetShared(shared);
        EnsureTable(1);
    }
    std::unique_ptr<CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        return std::make_unique<BenchTable>(tableNo, this, "Plus");
    }
};

std::string BenchPath(const char* extension) { return varnel::bench::BenchPath("mdb-bench", extension); }

void FillRow(CDBRecord& record, std::uint32_t key, char letter)
{
    std::uint8_t* data = record.GetData();
    std::memset(data, 0, BenchRow::kSize);
    std::memcpy(data + 3, &key, 4);
    std::memset(data + BenchRow::kName, letter, 40);
    std::memset(data + BenchRow::kPicture, letter, BenchRow::kPictureSize);
}

// The same records in both kinds of file, made once.
void MakeFiles()
{
    static const bool made = [] {
        BenchDatabase db;
        db.Create(BenchPath("pld"));
        db.Open(BenchPath("pld"));
        CObjDBTable& table = *db.GetTable(1);
        for (std::uint32_t key = 1; key <= kRecords; ++key) {
            auto record = table.CreateRecord(BenchRow::kSize);
            FillRow(*record, key, static_cast<char>('a' + key % 26));
            table.AddRecord(key, BenchRow::kSize, std::move(record));
        }
        db.ExportToMdb(BenchPath("mdb"));
        db.Close();
        varnel::bench::RemoveAtExit(BenchPath("pld"));
        varnel::bench::RemoveAtExit(BenchPath("mdb"));
        return true;
    }();
    (void)made;
}

void Open(benchmark::State& state, const char* extension, bool shared)
{
    MakeFiles();
    for (auto _ : state) {
        auto db = std::make_unique<BenchDatabase>(shared);
        if (!db->Open(BenchPath(extension)) || db->GetTable(1)->GetRecordCount() != kRecords)
            state.SkipWithError("open failed");
        state.PauseTiming();  // closing is not opening
        db.reset();
        state.ResumeTiming();
    }
}

void Update(benchmark::State& state, const char* extension, bool shared)
{
    MakeFiles();
    BenchDatabase db(shared);
    if (!db.Open(BenchPath(extension))) state.SkipWithError("open failed");
    CObjDBTable& table = *db.GetTable(1);
    std::uint32_t round = 0;
    for (auto _ : state) {
        ++round;
        for (std::uint32_t i = 0; i < kUpdates; ++i) {
            const std::uint32_t key = 1 + (i * 65 + round) % kRecords;
            CDBRecord* record = table.GetRecord(key);
            FillRow(*record, key, static_cast<char>('A' + (i + round) % 26));
            if (!table.UpdateRecord(record, BenchRow::kSize)) state.SkipWithError("update failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * kUpdates);
}

}  // namespace

BENCHMARK_CAPTURE(Open, pld, "pld", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, mdb_exclusive, "mdb", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, mdb_shared, "mdb", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Update, pld_1000, "pld", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Update, mdb_exclusive_1000, "mdb", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Update, mdb_shared_1000, "mdb", true)->Unit(benchmark::kMillisecond);
