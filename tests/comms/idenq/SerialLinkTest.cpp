// The serial link's settings, its device-control text, its open failures and its block check, against
// a simulated scale on a pseudo-terminal.
#include "LinkTestData.h"
#include "LinkWaits.h"
#include "RecordingWindow.h"
#include "SimulatedSite.h"
#include "comms/manager/IdEnqLinkList.h"
#include "platform/Archive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

TEST(SerialSettings, TheDeviceControlTextGivesThePortSettingsOrNamesWhatItRefuses)
{
    const Result<SerialSettings> standard = ParseDeviceControl("baud=9600 parity=E data=7 stop=1");
    ASSERT_TRUE(standard);
    EXPECT_EQ(standard->baud, 9600u);
    EXPECT_EQ(standard->parity, SerialParity::Even);
    EXPECT_EQ(standard->dataBits, 7);
    EXPECT_EQ(standard->stopBits, 1);
    const Result<SerialSettings> other = ParseDeviceControl("baud=115200 parity=n data=8 stop=2");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->parity, SerialParity::None);
    EXPECT_EQ(other->stopBits, 2);
    for (const char* bad : {"baud=12345 parity=E data=7 stop=1", "baud=abc parity=E data=7 stop=1",
                            "baud=9600 parity=X data=7 stop=1", "baud=9600 parity=E data=9 stop=1",
                            "baud=9600 parity=E data=7 stop=1.5", "parity=E data=7 stop=1"}) {
        const Result<SerialSettings> parsed = ParseDeviceControl(bad);
        ASSERT_FALSE(parsed) << bad;
        EXPECT_EQ(parsed.GetError().code, Errc::Invalid);
    }
    EXPECT_EQ(NativeSerialDeviceName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(NativeSerialDeviceName("COM12"), "/dev/ttyS11");
    EXPECT_EQ(NativeSerialDeviceName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(SerialLink, ANewLinkIsCom1At9600EvenSevenOneAndListsItsSettings)
{
    TestMainFrame frame;
    CIdEnqComLink link;
    link.m_name = "Bakery";
    std::string out;
    link.WriteSetupDetails(out);
    EXPECT_EQ(out, "  COM port: COM1\r\n  Baud rate: 9600\r\n  Parity: E\r\n  No. Data Bits: 7\r\n"
                   "  No. Stop Bits: 1\r\n  Use RTS/CTS: No\r\n");
    EXPECT_EQ(link.m_eightBitData, 0);
    EXPECT_EQ(link.GetStatusText(frame.m_setup), "RS-232    Bakery");
    EXPECT_EQ(link.GetDescription(frame.m_setup), "TR-5300 (RS-232  )");

    link.m_portName = "/dev/ttyUSB3";
    link.m_useRtsCts = true;
    const auto bytes = SaveArchive([&](CArchive& ar) { link.Serialize(ar); });
    ASSERT_TRUE(bytes);
    CIdEnqComLink copy;
    ASSERT_TRUE(LoadArchive(*bytes, [&](CArchive& ar) { copy.Serialize(ar); }));
    EXPECT_EQ(copy.m_portName, "/dev/ttyUSB3");
    EXPECT_TRUE(copy.m_useRtsCts);
    EXPECT_EQ(copy.m_parity, "E");
}

class SerialLinkOpen : public ::testing::Test {
protected:
    std::string Trace() const { return ReadWholeFile(dir.File("trace.log")); }

    TestMainFrame frame;
    TempDir dir;
    ScriptedPinger pinger;
    SimulatedScale scale{Transport::Pty, nullptr};
    std::unique_ptr<CIdEnqComLink> link{[this] {
        auto made = std::unique_ptr<CIdEnqComLink>(
            static_cast<CIdEnqComLink*>(scale.MakeLink(1, 1, SystemClock(), pinger).release()));
        made->m_logging = true;
        made->m_logFile = dir.File("trace.log");
        return made;
    }()};
};

TEST_F(SerialLinkOpen, FailuresNameTheStepAndTheErrorCode)
{
    struct Case {
        const char* name;
        std::function<void(CIdEnqComLink&)> set;
        const char* trace;
    };
    const Case cases[] = {
        {"an invalid baud rate", [](CIdEnqComLink& l) { l.m_baudRate = "12345"; },
         "Error opening COM port - BuildCommDCB error code 22"},
        {"an invalid parity", [](CIdEnqComLink& l) { l.m_parity = "X"; },
         "Error opening COM port - BuildCommDCB error code 22"},
        {"a port that is not there", [](CIdEnqComLink& l) { l.m_portName = "/dev/no-such-port"; },
         "Error opening COM port - CreateFile error code 2"},
    };
    for (const Case& c : cases) {
        c.set(*link);
        EXPECT_FALSE(link->Open()) << c.name;
        EXPECT_NE(Trace().find(c.trace), std::string::npos) << c.name;
        link->m_baudRate = "9600";
        link->m_parity = "E";
        link->m_portName = static_cast<PtyScaleLine&>(scale.Line()).PortName();
    }
    EXPECT_TRUE(link->Open());
    EXPECT_TRUE(link->Open());  // already open
    EXPECT_TRUE(link->ClosePort());
}

TEST_F(SerialLinkOpen, EightDataBitsGiveAnEightBitBlockCheckFromTheNextOpenOn)
{
    EXPECT_TRUE(link->Open());
    EXPECT_EQ(link->m_eightBitData, 0);
    link->ClosePort();
    link->m_dataBits = "8";
    EXPECT_TRUE(link->Open());
    EXPECT_EQ(link->m_eightBitData, 1);
    link->ClosePort();
}

// Eight-bit data travels whole to a scale that checks eight-bit frames.
TEST(SerialLinkSend, HighBytesReachAnEightBitScaleIntact)
{
    TestMainFrame frame;
    LinkTestDocument document{frame};
    document.m_database.Table(2).AddRows({5, 6}, "\xC4\xD6\xDC");
    FakeClock clock;
    ScriptedPinger pinger;
    SimulatedScale scale(Transport::Pty, &clock, true);
    CIdEnqLinkList links(clock, RealFileSystem());
    auto made = scale.MakeLink(1, 11, clock, pinger);
    static_cast<CIdEnqComLink&>(*made).m_dataBits = "8";
    links.Add(std::move(made));
    links.StartLinks(&document, LinkRoles::Of(frame), false);
    RecordingWindow window;
    ASSERT_TRUE(WaitUntilIdle(links));
    links.QueueJob(nullptr, {CSendDataLog(SendRecords, 2, 1, 9)}, &window);
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone));
    EXPECT_EQ(scale.Sim().Packets(1), (std::vector<Bytes>{ScaleRecordOf('P', 5, "\xC4\xD6\xDC"),
                                                          ScaleRecordOf('P', 6, "\xC4\xD6\xDC")}));
    links.StopLinks(false);
}

}  // namespace
}  // namespace varnel::test
