// Price changes and name searches at full size: 65,535 PLUs, each with its own unit price in 8 price
// zones, in a ".pld" file and in an ".mdb" (SQLite) file. One iteration changes the price of every
// PLU, in a zone or in the row, or searches every PLU's name; the items are PLUs.
#include "BenchFiles.h"
#include "BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;
constexpr std::uint16_t kZones = 8;
constexpr std::uint16_t kUnitPriceField = 1005;

std::string BenchPath(const char* extension) { return bench::BenchPath("price-bench", extension); }

// Price zones 1 to 8, in which the unit price may differ.
void DefineZones(test::TestMainFrame& frame)
{
    for (std::uint16_t zone = 1; zone <= kZones; ++zone) frame.m_priceZones.SetZone(zone, "Zone");
    frame.m_priceZoneFields = {kUnitPriceField};
}

void MakeMincePlu(const CPluDefTb& plus, CPluDefRec& row, std::uint32_t number)
{
    plus.InitNewPlu(number, row);
    char name[32];
    std::snprintf(name, sizeof name, "BEEF MINCE %05u", number);
    row.Set(PluCol::Name, name);
    row.Set(PluCol::Dept, static_cast<std::uint16_t>(number % 20));
    row.Set(PluCol::UnitPrice, 1000);
}

// A new database file, open, holding PLUs 1 to kPlus, each with a price in every zone.
bool FillDatabase(CPluDatabase& db, const std::string& path)
{
    if (!bench::CreatePluFile(db, path)) return false;
    CPluDefTb& plus = *db.GetPluTable();
    CPluPriceZoneTb& zones = *plus.GetPriceZoneTable();
    for (std::uint32_t number = 1; number <= kPlus; ++number) {
        if (!bench::AddPlu(plus, number, MakeMincePlu)) return false;
        PriceZoneEntries values;
        for (std::uint16_t zone = 1; zone <= kZones; ++zone) values.push_back({zone, kUnitPriceField, 1000 + zone});
        if (!zones.WritePlu(number, values, nullptr)) return false;
    }
    return true;
}

// Every PLU's price in `zone` (0: the row's own), a new price each iteration.
void ChangeEveryPrice(benchmark::State& state, const char* extension, int zone)
{
    test::TestMainFrame frame;
    DefineZones(frame);
    const std::string path = BenchPath(extension);
    CPluDatabase db;
    if (!FillDatabase(db, path)) state.SkipWithError("filling the database failed");
    CPluDefTb& plus = *db.GetPluTable();
    std::int32_t price = 2000;
    for (auto _ : state) {
        ++price;
        for (std::uint32_t number = 1; number <= kPlus; ++number)
            if (!plus.ChangePrice(number, price, zone, false, false)) state.SkipWithError("a price change failed");
    }
    db.Close();
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
}

void ChangeZonePricePld(benchmark::State& state) { ChangeEveryPrice(state, "pld", 3); }
void ChangeZonePriceMdb(benchmark::State& state) { ChangeEveryPrice(state, "mdb", 3); }
void ChangeRowPricePld(benchmark::State& state) { ChangeEveryPrice(state, "pld", 0); }
void ChangeRowPriceMdb(benchmark::State& state) { ChangeEveryPrice(state, "mdb", 0); }

void FindPlusByName(benchmark::State& state)
{
    test::TestMainFrame frame;
    DefineZones(frame);
    const std::string path = BenchPath("pld");
    CPluDatabase db;
    if (!FillDatabase(db, path)) state.SkipWithError("filling the database failed");
    std::vector<std::size_t> positions;
    for (auto _ : state) {
        db.GetPluTable()->FindPlusByName("BEEF*5?1", 65535, 65535, positions);  // every name is looked at
        benchmark::DoNotOptimize(positions.data());
    }
    if (positions.empty()) state.SkipWithError("the search found nothing");
    db.Close();
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
}

}  // namespace

BENCHMARK(ChangeZonePricePld)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ChangeZonePriceMdb)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ChangeRowPricePld)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ChangeRowPriceMdb)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FindPlusByName)->Unit(benchmark::kMillisecond);
