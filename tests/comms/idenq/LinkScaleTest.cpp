// A scale's queue operations, settings copy, setup listing and compare result file, and the link's
// operations on its scales' queues.
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "comms/idenq/LinkScale.h"
#include "platform/LocalTime.h"
#include "support/TempDir.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

std::unique_ptr<CSendDataLog> Job(std::uint32_t first, double queued = 45000.0, std::uint32_t kind = SendRecords)
{
    auto job = std::make_unique<CSendDataLog>(kind, 2, first, first);
    job->m_queued = {queued, DateTimeStatus::Valid};
    return job;
}

std::vector<std::uint32_t> FirstKeys(const SendQueue& queue)
{
    std::vector<std::uint32_t> keys;
    for (const auto& job : queue) keys.push_back(job ? job->m_rangeStart : 0);
    return keys;
}

TEST(LinkScaleQueue, MergeTakesTheItemsNotKnownInTimeOrderWhateverTheirTimes)
{
    CLinkScale scale;
    scale.m_sendQueue.push_back(nullptr);  // a delivered slot stays where it is
    scale.m_sendQueue.push_back(Job(1, 100.0));
    scale.m_sendQueue.push_back(Job(2, 300.0));
    SendJobCounts known;
    known.Add(*Job(10, 50.0));
    known.Add(*Job(13, 400.0));  // known, yet newer than every queued job: delivered here meanwhile
    SendQueue items;
    items.push_back(Job(10, 50.0));
    items.push_back(Job(14, 20.0));   // not known, though older than anything queued: added by another process
    items.push_back(Job(11, 300.0));  // same time as a queued job: after it
    items.push_back(nullptr);
    items.push_back(Job(12, 200.0));
    items.push_back(Job(13, 400.0));
    items.push_back(Job(13, 400.0));  // a second copy: only one was known
    scale.MergeSendQueue(items, known);
    EXPECT_EQ(FirstKeys(scale.m_sendQueue), (std::vector<std::uint32_t>{0, 14, 1, 12, 2, 11, 13}));
    ASSERT_NE(items[0], nullptr);
    ASSERT_NE(items[5], nullptr);
    EXPECT_EQ(items[1], nullptr);
    EXPECT_EQ(items[6], nullptr);
    EXPECT_FALSE(known.Take(*Job(13, 400.0))) << "each known item uses up one copy";
}

