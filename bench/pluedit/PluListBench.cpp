// The PLU list over the 65,535-PLU benchmark database: a refresh of the whole list in record order,
// in POS code order and in name order. The PLUs' POS codes and names are shuffled against their
// numbers, so neither sort finds its input in order. "ratio" gives a sorted order's time over record
// order's, measured first in the same run. Record order without a filter reads no PLU at all (the
// list is the table's positions), so "ratio_reading" also compares with record order under a
// department filter that keeps every PLU, which reads each PLU once as a sort must.
#include "BenchFrame.h"
#include "db/BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "pluedit/PluListPanelForm.h"
#include "settings/DeptCode.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;

std::string BenchPath()
{
    char path[80];
    std::snprintf(path, sizeof path, "/tmp/varnel-plu-list-bench-%d.pld", static_cast<int>(::getpid()));
    return path;
}

// A number of 1..kPlus taken to another one of that range, the same for every run.
std::uint32_t Shuffled(std::uint32_t number) { return number * 40507u % kPlus + 1; }

// The benchmark database, made once and kept open for every benchmark of the run.
CPluDatabase& Database()
{
    bench::InstallBenchFrame();
    static CPluDatabase db;
    static bool made = false;
    if (made) return db;
    made = true;
    const std::string path = BenchPath();
    std::remove(path.c_str());
    db.CreateAllTables();
    if (!db.Create(path) || !db.Open(path)) return db;
    for (std::uint32_t number = 1; number <= kPlus; ++number) {
        auto row = std::make_unique<CPluDefRec>();
        bench::MakeBenchPlu(*db.GetPluTable(), *row, number);
        char text[32];
        std::snprintf(text, sizeof text, "%u", Shuffled(number) * 7);
        row->Set(PluCol::PosCode, text);
        std::snprintf(text, sizeof text, "Beef mince premium %05u", Shuffled(number));
        row->Set(PluCol::Name, text);
        const std::uint16_t size = row->CalcDataSize();
        db.GetPluTable()->AddPlu(number, size, std::move(row));
    }
    std::atexit([] { std::remove(BenchPath().c_str()); });
    return db;
}

// Seconds a refresh took in record order, plain and reading every PLU, measured first in the run.
double g_recordOrderSeconds = 0;
double g_recordOrderReadingSeconds = 0;

void Refresh(benchmark::State& state, int order, bool readEveryRow = false)
{
    CPluDatabase& db = Database();
    if (db.GetPluTable()->GetRecordCount() != kPlus) state.SkipWithError("making the database failed");
    CDeptCodeList departments;
    departments.Add(std::make_unique<CDeptCode>(0, "Meat", 999999));
    PluListPanelForm panel(db.GetPluTable(), departments, PluListSettings{});
    panel.Create({0, 0, 600, 400, 7, 16}, [](std::string_view text) { return static_cast<int>(text.size()) * 7; }, {});
    if (order == PluListPanelForm::kPosCodeOrder) panel.OnPosCodeChange("");
    if (order == PluListPanelForm::kNameOrder) panel.OnSortChange(1);
    if (readEveryRow) panel.OnDeptChange(1);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        panel.Refresh();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(panel.GetRowCount());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
    const double perRefresh = seconds / static_cast<double>(state.iterations());
    if (order == PluListPanelForm::kRecordOrder) {
        (readEveryRow ? g_recordOrderReadingSeconds : g_recordOrderSeconds) = perRefresh;
        return;
    }
    if (g_recordOrderSeconds > 0) state.counters["ratio"] = perRefresh / g_recordOrderSeconds;
    if (g_recordOrderReadingSeconds > 0) state.counters["ratio_reading"] = perRefresh / g_recordOrderReadingSeconds;
}

void RefreshInRecordOrder(benchmark::State& state) { Refresh(state, PluListPanelForm::kRecordOrder); }
void RefreshInRecordOrderReading(benchmark::State& state) { Refresh(state, PluListPanelForm::kRecordOrder, true); }
void RefreshInPosCodeOrder(benchmark::State& state) { Refresh(state, PluListPanelForm::kPosCodeOrder); }
void RefreshInNameOrder(benchmark::State& state) { Refresh(state, PluListPanelForm::kNameOrder); }

// Record order first: the others' ratios are to its times.
BENCHMARK(RefreshInRecordOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshInRecordOrderReading)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshInPosCodeOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshInNameOrder)->Unit(benchmark::kMillisecond);

}  // namespace
