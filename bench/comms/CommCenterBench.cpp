// The Communication Center's timer tick over 999 links: the status of every scale refreshed and every
// button's enabling decided, as the view does each second during an operation. "ratio" is the tick's
// time over a bare walk that reads the same facts of every scale into rows (measured in the same run);
// "timer_share" is the tick's part of the one-second timer.
#include "center/FakeCenterHost.h"
#include "comms/center/CommCenterForm.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/manager/IdEnqLinkList.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace varnel::test {
namespace {

constexpr std::uint16_t kLinks = 999;

CIdEnqLinkList& Links()
{
    static CIdEnqLinkList links;
    if (links.GetLinks().empty())
        for (std::uint16_t linkNo = 1; linkNo <= kLinks; ++linkNo) {
            auto link = std::make_unique<CIdEnqSocketLink>();
            link->m_linkId = linkNo;
            link->m_enabled = linkNo % 7 != 0;
            link->m_name = "Link " + std::to_string(linkNo);
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = linkNo;
            scale->m_scaleType = static_cast<std::uint16_t>(linkNo % 13);
            scale->m_name = "Scale " + std::to_string(linkNo);
            link->m_scales.push_back(std::move(scale));
            links.Add(std::move(link));
        }
    return links;
}

double g_walkSeconds = 0;

// The least a refresh must do: each scale's facts read into a row of texts.
void BareWalk(benchmark::State& state)
{
    std::vector<CommCenterForm::Row> rows(kLinks);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::size_t i = 0;
        for (const auto& link : Links().GetLinks())
            for (const auto& scale : link->m_scales) {
                CommCenterForm::Row& row = rows[i++];
                const bool on = link->m_enabled && scale->m_enabled;
                row.enabled = on ? "Yes" : "No";
                row.status = on ? (scale->IsOnline() ? "Connected" : "Not Connected") : "";
                row.dataWaiting = on ? (link->HasUnsentData() ? "Yes" : "No") : "";
            }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(rows.data());
    }
    g_walkSeconds = seconds / static_cast<double>(state.iterations());
}

void TimerTick(benchmark::State& state)
{
    FakeHost host;
    host.kinds.kinds.set(4).set(12).set(61);
    host.families = {0, 2, 9, 10, 11};
    CommCenterForm form(Links(), host);
    constexpr CommControl kControls[] = {CommControl::Send,       CommControl::Receive,  CommControl::Compare,
                                         CommControl::DeleteRange, CommControl::DeleteAll, CommControl::RangeEdits,
                                         CommControl::ScaleCombo,  CommControl::Tab,       CommControl::Close};
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        form.OnTimer();
        int enabled = 0;
        for (const CommControl control : kControls) enabled += form.IsEnabled(control) ? 1 : 0;
        enabled += form.IsTestAllEnabled() + form.IsEnableAllEnabled() + form.IsTestLinkEnabled() +
                   form.IsClearWaitingEnabled() + form.IsEnableDisableEnabled();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(enabled);
    }
    const double perTick = seconds / static_cast<double>(state.iterations());
    if (g_walkSeconds > 0) state.counters["ratio"] = perTick / g_walkSeconds;
    state.counters["timer_share"] = perTick / std::chrono::duration<double>(CommCenterForm::kBusyInterval).count();
}

// The walk first: the tick's ratio is to its time.
BENCHMARK(BareWalk)->Unit(benchmark::kMicrosecond);
BENCHMARK(TimerTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnel::test
