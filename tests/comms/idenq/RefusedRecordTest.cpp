// A PLU record that a value does not fit is refused on its way to a scale: the link counts it as not
// sent, writes it to its comms log and the event log, and sends the records around it; so is a key
// record of a delete job.
#include "InMemoryLine.h"
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "ScaleSimulator.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/manager/TextImportLog.h"
#include "golden/PluGolden.h"
#include "platform/TextFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

void AddPluWithPrice(ScaleDataDatabase& database, std::uint32_t number, std::uint32_t unitPrice)
{
    auto row = std::make_unique<CPluDefRec>();
    database.PluTable().InitNewPlu(number, *row);
    row->Set(PluCol::UnitPrice, unitPrice);
    const std::uint16_t size = row->CalcDataSize();
    row->SetHeader(CPluDefTb::kTableNo, size, size, number);
    std::vector<CDBKeyIndex::Entry> rows;
    rows.push_back({number, std::move(row)});
    (void)database.PluTable().AddLoadedRecords(std::move(rows));
}

// A family-0 scale (six-digit PLU numbers) on a logging link over the in-memory line, the one link of
// the link manager.
class RefusedRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddGoldenFieldDefs(m_frame);
        m_document.m_database.PluTable().SetCompanionData(&TheGoldenCompanions());
        m_sim.Start();
        m_link.m_linkId = 1;
        m_link.m_enabled = true;
        m_link.m_name = "Deli";
        m_link.m_logging = true;
        m_link.m_logFile = m_dir.File("deli.log");
        auto scale = std::make_unique<CLinkScale>();
        scale->m_scaleNo = 7;
        scale->m_machineNo = 7;
        scale->m_scaleType = 0;
        scale->m_name = "Deli scale";
        m_link.m_scales.push_back(std::move(scale));
        m_link.StartLink(&m_document, LinkRoles::Of(m_frame));
    }
    void TearDown() override { m_link.StopThread(); }

    void Send(const SendRequests& jobs)
    {
        m_link.ResetJob();
        m_link.AddJobScale(m_link.m_scales.front().get());
        const ScaleDefs all{CScaleDef(1, 7)};
        m_link.MarkJobStart(&all);
        m_link.QueueSendData(&all, jobs);
        RecordingWindow window;
        m_link.SubmitRequest(CIdEnqLink::RequestSendNow, &window, true);
        ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone));
    }

    static std::string Refusal(std::uint32_t key, const char* field)
    {
        return FormatText("Scale [Deli scale] : record %u was not sent: its %s does not fit the scale's record", key,
                          field);
    }

    TestMainFrame m_frame;
    LinkTestDocument m_document{m_frame};
    TempDir m_dir;
    FakeClock m_clock;
    InMemoryLine m_line{m_clock};
    ScaleSimulator m_sim{m_line, {7}};
    CIdEnqLinkList m_links{m_clock, RealFileSystem()};
    MemoryLink& m_link = AddLink();

private:
    MemoryLink& AddLink()
    {
        auto link = std::make_unique<MemoryLink>(m_line);
        MemoryLink& added = *link;
        m_links.Add(std::move(link));
        return added;
    }
};

TEST_F(RefusedRecord, IsCountedAsNotSentAndWrittenToTheCommsLogWhileTheOthersGoOut)
{
    AddPluWithPrice(m_document.m_database, 1, 1000000);  // a price of seven digits: family 0 has six
    AddPluWithPrice(m_document.m_database, 2, 250);
    AddPluWithPrice(m_document.m_database, 3, 999999);
    Send({CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, 10)});

    ASSERT_EQ(m_sim.Packets(7).size(), 2u);  // PLUs 2 and 3
    const std::string refusal = Refusal(1, "UnitPrice");
    EXPECT_NE(ReadWholeFile(m_dir.File("deli.log")).find(refusal), std::string::npos);
    ASSERT_FALSE(m_frame.m_events.empty());
    EXPECT_EQ(m_frame.m_events.front().second, refusal);

    m_frame.m_events.clear();
    m_link.LogCommsResults(m_frame);
    ASSERT_EQ(m_frame.m_events.size(), 2u);
    EXPECT_EQ(m_frame.m_events[1].second,
              "   No. of data records sent succesfully: 2  No. of data records not sent: 1");
}

