// The record source: the records a scale's queued jobs yield, the scale's filters, and the queue as
// jobs are exhausted.
#include "LinkTestData.h"
#include "MemoryLink.h"
#include "settings/AppEventLog.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class RecordSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.m_setup.m_market = MarketUsa;
        scale.m_scaleNo = 7;
        scale.m_name = "Scale 7";
        scale.m_scaleType = 0;
        link.SetCurrentScale(&scale);
        link.SetDocument(&document, LinkRoles::Of(frame));
    }

    void Queue(const SendRequests& jobs)
    {
        for (const CSendDataLog& job : jobs) scale.m_sendQueue.push_back(std::make_unique<CSendDataLog>(job));
    }
    // Every record the queue yields, in order, in one pass under the frame's settings as they stand.
    std::vector<Bytes> Drain()
    {
        const SiteSettingsPtr settings = frame.GetSiteSettings();
        link.PinForPass(settings);
        const SiteSettingsScope pass(settings);
        std::vector<Bytes> records;
        for (bool more = link.StartNextJob(); more; more = link.NextRecords())
            records.emplace_back(link.Data().begin(), link.Data().end());
        return records;
    }
    static std::vector<Bytes> Records(char kind, std::initializer_list<std::uint32_t> keys, std::string_view body = "row")
    {
        std::vector<Bytes> records;
        for (const std::uint32_t key : keys) records.push_back(ScaleRecordOf(kind, key, kind == 'P' ? body : ""));
        return records;
    }

    TestMainFrame frame;
    LinkTestDocument document{frame};
    FakeClock clock;
    InMemoryLine line{clock};
    CLinkScale scale;
    MemoryLink link{line};
};

TEST_F(RecordSource, EachJobKindYieldsItsRecords)
{
    document.m_database.Table(2).AddRows({2, 5, 9});
    struct Case {
        const char* name;
        CSendDataLog job;
        std::vector<Bytes> expected;
    };
    const Case cases[] = {
        {"records of the range", {SendRecords, 2, 3, 9}, Records('P', {5, 9})},
        {"delete every key", {SendKeyDeletes, 2, 4, 6}, Records('D', {4, 5, 6})},
        {"delete the existing keys", {SendExistingDeletes, 2, 1, 6}, Records('D', {2, 5})},
        {"date and time: one record", {SendDateTime, 0, 0, 100}, {ToBytes("DT")}},
        {"operators from the document", {SendOperators, 0, 1, 2}, Records('O', {1, 2})},
        {"production totals request: one record", {SendProductionRequest, 0, 0, 100}, {ToBytes("17")}},
        {"no table: nothing", {SendRecords, 0, 1, 9}, {}},
        {"price changes need the PLU table", {SendPriceChanges, 4, 1, 9}, {}},
    };
    for (const Case& c : cases) {
        Queue({c.job});
        EXPECT_EQ(Drain(), c.expected) << c.name;
        EXPECT_TRUE(scale.m_sendQueue.empty()) << c.name;
    }
}

TEST_F(RecordSource, JobsFollowEachOtherAndLeaveTheQueueOnlyWhenExhausted)
{
    document.m_database.Table(2).AddRows({1, 2});
    Queue({{SendRecords, 2, 1, 9}, {SendKeyDeletes, 2, 7, 7}});
    ASSERT_TRUE(link.StartNextJob());
    EXPECT_EQ(scale.m_sendQueue.size(), 2u);
    ASSERT_TRUE(link.NextRecords());
    ASSERT_TRUE(link.NextRecords());
    // The first job is exhausted: its slot is emptied and the next one yields.
    EXPECT_EQ(scale.m_sendQueue.front(), nullptr);
    EXPECT_EQ(Bytes(link.Data().begin(), link.Data().end()), ScaleRecordOf('D', 7));
    EXPECT_FALSE(link.NextRecords());
    EXPECT_TRUE(scale.m_sendQueue.empty());
    EXPECT_EQ(scale.GetRecordCounter(), 3u);
}

TEST_F(RecordSource, FiltersLetOnlyTheirRangesThrough)
{
    document.m_database.Table(2).AddRows({1, 10, 20, 30});
    struct Case {
        const char* name;
        std::vector<CLinkFilter> filters;
        std::vector<Bytes> expected;
    };
    const Case cases[] = {
        {"no filter", {}, Records('P', {1, 10, 20, 30})},
        {"a filter of another table", {{4, 1, 1}}, Records('P', {1, 10, 20, 30})},
        {"one range", {{2, 10, 20}}, Records('P', {10, 20})},
        {"two ranges", {{2, 1, 1}, {2, 25, 40}}, Records('P', {1, 30})},
        // The record that replaces a refused one is judged as well: 10 follows the refused 1 but lies
        // outside both ranges.
        {"a range without rows", {{2, 5, 8}, {2, 15, 25}}, Records('P', {20})},
        {"nothing passes", {{2, 40, 50}}, {}},
    };
    for (const Case& c : cases) {
        scale.m_filters.clear();
        for (const CLinkFilter& filter : c.filters) scale.m_filters.push_back(std::make_unique<CLinkFilter>(filter));
        Queue({{SendRecords, 2, 1, 99}});
        EXPECT_EQ(Drain(), c.expected) << c.name;
    }
}

