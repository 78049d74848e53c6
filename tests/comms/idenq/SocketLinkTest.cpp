// The socket and serial links driven by the link manager against simulated scales on loopback TCP and
// UDP and on pseudo-terminals; the socket link's own opening rules and archive form.
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "platform/Archive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <future>
#include <thread>

namespace varnel::test {
namespace {

constexpr std::uint32_t kDone = CIdEnqLink::ResultDone;

std::vector<Bytes> Records(char kind, std::initializer_list<std::uint32_t> keys, std::string_view body = "row")
{
    std::vector<Bytes> records;
    for (const std::uint32_t key : keys) records.push_back(ScaleRecordOf(kind, key, body));
    return records;
}

class Site : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override
    {
        document.m_database.Table(2).AddRows({1, 3, 17, 42});
        for (std::uint16_t i = 0; i < 2; ++i) {
            scales.push_back(std::make_unique<SimulatedScale>(GetParam(), &linkClocks[i]));
            auto link = scales.back()->MakeLink(static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(11 + i),
                                                linkClocks[i], pinger);
            link->m_logging = true;
            link->m_logFile = dir.File("link" + std::to_string(i + 1) + ".log");
            links.Add(std::move(link));
        }
        links.StartLinks(&document, LinkRoles::Of(frame), false);
        // The start polls every scale first.
        ASSERT_TRUE(WaitUntilIdle(links));
    }
    void TearDown() override { links.StopLinks(false); }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    FakeClock clock;
    // Each link and its scale keep their own time (see SimulatedScale).
    std::array<FakeClock, 2> linkClocks;
    ScriptedPinger pinger;
    TempDir dir;
    std::vector<std::unique_ptr<SimulatedScale>> scales;
    CIdEnqLinkList links{clock, RealFileSystem()};
    RecordingWindow window;
};

TEST_P(Site, ASendReachesTheScalesOfEveryLinkAndEmptiesTheirQueues)
{
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, 2, 1, 20)}, &window);
    ASSERT_TRUE(window.WaitFor(kDone, 2));
    for (const auto& scale : scales) EXPECT_EQ(scale->Sim().Packets(1), Records('P', {1, 3, 17}));
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
    EXPECT_EQ(links.CountJobRecords(nullptr), 6u);
    EXPECT_TRUE(links.IsAnyScaleOnline(0));
}

TEST_P(Site, AScaleThatDoesNotAnswerTimesOutAndKeepsItsJobsWhileTheOtherGetsThem)
{
    scales[0]->Sim().SetFaults([](ScaleFaults& faults) { faults.offline = true; });
    links.QueueJob(nullptr, {CSendDataLog(SendKeyDeletes, 2, 5, 6)}, &window);
    ASSERT_TRUE(window.WaitFor(kDone, 2));
    EXPECT_EQ(scales[1]->Sim().Packets(1), Records('D', {5, 6}, ""));
    EXPECT_TRUE(scales[0]->Sim().Packets(1).empty());
    EXPECT_EQ(links.FindScale(11)->GetLastResult(), CIdEnqLink::kMsgTimeout);
    EXPECT_EQ(links.CountOfflineScales(nullptr), 1u);
    EXPECT_EQ(links.CountScalesWithDataWaiting(nullptr), 1u);
    EXPECT_EQ(links.GetUnsentDataText(), "\n - " + links.FindLink(1)->m_name);

    // Back on line, the resend delivers what waited; the link with nothing queued has nothing to do.
    scales[0]->Sim().SetFaults([](ScaleFaults&) {});
    RecordingWindow resend;
    links.SendUnsentData(nullptr, &resend);
    ASSERT_TRUE(resend.WaitFor(kDone, 2));
    EXPECT_EQ(scales[0]->Sim().Packets(1), Records('D', {5, 6}, ""));
    EXPECT_EQ(links.FindLink(2)->GetCommsError(), 0u);
    EXPECT_FALSE(links.IsDataWaiting(nullptr));
}

TEST_P(Site, AReceiveCollectsWhatTheScalesSendBack)
{
    for (const auto& scale : scales) scale->Sim().SetReply(ToBytes("50000000"), {ToBytes("plu 1"), ToBytes("plu 2")});
    links.ReceiveData(nullptr, 0, &window);
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultReceiveDone, 2));
    for (const auto& link : links.GetLinks()) {
        ASSERT_EQ(link->FinishReceive(), 0u) << link->m_name;
    }
    ASSERT_EQ(document.m_stored.size(), 4u);
    EXPECT_EQ(document.m_stored[0], (LinkTestDocument::Stored{0, 11, ToBytes("plu 1")}));
    EXPECT_EQ(document.m_stored[3], (LinkTestDocument::Stored{0, 12, ToBytes("plu 2")}));
}

