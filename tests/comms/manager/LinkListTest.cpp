// The link manager: its life cycle, its lookups and counts, its refusals, its bounded waits.
#include "InMemoryLine.h"
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "comms/manager/IdEnqLinkList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>

namespace varnel::test {
namespace {

// A link whose line hangs in Open until the test lets it go: its worker hears neither stop nor kill.
class HangingLink final : public CIdEnqLink {
    VARNEL_DECLARE_SERIAL(HangingLink)
public:
    HangingLink() = default;
    explicit HangingLink(IClock& clock) : CIdEnqLink(clock) {}
    ~HangingLink() override
    {
        StopThread();
        if (m_onDestroyed) m_onDestroyed();
    }
    bool Open() override
    {
        m_entered.Set();
        m_release->Wait();
        return false;
    }
    bool ClosePort() override { return true; }
    void Close() override { StopThread(); }
    bool Send(std::span<const std::uint8_t>, std::size_t&) override { return false; }
    bool Receive(std::span<std::uint8_t>, std::size_t&) override { return false; }
    std::string GetDescription(const CGeneralSetup& /*setup*/) const override { return {}; }
    std::string GetStatusText(const CGeneralSetup& /*setup*/) const override { return {}; }
    const std::array<std::uint16_t, 4>* GetIpAddress() const override { return nullptr; }
    std::uint16_t GetPort() const override { return 0; }
    bool IsSameAddress(const std::array<std::uint16_t, 4>&) const override { return false; }
    void WriteSetupDetails(std::string&) const override {}

    Event m_entered{Event::ResetMode::Manual};
    Event* m_release = nullptr;  // the test's, so that setting it never outlives the link it frees
    std::function<void()> m_onDestroyed;
};

VARNEL_IMPLEMENT_SERIAL(HangingLink, 1)

std::unique_ptr<CLinkScale> MakeScale(std::uint16_t id, std::uint16_t maxDescLength = 1001)
{
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = id;
    scale->m_machineNo = 1;
    scale->m_name = "Scale " + std::to_string(id);
    scale->m_maxDescLength = maxDescLength;
    return scale;
}

class LinkList : public ::testing::Test {
protected:
    // Links 1 (scales 11, 12) and 2 (scale 21), over lines without a scale: every enquiry times out.
    void SetUp() override
    {
        for (const std::uint16_t id : {1, 2}) {
            auto link = std::make_unique<MemoryLink>(id == 1 ? line1 : line2);
            link->m_linkId = id;
            link->m_enabled = true;
            link->m_name = "Link " + std::to_string(id);
            links.Add(std::move(link));
        }
        links.FindLink(1)->m_scales.push_back(MakeScale(11, 1501));
        links.FindLink(1)->m_scales.push_back(MakeScale(12));
        links.FindLink(2)->m_scales.push_back(MakeScale(21, 2000));
        document.m_pathName = dir.File("b.pld");
    }
    TestMainFrame frame;
    LinkTestDocument document{frame};
    TempDir dir;
    FakeClock clock;
    InMemoryLine line1{clock};
    InMemoryLine line2{clock};
    CIdEnqLinkList links{clock, RealFileSystem()};
};

TEST_F(LinkList, StartingTwiceStartsTheWorkersOnceAndKeepsTheNewerDocument)
{
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(WaitUntilIdle(links));  // the start's poll found no scale
    EXPECT_EQ(links.CountOfflineScales(nullptr), 3u);
    LinkTestDocument newer(frame);
    newer.m_pathName = dir.File("c.pld");
    links.StartLinks(&newer, LinkRoles::Of(frame), false);
    ASSERT_TRUE(links.StopLinks(true));
    EXPECT_TRUE(RealFileSystem().Exists(dir.File("c.pld.usd")));
    EXPECT_FALSE(RealFileSystem().Exists(dir.File("b.pld.usd")));
}

TEST_F(LinkList, StoppingLinksNeverStartedIsFalseAndLeavesTheUnsentDataAlone)
{
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    ASSERT_TRUE(links.StopLinks(false));
    EXPECT_FALSE(links.StopLinks(true));
    EXPECT_FALSE(RealFileSystem().Exists(dir.File("b.pld.usd")));
}

TEST_F(LinkList, LookupsByNumberNameAndDefinition)
{
    EXPECT_EQ(links.GetScaleName(0), "All Scales");
    EXPECT_EQ(links.GetScaleName(32767), "User Adjustment");
    EXPECT_EQ(links.GetScaleName(21), "Scale 21");
    EXPECT_EQ(links.GetScaleName(99), "");
    EXPECT_EQ(links.FindLinkOfScale(21), links.FindLink(2));
    EXPECT_EQ(links.FindScaleByDef(CScaleDef(1, 21)), nullptr);
    EXPECT_EQ(links.FindScaleByName("Scale 12"), links.FindScale(12));
    ScaleDefs all;
    links.GetAllScaleDefs(all);
    EXPECT_EQ(all, (ScaleDefs{CScaleDef(1, 11), CScaleDef(1, 12), CScaleDef(2, 21)}));

    EXPECT_EQ(links.GetMaxDescLength(), 2000);
    links.FindLink(2)->m_enabled = false;
    EXPECT_EQ(links.GetMaxDescLength(), 1501);
    links.FindLink(1)->m_enabled = false;
    EXPECT_EQ(links.GetMaxDescLength(), 1001);

    EXPECT_EQ(links.GetSingleScaleId(), 0);  // two links
    EXPECT_FALSE(links.HasAtMostOneScale());
    links.FindLink(1)->m_scales.pop_back();
    EXPECT_EQ(links.GetSingleScaleId(), 0);  // two links of one scale each
    ASSERT_TRUE(links.RemoveLink(2));
    EXPECT_EQ(links.GetSingleScaleId(), 11);
    EXPECT_TRUE(links.HasAtMostOneScale());
}

TEST_F(LinkList, WaitingWithALimitOfNothingWhileBusyTimesOutAtOnce)
{
    // Not started: a request stays pending.
    ASSERT_TRUE(links.FindLink(1)->PostRequest(CIdEnqLink::RequestPoll, nullptr, true));
    EXPECT_TRUE(links.IsBusy());
    EXPECT_EQ(links.WaitUntilIdle(nullptr, 0), CIdEnqLink::kMsgTimeout);
}

TEST_F(LinkList, WaitingUntilIdleEndsAsTheWorkersEndTheirRequests)
{
    links.StartLinks(&document, LinkRoles::Of(frame), false);  // polls every scale
    EXPECT_EQ(links.WaitUntilIdle(nullptr, 3600), 0);
    EXPECT_FALSE(links.IsBusy());
    EXPECT_EQ(links.CountOfflineScales(nullptr), 3u);
}

TEST_F(LinkList, BusyLinksAreRefusedWith31446AndNothingToResendIsNoError)
{
    links.FindScale(21)->m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 1, 1));
    ASSERT_TRUE(links.FindLink(2)->PostRequest(CIdEnqLink::RequestPoll, nullptr, true));  // link 2 is busy
    RecordingWindow window;
    links.SendUnsentData(nullptr, &window);
    EXPECT_EQ(links.FindLink(1)->GetCommsError(), 0u);  // nothing queued
    EXPECT_EQ(links.FindLink(2)->GetCommsError(), CIdEnqLink::kMsgScaleBusy);
    EXPECT_EQ(window.Results(), (std::vector<RecordingWindow::Posted>{{CIdEnqLink::kResultMessage, 4, 1},
                                                                      {CIdEnqLink::kResultMessage, 4, 2}}));
    RecordingWindow poll;
    links.TestLinks(nullptr, &poll);
    EXPECT_EQ(links.FindLink(2)->GetCommsError(), CIdEnqLink::kMsgScaleBusy);
    links.ReceiveData(nullptr, 0, &poll);
    EXPECT_EQ(poll.Results().back(), (RecordingWindow::Posted{CIdEnqLink::kResultMessage, 5, 2}));
}

