// The serial and socket Lumen links against a simulated Lumen scale on a pseudo-terminal pair and on
// loopback TCP: sends and receives end to end, lines that do not open, a connection the scale closes,
// and the links' archive forms.
#include "LumenScaleSimulator.h"
#include "LumenTestDocument.h"
#include "RealScaleLine.h"
#include "ScriptedLumenUi.h"
#include "comms/lumen/LumenFrames.h"
#include "comms/lumen/LumenRs232Link.h"
#include "comms/lumen/LumenSocketLink.h"
#include "platform/Archive.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <thread>

namespace varnel::test {
namespace {

using Record = LumenTestDocument::Record;

enum class Transport { Pty, Tcp };

Bytes Filled(std::size_t size, std::uint8_t first = 0)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

class LumenLinks : public ::testing::TestWithParam<Transport> {
protected:
    bool IsPty() const { return GetParam() == Transport::Pty; }
    std::unique_ptr<RealScaleLine> MakeLine()
    {
        if (IsPty()) return std::make_unique<PtyScaleLine>(&clock);
        return std::make_unique<TcpScaleLine>(&clock);
    }
    std::unique_ptr<CLumenLink> MakeLink()
    {
        std::unique_ptr<CLumenLink> made;
        if (IsPty()) {
            auto serial = std::make_unique<CLumenRs232Link>(clock, RealFileSystem());
            serial->m_port = static_cast<PtyScaleLine&>(*line).PortName();
            made = std::move(serial);
        } else {
            auto socket = std::make_unique<CLumenSocketLink>(clock, RealFileSystem());
            socket->m_address = {127, 0, 0, 1};
            socket->m_port = static_cast<TcpScaleLine&>(*line).Port();
            made = std::move(socket);
        }
        made->m_logging = 1;
        made->m_logFile = dir.File("lumen.log");
        return made;
    }
    bool Traced(std::string_view text) const
    {
        return ReadWholeFile(dir.File("lumen.log")).find(text) != std::string::npos;
    }

