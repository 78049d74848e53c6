// The link's trace file: its entries, byte for byte, and its trimming.
#include "MemoryLink.h"
#include "ScaleSimulator.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnel::test {
namespace {

constexpr const char* kTime = "03/15/2024 10:30:00";

class LinkTrace : public ::testing::Test {
protected:
    void SetUp() override
    {
        scale.m_scaleNo = 7;
        scale.m_machineNo = 7;
        link.m_linkId = 2;
        link.m_logging = true;
        link.m_logFile = dir.File("link.log");
        link.SetCurrentScale(&scale);
        link.SetDocument(nullptr, LinkRoles::Of(frame));
    }
    std::string Trace() const { return ReadWholeFile(dir.File("link.log")); }
    static std::string At(const std::string& entry) { return kTime + entry; }

    TestMainFrame frame;
    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 15, 10, 30, 0}};
    InMemoryLine line{clock};
    CLinkScale scale;
    MemoryLink link{line};
};

TEST_F(LinkTrace, EntriesByKind)
{
    struct Case {
        std::uint16_t kind;
        std::string data;
        std::string expected;
    };
    const std::string longText(70, 'x');
    const Case cases[] = {
        {CIdEnqLink::TraceSent, "", At("  Send <ID-ENQ> : Scale ID = 7, Link ID = 2\r\n\r\n")},
        {CIdEnqLink::TraceSent, "A\x1B" "C1\x05\xE9",
         At("  Send to Scale ID = 7, Link ID = 2 Data length = 6\r\nA<ESC>C1<05>\xE9\r\n\r\n")},
        {CIdEnqLink::TraceReceived, longText,
         At("  Received from Scale ID = 7, Link ID = 2 Data length = 70\r\n" + std::string(65, 'x') + "\r\nxxxxx\r\n\r\n")},
        {CIdEnqLink::TraceMessage, std::string("Received NAK\n\0ignored", 21), At("  Received NAK\n\r\n\r\n")},
        {CIdEnqLink::TraceNote, "Starting to send unsent data", At("  Starting to send unsent data\r\n\r\n")},
        {CIdEnqLink::TraceSentToLink, "0123456789abcdefXY\x01",
         At("  Send to Link ID = 2 Data length = 19\r\n"
            "30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66   0123456789abcdef\r\n"
            "58 59 01                                          XY.\r\n\r\n")},
        {CIdEnqLink::TraceHexOnly, "\x7F\x80", "7f 80                                             \x7F.\r\n\r\n"},
        {CIdEnqLink::TraceStartReceive, "", At("  Start receive from Link ID = 2\r\n\r\n")},
        {CIdEnqLink::TraceDeclined, "", At("  Receive request declined by scale\r\n\r\n")},
        {9, "text", At("text\r\n\r\n")},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir.File("link.log"));
        link.WriteTrace(c.kind, c.data);
        EXPECT_EQ(Trace(), c.expected) << c.kind;
    }
}

TEST_F(LinkTrace, NothingIsWrittenWithLoggingOffOrWithoutAFile)
{
    link.m_logging = false;
    link.WriteTrace(CIdEnqLink::TraceNote, "x");
    link.m_logging = true;
    link.m_logFile.clear();
    link.WriteTrace(CIdEnqLink::TraceNote, "x");
    EXPECT_FALSE(std::filesystem::exists(dir.File("link.log")));
}

TEST_F(LinkTrace, APollIsTracedAsTheEnquiryWithoutDataThenTheEnquiry)
{
    ScaleSimulator sim(line, {7});
    sim.Start();
    ASSERT_TRUE(link.Open());
    link.PollScales({&scale});
    EXPECT_EQ(Trace(), At("  Send <ID-ENQ> : Scale ID = 7, Link ID = 2\r\n\r\n") +
                           At("  Send to Scale ID = 7, Link ID = 2 Data length = 6\r\n<04>KT07<05>\r\n\r\n"));
    EXPECT_TRUE(scale.IsOnline());
}

class LinkTraceTrim : public LinkTrace {
protected:
    // Ten entries of 100 bytes each: 96 letters of the entry's own and the entry's CR LF CR LF.
    static std::string Entries()
    {
        std::string log;
        for (char c = 'a'; c < 'k'; ++c) log += std::string(96, c) + "\r\n\r\n";
        return log;
    }
};

TEST_F(LinkTraceTrim, KeepsTheEntriesOfTheNewestHalfOfTheLimit)
{
    WriteWholeFile(dir.File("link.log"), Entries());
    link.m_maxLogSize = 500;
    link.TrimLogFile();
    // The cut starts 250 bytes before the end, inside the entry of 'h'; the first whole entry is 'i'.
    EXPECT_EQ(Trace(), std::string(96, 'i') + "\r\n\r\n" + std::string(96, 'j') + "\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists("IDENQ.WRK"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(LinkTraceTrim, LeavesAShortLogAndEmptiesOneWithoutLimit)
{
    WriteWholeFile(dir.File("link.log"), Entries());
    link.m_maxLogSize = 1000;
    link.TrimLogFile();
    EXPECT_EQ(Trace(), Entries());
    link.m_maxLogSize = 0;
    link.TrimLogFile();
    EXPECT_EQ(Trace(), "");
}

TEST_F(LinkTraceTrim, EveryFailureLeavesTheOldLogOrTheTrimmedOne)
{
    const std::string trimmed = std::string(96, 'i') + "\r\n\r\n" + std::string(96, 'j') + "\r\n\r\n";
    FaultInjectingFileSystem fs;
    MemoryLink faulty(line, fs);
    faulty.m_logFile = dir.File("link.log");
    faulty.m_maxLogSize = 500;
    for (std::uint64_t n = 1;; ++n) {
        WriteWholeFile(dir.File("link.log"), Entries());
        fs.FailAt(n);
        faulty.TrimLogFile();
        const std::string after = Trace();
        EXPECT_TRUE(after == Entries() || after == trimmed) << "fault at call " << n;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "fault at call " << n;
        if (!fs.Fired()) break;
    }
}

}  // namespace
}  // namespace varnel::test
