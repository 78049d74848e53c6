// Opening a 65,535-PLU database, in time beside a plain read of the same ".pld" file measured in the
// same run, and in memory beside the row data it holds (the data bytes of every row).
//   OpenPld: counters plain read (into memory it does not clear first, as the open does not) and open
//   in ms of the thread's processor time (medians of the repetitions inside one run), their ratio (the
//   goal is at most 1.5), and the heap after one more open and at its peak in MB beside the row data
//   (the goal is at most 2 times).
//   OpenMdb: the same figures for the same PLUs in an ".mdb" file, SQLite's own heap included.
// The heap is counted at the program's operator new (AllocationCount.h) and by SQLite's statistics;
// the timed opens do not count it.
#include "AllocationCount.h"
#include "BenchFiles.h"
#include "BenchFrame.h"
#include "BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace varnel;

// The processor time of the calling thread, in the kernel too (a read's copy counts): other programs
// on a busy machine weigh less on it than on the wall clock.
double ThreadSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

constexpr std::uint32_t kPlus = 65535;
constexpr int kRepeats = 31;
constexpr double kMB = 1024.0 * 1024.0;

std::string BenchPath(const char* extension) { return bench::BenchPath("plu-open", extension); }

// The same PLUs in both kinds of file, made once; the row data in bytes.
std::uint64_t MakeFiles()
{
    bench::InstallBenchFrame();
    static const std::uint64_t rowData = [] {
        CPluDatabase db;
        if (!bench::CreatePluFile(db, BenchPath("pld"))) return std::uint64_t{0};
        CPluDefTb& plus = *db.GetPluTable();
        std::uint64_t bytes = 0;
        const auto makeCounted = [&bytes](const CPluDefTb& table, CPluDefRec& row, std::uint32_t number) {
            bench::MakeBenchPlu(table, row, number);
            bytes += row.CalcDataSize();
        };
        for (std::uint32_t number = 1; number <= kPlus; ++number)
            if (!bench::AddPlu(plus, number, makeCounted)) return std::uint64_t{0};
        const std::string mdb = BenchPath("mdb");
        std::remove(mdb.c_str());
        if (!db.ExportToMdb(mdb)) return std::uint64_t{0};
        bench::RemoveAtExit(BenchPath("pld"));
        bench::RemoveAtExit(BenchPath("mdb"));
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
    const double start = ThreadSeconds();
    const int fd = ::open(path.c_str(), O_RDONLY);
    const auto size = static_cast<std::size_t>(::lseek(fd, 0, SEEK_END));
    const auto bytes = std::make_unique_for_overwrite<char[]>(size);
    benchmark::DoNotOptimize(::pread(fd, bytes.get(), size, 0));
    ::close(fd);
    benchmark::DoNotOptimize(bytes.get());
    return ThreadSeconds() - start;
}

// Seconds to open the file into a new database, without the heap counting's own cost.
double TimeOpen(const std::string& path)
{
    const bench::UncountedScope uncounted;
    auto db = std::make_unique<CPluDatabase>();
    db->CreateAllTables();
    const double start = ThreadSeconds();
    if (!db->Open(path) || db->GetPluTable()->GetRecordCount() != kPlus) return 0;
    return ThreadSeconds() - start;
}

// Opens the file into a new database and reports the heap it took, counted from the moment before
// the open, beside the row data.
void ReportMemory(benchmark::State& state, const std::string& path, double rowData)
{
    auto db = std::make_unique<CPluDatabase>();
    db->CreateAllTables();
    const std::int64_t before = bench::HeapBytes();
    bench::ResetHeapPeak();
    sqlite3_memory_highwater(1);
    const std::int64_t sqliteBefore = sqlite3_memory_used();
    if (!db->Open(path) || db->GetPluTable()->GetRecordCount() != kPlus) {
        state.SkipWithError("open failed");
        return;
    }
    const std::int64_t sqlite = sqlite3_memory_used() - sqliteBefore;
    const std::int64_t sqlitePeak = sqlite3_memory_highwater(0) - sqliteBefore;
    const double heapPeak = static_cast<double>(bench::HeapPeak() - before + sqlitePeak) / kMB;
    state.counters["row_data_MB"] = rowData;
    state.counters["heap_after_MB"] = static_cast<double>(bench::HeapBytes() - before + sqlite) / kMB;
    state.counters["heap_peak_MB"] = heapPeak;
    state.counters["peak/row_data"] = heapPeak / rowData;
}

void OpenPld(benchmark::State& state)
{
    const double rowData = static_cast<double>(MakeFiles()) / kMB;
    const std::string path = BenchPath("pld");
    std::vector<double> reads;
    std::vector<double> opens;
    for (auto _ : state) {
        for (int i = 0; i < kRepeats; ++i) {
            reads.push_back(PlainRead(path));
            opens.push_back(TimeOpen(path));
            if (opens.back() <= 0) state.SkipWithError("open failed");
        }
    }
    const double read = Median(reads);
    const double open = Median(opens);
    state.counters["read_ms"] = read * 1e3;
    state.counters["open_ms"] = open * 1e3;
    state.counters["open/read"] = open / read;
    ReportMemory(state, path, rowData);
}

void OpenMdb(benchmark::State& state)
{
    const double rowData = static_cast<double>(MakeFiles()) / kMB;
    const std::string path = BenchPath("mdb");
    for (auto _ : state) {
        const double seconds = TimeOpen(path);
        if (seconds <= 0) state.SkipWithError("open failed");
        state.counters["open_ms"] = seconds * 1e3;
    }
    ReportMemory(state, path, rowData);
}

}  // namespace

BENCHMARK(OpenPld)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMdb)->Iterations(1)->Unit(benchmark::kMillisecond);