TEST_P(Site, CancelEndsTheSendUnderWayAndTheRestStaysQueued)
{
    // The user cancels while the scale holds back its answer to the second frame.
    std::promise<void> reached;
    std::promise<void> cancelled;
    std::shared_future<void> cancelDone = cancelled.get_future().share();
    scales[0]->Sim().SetFaults([&](ScaleFaults& faults) {
        faults.nakFrame = [&reached, cancelDone](std::size_t frameNo) {
            if (frameNo == 1) {
                reached.set_value();
                cancelDone.wait();
            }
            return false;
        };
    });
    document.m_database.Table(3).AddRows({1, 2, 3, 4, 5, 6, 7, 8});
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, 3, 1, 8)}, &window);
    reached.get_future().wait();
    const ScaleDefs first{CScaleDef(1, 11)};
    links.CancelJobs(&first);
    cancelled.set_value();
    ASSERT_TRUE(WaitUntilIdle(links));
    EXPECT_TRUE(links.IsDataWaiting(nullptr));
    EXPECT_EQ(links.FindScale(11)->GetLastResult(), CIdEnqLink::kMsgCancelled);
}

INSTANTIATE_TEST_SUITE_P(Transports, Site, ::testing::Values(Transport::Tcp, Transport::Udp, Transport::Pty),
                         [](const ::testing::TestParamInfo<Transport>& param) { return TransportName(param.param); });

// A socket link whose opens the test drives itself, under the settings it pins as a worker's pass would.
class DrivenSocketLink final : public CIdEnqSocketLink {
public:
    using CIdEnqSocketLink::CIdEnqSocketLink;
    void PinForPass(SiteSettingsPtr settings) { m_passSettings = std::move(settings); }
};

class SocketLinkOpen : public ::testing::Test {
protected:
    std::string Trace() const { return ReadWholeFile(dir.File("trace.log")); }
    // The link to the scale, under the frame's settings as they stand when it is first asked for.
    CIdEnqSocketLink& Link()
    {
        if (!link) {
            link = std::make_unique<DrivenSocketLink>(SystemClock(), RealFileSystem(), pinger);
            link->m_address = {127, 0, 0, 1};
            link->m_port = static_cast<TcpScaleLine&>(scale.Line()).Port();
            link->m_logging = true;
            link->m_logFile = dir.File("trace.log");
            link->PinForPass(frame.GetSiteSettings());
        }
        return *link;
    }

    TestMainFrame frame;
    TempDir dir;
    ScriptedPinger pinger;
    SimulatedScale scale{Transport::Tcp, nullptr};
    std::unique_ptr<DrivenSocketLink> link;
};

TEST_F(SocketLinkOpen, AScaleThatDoesNotAnswerThePingIsNotConnected)
{
    pinger.m_answer = false;
    EXPECT_FALSE(Link().Open());
    EXPECT_NE(Trace().find("Error opening link: - Unable to ping scale"), std::string::npos);
    EXPECT_EQ(Link().m_sendTimeout, 21u);  // left as it was

    pinger.m_answer = MakeError(Errc::Refused, "no ICMP socket may be opened");
    EXPECT_FALSE(Link().Open());
    EXPECT_NE(Trace().find("Ping could not be sent: no ICMP socket may be opened"), std::string::npos);
}

TEST_F(SocketLinkOpen, WithoutThePingOptionTheLinkConnectsAtOnce)
{
    frame.m_setup.m_usePing = 0;
    pinger.m_answer = false;
    ASSERT_TRUE(Link().Open());
    EXPECT_EQ(pinger.m_pings, 0);
    EXPECT_EQ(Link().m_sendTimeout, 5u);
    // A socket still open refuses a second open.
    EXPECT_FALSE(Link().Open());
    EXPECT_TRUE(Link().ClosePort());
    EXPECT_TRUE(Link().Open());
    EXPECT_NE(Trace().find("Opened socket: 127.0.0.1 - "), std::string::npos);
}

TEST_F(SocketLinkOpen, ARefusedConnectIsTracedWithTheSocketsErrorText)
{
    Link().m_port = 1;  // nothing listens there
    EXPECT_FALSE(Link().Open());
    EXPECT_NE(Trace().find("Error opening link: Connect error #111"), std::string::npos);
}