    TestMainFrame frame;
    RecordingPrompt prompt;
    TempDir dir;
    FakeClock clock;
    std::unique_ptr<RealScaleLine> line = MakeLine();
    LumenScaleSimulator sim{*line};
    std::unique_ptr<CLumenLink> link = MakeLink();
    LumenTestDocument document;
    ScriptedLumenUi ui;
};

TEST_P(LumenLinks, ABatchIsSentToTheScale)
{
    // The scale refuses the first block once.
    sim.SetFaults([](LumenScaleFaults& f) { f.refuse = [](std::size_t index) { return index == 1; }; });
    sim.Start();
    document.toSend = {{0, Filled(251)}, {2, Filled(3, 0xF0)}, {2, Filled(2048)}};
    ASSERT_EQ(link->SendToScale(document, frame.m_setup.m_market, ui), 0u);
    EXPECT_EQ(prompt.m_ids, std::vector<MessageId>{CLumenLink::kMsgDataSent});
    EXPECT_EQ(sim.Records(), (std::vector<LumenRecord>{{'I', Filled(251)}, {'S', Filled(3, 0xF0)}, {'S', Filled(2048)}}));
    EXPECT_FALSE(link->IsOpen());
}

TEST_P(LumenLinks, TheScalesBatchIsStored)
{
    // The second frame the scale sends comes with a bad block check, then again sound.
    sim.SetFaults([](LumenScaleFaults& f) { f.badCheck = [](std::size_t index) { return index == 1; }; });
    sim.SetBatch({{'P', Filled(600)}, {'p', {0x02, 0x03}}, {'H', Filled(1)}});
    sim.Start();
    ASSERT_EQ(link->ReceiveFromScale(document, frame.m_setup.m_market, ui), 0u);
    EXPECT_EQ(document.stored, (std::vector<Record>{{3, Filled(600)}, {3, {0x02, 0x03}}, {9, Filled(1)}}));
    ASSERT_TRUE(sim.WaitExchanges(1));
    EXPECT_EQ(std::ranges::count(sim.Received(), lumen::ReplyFrame(false, '0')), 1);
}

TEST_P(LumenLinks, ALineThatDoesNotOpenEndsTheTransferWith61326)
{
    if (IsPty()) {
        static_cast<CLumenRs232Link&>(*link).m_port = dir.File("no-such-port");
    } else {
        static_cast<CLumenSocketLink&>(*link).m_port = 1;  // nothing listens there
    }
    document.toSend = {{0, Filled(1)}};
    EXPECT_EQ(link->SendToScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCannotOpen);
    EXPECT_EQ(link->ReceiveFromScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCannotOpen);
    EXPECT_TRUE(Traced(IsPty() ? "Error : Error opening COM port - CreateFile error code 2"
                               : "Error : Error opening link: Connect error #111"));
    EXPECT_EQ(document.fetches, 0u);
    EXPECT_FALSE(link->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Transports, LumenLinks, ::testing::Values(Transport::Pty, Transport::Tcp),
                         [](const ::testing::TestParamInfo<Transport>& param) {
                             return param.param == Transport::Pty ? "Pty" : "Tcp";
                         });

TEST(LumenSocketLink, AScaleThatClosesTheConnectionEndsTheReceive)
{
    TestMainFrame frame;
    TempDir dir;
    FakeClock clock;
    TcpScaleLine line(&clock);
    std::thread scale([&line] {
        if (const ScaleLine::ConnectionPtr connection = line.Accept()) line.ScaleDrop(connection);
    });
    CLumenSocketLink link(clock, RealFileSystem());
    link.m_address = {127, 0, 0, 1};
    link.m_port = line.Port();
    link.m_logging = 1;
    link.m_logFile = dir.File("lumen.log");
    LumenTestDocument document;
    ScriptedLumenUi ui;
    EXPECT_EQ(link.ReceiveFromScale(document, frame.m_setup.m_market, ui), CLumenLink::kMsgCommsAborted);
    scale.join();
    EXPECT_NE(ReadWholeFile(dir.File("lumen.log")).find("TCP/IP socket receive error: Connection closed by the scale"),
              std::string::npos);
    // Every Open sets the time-outs.
    EXPECT_EQ(link.m_sendTimeout, 5u);
    EXPECT_EQ(link.m_receiveTimeout, 1u);
}

TEST(LumenLinkArchive, TheSerialLinksSettingsAreStoredAndAnOldFormatMeansLumen)
{
    CLumenRs232Link link;
    link.m_name = "Deli";
    link.m_firstFlag = 1;
    link.m_logFile = "Lumen.txt";
    link.m_linkNo = 3;
    link.m_scaleType = CLumenLink::kLumen;
    link.m_port = "/dev/ttyUSB1";
    link.m_baudRate = "9600";
    link.m_parity = "E";
    link.m_useRtsCts = 1;
    const auto bytes = SaveArchive([&](CArchive& ar) { link.Serialize(ar); });
    ASSERT_TRUE(bytes);
    EXPECT_EQ(Bytes(bytes->begin(), bytes->begin() + 4), (Bytes{122, 0, 0, 0}));

    CLumenRs232Link loaded;
    ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.m_name, "Deli");
    EXPECT_EQ(loaded.m_firstFlag, 1);
    EXPECT_EQ(loaded.m_logging, 1);  // always on after a load
    EXPECT_EQ(loaded.m_logFile, "Lumen.txt");
    EXPECT_EQ(loaded.m_linkNo, 3);
    EXPECT_EQ(loaded.m_scaleType, CLumenLink::kLumen);
    EXPECT_EQ(loaded.m_port, "/dev/ttyUSB1");
    EXPECT_EQ(loaded.m_baudRate, "9600");
    EXPECT_EQ(loaded.m_parity, "E");
    EXPECT_EQ(loaded.m_useRtsCts, 1);

    // A link stored in a format before 122 served the Lumen.
    link.m_scaleType = CLumenLink::kLumenXt;
    auto older = SaveArchive([&](CArchive& ar) { link.Serialize(ar); });
    ASSERT_TRUE(older);
    (*older)[0] = 121;
    ASSERT_TRUE(LoadArchive(*older, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.m_scaleType, CLumenLink::kLumen);

    // A copy is of the settings.
    const CLumenRs232Link copy = loaded;
    EXPECT_EQ(copy.m_port, "/dev/ttyUSB1");
    EXPECT_EQ(copy.m_name, "Deli");
}

TEST(LumenLinkArchive, TheSocketLinksAddressAndTimeOutsFollowTheBase)
{
    CLumenSocketLink link;
    link.m_address = {192, 168, 1, 40};
    link.m_port = 50021;
    link.m_sendTimeout = 30;
    link.m_receiveTimeout = 2;
    const auto bytes = SaveArchive([&](CArchive& ar) { link.Serialize(ar); });
    ASSERT_TRUE(bytes);
    // After the base: port, the four octets, send and receive time-outs.
    const Bytes tail(bytes->end() - 18, bytes->end());
    EXPECT_EQ(tail, (Bytes{0x65, 0xC3, 192, 0, 168, 0, 1, 0, 40, 0, 30, 0, 0, 0, 2, 0, 0, 0}));
    CLumenSocketLink loaded;
    ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.m_address, link.m_address);
    EXPECT_EQ(loaded.m_port, 50021);
    EXPECT_EQ(loaded.m_sendTimeout, 30u);
    EXPECT_EQ(loaded.m_receiveTimeout, 2u);
    // Both links are made by name, as a setup names them.
    for (const char* name : {"CLumenRs232Link", "CLumenSocketLink"}) {
        const CRuntimeClass* made = FindSerialClass(name);
        ASSERT_NE(made, nullptr) << name;
        EXPECT_NE(dynamic_cast<CLumenLink*>(made->CreateObject().get()), nullptr);
    }
}

}  // namespace
}  // namespace varnel::test
