// A long send to a block scale whose connection drops instead of answering one block in fifty, in
// both forms: the send is run again until nothing is left, and every record arrives in exactly one
// block the scale answered; the queue ends empty.
#include "BlockScaleSimulator.h"
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "RealScaleLine.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "db/text/Bcd.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace varnel::test {
namespace {

using sorrel::Form;

constexpr std::uint32_t kPluCount = 10000;
constexpr std::uint16_t kPluTable = 2;
constexpr std::size_t kSendLimit = 100;

constexpr std::size_t kBodySize = 120;
constexpr std::size_t kRecordSize = 5 + kBodySize;

std::string BodyOf(std::uint32_t key) { return std::string(kBodySize, static_cast<char>('A' + key % 26)); }

// The keys of the records of a block, back to back: each 'P', the key in 4 packed-BCD bytes and the
// row's bytes. A record cut short is no record.
std::vector<std::uint32_t> KeysOf(const Bytes& payload)
{
    std::vector<std::uint32_t> keys;
    for (std::size_t at = 0; at + kRecordSize <= payload.size(); at += kRecordSize) {
        std::uint32_t key = 0;
        if (payload[at] == 'P' && UnpackBcdLong(key, std::span(payload).subspan(at + 1, 4), 8) &&
            Bytes(payload.begin() + static_cast<std::ptrdiff_t>(at + 5),
                  payload.begin() + static_cast<std::ptrdiff_t>(at + kRecordSize)) == ToBytes(BodyOf(key)))
            keys.push_back(key);
    }
    return keys;
}

class BlockSoak : public ::testing::TestWithParam<Form> {};

TEST_P(BlockSoak, TenThousandPlusArriveThroughDroppedConnections)
{
    const Form form = GetParam();
    TestMainFrame frame;
    frame.m_setup.m_usePing = 0;
    LinkTestDocument document(frame);
    for (std::uint32_t key = 1; key <= kPluCount; ++key) document.m_database.Table(kPluTable).AddRows({key}, BodyOf(key));

    FakeClock clock;
    TcpScaleLine line(&clock);
    BlockScaleSimulator sim(line, form);
    std::size_t blocks = 0;
    std::set<std::size_t> dropped;  // the messages answered by a dropped connection
    sim.SetScript([&blocks, &dropped](const BlockMessage& message, std::size_t index) -> std::optional<BlockAnswer> {
        if (message.payload.empty() || blocks++ % 50 != 25) return std::nullopt;
        dropped.insert(index);
        return BlockAnswer::Of(BlockAnswer::Kind::Drop);
    });
    sim.Start();

    ScriptedPinger pinger;
    CIdEnqLinkList links(clock, RealFileSystem());
    auto link = std::make_unique<CSorrelSocketLink>(clock, RealFileSystem(), pinger);
    link->m_linkId = 1;
    link->m_enabled = true;
    link->m_address = {127, 0, 0, 1};
    link->m_port = line.Port();
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 21;
    scale->m_enabled = true;
    scale->m_scaleType = form == Form::Long ? 10 : 8;
    link->m_scales.push_back(std::move(scale));
    links.Add(std::move(link));
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(WaitUntilIdle(links));

    RecordingWindow window;
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, kPluTable, 1, kPluCount)}, &window);
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone));
    std::size_t sends = 1;
    for (; links.IsDataWaiting(nullptr) && sends < kSendLimit; ++sends) {
        ASSERT_TRUE(WaitUntilIdle(links));
        links.SendUnsentData(nullptr, &window);
        ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone, sends + 1));
    }
    ASSERT_TRUE(WaitUntilIdle(links));
    links.StopLinks(false);
    sim.Stop();

    EXPECT_FALSE(links.IsDataWaiting(nullptr));
    EXPECT_GE(dropped.size(), 2u);
    EXPECT_GT(sends, 2u);  // the drops ended sends, which had to be run again
    std::map<std::uint32_t, std::size_t> arrivals;
    const std::vector<BlockMessage> messages = sim.Messages();
    for (std::size_t index = 0; index < messages.size(); ++index) {
        if (messages[index].payload.empty() || dropped.contains(index)) continue;
        EXPECT_EQ(messages[index].payload.size() % kRecordSize, 0u);
        for (const std::uint32_t key : KeysOf(messages[index].payload)) ++arrivals[key];
    }
    ASSERT_EQ(arrivals.size(), kPluCount);
    EXPECT_EQ(arrivals.begin()->first, 1u);
    EXPECT_EQ(arrivals.rbegin()->first, kPluCount);
    EXPECT_TRUE(std::ranges::all_of(arrivals, [](const auto& arrival) { return arrival.second == 1; }));
}

INSTANTIATE_TEST_SUITE_P(Forms, BlockSoak, ::testing::Values(Form::Short, Form::Long),
                         [](const ::testing::TestParamInfo<Form>& param) {
                             return param.param == Form::Short ? "Short" : "Long";
                         });

}  // namespace
}  // namespace varnel::test
