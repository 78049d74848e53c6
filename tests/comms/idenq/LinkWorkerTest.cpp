// The link's worker thread carrying out the link manager's requests against the scale simulator.
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "ScaleSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>

namespace varnel::test {
namespace {

using Posted = RecordingWindow::Posted;
constexpr std::uint32_t kMessage = CIdEnqLink::kResultMessage;
constexpr std::uint16_t kLinkId = 2;

class LinkWorker : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.m_setup.m_market = MarketUsa;
        document.m_database.Table(2).AddRows({1, 3, 17, 42});
        sim.Start();
        link.m_linkId = kLinkId;
        link.m_enabled = true;
        link.m_name = "Deli";
        for (const std::uint16_t id : {7, 8}) {
            auto scale = std::make_unique<CLinkScale>();
            scale->m_scaleNo = id;
            scale->m_machineNo = id;
            scale->m_scaleType = 0;
            scale->m_name = "Scale " + std::to_string(id);
            link.m_scales.push_back(std::move(scale));
        }
        link.StartLink(&document, LinkRoles::Of(frame));
    }

    CLinkScale& Scale(std::size_t index) { return *link.m_scales[index]; }

    // Queues jobs on one scale (the link manager's QueueSend).
    void Queue(std::uint16_t scaleId, const SendRequests& jobs)
    {
        const ScaleDefs selection{CScaleDef(kLinkId, scaleId)};
        link.MarkJobStart(&selection);
        link.QueueSendData(&selection, jobs);
    }

    // Runs a request on the scales (every scale when none are named) as the link manager does and
    // waits for its result.
    ::testing::AssertionResult Run(std::uint32_t code, RecordingWindow& to, std::vector<CLinkScale*> scales = {})
    {
        link.ResetJob();
        if (scales.empty())
            for (const auto& scale : link.m_scales) scales.push_back(scale.get());
        for (CLinkScale* scale : scales) link.AddJobScale(scale);
        const std::uintptr_t result = code == CIdEnqLink::RequestReceive ? CIdEnqLink::ResultReceiveDone
                                                                          : CIdEnqLink::ResultDone;
        const std::size_t before = CountOf(to, result);
        link.SubmitRequest(code, &to, true);
        if (!to.WaitFor(result, before + 1)) return ::testing::AssertionFailure() << "no result for request " << code;
        return ::testing::AssertionSuccess();
    }
    static std::size_t CountOf(const RecordingWindow& window, std::uintptr_t result)
    {
        const auto posted = window.Results();
        return static_cast<std::size_t>(
            std::count_if(posted.begin(), posted.end(), [result](const Posted& p) { return p.result == result; }));
    }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    FakeClock clock;
    InMemoryLine line{clock};
    ScaleSimulator sim{line, {7}};  // scale 8 never answers
    RecordingWindow window;
    MemoryLink link{line};
};

TEST_F(LinkWorker, PollMarksScalesOnAndOffLine)
{
    ASSERT_TRUE(Run(CIdEnqLink::RequestPoll, window));
    EXPECT_TRUE(Scale(0).IsOnline());
    EXPECT_EQ(Scale(0).GetLastResult(), 0u);
    EXPECT_FALSE(Scale(1).IsOnline());
    EXPECT_EQ(Scale(1).GetLastResult(), CIdEnqLink::kMsgTimeout);
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgTimeout);
    EXPECT_EQ(window.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultDone, kLinkId}}));
    EXPECT_EQ(frame.m_commsStatesStarted, std::vector<std::uint32_t>{CIdEnqLink::CommsStatePoll});
    EXPECT_EQ(frame.m_commsStates[CIdEnqLink::CommsStatePoll], 0);
}

