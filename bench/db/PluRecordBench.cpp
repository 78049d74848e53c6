// The PLU scale records at full size: all 65,535 PLUs of the benchmark database encoded for a scale
// of each family, as a link's range walk asks for them (family 7 through the Lumen record). The rate
// is records per second; "allocs/record" counts the heap allocations per record, which stay well
// below one, since the record writers allocate nothing per field.
#include "BenchDescription.h"
#include "RecordRate.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecord.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;

// The main frame and the in-memory database of the benchmark, made once.
struct BenchDatabase {
    BenchDatabase()
    {
        frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
        frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
        frame.SelectScaleFontSet();
        database.CreateAllTables();
        CPluDefTb& plus = *database.GetPluTable();
        for (std::uint32_t number = 1; number <= kPlus; ++number) {
            auto row = std::make_unique<CPluDefRec>();
            row->InitNew(number);
            row->SetDesc(bench::BenchDescription(number));
            row->Set(PluCol::UnitPrice, static_cast<std::int32_t>(number % 5000));
            row->Set(PluCol::Dept, static_cast<std::uint16_t>(number % 100));
            row->Set(PluCol::ItemCode, static_cast<std::int32_t>(number % 1000));
            const std::uint16_t size = row->CalcDataSize();
            plus.AddPlu(number, size, std::move(row));
        }
    }
    varnel::test::TestMainFrame frame;
    CPluDatabase database;
};

BenchDatabase& Database()
{
    static BenchDatabase database;
    return database;
}

void EncodeAllPlus(benchmark::State& state)
{
    const auto family = static_cast<std::uint16_t>(state.range(0));
    CPluDefTb& plus = *Database().database.GetPluTable();
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    std::array<std::uint8_t, 2400> buffer{};
    const SiteSettingsPtr settings = Database().frame.GetSiteSettings();
    bench::MeasureRecords(state, [&] {
        std::uint64_t records = 0;
        if (family == 7) {
            for (std::uint32_t number = 1; number <= kPlus; ++number) {
                std::uint16_t length = 0;
                records += BuildLumenRecord(plus, *settings, family, number, buffer, length) ? 1 : 0;
            }
        } else {
            KeyCursor cursor = 1;
            KeyCursor key = 0;
            ScaleRecordOut out{buffer};
            out.settings = settings.get();
            while (plus.EncodeNextInRange(scale, cursor, kPlus, out, key)) ++records;
        }
        benchmark::DoNotOptimize(buffer.data());
        return records;
    });
}
BENCHMARK(EncodeAllPlus)->DenseRange(0, 12)->Unit(benchmark::kMillisecond);

}  // namespace