TEST_F(RecordSource, DeleteRecordsAreFilteredByTheirKeys)
{
    document.m_database.Table(2).AddRows({5});
    scale.m_filters.push_back(std::make_unique<CLinkFilter>(2, 3, 4));
    Queue({{SendKeyDeletes, 2, 1, 6}});
    EXPECT_EQ(Drain(), Records('D', {3, 4}));
}

TEST_F(RecordSource, AJobOfABlockLinkKindIsDroppedWithAnEventLineAndTheQueueGoesOn)
{
    document.m_database.Table(2).AddRows({5});
    Queue({{11, 0, 1, 1}, {SendRecords, 2, 1, 9}, {16, 0, 1, 1}});
    EXPECT_EQ(Drain(), Records('P', {5}));
    EXPECT_TRUE(scale.m_sendQueue.empty());
    ASSERT_EQ(frame.m_events.size(), 2u);
    EXPECT_EQ(frame.m_events[0].first, EventGeneral);
    EXPECT_EQ(frame.m_events[1].second,
              "Scale [Scale 7] : a queued job of kind 16 cannot be sent over an ID-ENQ link and was dropped");
}

TEST_F(RecordSource, AJobTheUserRemovedMeanwhileIsNotTakenForExhausted)
{
    document.m_database.Table(2).AddRows({1, 2, 3});
    Queue({{SendRecords, 2, 1, 9}});
    ASSERT_TRUE(link.StartNextJob());
    // The user clears the queue and queues another job while the first is under way.
    scale.ClearSendQueue();
    Queue({{SendKeyDeletes, 2, 8, 8}});
    ASSERT_TRUE(link.NextRecords());
    EXPECT_EQ(Bytes(link.Data().begin(), link.Data().end()), ScaleRecordOf('D', 8));
    EXPECT_FALSE(link.NextRecords());
}

TEST_F(RecordSource, ProductionRequestCodesByFamilyAndMarket)
{
    struct Case {
        std::uint16_t family;
        std::uint16_t market;
        bool nutrition;
        const char* code;  // null: no code
    };
    const Case cases[] = {{0, MarketUsa, false, "17"},        {4, MarketSweden, false, "1701"},
                          {2, MarketSweden, false, "17"},      {1, MarketAustralia, true, "19000000"},
                          {3, MarketAustralia, false, "720000"}, {6, MarketUsa, false, nullptr},
                          {9, MarketUsa, false, nullptr},       {7, MarketUsa, false, nullptr}};
    for (const Case& c : cases) {
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_nutritionInUse = c.nutrition ? 1 : 0;
        scale.m_scaleType = c.family;
        Queue({{SendProductionRequest, 0, 0, 0}});
        EXPECT_EQ(Drain(), c.code ? std::vector<Bytes>{ToBytes(c.code)} : std::vector<Bytes>{}) << c.family;
    }
}

TEST_F(RecordSource, DeptAndGroupFiltersJudgeNutritionRecordsByTheirPlu)
{
    // Department-and-group codes without a field definition of the group: group + department.
    document.m_database.AddPlu(10, 1, 5);  // 6
    document.m_database.AddPlu(20, 2, 0);  // 2
    document.m_database.AddPlu(30, 3, 3);  // 6
    document.m_database.Table(9).AddRows({10, 20, 30, 40});
    scale.m_filters.push_back(std::make_unique<CLinkFilter>(CLinkFilter::kDeptGroupKind, 5, 7));
    struct Case {
        const char* name;
        std::uint16_t market;
        std::vector<Bytes> expected;
    };
    const Case cases[] = {{"Australia/New Zealand layout", MarketAustralia, Records('P', {10, 30})},
                          {"elsewhere the filter does not apply", MarketUsa, Records('P', {10, 20, 30, 40})}};
    frame.m_setup.m_nutritionInUse = 1;
    scale.m_scaleType = 2;  // no capacity check: that is for family 0
    for (const Case& c : cases) {
        frame.m_setup.m_market = c.market;
        Queue({{SendRecords, 9, 1, 99}});
        EXPECT_EQ(Drain(), c.expected) << c.name;
    }
}

TEST_F(RecordSource, PriceChangesComeFromThePluTableAndAreFiltered)
{
    for (const std::uint32_t plu : {4, 9}) document.m_database.AddPlu(plu, 1, 1);
    Queue({{SendPriceChanges, 2, 1, 99}});
    EXPECT_EQ(Drain().size(), 2u);
    scale.m_filters.push_back(std::make_unique<CLinkFilter>(2, 9, 9));
    Queue({{SendPriceChanges, 2, 1, 99}});
    EXPECT_EQ(Drain().size(), 1u);
}

}  // namespace
}  // namespace varnel::test