TEST_F(LinkWorker, SendDeliversEveryJobAndDropsAJobOnlyWhenItIsExhausted)
{
    Queue(7, {{SendRecords, 2, 1, 50}, {SendKeyDeletes, 2, 100, 101}, {SendDateTime, 0, 0, 0}});
    Queue(8, {{SendRecords, 2, 1, 50}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window));

    EXPECT_EQ(sim.Packets(7), (std::vector<Bytes>{ScaleRecordOf('P', 1, "row"), ScaleRecordOf('P', 3, "row"),
                                                  ScaleRecordOf('P', 17, "row"), ScaleRecordOf('P', 42, "row"),
                                                  ScaleRecordOf('D', 100), ScaleRecordOf('D', 101), ToBytes("DT")}));
    EXPECT_FALSE(Scale(0).HasDataWaiting());
    EXPECT_EQ(Scale(0).GetRecordCounter(), 7u);
    // The scale that did not answer keeps its job for the unsent-data checks.
    ASSERT_TRUE(Scale(1).HasDataWaiting());
    EXPECT_EQ(Scale(1).GetLastResult(), CIdEnqLink::kMsgTimeout);
    EXPECT_FALSE(Scale(1).IsOnline());
    // Results 2 and 3 of the packets are never posted.
    EXPECT_EQ(window.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultDone, kLinkId}}));
}

TEST_F(LinkWorker, UnsentJobsAreRetriedEveryMinuteUntilTheScaleAnswers)
{
    sim.SetFaults([](ScaleFaults& f) { f.offline = true; });
    Queue(7, {{SendRecords, 2, 3, 3}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window));
    ASSERT_FALSE(Scale(0).IsOnline());
    const auto failedAt = clock.MonotonicNow();

    sim.SetFaults([](ScaleFaults&) {});
    while (!sim.WaitForPackets(7, 1, std::chrono::milliseconds(20))) clock.Advance(std::chrono::seconds(10));
    EXPECT_GE(clock.MonotonicNow() - failedAt, std::chrono::seconds(60));
    EXPECT_EQ(sim.Packets(7), std::vector<Bytes>{ScaleRecordOf('P', 3, "row")});
    EXPECT_TRUE(Scale(0).IsOnline());
}

TEST_F(LinkWorker, AFailedSendResumesAfterTheLastRecordTheScaleAcknowledged)
{
    // The frame of the third record is lost: the scale never answers it.
    sim.SetFaults([](ScaleFaults& f) { f.dropFrame = [](std::size_t index) { return index == 2; }; });
    Queue(7, {{SendRecords, 2, 1, 50}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window));
    EXPECT_EQ(sim.Packets(7).size(), 2u);
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendUnsent, window));
    EXPECT_EQ(sim.Packets(7), (std::vector<Bytes>{ScaleRecordOf('P', 1, "row"), ScaleRecordOf('P', 3, "row"),
                                                  ScaleRecordOf('P', 17, "row"), ScaleRecordOf('P', 42, "row")}));
    EXPECT_FALSE(Scale(0).HasDataWaiting());
}

TEST_F(LinkWorker, ReceiveCollectsPacketsAndHandsThemToTheDocumentAfterwards)
{
    sim.SetReply(ToBytes("50000000"), {ToBytes("plu 1"), ToBytes("plu 2")});
    link.SetReceiveKind(0);
    ASSERT_TRUE(Run(CIdEnqLink::RequestReceive, window));
    EXPECT_TRUE(document.m_stored.empty());
    EXPECT_EQ(window.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultReceiveDone, kLinkId}}));

    // Scale 8 did not answer: the receive reports its error and stores nothing.
    EXPECT_EQ(link.FinishReceive(), CIdEnqLink::kMsgTimeout);
    EXPECT_TRUE(document.m_stored.empty());
    EXPECT_TRUE(link.GetReceivedPackets().empty());
}