TEST(SocketLinkUdp, ADatagramLargerThanTheRoomIsHandedOutOverSeveralReceives)
{
    TestMainFrame frame;
    CBlockingSocket peer;
    ASSERT_TRUE(peer.Create(CBlockingSocket::Type::Datagram));
    ASSERT_TRUE(peer.Bind({{127, 0, 0, 1}, 0}));
    ScriptedPinger pinger;
    CIdEnqSocketLink link(SystemClock(), RealFileSystem(), pinger);
    link.m_address = {127, 0, 0, 1};
    link.m_port = peer.LocalAddress()->port;
    link.m_useUdp = true;
    ASSERT_TRUE(link.Open());
    std::size_t sent = 0;
    ASSERT_TRUE(link.Send(ToBytes("hi"), sent));
    std::array<std::uint8_t, 16> buffer{};
    const auto datagram = peer.ReceiveFrom(buffer, std::chrono::seconds(5));
    ASSERT_TRUE(datagram);
    ASSERT_TRUE(peer.SendTo(ToBytes("0123456789"), datagram->from));

    std::string received;
    for (const std::size_t expected : {4u, 4u, 2u}) {
        std::array<std::uint8_t, 4> room{};
        std::size_t got = 0;
        ASSERT_TRUE(link.Receive(room, got));
        ASSERT_EQ(got, expected);
        received.append(reinterpret_cast<const char*>(room.data()), got);
    }
    EXPECT_EQ(received, "0123456789");
}

TEST(SocketLinkArchive, ALoadedConnectTimeOutBelowTwoSecondsBecomesFive)
{
    TestMainFrame frame;
    ScriptedPinger pinger;
    for (const auto& [stored, loaded] : {std::pair{0u, 5u}, {1u, 5u}, {2u, 2u}, {30u, 30u}}) {
        CIdEnqSocketLink link(SystemClock(), RealFileSystem(), pinger);
        link.m_address = {10, 1, 2, 3};
        link.m_port = 3001;
        link.m_useUdp = true;
        link.m_connectTimeout = stored;
        const auto bytes = SaveArchive([&](CArchive& ar) { link.Serialize(ar); });
        ASSERT_TRUE(bytes);
        CIdEnqSocketLink copy(SystemClock(), RealFileSystem(), pinger);
        ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { copy.Serialize(ar); }));
        EXPECT_EQ(copy.m_connectTimeout, loaded) << stored;
        EXPECT_EQ(copy.m_address, link.m_address);
        EXPECT_EQ(copy.m_port, 3001);
        EXPECT_TRUE(copy.m_useUdp);
        // After the base's fields: format 100, the port, the octets, the time-outs, the UDP byte.
        const std::vector<std::uint8_t> tail(bytes->end() - 21, bytes->end());
        EXPECT_EQ(tail, (std::vector<std::uint8_t>{0x64, 0, 0xB9, 0x0B, 10, 0, 1, 0, 2, 0, 3, 0, 21, 0, 0, 0,
                                                   static_cast<std::uint8_t>(stored), 0, 0, 0, 1}));
    }
}

TEST(SocketLinkListing, SetupDetailsStatusAndAddressMatching)
{
    TestMainFrame frame;
    ScriptedPinger pinger;
    CIdEnqSocketLink link(SystemClock(), RealFileSystem(), pinger);
    link.m_address = {192, 168, 1, 20};
    link.m_port = 3001;
    link.m_name = "Deli";
    std::string out;
    link.WriteSetupDetails(out);
    EXPECT_EQ(out, "  IP address                          : 192.168.1.20 (Port = 3001)\r\n"
                   "  Connect timeout                     : 5\r\n"
                   "  Use UDP?                            : No\r\n");
    EXPECT_EQ(link.GetStatusText(frame.m_setup), "TCP/IP    Deli");
    link.m_enabled = true;
    EXPECT_EQ(link.GetStatusText(frame.m_setup), "TCP/IP    Deli*");
    EXPECT_TRUE(link.IsSameAddress({192, 168, 1, 20}));
    EXPECT_FALSE(link.IsSameAddress({192, 168, 1, 21}));
    link.m_address = {127, 0, 0, 1};
    EXPECT_FALSE(link.IsSameAddress({127, 0, 0, 1}));
}

}  // namespace
}  // namespace varnel::test
