// Opening a 65,535-PLU database through the document (table cache, open, version check; the links
// not started) beside the record store's own open of the same file, for ".pld" and ".mdb". The
// document should add no more than a tenth to the store's time.
#include "BenchFiles.h"
#include "app/Vrn3Doc.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/PluDefRec.h"
#include "db/plu/PluDefTb.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace varnel;

constexpr std::uint32_t kPlus = 65535;

// A frame without links, with on-line communication off, so the open starts nothing.
class BenchHost final : public IDocumentHost {
public:
    explicit BenchHost(IMainFrame& frame) : m_frame(frame) {}

    RunMode GetRunMode() const override { return RunMode::Normal; }
    DocumentSwitches GetDocumentSwitches() const override { return {}; }
    void RegisterDocument(CVrn3Doc*) override {}
    std::string GetLastDatabasePath() const override { return m_last; }
    void SetLastDatabasePath(const std::string& path) override { m_last = path; }
    CMasterScale* GetCurrentDepartment() const override { return nullptr; }
    std::string GetBackupDirectory() const override { return {}; }
    CIdEnqLinkList& GetLinks() override { return m_links; }
    LinkRoles GetLinkRoles() override { return LinkRoles::Of(m_frame); }
    void SetLinksStarted(bool) override {}
    std::string GetDatabaseFilter() const override { return {}; }
    std::string GetDatabaseExtension() const override { return "pld"; }

private:
    IMainFrame& m_frame;
    std::string m_last;
    CIdEnqLinkList m_links;
};

std::string BenchPath(const char* extension) { return bench::BenchPath("doc-bench", extension); }

// The same PLUs in both kinds of file, made once.
void MakeFiles()
{
    static bool made = false;
    if (made) return;
    made = true;
    bench::RemoveAtExit(BenchPath("pld"));
    bench::RemoveAtExit(BenchPath("mdb"));
    // The ".pld" file record by record; the ".mdb" file written whole from it.
    CPluDatabase database;
    database.CreateAllTables();
    const std::string pld = BenchPath("pld");
    if (!database.Create(pld) || !database.Open(pld)) std::abort();
    std::vector<CDBKeyIndex::Entry> rows;
    for (std::uint32_t plu = 1; plu <= kPlus; ++plu) {
        auto row = std::make_unique<CPluDefRec>();
        database.GetPluTable()->InitNewPlu(plu, *row);
        row->SetDesc("Item " + std::to_string(plu), database.GetPluTable()->GetRoles().Text().chars);
        const std::uint16_t size = row->CalcDataSize();
        row->SetHeader(CPluDefTb::kTableNo, size, size, plu);
        rows.push_back({plu, std::move(row)});
    }
    (void)database.GetPluTable()->AddLoadedRecords(std::move(rows));
    if (!database.Compact() || !database.ExportToMdb(BenchPath("mdb"))) std::abort();
    (void)database.Close();
}

void BM_StoreOpen(benchmark::State& state, const char* extension)
{
    test::TestMainFrame frame;
    frame.m_setup.m_onlineComms = 0;
    MakeFiles();
    const std::string path = BenchPath(extension);
    for (auto _ : state) {
        state.PauseTiming();
        auto database = std::make_unique<CPluDatabase>();
        state.ResumeTiming();
        database->CreateAllTables();
        if (!database->Open(path)) state.SkipWithError("open failed");
        state.PauseTiming();
        database.reset();
        state.ResumeTiming();
    }
}

void BM_DocumentOpen(benchmark::State& state, const char* extension)
{
    test::TestMainFrame frame;
    frame.m_setup.m_onlineComms = 0;
    MakeFiles();
    const std::string path = BenchPath(extension);
    BenchHost host(frame);
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<CVrn3Doc>(host);
        state.ResumeTiming();
        if (!document->OpenDatabase(path)) state.SkipWithError("open failed");
        state.PauseTiming();
        document.reset();  // without the compaction of a close
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(BM_StoreOpen, pld, "pld")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DocumentOpen, pld, "pld")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StoreOpen, mdb, "mdb")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DocumentOpen, mdb, "mdb")->Unit(benchmark::kMillisecond);

}  // namespace
