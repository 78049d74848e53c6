// Saving the unsent-data file with one long queue on one scale, as another process's jobs are merged
// in: the merge and the removal of duplicate jobs must stay linear in the queue.
#include "comms/manager/IdEnqLinkList.h"
#include "MemoryLink.h"
#include "platform/LocalTime.h"
#include "support/FakeClock.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace varnel::test {
namespace {

void SaveUnsentData(benchmark::State& state)
{
    TempDir dir;
    const std::string path = dir.File("b.pld.usd");
    FakeClock clock{DateTimeParts{2024, 5, 6, 7, 8, 9}};
    CIdEnqLinkList list(clock, RealFileSystem());
    auto link = std::make_unique<MemoryLink>();
    link->m_linkId = 1;
    link->m_scales.push_back(std::make_unique<CLinkScale>());
    link->m_scales.back()->m_scaleNo = 1;
    list.Add(std::move(link));
    SendQueue& queue = list.FindScale(1)->m_sendQueue;
    const auto jobs = static_cast<std::uint32_t>(state.range(0));
    for (std::uint32_t key = 0; key < jobs; ++key) {
        auto job = std::make_unique<CSendDataLog>(SendRecords, 2, key, key);
        job->m_queued = {ToLocalOleDate(clock.WallNow()) + key / 86400.0, DateTimeStatus::Valid};
        queue.push_back(std::move(job));
    }
    for (auto _ : state) benchmark::DoNotOptimize(list.SaveUnsentData(path));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(SaveUnsentData)->Arg(5000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace varnel::test
