// The 65,535-PLU database sent to a family-10 block scale (the long form: one connection, each block
// answered by a 20-byte reply) on loopback TCP, 100 records a block, through the link manager as a send
// from the Communication Center runs. Against it, the protocol's own bound: each block waits for its
// reply before the next goes, so the send takes at least (its blocks) x (one small message's round trip)
// plus (its bytes) at the loopback's one-way rate, both measured here in the same run. Counters: the
// blocks and bytes sent, the round trip in microseconds, the rate in MB/s, the bound and the time in
// seconds and the ratio of the time to the bound.
#include "BlockScaleSimulator.h"
#include "PluSendSite.h"
#include "RealScaleLine.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/sorrel/SorrelSocketLink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

using namespace varnel;
using namespace varnel::test;

constexpr std::uint32_t kPlus = 65535;
constexpr std::uint16_t kFamily = 10;
constexpr std::uint16_t kRecordsPerBlock = 100;
constexpr int kRoundTrips = 5000;
constexpr std::size_t kRequestSize = sorrel::kHeaderSize;
constexpr std::size_t kReplySize = sorrel::kHeaderSize + sorrel::kReplyBodySize;
constexpr std::size_t kBulkBytes = 64u << 20;
constexpr std::size_t kBulkPiece = 64u << 10;
constexpr std::chrono::seconds kLimit(5);

bool ReceiveExactly(CBlockingSocket& socket, std::span<std::uint8_t> into)
{
    for (std::size_t got = 0; got < into.size();) {
        const Result<std::size_t> read = socket.Receive(into.subspan(got), kLimit);
        if (!read || *read == 0) return false;
        got += *read;
    }
    return true;
}

// A connected loopback pair: the client's side and the peer's.
struct LoopbackPair {
    LoopbackPair()
    {
        (void)listener.Create(CBlockingSocket::Type::Stream);
        (void)listener.Bind({{127, 0, 0, 1}, 0});
        (void)listener.Listen(1);
        (void)client.Create(CBlockingSocket::Type::Stream);
        (void)client.ConnectTimed(*listener.LocalAddress(), kLimit, nullptr);
        if (Result<CBlockingSocket> accepted = listener.Accept(kLimit)) peer = std::move(*accepted);
    }
    CBlockingSocket listener;
    CBlockingSocket client;
    CBlockingSocket peer;
};

// One block's exchange without its records: an 8-byte header out, the 20-byte reply back; seconds each.
double TimeRoundTrip()
{
    LoopbackPair pair;
    std::thread answering([&pair] {
        std::array<std::uint8_t, kRequestSize> request{};
        const std::array<std::uint8_t, kReplySize> reply{};
        for (int i = 0; i < kRoundTrips && ReceiveExactly(pair.peer, request); ++i) (void)pair.peer.SendAll(reply, kLimit);
    });
    const std::array<std::uint8_t, kRequestSize> request{};
    std::array<std::uint8_t, kReplySize> reply{};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRoundTrips; ++i) {
        (void)pair.client.SendAll(request, kLimit);
        (void)ReceiveExactly(pair.client, reply);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    answering.join();
    return elapsed.count() / kRoundTrips;
}

// Bytes a second one way, until the peer has read them all.
double TimeBulkRate()
{
    LoopbackPair pair;
    std::thread reading([&pair] {
        std::vector<std::uint8_t> piece(kBulkPiece);
        for (std::size_t got = 0; got < kBulkBytes; got += kBulkPiece)
            if (!ReceiveExactly(pair.peer, piece)) return;
        (void)pair.peer.SendAll(std::array<std::uint8_t, 1>{}, kLimit);
    });
    const std::vector<std::uint8_t> piece(kBulkPiece);
    std::array<std::uint8_t, 1> done{};
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t sent = 0; sent < kBulkBytes; sent += kBulkPiece) (void)pair.client.SendAll(piece, kLimit);
    (void)ReceiveExactly(pair.client, done);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    reading.join();
    return static_cast<double>(kBulkBytes) / elapsed.count();
}

// The median of three runs of a measure.
double MedianOfThree(double (*measure)())
{
    std::array<double, 3> runs{measure(), measure(), measure()};
    std::ranges::sort(runs);
    return runs[1];
}

void SendDatabaseToABlockScale(benchmark::State& state)
{
    static bench::PluSendSite site(kPlus);
    const double roundTrip = MedianOfThree(TimeRoundTrip);
    const double rate = MedianOfThree(TimeBulkRate);
    std::size_t blocks = 0;
    std::size_t bytes = 0;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TcpScaleLine line(nullptr);
        BlockScaleSimulator sim(line, sorrel::Form::Long);
        sim.Start();
        CIdEnqLinkList links;
        auto link = std::make_unique<CSorrelSocketLink>();
        link->m_linkId = 1;
        link->m_enabled = true;
        link->m_address = {127, 0, 0, 1};
        link->m_port = line.Port();
        link->m_recordsPerBlock = kRecordsPerBlock;
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = 1;
        scale->m_enabled = true;
        scale->m_scaleType = kFamily;
        CLinkScale& target = *scale;
        link->m_scales.push_back(std::move(scale));
        links.Add(std::move(link));
        seconds = bench::SendEveryPlu(state, links, site, kPlus, 1);
        if (target.GetRecordCounter() != kPlus) state.SkipWithError("the scale did not get every PLU");
        links.StopLinks(false);
        sim.Stop();
        blocks = 0;
        bytes = 0;
        for (const BlockMessage& message : sim.Messages()) {
            if (!message.payload.empty()) ++blocks;
            bytes += message.wire.size();
        }
        state.ResumeTiming();
    }
    const double bound = static_cast<double>(blocks) * roundTrip + static_cast<double>(bytes) / rate;
    state.counters["blocks"] = static_cast<double>(blocks);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["round_trip_us"] = roundTrip * 1e6;
    state.counters["rate_MBps"] = rate / 1e6;
    state.counters["bound_s"] = bound;
    state.counters["time_s"] = seconds;
    state.counters["time/bound"] = bound > 0 ? seconds / bound : 0;
}
BENCHMARK(SendDatabaseToABlockScale)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
