// The site the link benchmarks send from: the tests' main frame with the PLU fields the records need
// and a document whose database holds `count` PLUs, each with a two-line description, a price and a
// department; and the timed send of them all.
#pragma once

#include "BenchDescription.h"
#include "RecordingWindow.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/plu/Document.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "platform/Clock.h"
#include "support/TestMainFrame.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>

namespace varnel::bench {

class PluSendDocument final : public IDocument {
public:
    bool SendData(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return false; }
    MessageId SendDataNow(std::uint32_t, bool, const SendRequests&, const CMasterScale*) override { return 0; }
    CObjDatabase* GetPluDatabase() const override { return &m_database; }
    mutable CPluDatabase m_database;
};

struct PluSendSite {
    explicit PluSendSite(std::uint32_t count)
    {
        frame.m_setup.m_usePing = 0;
        frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
        frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
        frame.SelectScaleFontSet();
        frame.m_document = &document;
        document.m_database.CreateAllTables();
        CPluDefTb& plus = *document.m_database.GetPluTable();
        for (std::uint32_t number = 1; number <= count; ++number) {
            auto row = std::make_unique<CPluDefRec>();
            plus.InitNewPlu(number, *row);
            row->SetDesc(BenchDescription(number), plus.GetRoles().Text().chars);
            row->Set(PluCol::UnitPrice, static_cast<std::int32_t>(number % 5000));
            row->Set(PluCol::Dept, static_cast<std::uint16_t>(number % 100));
            const std::uint16_t size = row->CalcDataSize();
            plus.AddPlu(number, size, std::move(row));
        }
    }
    ~PluSendSite() { frame.m_document = nullptr; }
    PluSendSite(const PluSendSite&) = delete;
    PluSendSite& operator=(const PluSendSite&) = delete;

    test::TestMainFrame frame;
    PluSendDocument document;
};

// Starts the links and waits until they are idle; then, timed, queues every PLU to every scale and
// waits until each of `linkCount` links has posted its completion. The seconds of the timed part.
inline double SendEveryPlu(benchmark::State& state, CIdEnqLinkList& links, PluSendSite& site, std::uint32_t count,
                           std::size_t linkCount)
{
    links.StartLinks(&site.document, LinkRoles::Of(site.frame), false);
    const auto guard = SystemClock().MonotonicNow() + std::chrono::seconds(60);
    for (const auto& link : links.GetLinks())
        if (!link->WaitWorkerIdle(SystemClock(), guard)) {
            state.SkipWithError("a link never became idle");
            return 0;
        }
    test::RecordingWindow window;
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, count)}, &window);
    window.WaitFor(CIdEnqLink::ResultDone, linkCount);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.PauseTiming();
    return elapsed.count();
}

}  // namespace varnel::bench
