// The PLU list's range delete of every PLU of the 65,535-PLU benchmark database, each PLU with a
// price-zone row and a price master row, beside its reference measured in the same run: the same rows
// deleted from their three tables directly, by their own keys, in one operation. Arg 0 is a ".pld"
// database, 1 an ".mdb". The time shown is the range delete's; counters give the reference's and the
// range delete's seconds and their ratio (the goal is at most 3: no per-PLU scan of the zone table).
#include "AgainstReference.h"
#include "BenchFiles.h"
#include "db/BenchPlu.h"
#include "app/PluListViewForm.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/plu/RuxPriceLayout.h"
#include "db/store/StoreTransaction.h"
#include "pluedit/PluListPanelForm.h"
#include "support/ScaleDataRegistration.h"
#include "settings/DeptCode.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;
constexpr std::uint16_t kPriceMasterTable = 87;
using bench::Clock;

std::string BenchPath(bool mdb) { return bench::BenchPath("range-delete", mdb ? "mdb" : "pld"); }

CPluPriceZoneTb* PriceZones(const CPluDatabase& db)
{
    return dynamic_cast<CPluPriceZoneTb*>(db.GetTable(CPluPriceZoneTb::kTableNo));
}

// Answers the range dialog with every PLU; nothing is open in the editor.
class RangeHost final : public IPluListViewHost {
public:
    std::optional<std::uint32_t> GetPluInEditor() const override { return std::nullopt; }
    void EditPlu(std::uint32_t) override {}
    void UpdateAllViews() override {}
    std::optional<std::uint32_t> PickPlu(std::uint32_t) override { return std::nullopt; }
    std::optional<PluDeleteRange> PickDeleteRange() override { return PluDeleteRange{false, 1, kPlus}; }
    std::optional<PasteChoice> AskPasteTarget(std::uint32_t, bool) override { return std::nullopt; }
    void RunPriceDialog(int, std::uint32_t, std::uint32_t) override {}
    void EditNutrition(NutritionDialog, std::uint32_t, bool) override {}
    void EditIngredients(std::uint32_t, std::uint16_t) override {}
    void PutPluBlock(const std::vector<std::uint8_t>&) override {}
    std::optional<std::vector<std::uint8_t>> GetPluBlock() const override { return std::nullopt; }
};

// A new database of every PLU, each with a zone price and a price master row; opened, or not.
bool Fill(CPluDatabase& db, const std::string& path)
{
    std::remove(path.c_str());
    db.CreateAllTables();
    if (!db.Create(path) || !db.Open(path)) return false;
    CPluDefTb& plus = *db.GetPluTable();
    CPluPriceZoneTb& zones = *PriceZones(db);
    CObjDBTable& masters = *db.GetTable(kPriceMasterTable);
    StoreTransaction operation(db);
    bool ok = true;
    for (std::uint32_t number = 1; ok && number <= kPlus; ++number) {
        const auto masterSize = static_cast<std::uint16_t>(kRuxPriceRecordSize);
        ok = bench::AddBenchPlu(plus, number) &&
             zones.WritePlu(number, {{2, 1005, static_cast<std::int32_t>(number)}}, nullptr) &&
             masters.AddRecord(number, masterSize, masters.CreateRecord(masterSize));
    }
    return operation.Commit() && ok;
}

// The keys of the table, highest first.
std::vector<std::uint32_t> Keys(const CObjDBTable& table)
{
    std::vector<std::uint32_t> keys;
    for (const auto& entry : table.GetIndex()) keys.push_back(entry.key);
    return {keys.rbegin(), keys.rend()};
}

double DeleteDirectly(CPluDatabase& db)
{
    std::vector<CObjDBTable*> tables = {db.GetPluTable(), PriceZones(db), db.GetTable(kPriceMasterTable)};
    std::vector<std::vector<std::uint32_t>> keys;
    for (const CObjDBTable* table : tables) keys.push_back(Keys(*table));
    const auto start = Clock::now();
    StoreTransaction operation(db);
    bool ok = true;
    for (std::size_t t = 0; t < tables.size(); ++t)
        for (const std::uint32_t key : keys[t]) ok = tables[t]->DeleteKey(key) && ok;
    ok = operation.Commit() && ok;
    return ok ? bench::SecondsSince(start) : -1;
}

double DeleteByRange(CPluDatabase& db, const test::TestMainFrame& frame)
{
    const CDeptCodeList departments;
    PluListPanelForm panel(db.GetPluTable(), departments, PluListSettings{});
    panel.Create({0, 0, 400, 110, 4, 8}, [](std::string_view text) { return static_cast<int>(text.size()) * 6; },
                 {"PLU No.", "Dept. & Group"});
    RangeHost host;
    PluListViewForm form(db, panel, frame, host, PluListViewSettings{});
    const auto start = Clock::now();
    const bool ok = form.DeletePluRange() && db.GetPluTable()->GetRecordCount() == 0 &&
                    PriceZones(db)->GetRecordCount() == 0 && db.GetTable(kPriceMasterTable)->GetRecordCount() == 0;
    return ok ? bench::SecondsSince(start) : -1;
}

void DeleteEveryPluByRange(benchmark::State& state)
{
    test::RegisterScaleDataTablesForTests();
    test::TestMainFrame frame;
    frame.m_priceZones.SetZone(2, "North");
    frame.m_priceZoneFields = {1005};
    const std::string path = BenchPath(state.range(0) != 0);
    double reference = 0;
    double store = 0;
    for (auto _ : state) {
        {
            CPluDatabase db;
            if (!Fill(db, path)) state.SkipWithError("filling the database failed");
            reference = DeleteDirectly(db);
        }
        {
            CPluDatabase db;
            if (!Fill(db, path)) state.SkipWithError("filling the database failed");
            store = DeleteByRange(db, frame);
        }
        state.SetIterationTime(std::max(store, 0.0));
    }
    std::remove(path.c_str());
    bench::ReportAgainstReference(state, "range_delete", reference, store, "a delete failed");
}

}  // namespace

BENCHMARK(DeleteEveryPluByRange)->Arg(0)->Arg(1)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)
    ->UseManualTime()->Unit(benchmark::kMillisecond);
