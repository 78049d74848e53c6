// What a link reports of its last operation: event-log result lines, the comms log, the PLU logs and
// the scale status lines.
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "platform/TextFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace varnel::test {
namespace {

class CommsResults : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.m_name = "Deli";
        link.SetDocument(&document, LinkRoles::Of(frame));
        for (const std::uint16_t id : {1, 2, 3}) {
            link.m_scales.push_back(std::make_unique<CLinkScale>());
            link.m_scales.back()->m_scaleNo = id;
            link.m_scales.back()->m_name = "S" + std::to_string(id);
        }
        for (const auto& scale : link.m_scales) link.AddJobScale(scale.get());
        log.SendFailureLogFile = dir.File("failed.log");
        log.ImportErrorLogFile = dir.File("errors.log");
        log.ScaleStatusLogFile = dir.File("status.log");
    }
    CLinkScale& Scale(std::size_t index) { return *link.m_scales[index]; }
    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    TempDir dir;
    FakeClock clock{DateTimeParts{2024, 3, 15, 10, 30, 0}};
    InMemoryLine line{clock};
    MemoryLink link{line};
    CAppEventLog log{clock};
};

TEST_F(CommsResults, NamesWithAndWithoutTheLinkAddress)
{
    EXPECT_EQ(link.FormatNameWithAddress("Scale 1"), "Scale 1");
    EXPECT_EQ(link.FormatNameWithAddress(std::nullopt), "");
    link.m_address = std::array<std::uint16_t, 4>{10, 0, 0, 5};
    EXPECT_EQ(link.FormatNameWithAddress("Scale 1"), "Scale 1 (10.0.0.5)");
    EXPECT_EQ(link.FormatNameWithAddress(std::nullopt), "10.0.0.5");
}

TEST_F(CommsResults, TheCommsErrorIsTheLinksOrTheFirstScaleErrorThatIsNotNoData)
{
    EXPECT_EQ(link.GetCommsError(), 0u);
    Scale(0).SetLastResult(CIdEnqLink::kMsgNoData);
    EXPECT_EQ(link.GetCommsError(), 0u);
    Scale(1).SetLastResult(CIdEnqLink::kMsgTimeout);
    Scale(2).SetLastResult(CIdEnqLink::kMsgCommsError);
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgTimeout);
    EXPECT_FALSE(link.Terminate(CIdEnqLink::kMsgCannotOpen));
    EXPECT_EQ(link.GetCommsError(), CIdEnqLink::kMsgCannotOpen);
    EXPECT_TRUE(link.Terminate(0));
}

TEST_F(CommsResults, EventLogLinesPerScale)
{
    // S1 delivered everything; S2 was cancelled with nothing queued; S3 failed with two jobs left
    // after one it delivered.
    Scale(0).SetRecordCounter(3);
    Scale(1).SetLastResult(CIdEnqLink::kMsgCancelled);
    Scale(2).SetLastResult(CIdEnqLink::kMsgTimeout);
    Scale(2).SetRecordCounter(4);
    Scale(2).m_sendQueue.push_back(nullptr);
    Scale(2).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 1, 1));
    Scale(2).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 2, 2));
    Scale(2).m_currentJobStart = 0;
    link.LogCommsResults(frame);
    const std::vector<std::pair<std::uint16_t, std::string>> expected{
        {EventContinuation, "  Scale [S1] : Comms operation completed successfully"},
        {EventContinuation, "   No. of data records sent succesfully: 3  No. of data records not sent: 0"},
        {EventContinuation, "  Scale [S2] : Comms error [Data transfer cancelled by user.]"},
        {EventContinuation, "  Scale [S3] : Comms error [Communication link to scales timed out.]"},
        {EventContinuation, "   No. of data records sent succesfully: 4  No. of data records not sent: 2"},
    };
    EXPECT_EQ(frame.m_events, expected);
}