TEST_F(LinkWorker, FinishReceiveStoresEachPacketInOrderAndStopsAtARefusal)
{
    sim.SetReply(ToBytes("50000000"), {ToBytes("plu 1"), ToBytes("plu 2"), ToBytes("plu 3")});
    link.SetReceiveKind(0);
    ASSERT_TRUE(Run(CIdEnqLink::RequestReceive, window, {&Scale(0)}));
    document.m_refuseAfter = 2;
    EXPECT_EQ(link.FinishReceive(), CIdEnqLink::kMsgProcessingFailed);
    EXPECT_EQ(document.m_stored, (std::vector<LinkTestDocument::Stored>{{0, 7, ToBytes("plu 1")}, {0, 7, ToBytes("plu 2")}}));
    EXPECT_TRUE(link.GetReceivedPackets().empty());
}

TEST_F(LinkWorker, ARequestWhileAnotherRunsIsRefusedFromADialogAndDroppedInTheBackground)
{
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> first{true};
    sim.SetFaults([&](ScaleFaults& f) {
        f.beforeAnswer = [&] {
            if (!first.exchange(false)) return;
            entered.set_value();
            released.wait();
        };
    });
    Queue(7, {{SendOperators, 0, 1, 1}});
    link.SubmitRequest(CIdEnqLink::RequestSendNow, &window, true);
    entered.get_future().wait();

    RecordingWindow dialog;
    link.SubmitRequest(CIdEnqLink::RequestPoll, &dialog, true);
    link.SubmitRequest(CIdEnqLink::RequestReceive, &dialog, true);
    EXPECT_EQ(dialog.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultDone, kLinkId},
                                                     {kMessage, CIdEnqLink::ResultReceiveDone, kLinkId}}));
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgScaleBusy);
    EXPECT_TRUE(link.PostRequest(CIdEnqLink::RequestPoll, nullptr, false));  // background: taken, not stored
    EXPECT_FALSE(link.PostRequest(CIdEnqLink::RequestPoll, nullptr, true));

    release.set_value();
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone));
    EXPECT_EQ(sim.Packets(7), std::vector<Bytes>{ScaleRecordOf('O', 1)});
    EXPECT_EQ(window.Results().size(), 1u);
    EXPECT_EQ(dialog.Results().size(), 2u);
}

TEST_F(LinkWorker, ADisabledLinkAnswersAtOnceWithoutTouchingTheLine)
{
    // Settings change while the link is stopped, as the link manager does it.
    link.StopThread();
    link.m_enabled = false;
    link.StartLink(&document, LinkRoles::Of(frame));
    ASSERT_TRUE(Run(CIdEnqLink::RequestPoll, window));
    ASSERT_TRUE(Run(CIdEnqLink::RequestReceive, window));
    EXPECT_EQ(window.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultDone, kLinkId},
                                                     {kMessage, CIdEnqLink::ResultReceiveDone, kLinkId}}));
    EXPECT_TRUE(sim.Wire().empty());
}

TEST_F(LinkWorker, ALinkThatCannotOpenReportsItAndKeepsTheQueues)
{
    line.RefuseConnections(true);
    Queue(7, {{SendRecords, 2, 1, 50}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestPoll, window));
    EXPECT_EQ(window.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultError, kLinkId},
                                                     {kMessage, CIdEnqLink::ResultDone, kLinkId}}));
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgCannotOpen);
    EXPECT_FALSE(Scale(0).IsOnline());
    EXPECT_TRUE(Scale(0).HasDataWaiting());
}

TEST_F(LinkWorker, ALinkThatCannotOpenDiscardsTheQueuesWhenTheSetupSaysSo)
{
    frame.m_setup.m_discardUnsentOnOpenFailure = 1;
    line.RefuseConnections(true);
    Queue(7, {{SendRecords, 2, 1, 50}});
    Queue(8, {{SendRecords, 2, 1, 50}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window, {&Scale(0)}));
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgCannotOpen);
    EXPECT_FALSE(Scale(0).HasDataWaiting());
    EXPECT_FALSE(Scale(1).HasDataWaiting());
}

