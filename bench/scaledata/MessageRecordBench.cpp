// The message records at full size: 65,535 ingredient texts of 2,000 bytes encoded for a scale of
// families 0, 6 and 9, as a link's range walk asks for them. The setup puts the ingredients in the
// scales' second message slot (market 10, where family 9 takes them too). The rate is records per
// second; "allocs/record" counts the heap allocations per record.
#include "RangeEncode.h"
#include "RecordBenchDatabase.h"
#include "scaledata/ExMsgTb.h"
#include "scaledata/MessageRules.h"
#include "support/ScaleDataRegistration.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace varnel;

constexpr std::uint32_t kTexts = 65535;
constexpr std::size_t kTextBytes = 2000;

void Fill(bench::RecordBenchDatabase& shared)
{
    shared.frame.m_setup.m_market = MarketTaiwan;
    shared.frame.m_setup.m_maxExMessageNo = 999999;
    shared.frame.m_setup.m_messageFileMapping[1] = MsgIngredients;
    test::RegisterScaleDataTablesForTests();
    shared.database.CreateAllTables();
    auto& ingredients = dynamic_cast<CExMsgTb&>(*shared.database.GetTable(MsgKindToTableId(MsgIngredients)));
    for (std::uint32_t number = 1; number <= kTexts; ++number) {
        std::string text = "\x1B" "C1" + std::to_string(number) + " ";
        while (text.size() < kTextBytes) text += "Flour, water, salt, yeast. \x1B" "C2";
        text.resize(kTextBytes);
        auto row = std::make_unique<CExMsgRec>(0);
        row->SetText(text);
        const std::uint16_t size = row->CalcDataSize();
        ingredients.AddRecord(number, size, std::move(row));
    }
}

bench::RecordBenchDatabase& Database() { return bench::SharedDatabase<Fill>(); }

void EncodeAllIngredients(benchmark::State& state)
{
    auto& table = dynamic_cast<CExMsgTb&>(*Database().database.GetTable(MsgKindToTableId(MsgIngredients)));
    bench::MeasureRangeEncode<8192>(state, table, kTexts);
}
BENCHMARK(EncodeAllIngredients)->Arg(0)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace
