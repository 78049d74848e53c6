// The PLU table at full size: 65,535 PLUs with typical two-line descriptions added to a ".pld" file
// and to an ".mdb" (SQLite) file, then walked in key order reading five fields of each by number.
// Each benchmark counts PLUs as its items, so the report's rate is per PLU.
#include "BenchFiles.h"
#include "BenchFrame.h"
#include "BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;

std::string BenchPath(const char* extension) { return bench::BenchPath("plu-bench", extension); }

// A new database file of every table, open, holding the PLUs 1 to kPlus.
bool FillDatabase(CPluDatabase& db, const std::string& path)
{
    if (!bench::CreatePluFile(db, path)) return false;
    CPluDefTb& plus = *db.GetPluTable();
    for (std::uint32_t number = 1; number <= kPlus; ++number)
        if (!bench::AddBenchPlu(plus, number)) return false;
    return true;
}

// Five fields of each kind of column: unit price, sales mode, department, tare, the control flags.
std::array<CLabProp, 5> FieldDefinitions()
{
    std::array<CLabProp, 5> definitions;
    const std::array<std::uint16_t, 5> fields{1005, 1002, 1014, 1010, 1053};
    for (std::size_t i = 0; i < fields.size(); ++i) definitions[i].m_fieldNo = fields[i];
    return definitions;
}

std::int64_t WalkAndSumFields(CPluDefTb& plus, const std::array<CLabProp, 5>& definitions)
{
    std::int64_t sum = 0;
    KeyCursor cursor = 0;
    while (const CDBRecord* record = plus.GetNextRecord(cursor)) {
        const auto& row = static_cast<const CPluDefRec&>(*record);
        for (const CLabProp& definition : definitions) sum += GetPluFieldValue(row, definition);
    }
    return sum;
}

void AddPlus(benchmark::State& state, const char* extension)
{
    bench::InstallBenchFrame();
    const std::string path = BenchPath(extension);
    for (auto _ : state) {
        CPluDatabase db;
        if (!FillDatabase(db, path)) state.SkipWithError("adding PLUs failed");
        state.PauseTiming();  // closing is not adding
        db.Close();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
}

void AddPlusPld(benchmark::State& state) { AddPlus(state, "pld"); }
void AddPlusMdb(benchmark::State& state) { AddPlus(state, "mdb"); }

void OpenAndWalk(benchmark::State& state, const char* extension)
{
    bench::InstallBenchFrame();
    const std::string path = BenchPath(extension);
    {
        CPluDatabase db;
        if (!FillDatabase(db, path)) state.SkipWithError("adding PLUs failed");
    }
    const auto definitions = FieldDefinitions();
    for (auto _ : state) {
        CPluDatabase db;
        db.CreateAllTables();
        if (!db.Open(path)) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(WalkAndSumFields(*db.GetPluTable(), definitions));
        state.PauseTiming();
        db.Close();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
}

void OpenAndWalkPld(benchmark::State& state) { OpenAndWalk(state, "pld"); }
void OpenAndWalkMdb(benchmark::State& state) { OpenAndWalk(state, "mdb"); }

// The walk alone, over a database already in memory.
void WalkAndReadFields(benchmark::State& state)
{
    bench::InstallBenchFrame();
    const std::string path = BenchPath("pld");
    CPluDatabase db;
    if (!FillDatabase(db, path)) state.SkipWithError("adding PLUs failed");
    const auto definitions = FieldDefinitions();
    CPluDefTb& plus = *db.GetPluTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(WalkAndSumFields(plus, definitions));
    }
    db.Close();
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
}

}  // namespace

BENCHMARK(AddPlusPld)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(AddPlusMdb)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OpenAndWalkPld)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenAndWalkMdb)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WalkAndReadFields)->Unit(benchmark::kMillisecond);
