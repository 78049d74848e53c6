// Opening a 65,535-PLU database, in time beside a plain read of the same ".pld" file measured in the
// same run, and in memory beside the row data it holds (the data bytes of every row).
//   OpenPld: counters plain read and open in seconds (medians of the repetitions inside one run), their
//   ratio (the goal is at most 1.5), and the heap after the open and at its peak in MB beside the row
//   data (the goal is at most 2 times).
//   OpenMdb: the same memory figures for the same PLUs in an ".mdb" file, SQLite's own heap included.
// The heap is counted at the program's operator new (AllocationCount.h) and by SQLite's statistics.
#include "AllocationCount.h"
#include "BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace varnel;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kPlus = 65535;
constexpr int kRepeats = 7;
constexpr double kMB = 1024.0 * 1024.0;

std::string BenchPath(const char* extension)
{
    char path[80];
    std::snprintf(path, sizeof path, "/tmp/varnel-plu-open-%d.%s", static_cast<int>(::getpid()), extension);
    return path;
}

// The same PLUs in both kinds of file, made once; the row data in bytes.
std::uint64_t MakeFiles()
{
    static const std::uint64_t rowData = [] {
        CPluDatabase db;
        db.CreateAllTables();
        const std::string pld = BenchPath("pld");
        std::remove(pld.c_str());
        if (!db.Create(pld) || !db.Open(pld)) return std::uint64_t{0};
        db.CreateAllTables();
        CPluDefTb& plus = *db.GetPluTable();
        std::uint64_t bytes = 0;
        for (std::uint32_t number = 1; number <= kPlus; ++number) {
            auto row = std::make_unique<CPluDefRec>();
            bench::MakeBenchPlu(*row, number);
            const std::uint16_t size = row->CalcDataSize();
            bytes += size;
            if (!plus.AddPlu(number, size, std::move(row))) return std::uint64_t{0};
        }
        const std::string mdb = BenchPath("mdb");
        std::remove(mdb.c_str());
        if (!db.ExportToMdb(mdb)) return std::uint64_t{0};
        std::atexit([] {
            std::remove(BenchPath("pld").c_str());
            std::remove(BenchPath("mdb").c_str());
        });
        return bytes;
    }();
    return rowData;
}

double Median(std::vector<double> values)
{
    std::ranges::sort(values);
    return values[values.size() / 2];
}

double PlainRead(const std::string& path)
{
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> bytes(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)));
    benchmark::DoNotOptimize(::pread(fd, bytes.data(), bytes.size(), 0));
    ::close(fd);
    benchmark::DoNotOptimize(bytes.data());
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct OpenFigures {
    double seconds = 0;
    double heapAfter = 0;
    double heapPeak = 0;
};

// Opens the file into a new database; heap figures count from the moment before the open.
OpenFigures OpenOnce(const std::string& path)
{
    auto db = std::make_unique<CPluDatabase>();
    db->CreateAllTables();
    const std::int64_t before = bench::HeapBytes();
    bench::ResetHeapPeak();
    sqlite3_memory_highwater(1);
    const std::int64_t sqliteBefore = sqlite3_memory_used();
    const auto start = Clock::now();
    OpenFigures figures;
    if (!db->Open(path) || db->GetPluTable()->GetRecordCount() != kPlus) return figures;
    figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const std::int64_t sqlite = sqlite3_memory_used() - sqliteBefore;
    const std::int64_t sqlitePeak = sqlite3_memory_highwater(0) - sqliteBefore;
    figures.heapAfter = static_cast<double>(bench::HeapBytes() - before + sqlite) / kMB;
    figures.heapPeak = static_cast<double>(bench::HeapPeak() - before + sqlitePeak) / kMB;
    return figures;
}

void ReportMemory(benchmark::State& state, const OpenFigures& figures, double rowData)
{
    state.counters["row_data_MB"] = rowData;
    state.counters["heap_after_MB"] = figures.heapAfter;
    state.counters["heap_peak_MB"] = figures.heapPeak;
    state.counters["peak/row_data"] = figures.heapPeak / rowData;
}

void OpenPld(benchmark::State& state)
{
    const double rowData = static_cast<double>(MakeFiles()) / kMB;
    const std::string path = BenchPath("pld");
    OpenFigures last;
    std::vector<double> reads;
    std::vector<double> opens;
    for (auto _ : state) {
        for (int i = 0; i < kRepeats; ++i) {
            reads.push_back(PlainRead(path));
            last = OpenOnce(path);
            if (last.seconds <= 0) state.SkipWithError("open failed");
            opens.push_back(last.seconds);
        }
    }
    const double read = Median(reads);
    const double open = Median(opens);
    state.counters["read_ms"] = read * 1e3;
    state.counters["open_ms"] = open * 1e3;
    state.counters["open/read"] = open / read;
    ReportMemory(state, last, rowData);
}

void OpenMdb(benchmark::State& state)
{
    const double rowData = static_cast<double>(MakeFiles()) / kMB;
    OpenFigures last;
    for (auto _ : state) {
        last = OpenOnce(BenchPath("mdb"));
        if (last.seconds <= 0) state.SkipWithError("open failed");
    }
    state.counters["open_ms"] = last.seconds * 1e3;
    ReportMemory(state, last, rowData);
}

}  // namespace

BENCHMARK(OpenPld)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMdb)->Iterations(1)->Unit(benchmark::kMillisecond);
