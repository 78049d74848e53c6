// The 65,535-PLU database sent to four family-0 scales on loopback TCP at once, each a scale simulator
// behind its own listener, through the link manager as a send from the Communication Center runs.
// Against it, the protocol's own bound: every frame waits for its ACK before the next goes, so one
// scale's send takes at least (its frames) x (one frame's round trip), measured here on the same
// loopback with four pairs at once, each a peer that answers every frame at once. Counters: the frames each scale took, the
// round trip in microseconds, the bound in seconds and the ratio of the real time to the bound.
#include "PluSendSite.h"
#include "RealScaleLine.h"
#include "ScaleSimulator.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/idenq/IdEnqSocketLink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

namespace {

using namespace varnel;
using namespace varnel::test;

constexpr std::uint32_t kPlus = 65535;
constexpr std::size_t kScales = 4;
constexpr int kRoundTrips = 5000;
constexpr std::size_t kFrameSize = 256;

// One loopback TCP pair: a frame out, the one-byte answer back, kRoundTrips times; the seconds taken.
double TimeRoundTrips()
{
    CBlockingSocket listener;
    (void)listener.Create(CBlockingSocket::Type::Stream);
    (void)listener.Bind({{127, 0, 0, 1}, 0});
    (void)listener.Listen(1);
    CBlockingSocket client;
    (void)client.Create(CBlockingSocket::Type::Stream);
    (void)client.ConnectTimed(*listener.LocalAddress(), std::chrono::seconds(5), nullptr);
    Result<CBlockingSocket> accepted = listener.Accept(std::chrono::seconds(5));
    std::thread peer([&] {
        std::array<std::uint8_t, kFrameSize> frame{};
        const std::array<std::uint8_t, 1> ack{0x06};
        for (int i = 0; i < kRoundTrips; ++i) {
            for (std::size_t got = 0; got < frame.size();) {
                const Result<std::size_t> read = accepted->Receive(std::span(frame).subspan(got), std::chrono::seconds(5));
                if (!read || *read == 0) return;
                got += *read;
            }
            (void)accepted->SendAll(ack, std::chrono::seconds(5));
        }
    });
    const std::array<std::uint8_t, kFrameSize> frame{};
    std::array<std::uint8_t, 1> answer{};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRoundTrips; ++i) {
        (void)client.SendAll(frame, std::chrono::seconds(5));
        (void)client.Receive(answer, std::chrono::seconds(5));
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    peer.join();
    return elapsed.count();
}

// One frame's round trip with as many loopback pairs busy at once as there are scales, as the links
// and their scales share the machine: the median of a few runs, each the slowest pair's time per frame.
double MeasureRoundTripSeconds()
{
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        std::vector<double> seconds(kScales);
        std::vector<std::thread> pairs;
        for (std::size_t i = 0; i < kScales; ++i) pairs.emplace_back([&seconds, i] { seconds[i] = TimeRoundTrips(); });
        for (std::thread& pair : pairs) pair.join();
        runs.push_back(*std::ranges::max_element(seconds) / kRoundTrips);
    }
    std::ranges::sort(runs);
    return runs[runs.size() / 2];
}

void SendDatabaseToFourScales(benchmark::State& state)
{
    static bench::PluSendSite site(kPlus);
    const double roundTrip = MeasureRoundTripSeconds();
    std::size_t framesPerScale = 0;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<TcpScaleLine>> lines;
        std::vector<std::unique_ptr<ScaleSimulator>> sims;
        CIdEnqLinkList links;
        for (std::uint16_t i = 0; i < kScales; ++i) {
            lines.push_back(std::make_unique<TcpScaleLine>(nullptr));
            sims.push_back(std::make_unique<ScaleSimulator>(*lines.back(), std::set<std::uint16_t>{1}));
            sims.back()->Start();
            auto link = std::make_unique<CIdEnqSocketLink>();
            link->m_linkId = static_cast<std::uint16_t>(i + 1);
            link->m_enabled = true;
            link->m_address = {127, 0, 0, 1};
            link->m_port = lines.back()->Port();
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = static_cast<std::uint16_t>(i + 1);
            scale->m_machineNo = 1;
            scale->m_scaleType = 0;
            link->m_scales.push_back(std::move(scale));
            links.Add(std::move(link));
        }
        seconds = bench::SendEveryPlu(state, links, site, kPlus, kScales);
        framesPerScale = 0;
        for (const auto& sim : sims) {
            if (sim->Packets(1).size() != kPlus) state.SkipWithError("a scale did not get every PLU");
            framesPerScale = std::max(framesPerScale, sim->FramesSeen());
        }
        links.StopLinks(false);
        state.ResumeTiming();
    }
    const double bound = static_cast<double>(framesPerScale) * roundTrip;
    state.counters["frames/scale"] = static_cast<double>(framesPerScale);
    state.counters["round_trip_us"] = roundTrip * 1e6;
    state.counters["bound_s"] = bound;
    state.counters["time_s"] = seconds;
    state.counters["time/bound"] = bound > 0 ? seconds / bound : 0;
}
BENCHMARK(SendDatabaseToFourScales)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
