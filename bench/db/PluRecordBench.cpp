// The PLU scale records at full size: all 65,535 PLUs of the benchmark database encoded for a scale
// of each family, as a link's range walk asks for them (family 7 through the Lumen record). The rate
// is records per second; "allocs/record" counts the heap allocations per record, which stay well
// below one, since the record writers allocate nothing per field.
#include "BenchPlu.h"
#include "RangeEncode.h"
#include "RecordBenchDatabase.h"
#include "RecordRate.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecord.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;

// A PLU with a department and an item code beside its description and price, which the records carry.
void MakeRecordPlu(const CPluDefTb& plus, CPluDefRec& row, std::uint32_t number)
{
    plus.InitNewPlu(number, row);
    row.SetDesc(bench::BenchDescription(number), plus.GetRoles().Text().chars);
    row.Set(PluCol::UnitPrice, static_cast<std::int32_t>(number % 5000));
    row.Set(PluCol::Dept, static_cast<std::uint16_t>(number % 100));
    row.Set(PluCol::ItemCode, static_cast<std::int32_t>(number % 1000));
}

void Fill(bench::RecordBenchDatabase& shared)
{
    shared.frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
    shared.frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
    shared.frame.SelectScaleFontSet();
    shared.database.CreateAllTables();
    CPluDefTb& plus = *shared.database.GetPluTable();
    for (std::uint32_t number = 1; number <= kPlus; ++number) bench::AddPlu(plus, number, MakeRecordPlu);
}

bench::RecordBenchDatabase& Database() { return bench::SharedDatabase<Fill>(); }

void EncodeAllPlus(benchmark::State& state)
{
    const auto family = static_cast<std::uint16_t>(state.range(0));
    CPluDefTb& plus = *Database().database.GetPluTable();
    const SiteSettingsPtr settings = Database().frame.GetSiteSettings();
    if (family != 7) return bench::MeasureRangeEncode<2400>(state, plus, kPlus, settings.get());
    // Family 7 takes its PLUs through the Lumen record.
    std::array<std::uint8_t, 2400> buffer{};
    bench::MeasureRecords(state, [&] {
        std::uint64_t records = 0;
        for (std::uint32_t number = 1; number <= kPlus; ++number) {
            std::uint16_t length = 0;
            records += BuildLumenRecord(plus, *settings, family, number, buffer, length) ? 1 : 0;
        }
        benchmark::DoNotOptimize(buffer.data());
        return records;
    });
}
BENCHMARK(EncodeAllPlus)->DenseRange(0, 12)->Unit(benchmark::kMillisecond);

}  // namespace