TEST_F(RefusedRecord, RecordsAboveTheFamilysHighestNumberAreCountedAndLoggedOnce)
{
    m_frame.m_setup.m_maxPluNo = 99999999;
    for (const std::uint32_t plu : {5u, 1000000u, 1000001u, 2000000u}) AddPluWithPrice(m_document.m_database, plu, 100);
    Send({CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, 1500000)});

    ASSERT_EQ(m_sim.Packets(7).size(), 1u);  // PLU 5; family 0 carries six digits
    const std::string line =
        "Scale [Deli scale] : 2 records above number 999999 were not sent: the scale's family takes no higher number";
    EXPECT_NE(ReadWholeFile(m_dir.File("deli.log")).find(line), std::string::npos);
    ASSERT_EQ(m_frame.m_events.size(), 1u);
    EXPECT_EQ(m_frame.m_events.front().second, line);

    m_frame.m_events.clear();
    m_link.LogCommsResults(m_frame);
    ASSERT_EQ(m_frame.m_events.size(), 2u);
    EXPECT_EQ(m_frame.m_events[1].second,
              "   No. of data records sent succesfully: 1  No. of data records not sent: 2");
}

TEST_F(RefusedRecord, DeleteJobsCountEachRefusedKeyAndGoOnWithTheNext)
{
    m_frame.m_setup.m_maxPluNo = 99999999;
    for (const std::uint32_t plu : {5u, 1000000u}) AddPluWithPrice(m_document.m_database, plu, 100);
    // The existing keys: 5 goes, 1000000 has seven digits. Every key of the range: 999999 goes, the
    // two after it are refused.
    Send({CSendDataLog(SendExistingDeletes, CPluDefTb::kTableNo, 1, 2000000),
          CSendDataLog(SendKeyDeletes, CPluDefTb::kTableNo, 999999, 1000001)});

    const auto packets = m_sim.Packets(7);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_NE(std::string(packets[0].begin(), packets[0].end()).find("000005"), std::string::npos);
    EXPECT_NE(std::string(packets[1].begin(), packets[1].end()).find("999999"), std::string::npos);
    const std::string log = ReadWholeFile(m_dir.File("deli.log"));
    std::vector<std::string> refusals;
    for (const auto& [kind, text] : m_frame.m_events) refusals.push_back(text);
    EXPECT_EQ(refusals, (std::vector<std::string>{Refusal(1000000, "PLU number"), Refusal(1000000, "PLU number"),
                                                  Refusal(1000001, "PLU number")}));
    EXPECT_NE(log.find(Refusal(1000001, "PLU number")), std::string::npos);

    m_frame.m_events.clear();
    m_link.LogCommsResults(m_frame);
    ASSERT_EQ(m_frame.m_events.size(), 2u);
    EXPECT_EQ(m_frame.m_events[1].second,
              "   No. of data records sent succesfully: 2  No. of data records not sent: 3");
}

TEST_F(RefusedRecord, TheImportLogsCountItAsNotSentAndTakeTheLocksInTheWorkersOrder)
{
    // The worker writes a refusal to the logs while it holds its queue lock; the import's logs read
    // the queues before they open a log (the ThreadSanitizer run would see the other order).
    AddPluWithPrice(m_document.m_database, 1, 1000000);
    AddPluWithPrice(m_document.m_database, 2, 250);
    Send({CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, 1), CSendDataLog(SendRecords, CPluDefTb::kTableNo, 2, 2)});
    CAppEventLog log{m_clock};
    log.ImportLogsOn = 1;
    log.ImportSummaryLogFile = m_dir.File("summary.log");
    log.ImportErrorLogFile = m_dir.File("errors.log");
    LogTextImport(log, m_links, {"plus.csv", "shop.pld", m_frame.GetTextRules().chars}, 2, 2);

    const std::string summary = ReadWholeFile(m_dir.File("summary.log"));
    const std::string counts = FormatText("\t%15d\t%15d\t%15d\r\n", 2, 1, 1);  // imported, sent, not sent
    ASSERT_GE(summary.size(), counts.size());
    EXPECT_EQ(summary.substr(summary.size() - counts.size()), counts);
    EXPECT_TRUE(RealFileSystem().Exists(m_dir.File("errors.log")));
}

}  // namespace
}  // namespace varnel::test
