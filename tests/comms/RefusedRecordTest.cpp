// A PLU record that a value does not fit is refused on its way to a scale: the link counts it as not
// sent, writes it to its comms log and the event log, and sends the records around it.
#include "InMemoryLine.h"
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "RecordingWindow.h"
#include "ScaleSimulator.h"
#include "golden/PluGolden.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

void AddPluWithPrice(ScaleDataDatabase& database, std::uint32_t number, std::uint32_t unitPrice)
{
    auto row = std::make_unique<CPluDefRec>();
    row->InitNew(number);
    row->Set(PluCol::UnitPrice, unitPrice);
    const std::uint16_t size = row->CalcDataSize();
    row->SetHeader(CPluDefTb::kTableNo, size, size, number);
    std::vector<CDBKeyIndex::Entry> rows;
    rows.push_back({number, std::move(row)});
    (void)database.PluTable().AddLoadedRecords(std::move(rows));
}

TEST(RefusedRecord, IsCountedAsNotSentAndWrittenToTheCommsLogWhileTheOthersGoOut)
{
    TestMainFrame frame;
    AddGoldenFieldDefs(frame);
    LinkTestDocument document{frame};
    document.m_database.PluTable().SetCompanionData(&TheGoldenCompanions());
    AddPluWithPrice(document.m_database, 1, 1000000);  // a price of seven digits: family 0 has six
    AddPluWithPrice(document.m_database, 2, 250);
    AddPluWithPrice(document.m_database, 3, 999999);
    TempDir dir;
    FakeClock clock;
    InMemoryLine line{clock};
    ScaleSimulator sim{line, {7}};
    sim.Start();
    MemoryLink link{line};
    link.m_linkId = 1;
    link.m_enabled = true;
    link.m_name = "Deli";
    link.m_logging = true;
    link.m_logFile = dir.File("deli.log");
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = 7;
    scale->m_machineNo = 7;
    scale->m_scaleType = 0;
    scale->m_name = "Deli scale";
    link.m_scales.push_back(std::move(scale));
    link.StartLink(&document);

    link.ResetJob();
    link.AddJobScale(link.m_scales.front().get());
    const ScaleDefs all{CScaleDef(1, 7)};
    link.MarkJobStart(&all);
    link.QueueSendData(&all, {CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, 10)});
    RecordingWindow window;
    link.SubmitRequest(CIdEnqLink::RequestSendNow, &window, true);
    ASSERT_TRUE(window.WaitFor(CIdEnqLink::ResultDone));

    ASSERT_EQ(sim.Packets(7).size(), 2u);  // PLUs 2 and 3
    const std::string refusal = "Scale [Deli scale] : record 1 was not sent: its UnitPrice does not fit the scale's record";
    EXPECT_NE(ReadWholeFile(dir.File("deli.log")).find(refusal), std::string::npos);
    ASSERT_FALSE(frame.m_events.empty());
    EXPECT_EQ(frame.m_events.front().second, refusal);

    frame.m_events.clear();
    link.LogCommsResults();
    ASSERT_EQ(frame.m_events.size(), 2u);
    EXPECT_EQ(frame.m_events[1].second, "   No. of data records sent succesfully: 2  No. of data records not sent: 1");
    link.StopThread();
}

}  // namespace
}  // namespace varnel::test
