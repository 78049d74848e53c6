// A long send through a line that loses or refuses frames now and then: every record arrives exactly
// once, in order. The records come from a test table (packed-BCD keys, so 03 and 17 bytes abound, and
// some records need several frames).
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "ScaleSimulator.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

constexpr std::uint32_t kPluCount = 10000;

std::string BodyOf(std::uint32_t key) { return std::string(20 + key % 300, static_cast<char>('A' + key % 26)); }

TEST(LinkSoak, TenThousandPlusArriveExactlyOnceThroughNaksAndLostFrames)
{
    TestMainFrame frame;
    LinkTestDocument document(frame);
    ScaleDataTable& plus = document.m_database.Table(2);
    std::vector<Bytes> expected;
    for (std::uint32_t key = 1; key <= kPluCount; ++key) {
        plus.AddRows({key}, BodyOf(key));
        expected.push_back(ScaleRecordOf('P', key, BodyOf(key)));
    }

    FakeClock clock;
    InMemoryLine line(clock);
    ScaleSimulator sim(line, {7});
    // One frame in fifty is refused or lost, by turns.
    sim.SetFaults([](ScaleFaults& f) {
        f.nakFrame = [](std::size_t frameIndex) { return frameIndex % 100 == 25; };
        f.dropFrame = [](std::size_t frameIndex) { return frameIndex % 100 == 75; };
    });
    sim.Start();
    RecordingWindow window;
    MemoryLink link(line);
    link.m_linkId = 1;
    link.m_enabled = true;
    link.m_scales.push_back(std::make_unique<CLinkScale>());
    CLinkScale& scale = *link.m_scales[0];
    scale.m_scaleNo = 7;
    scale.m_machineNo = 7;
    link.StartLink(&document, LinkRoles::Of(frame));
    link.QueueSendData(nullptr, {{SendRecords, 2, 1, kPluCount}});

    std::size_t sends = 0;
    for (; scale.HasDataWaiting() && sends < 1000; ++sends) {
        link.ResetJob();
        link.AddJobScale(&scale);
        link.SubmitRequest(CIdEnqLink::RequestSendUnsent, &window, true);
        ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone, sends + 1));
    }
    EXPECT_GT(sends, 1u);  // frames were lost, so the send had to resume
    const std::vector<Bytes> received = sim.Packets(7);
    ASSERT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected);
}

}  // namespace
}  // namespace varnel::test
