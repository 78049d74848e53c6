// The 65,535-PLU database sent to four family-0 scales on loopback TCP at once, each a scale simulator
// behind its own listener, through the link manager as a send from the Communication Center runs.
// Against it, the protocol's own bound: every frame waits for its ACK before the next goes, so one
// scale's send takes at least (its frames) x (one frame's round trip), measured on the same loopback
// with four pairs at once, each a peer that answers every frame at once, with frames of the send's
// mean size. The machine may be shared: each round sends and then measures its bound, so both see the
// same load, and the counters are the medians of the rounds. Counters: the frames each scale took, the
// round trip in microseconds, the bound and the time in seconds and the ratio of the time to the bound.
#include "PluSendSite.h"
#include "RealScaleLine.h"
#include "ScaleSimulator.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/idenq/IdEnqSocketLink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

using namespace varnel;
using namespace varnel::test;

constexpr std::uint32_t kPlus = 65535;
constexpr std::size_t kScales = 4;
constexpr int kRoundTrips = 10000;
constexpr int kRounds = 5;
constexpr std::chrono::seconds kLimit(5);

// One loopback TCP pair: a frame of `frameSize` bytes out, the one-byte answer back, kRoundTrips
// times; the seconds taken.
double TimeRoundTrips(std::size_t frameSize)
{
    CBlockingSocket listener;
    (void)listener.Create(CBlockingSocket::Type::Stream);
    (void)listener.Bind({{127, 0, 0, 1}, 0});
    (void)listener.Listen(1);
    CBlockingSocket client;
    (void)client.Create(CBlockingSocket::Type::Stream);
    (void)client.ConnectTimed(*listener.LocalAddress(), kLimit, nullptr);
    Result<CBlockingSocket> accepted = listener.Accept(kLimit);
    std::thread peer([&] {
        std::vector<std::uint8_t> frame(frameSize);
        const std::array<std::uint8_t, 1> ack{0x06};
        for (int i = 0; i < kRoundTrips; ++i) {
            for (std::size_t got = 0; got < frame.size();) {
                const Result<std::size_t> read = accepted->Receive(std::span(frame).subspan(got), kLimit);
                if (!read || *read == 0) return;
                got += *read;
            }
            (void)accepted->SendAll(ack, kLimit);
        }
    });
    const std::vector<std::uint8_t> frame(frameSize);
    std::array<std::uint8_t, 1> answer{};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRoundTrips; ++i) {
        (void)client.SendAll(frame, kLimit);
        (void)client.Receive(answer, kLimit);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    peer.join();
    return elapsed.count();
}

// One frame's round trip with as many loopback pairs busy at once as there are scales, as the links
// and their scales share the machine: the slowest pair's time per frame.
double MeasureRoundTripSeconds(std::size_t frameSize)
{
    std::vector<double> seconds(kScales);
    std::vector<std::thread> pairs;
    for (std::size_t i = 0; i < kScales; ++i)
        pairs.emplace_back([&seconds, i, frameSize] { seconds[i] = TimeRoundTrips(frameSize); });
    for (std::thread& pair : pairs) pair.join();
    return *std::ranges::max_element(seconds) / kRoundTrips;
}

struct Send {
    double seconds = 0;
    std::size_t framesPerScale = 0;
    std::size_t meanFrameSize = 0;
};

Send SendToFourScales(benchmark::State& state, bench::PluSendSite& site)
{
    std::vector<std::unique_ptr<TcpScaleLine>> lines;
    std::vector<std::unique_ptr<ScaleSimulator>> sims;
    CIdEnqLinkList links;
    for (std::uint16_t i = 0; i < kScales; ++i) {
        lines.push_back(std::make_unique<TcpScaleLine>(nullptr));
        sims.push_back(std::make_unique<ScaleSimulator>(*lines.back(), std::set<std::uint16_t>{1}));
        sims.back()->CountOnly();
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
    Send send;
    send.seconds = bench::SendEveryPlu(state, links, site, kPlus, kScales);
    for (const auto& sim : sims) {
        if (sim->PacketCount(1) != kPlus) state.SkipWithError("a scale did not get every PLU");
        send.framesPerScale = std::max(send.framesPerScale, sim->FramesSeen());
    }
    if (send.framesPerScale > 0) send.meanFrameSize = sims.front()->WireBytes() / sims.front()->FramesSeen();
    links.StopLinks(false);
    return send;
}

double Median(std::vector<double> values)
{
    std::ranges::sort(values);
    return values.empty() ? 0 : values[values.size() / 2];
}

void SendDatabaseToFourScales(benchmark::State& state)
{
    static bench::PluSendSite site(kPlus);
    std::vector<double> times;
    std::vector<double> roundTrips;
    std::vector<double> ratios;
    std::size_t framesPerScale = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const Send send = SendToFourScales(state, site);
        const double roundTrip = MeasureRoundTripSeconds(std::max<std::size_t>(send.meanFrameSize, 1));
        framesPerScale = send.framesPerScale;
        times.push_back(send.seconds);
        roundTrips.push_back(roundTrip);
        ratios.push_back(send.seconds / (static_cast<double>(send.framesPerScale) * roundTrip));
        state.ResumeTiming();
    }
    const double roundTrip = Median(roundTrips);
    state.counters["frames/scale"] = static_cast<double>(framesPerScale);
    state.counters["round_trip_us"] = roundTrip * 1e6;
    state.counters["bound_s"] = static_cast<double>(framesPerScale) * roundTrip;
    state.counters["time_s"] = Median(times);
    state.counters["time/bound"] = Median(ratios);
    state.counters["best_ratio"] = *std::ranges::min_element(ratios);
    state.counters["worst_ratio"] = *std::ranges::max_element(ratios);
}
BENCHMARK(SendDatabaseToFourScales)->Unit(benchmark::kSecond)->Iterations(kRounds)->UseRealTime();

}  // namespace
