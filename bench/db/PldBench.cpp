// Opening and compacting a ".pld" of 65,535 records of 300 bytes, beside a plain read of the same
// file, so the ratio shows the store's own cost.
#include "BenchFiles.h"
#include "db/store/ObjDatabase.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// Rows that own exactly the bytes they store, as the real row classes keep variable text.
class ExactRow final : public varnel::CDBRecord {
public:
    explicit ExactRow(std::size_t size) : m_data(std::make_unique_for_overwrite<std::uint8_t[]>(size)), m_room(size) {}
    std::uint8_t* GetData() override { return m_data.get(); }
    std::size_t GetDataRoom() const override { return m_room; }
    std::uint16_t GetDataSize() const override { return GetLength(); }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_room;
};

class ExactTable final : public varnel::CObjDBTable {
public:
    using CObjDBTable::CObjDBTable;
    std::unique_ptr<varnel::CDBRecord> CreateRecord(std::size_t size) override { return std::make_unique<ExactRow>(size); }
};

class TestDatabase final : public varnel::CObjDatabase {
public:
    TestDatabase() : CObjDatabase(10) {}
    std::unique_ptr<varnel::CObjDBTable> CreateTable(std::uint16_t tableNo) override
    {
        return std::make_unique<ExactTable>(tableNo, this, "");
    }
};

constexpr std::uint32_t kRecords = 65535;
constexpr std::uint16_t kRecordBytes = 300;

const std::string& BenchFile()
{
    static const std::string path = [] {
        std::string file = varnel::bench::BenchPath("bench", "pld");
        TestDatabase db;
        db.Create(file);
        db.Open(file);
        varnel::CObjDBTable& table = *db.GetOrCreateTable(1);
        for (std::uint32_t key = 1; key <= kRecords; ++key)
        {
            auto record = table.CreateRecord(kRecordBytes);
            std::memset(record->GetData(), 'a' + key % 26, kRecordBytes);
            table.AddRecord(key, kRecordBytes, std::move(record));
        }
        db.Close();
        varnel::bench::RemoveAtExit(file);
        return file;
    }();
    return path;
}

void PlainRead(benchmark::State& state)
{
    for (auto _ : state) {
        const int fd = ::open(BenchFile().c_str(), O_RDONLY);
        std::vector<char> bytes(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)));
        benchmark::DoNotOptimize(::pread(fd, bytes.data(), bytes.size(), 0));
        ::close(fd);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void OpenDatabase(benchmark::State& state)
{
    for (auto _ : state) {
        auto db = std::make_unique<TestDatabase>();
        if (!db->Open(BenchFile())) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(db->GetTable(1));
        state.PauseTiming();  // closing is not opening
        db.reset();
        state.ResumeTiming();
    }
}

void CompactDatabase(benchmark::State& state)
{
    TestDatabase db;
    if (!db.Open(BenchFile())) state.SkipWithError("open failed");
    for (auto _ : state) benchmark::DoNotOptimize(db.Compact());
}

}  // namespace

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK(CompactDatabase)->Unit(benchmark::kMillisecond);