TEST(LinkScaleQueue, DroppingTheCurrentJob)
{
    struct Case {
        const char* name;
        bool firstDelivered;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {{"nothing delivered: the older jobs stay", false, {1, 2}},
                          {"part delivered: the whole queue goes", true, {}}};
    for (const Case& c : cases) {
        CLinkScale scale;
        for (const std::uint32_t key : {1, 2, 3, 4}) scale.m_sendQueue.push_back(Job(key));
        scale.m_currentJobStart = 2;
        if (c.firstDelivered) scale.m_sendQueue[2].reset();
        scale.DropCurrentJob();
        EXPECT_EQ(FirstKeys(scale.m_sendQueue), c.expected) << c.name;
        EXPECT_FALSE(scale.m_currentJobStart) << c.name;
    }
}

TEST(LinkScaleQueue, CopySettingsReplacesSettingsAndFiltersAndEmptiesTheQueue)
{
    CLinkScale source;
    source.m_scaleNo = 9;
    source.m_name = "Bakery";
    source.m_storeNumber = 44;
    source.m_filters.push_back(std::make_unique<CLinkFilter>(2, 5, 6));
    source.m_sendQueue.push_back(Job(1));
    CLinkScale scale;
    scale.m_filters.push_back(std::make_unique<CLinkFilter>(4, 1, 1));
    scale.m_sendQueue.push_back(Job(2));
    scale.m_scaleKeys = {7};
    scale.CopySettings(source);
    EXPECT_EQ(static_cast<const CLinkScaleSettings&>(scale), static_cast<const CLinkScaleSettings&>(source));
    ASSERT_EQ(scale.m_filters.size(), 1u);
    EXPECT_NE(scale.m_filters[0].get(), source.m_filters[0].get());
    EXPECT_EQ(scale.m_filters[0]->m_from, 5u);
    EXPECT_TRUE(scale.m_sendQueue.empty());
    EXPECT_EQ(scale.m_scaleKeys, std::vector<std::uint32_t>{7});
}

TEST(LinkScaleQueue, DuplicateJobsLeaveTheLatestInPlace)
{
    FakeClock clock;
    InMemoryLine line(clock);
    MemoryLink link(line);
    link.m_scales.push_back(std::make_unique<CLinkScale>());
    SendQueue& queue = link.m_scales[0]->m_sendQueue;
    queue.push_back(nullptr);                            // delivered already
    queue.push_back(Job(1, 0, SendRecords));
    queue.push_back(Job(2, 0, SendRecords));
    queue.push_back(Job(1, 0, SendKeyDeletes));          // the same job as the first: send or delete
    queue.push_back(Job(2, 0, SendPriceChanges));        // another kind
    queue.push_back(Job(5, 0, SendKeyDeletes));          // not the same job as the other delete
    queue.push_back(Job(5, 0, SendRecords));             // the same job as that delete
    queue.push_back(Job(5, 0, SendExistingDeletes));
    link.RemoveDuplicateJobs();
    EXPECT_EQ(FirstKeys(queue), (std::vector<std::uint32_t>{0, 2, 1, 2, 5, 5}));
    EXPECT_EQ(queue[2]->m_kind, SendKeyDeletes);
    EXPECT_EQ(queue[4]->m_kind, SendKeyDeletes);
    EXPECT_EQ(queue[5]->m_kind, SendExistingDeletes);
}

TEST(LinkScaleQueue, SelectionsNameLinksAndScales)
{
    FakeClock clock;
    InMemoryLine line(clock);
    MemoryLink link(line);
    link.m_linkId = 3;
    CLinkScale scale;
    scale.m_scaleNo = 5;
    const ScaleDefs none;
    const ScaleDefs other{CScaleDef(3, 6)};
    const ScaleDefs it{CScaleDef(4, 5), CScaleDef(3, 5)};
    EXPECT_TRUE(link.IsScaleSelected(scale, nullptr));
    EXPECT_FALSE(link.IsScaleSelected(scale, &none));
    EXPECT_FALSE(link.IsScaleSelected(scale, &other));
    EXPECT_TRUE(link.IsScaleSelected(scale, &it));
    EXPECT_TRUE(link.IsLinkSelected(&other));
    EXPECT_FALSE(link.IsLinkSelected(&none));
}

TEST(LinkScaleListing, SingleAndListedForms)
{
    TestMainFrame frame;
    frame.m_setup.m_defaultScaleFamily = 2;
    CLinkScale scale;
    scale.m_machineNo = 12;
    scale.m_tareFormat = 1;
    scale.m_filters.push_back(std::make_unique<CLinkFilter>(2, 100, 200));
    std::string out;
    scale.WriteSetupDump(out, frame.m_setup, true);
    EXPECT_EQ(out,
              "    System type                         : TR-5200,\r\n"
              "    ID-ENQ machine ID                   : 12\r\n"
              "    Price zone                          : 0\r\n"
              "    Add 1 day to shelf life?            : No\r\n"
              "    Tare format                         : Divide by 10\r\n"
              "    Support msg #28 (LumenXT/TR-5400)?   : No\r\n"
              "    Support 2-color printer (RUX/TR-5400)?: No\r\n"
              "    Store ID (RUX/Taiwan): 0\r\n"
              "    Filtering:\r\n"
              "    PLU : From 100 to 200\r\n");

    scale.m_scaleType = 0;
    scale.m_filters.clear();
    out.clear();
    scale.WriteSetupDump(out, frame.m_setup, false);
    const std::string head = "  System type                         : TR-5300\r\n"
                             "  ID-ENQ machine ID                   : 12\r\n";
    EXPECT_EQ(out.substr(0, head.size()), head);
    EXPECT_NE(out.find("  Max. desc. text length              : 1001\r\n"), std::string::npos);
}

TEST(LinkScaleListing, FamilyTwelveIsNamedFromTheFamilyNamesAndLaterNumbersNotAtAll)
{
    TestMainFrame frame;
    CLinkScale scale;
    const auto systemType = [&](std::uint16_t family) {
        scale.m_scaleType = family;
        std::string out;
        scale.WriteSetupDump(out, frame.m_setup, false);
        return out.substr(0, out.find("\r\n") + 2);
    };
    EXPECT_EQ(systemType(11), "  System type                         : VM-8100b/QF\r\n");
    EXPECT_EQ(systemType(12), "  System type                         : KB-7100\r\n");
    EXPECT_EQ(systemType(13), "  ID-ENQ machine ID                   : 1\r\n");
}

TEST(LinkListing, AOneScaleLinkListsItsScaleWithoutTheScalesHeader)
{
    TestMainFrame frame;
    FakeClock clock;
    InMemoryLine line(clock);
    MemoryLink link(line);
    link.m_linkId = 4;
    link.m_name = "Deli";
    link.m_scales.push_back(std::make_unique<CLinkScale>());
    std::string out;
    link.WriteSetupDump(out, frame.m_setup);
    EXPECT_EQ(out.find("  Scales:"), std::string::npos);
    const std::string head = "Scale ID 4\r\n"
                             "  Name                                : Deli\r\n"
                             "  Enabled?                            : No\r\n"
                             "  Connected?                          : No\r\n"
                             "  Line                                : memory\r\n";
    EXPECT_EQ(out.substr(0, head.size()), head);

    link.m_scales.push_back(std::make_unique<CLinkScale>());
    link.m_scales[1]->m_name = "Second";
    link.m_scales[1]->m_scaleNo = 2;
    out.clear();
    link.WriteSetupDump(out, frame.m_setup);
    EXPECT_NE(out.find("  Scales:\r\n    Name                                : Scale ID = 1 (Id = 1)\r\n"),
              std::string::npos);
    EXPECT_NE(out.find("    Name                                : Second (Id = 2)\r\n"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 4), "\r\n\r\n");
}

class CompareResults : public ::testing::Test {
protected:
    void SetUp() override
    {
        scale.m_scaleNo = 7;
        for (const std::uint32_t plu : {1, 2, 5, 6, 8}) database.AddPlu(plu, 1, 1);
        // PLU 8 is switched off for scales.
        dynamic_cast<CPluDefRec*>(database.PluTable().FindRecord(8))->SetCtrlFlag(1, true);
    }
    TestMainFrame frame;
    TempDir dir;
    std::string directory = dir.Path();
    FakeClock clock{DateTimeParts{2024, 3, 15, 10, 30, 0}};
    ScaleDataDatabase database;
    CLinkScale scale;
};

TEST_F(CompareResults, TheFileIsNamedByTheScaleNumber)
{
    EXPECT_EQ(scale.GetCompareResultFileName(dir.Path()), dir.File("CompareResultsScale007.txt"));
    EXPECT_EQ(scale.GetCompareResultFileName(dir.Path() + "/"), dir.File("CompareResultsScale007.txt"));
}

TEST_F(CompareResults, DatabasePlusTheScaleLacksAreListedAfterTheHeader)
{
    scale.m_notOnScale = {99};
    scale.StartCompareResults("Deli", directory, RealFileSystem(), clock);
    EXPECT_TRUE(scale.m_notOnScale.empty());
    scale.m_scaleKeys = {5, 1};
    scale.SetOnline(true);
    scale.CompareWithDatabase(database.PluTable(), directory);
    EXPECT_EQ(scale.m_notOnScale, (std::vector<std::uint32_t>{2, 6}));
    EXPECT_EQ(ReadWholeFile(scale.GetCompareResultFileName(directory)),
              "Scale: Deli\r\n03/15/2024 10:30:00\r\nPluNo,Result,Detail"
              "\r\n2,\"Database PLU not on scale\"\r\n6,\"Database PLU not on scale\"");
}

TEST_F(CompareResults, TheScalesPlusGoToTheListsAndTheirLinesAfterTheHeader)
{
    scale.StartCompareResults("Deli", directory, RealFileSystem(), clock);
    scale.m_scaleType = 10;
    {
        CScaleCompareResults results(scale, directory);
        const std::string_view record = "99,";
        ASSERT_TRUE(database.PluTable().ComparePluRecord(
            scale, {reinterpret_cast<const std::uint8_t*>(record.data()), record.size()}, results));
        PluDifferenceLines lines(results, 5);
        lines.Write("\"Tare : Scale = 1 DB = 2\"");
    }
    EXPECT_EQ(scale.m_scaleKeys, (std::vector<std::uint32_t>{99}));
    EXPECT_EQ(scale.m_notInDatabase, (std::vector<std::uint32_t>{99}));
    EXPECT_EQ(scale.m_different, (std::vector<std::uint32_t>{5}));
    EXPECT_EQ(ReadWholeFile(scale.GetCompareResultFileName(directory)),
              "Scale: Deli\r\n03/15/2024 10:30:00\r\nPluNo,Result,Detail\r\n99,\"Scale PLU not in database\""
              "\r\n5,\"Scale PLU does not match database\"\r\n\"Tare : Scale = 1 DB = 2\"");
}

TEST_F(CompareResults, AnOfflineScaleGetsOnlyTheOfflineLine)
{
    scale.StartCompareResults("Deli", directory, RealFileSystem(), clock);
    scale.CompareWithDatabase(database.PluTable(), directory);
    EXPECT_EQ(ReadWholeFile(scale.GetCompareResultFileName(directory)), "Scale Comms: Off-Line\r\n");
    EXPECT_TRUE(scale.m_notOnScale.empty());
}

TEST_F(CompareResults, AFileThatCannotBeWrittenLeavesTheListsFilled)
{
    directory = dir.File("missing");
    scale.StartCompareResults("Deli", directory, RealFileSystem(), clock);
    scale.SetOnline(true);
    scale.m_scaleKeys = {1, 2, 5};
    scale.CompareWithDatabase(database.PluTable(), directory);
    EXPECT_EQ(scale.m_notOnScale, std::vector<std::uint32_t>{6});
}

}  // namespace
}  // namespace varnel::test