TEST_F(LinkWorker, CancelEndsTheSendAndKeepsTheJob)
{
    document.m_onJobRecord = [this] { link.Cancel(); };
    Queue(7, {{SendOperators, 0, 1, 5}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window));
    EXPECT_EQ(window.Results(), (std::vector<Posted>{{kMessage, CIdEnqLink::ResultError, kLinkId},
                                                     {kMessage, CIdEnqLink::ResultDone, kLinkId}}));
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgCancelled);
    // The record under way was not acknowledged: the job still starts with it.
    ASSERT_TRUE(Scale(0).HasDataWaiting());
    EXPECT_EQ(Scale(0).m_sendQueue.front()->m_rangeStart, 1u);
}

TEST_F(LinkWorker, AJobOfAKindOnlyTheBlockLinkSendsIsDroppedAndTheQueueGoesOn)
{
    Queue(7, {{13, 0, 1, 1}, {SendRecords, 2, 17, 17}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window));
    EXPECT_EQ(sim.Packets(7), std::vector<Bytes>{ScaleRecordOf('P', 17, "row")});
    EXPECT_FALSE(Scale(0).HasDataWaiting());
    ASSERT_EQ(frame.m_events.size(), 1u);
    EXPECT_EQ(frame.m_events[0].second,
              "Scale [Scale 7] : a queued job of kind 13 cannot be sent over an ID-ENQ link and was dropped");
}

TEST_F(LinkWorker, TheCapacityCheckRunsWhenARunOfPluJobsEnds)
{
    frame.m_setup.m_market = MarketAustralia;
    frame.m_setup.m_nutritionInUse = 1;
    document.m_database.Table(4).AddRows({5});
    sim.SetReply(ToBytes("9001"), {ToBytes("xxxx01000050x")});
    Queue(7, {{SendRecords, 2, 1, 3}, {SendRecords, 2, 17, 17}, {SendRecords, 4, 1, 9}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window));
    EXPECT_EQ(sim.Packets(7), (std::vector<Bytes>{ScaleRecordOf('P', 1, "row"), ScaleRecordOf('P', 3, "row"),
                                                  ScaleRecordOf('P', 17, "row"), ToBytes("9001"),
                                                  ScaleRecordOf('P', 5, "row")}));
    // The scale's shortfall is reported, and the sending went on.
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgScaleMemoryFull);
    ASSERT_EQ(frame.m_events.size(), 1u);
    EXPECT_EQ(frame.m_events[0].second,
              "Communication error reported by scale [Deli] : Comms error reported by scale. Scale memory may be full.");
}

TEST_F(LinkWorker, TheQueueStaysOpenToTheUserDuringTheCapacityCheck)
{
    frame.m_setup.m_market = MarketAustralia;
    frame.m_setup.m_nutritionInUse = 1;
    document.m_database.Table(4).AddRows({5});
    sim.SetReply(ToBytes("9001"), {ToBytes("xxxx00100900x")});
    // The scale claims the line back at the end of the check (its second enquiry); meanwhile the user
    // queues another job, which needs the queue lock.
    std::atomic<int> enquiries{0};
    std::atomic<bool> queuedInTime{false};
    sim.SetFaults([&](ScaleFaults& f) {
        f.beforeAnswer = [&] {
            if (++enquiries != 2) return;
            auto queued = std::async(std::launch::async, [&] { Queue(7, {{SendRecords, 2, 42, 42}}); });
            queuedInTime = queued.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        };
    });
    Queue(7, {{SendRecords, 2, 1, 3}, {SendRecords, 4, 1, 9}});
    ASSERT_TRUE(Run(CIdEnqLink::RequestSendNow, window, {&Scale(0)}));
    EXPECT_TRUE(queuedInTime);
    EXPECT_EQ(sim.Packets(7), (std::vector<Bytes>{ScaleRecordOf('P', 1, "row"), ScaleRecordOf('P', 3, "row"),
                                                  ToBytes("9001"), ScaleRecordOf('P', 5, "row"),
                                                  ScaleRecordOf('P', 42, "row"), ToBytes("9001")}));
    EXPECT_EQ(link.GetCommsError(), 0u);
}

}  // namespace
}  // namespace varnel::test