TEST_F(CommsResults, CommsLogCountsSentAndUnsentJobs)
{
    Scale(1).SetLastResult(CIdEnqLink::kMsgCancelled);
    Scale(2).m_sendQueue.push_back(nullptr);
    Scale(2).m_sendQueue.push_back(nullptr);
    Scale(2).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 1, 1));
    Scale(2).m_currentJobStart = 0;
    std::string out;
    link.WriteCommsLog(out, "Send", "PLU", 7, 5);
    const std::string date = "03/15/2024 10:30:00\t";
    const auto row = [&](int sent, int notSent) {
        return date + FormatText("%40s\t%40s\t%15s\t%15d\t%15d\t%15d\r\n", "Send", "PLU", "", 7, sent, notSent);
    };
    // S1: no job start, so all of the count; S2: cancelled; S3: two delivered, one left.
    EXPECT_EQ(out, row(5, 0) + row(0, 0) + row(2, 1));

    // Records refused for a value that does not fit went with their jobs but count as not sent.
    Scale(0).SetRefusedCounter(2);
    Scale(2).SetRefusedCounter(1);
    out.clear();
    link.WriteCommsLog(out, "Send", "PLU", 7, 5);
    EXPECT_EQ(out, row(3, 2) + row(0, 0) + row(1, 2));
}

TEST_F(CommsResults, UnsentPluJobsGoToTheSendFailureLogOnce)
{
    for (const std::uint32_t plu : {10, 11, 12, 30}) document.m_database.AddPlu(plu, 1, 1);
    log.LogSendFailures = 1;
    Scale(0).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 10, 12));
    Scale(0).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 4, 30, 30));  // not PLUs
    Scale(1).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendKeyDeletes, 2, 30, 40));
    link.LogUnsentPlus(log);
    link.LogUnsentPlus(log);
    const std::vector<std::string> lines = Lines(ReadWholeFile(dir.File("failed.log")));
    ASSERT_EQ(lines.size(), 5u);  // the header and four PLUs
    for (const auto& [index, plu, scale] : {std::tuple{1, "10", "S1"}, {2, "11", "S1"}, {3, "12", "S1"}, {4, "30", "S2"}}) {
        EXPECT_NE(lines[index].find(plu), std::string::npos) << lines[index];
        EXPECT_NE(lines[index].find(scale), std::string::npos) << lines[index];
    }
    EXPECT_TRUE(Scale(0).m_sendQueue[1]->m_logged);
}

TEST_F(CommsResults, NothingIsLoggedWhileTheSendFailureLogIsOff)
{
    document.m_database.AddPlu(10, 1, 1);
    Scale(0).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 10, 10));
    link.LogUnsentPlus(log);
    EXPECT_FALSE(std::filesystem::exists(dir.File("failed.log")));
    EXPECT_FALSE(Scale(0).m_sendQueue[0]->m_logged);
}

TEST_F(CommsResults, ImportErrorLinesNameThePluOfEachUndeliveredSendJob)
{
    document.m_database.AddPlu(10, 1, 1);
    Scale(0).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 99, 99));  // before the job
    Scale(0).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendRecords, 2, 10, 20));
    Scale(0).m_sendQueue.push_back(std::make_unique<CSendDataLog>(SendKeyDeletes, 2, 10, 20));
    Scale(0).m_currentJobStart = 1;
    std::string out;
    link.WritePluLogLines(log, out, {"import.txt", "shop.pld", frame.GetTextRules().chars});
    const std::vector<std::string> lines = Lines(out);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("import.txt"), std::string::npos);
    EXPECT_NE(lines[0].find("Deli"), std::string::npos);
}

TEST_F(CommsResults, ScaleStatusLinesOnlyForSocketLinks)
{
    link.LogScaleStatus(log);
    EXPECT_FALSE(std::filesystem::exists(dir.File("status.log")));
    link.m_address = std::array<std::uint16_t, 4>{10, 0, 0, 5};
    Scale(1).SetOnline(true);
    link.LogScaleStatus(log);
    const std::vector<std::string> lines = Lines(ReadWholeFile(dir.File("status.log")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[2].find("|\t2|\tOnline "), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("|\t3|\tOffline"), std::string::npos) << lines[3];
}

}  // namespace
}  // namespace varnel::test
