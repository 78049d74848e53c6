// The PLU edit window's form over the 65,535-PLU benchmark database, in head-office mode with a zone
// selected whose prices every tenth PLU overrides: each PLU loaded in turn and every field's text
// made, and the loads alone. "ratio" compares each with reading the same rows and zone entries from
// the record store in the thread's processor time, each pass of the form with a reading pass just
// before it, as the median of those (goal: within 3).
#include "db/BenchPlu.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "pluedit/PluEditForm.h"
#include "settings/DeptCode.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;
constexpr std::uint16_t kZone = 3;

std::string BenchPath()
{
    char path[80];
    std::snprintf(path, sizeof path, "/tmp/varnel-plu-edit-bench-%d.pld", static_cast<int>(::getpid()));
    return path;
}

class NoServices final : public IPluEditServices {
public:
    std::optional<std::uint32_t> PickFieldNumber(std::uint16_t, std::uint32_t) override { return std::nullopt; }
    int GetPluPromotionState(std::uint32_t) override { return 0; }
    void EditPluPromotion(std::uint32_t) override {}
    bool EditExtraPrices(std::uint32_t, ExtraPriceRecords&) override { return false; }
    void InitExtraPriceRecord(std::span<std::uint8_t>, std::uint32_t) override {}
    std::optional<std::string> GetExtraMessageText(int, std::uint32_t) override { return std::nullopt; }
    bool SavePluRecord(CPluDefRec&, std::uint32_t, bool) override { return false; }
    std::optional<std::uint32_t> SelectPluNumber(std::uint32_t) override { return std::nullopt; }
    std::optional<std::uint32_t> EditNutrition(NutritionDialog, std::uint32_t, bool) override { return std::nullopt; }
    bool EditIngredients(std::uint32_t, std::uint16_t) override { return false; }
};

// The site: twenty displayed PLU fields, three zones, head-office mode.
struct Site {
    Site()
    {
        for (const std::uint16_t field : {1002, 1003, 1004, 1005, 1007, 1010, 1011, 1012, 1014, 1015, 1016, 1017,
                                          1018, 1019, 1021, 1022, 1023, 1026, 1036, 1037}) {
            CLabProp& definition = frame.AddFieldDef(FieldDefMap::Plu, field);
            definition.m_name = "Field " + std::to_string(field);
            definition.m_width = 6;
            definition.m_decimals = field == 1005 || field == 1004 ? 2 : 0;
            definition.m_max = 999999;
        }
        for (std::uint16_t zone = 1; zone <= 3; ++zone) frame.m_priceZones.SetZone(zone, "Zone");
        frame.m_priceZoneFields = {1004, 1005};
        frame.m_setup.m_priceZoneMode = 2;
        document.lastZone = kZone;
        settings.headOffice = true;
    }

    test::TestMainFrame frame;
    CPluDatabase db;
    CDeptCodeList departments;
    PluEditSettings settings;
    PluEditDocState document;
    NoServices services;
};

Site& BenchSite()
{
    static Site site;
    static bool made = false;
    if (made) return site;
    made = true;
    const std::string path = BenchPath();
    std::remove(path.c_str());
    site.db.CreateAllTables();
    if (!site.db.Create(path) || !site.db.Open(path)) return site;
    CPluDefTb& plus = *site.db.GetPluTable();
    CPluPriceZoneTb& zones = *plus.GetPriceZoneTable();
    for (std::uint32_t number = 1; number <= kPlus; ++number) {
        auto row = std::make_unique<CPluDefRec>();
        bench::MakeBenchPlu(plus, *row, number);
        const std::uint16_t size = row->CalcDataSize();
        plus.AddPlu(number, size, std::move(row));
        if (number % 10 == 0)
            (void)zones.SetZoneValue(number, 1005, kZone, static_cast<std::int32_t>(number),
                                     dynamic_cast<const CPluDefRec*>(plus.FindRecord(number)));
    }
    std::atexit([] { std::remove(BenchPath().c_str()); });
    return site;
}

// The calling thread's processor time: other programs on a busy machine weigh less on it than on
// the wall clock.
double ThreadSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Every row and its zone entries read from the record store once; the seconds it took.
double ReadPass(Site& site)
{
    CPluDefTb& plus = *site.db.GetPluTable();
    CPluPriceZoneTb& zones = *plus.GetPriceZoneTable();
    const double start = ThreadSeconds();
    for (std::uint32_t number = 1; number <= kPlus; ++number) {
        CPluDefRec copy(*dynamic_cast<const CPluDefRec*>(plus.FindRecord(number)));
        PriceZoneEntries entries;
        (void)zones.LoadZoneEntries(number, kZone, entries);
        benchmark::DoNotOptimize(copy.Get(PluCol::UnitPrice));
        benchmark::DoNotOptimize(entries.size());
    }
    return ThreadSeconds() - start;
}

// Every PLU loaded into the form once, with or without every field's text; the seconds it took.
double FormPass(PluEditForm& form, bool showFields)
{
    std::size_t characters = 0;
    const double start = ThreadSeconds();
    for (std::uint32_t number = 1; number <= kPlus; ++number) {
        (void)form.ShowPlu(number);
        if (!showFields) continue;
        for (const PluShownText& shown : form.GetFieldTexts()) characters += shown.text.size();
        characters += form.GetLengthText().size();
    }
    const double seconds = ThreadSeconds() - start;
    benchmark::DoNotOptimize(characters);
    return seconds;
}

void ReadRowsAndZoneEntries(benchmark::State& state)
{
    Site& site = BenchSite();
    for (auto _ : state) benchmark::DoNotOptimize(ReadPass(site));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
}

// Each pass of the form follows a reading pass (outside the time reported) that it is compared
// with; the ratio is the median of those comparisons.
void Load(benchmark::State& state, bool showFields)
{
    Site& site = BenchSite();
    PluEditForm form(PluEditSite{site.db, site.frame.m_priceZones, site.departments, site.settings,
                                 LabelTextSettings(), site.document, site.services, site.frame, site.frame});
    form.Build(FormUnits{6, 13});
    std::vector<double> ratios;
    for (auto _ : state) {
        state.PauseTiming();
        const double read = ReadPass(site);
        state.ResumeTiming();
        ratios.push_back(FormPass(form, showFields) / read);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPlus);
    std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2), ratios.end());
    if (!ratios.empty()) state.counters["ratio"] = ratios[ratios.size() / 2];
}

void LoadEveryPlu(benchmark::State& state) { Load(state, false); }
void LoadAndShowEveryField(benchmark::State& state) { Load(state, true); }

BENCHMARK(ReadRowsAndZoneEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadEveryPlu)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndShowEveryField)->Unit(benchmark::kMillisecond);

}  // namespace
