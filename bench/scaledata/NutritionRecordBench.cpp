// Nutrition records and price-master parts for 65,535 PLUs: every standard nutrition row encoded for
// a scale of families 0, 6 and 9, as a link's range walk asks for them, and every PLU's price part of
// the first price master table as family 9's PLU records take it. The rate is records per second;
// "allocs/record" counts the heap allocations per record.
#include "RangeEncode.h"
#include "RecordBenchDatabase.h"
#include "RecordRate.h"
#include "scaledata/NutritionTb.h"
#include "scaledata/RuxPriceTb.h"
#include "support/ScaleDataRegistration.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;
constexpr std::uint16_t kFirstPriceMaster = 87;

void Fill(bench::RecordBenchDatabase& shared)
{
    shared.frame.m_setup.m_maxPluNo = kPlus;
    for (const ColumnDef& column : kRuxPriceColumns)
        if (column.fieldNo != 0) shared.frame.AddFieldDef(FieldDefMap::RuxPrice, column.fieldNo).m_width = 6;
    test::RegisterScaleDataTablesForTests();
    shared.database.CreateAllTables();
    auto& nutrition = dynamic_cast<CNutritionTb&>(*shared.database.GetTable(CNutritionTb::kTableNo));
    auto& prices = dynamic_cast<CRuxPriceTb&>(*shared.database.GetTable(kFirstPriceMaster));
    for (std::uint32_t plu = 1; plu <= kPlus; ++plu) {
        auto row = std::make_unique<CNutritionRec>();
        StandardNutrition values = row->GetValues();
        values.serveSize = "85g";
        values.serveCont = "4";
        values.calories = static_cast<std::uint16_t>(plu % 900);
        values.fatCalories = static_cast<std::uint16_t>(plu % 90);
        for (std::size_t i = 0; i < 16; ++i)
            values.nutrients[i] = {std::to_string(plu % 97), static_cast<std::uint16_t>(i * 5), 1};
        row->SetValues(values);
        nutrition.AddRecord(plu, CNutritionRowBase::kSize, std::move(row));

        auto price = std::make_unique<CRuxPriceRec>();
        CRuxPriceTb::InitRecord(shared.frame.GetFieldDefMap(FieldDefMap::RuxPrice), price->Bytes(), plu);
        price->Set(ShortColumn{0}, CRuxPriceTb::kInUse);
        price->Set(LongColumn{32}, static_cast<std::int32_t>(plu * 3));
        prices.AddRecord(plu, static_cast<std::uint16_t>(kRuxPriceRecordSize), std::move(price));
    }
}

bench::RecordBenchDatabase& Database() { return bench::SharedDatabase<Fill>(); }

void EncodeAllNutrition(benchmark::State& state)
{
    auto& table = dynamic_cast<CNutritionTb&>(*Database().database.GetTable(CNutritionTb::kTableNo));
    bench::MeasureRangeEncode<1024>(state, table, kPlus);
}
BENCHMARK(EncodeAllNutrition)->Arg(0)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

void EncodeAllPriceParts(benchmark::State& state)
{
    const auto& table = dynamic_cast<const CRuxPriceTb&>(*Database().database.GetTable(kFirstPriceMaster));
    CLinkScaleSettings scale;
    scale.m_scaleType = 9;
    std::array<std::uint8_t, 512> buffer{};
    bench::MeasureRecords(state, [&] {
        std::uint64_t records = 0;
        for (std::uint32_t plu = 1; plu <= kPlus; ++plu) {
            RecordFields fields(buffer);
            if (table.WriteCsvFields(scale, plu, fields)) ++records;
        }
        benchmark::DoNotOptimize(buffer.data());
        return records;
    });
}
BENCHMARK(EncodeAllPriceParts)->Unit(benchmark::kMillisecond);

}  // namespace