TEST_F(LinkList, AWorkerThatNeverEndsIsLeftRunningAndReportedInsteadOfHangingTheStop)
{
    auto hanging = std::make_unique<HangingLink>(clock);
    hanging->m_linkId = 3;
    hanging->m_enabled = true;
    hanging->m_name = "Stuck";
    hanging->m_scales.push_back(MakeScale(31));
    Event release(Event::ResetMode::Manual);
    hanging->m_release = &release;
    HangingLink& stuck = *hanging;
    links.Add(std::move(hanging));
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    stuck.m_entered.Wait();

    clock.MoveWhileWaitedOn(std::chrono::seconds(1));  // the stop's waits pass on the test clock
    EXPECT_TRUE(links.StopLinks(false));
    clock.MoveWhileWaitedOn(std::chrono::seconds(0));
    EXPECT_TRUE(stuck.IsThreadAbandoned());
    EXPECT_FALSE(links.FindLink(1)->IsThreadStarted());
    ASSERT_FALSE(frame.m_events.empty());
    EXPECT_EQ(frame.m_events.back().second,
              "Comms link [Stuck] did not stop when it was killed and was left running; restart Varnel to use it again");
    // It is not started again while its worker runs; removed meanwhile, it is handed to that worker,
    // which frees it as it ends.
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    EXPECT_TRUE(stuck.IsThreadAbandoned());
    links.StopLinks(false);
    std::promise<void> freed;
    const std::future<void> linkFreed = freed.get_future();
    stuck.m_onDestroyed = [&freed] { freed.set_value(); };
    ASSERT_TRUE(links.RemoveLink(3));
    EXPECT_EQ(links.FindLink(3), nullptr);
    release.Set();
    // A generous real-time guard, so that a link never freed fails the test instead of hanging it.
    EXPECT_EQ(linkFreed.wait_for(std::chrono::seconds(60)), std::future_status::ready);
}

}  // namespace
}  // namespace varnel::test
