// Unit-price and markdown change records, their range walks, and the requests that have the links
// delete PLUs or send changes.
#include "PluRecordFixture.h"

#include "db/plu/PosUpdateRequests.h"
#include "support/RecordingDocument.h"
#include "support/TempDir.h"

namespace varnel::test {
namespace {

using namespace std::string_literals;

class PluChangeRecordsTest : public PluRecordFixture {
protected:
    void SetUp() override
    {
        PluRecordFixture::SetUp();
        AddPlu(5, [](CPluDefRec& r) {
            r.Set(PluCol::UnitPrice, 123);
            r.Set(PluCol::MarkFlag, 3);
            r.Set(PluCol::MarkPrice, 45);
        });
    }
};

TEST_F(PluChangeRecordsTest, PriceChangeRecordsByFamilyAndMarket)
{
    const ExpectedRecord cases[] = {
        {0, 0, "31000005000123", 31},
        {4, 3, "660200000500000123", 66},
        {5, 6, "31010000050000123", 31},
        {0, 1, "3101000005000123", 31},
        {2, 1, "31000005000123", 31},
        {8, 0, "\x23\x00\x00\x00\x00\x00\x09\x00" "\x00\x00\x00\x05\x00\x00\x00\x01\x23"s, 23},
        {10, 0, "\x10\x40\x00\x00\x00\x00\x00\x06" "5,123,"s, 1040},
    };
    for (const ExpectedRecord& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " market " << c.market);
        m_frame.m_setup.m_market = c.market;
        const Built built = Run(BuildPriceChangeRecord, Scale(c.family), 5);
        ASSERT_TRUE(built.made);
        EXPECT_EQ(built.bytes, c.bytes);
        EXPECT_EQ(built.code, c.code);
    }
    m_frame.m_setup.m_market = MarketUsa;
    EXPECT_EQ(Run(BuildPriceChangeRecord, Scale(6), 5).code, 30);  // the whole record
    m_frame.m_setup.m_lumenXtPriceChange = 1;
    EXPECT_EQ(Run(BuildPriceChangeRecord, Scale(6), 5).code, 23);
    EXPECT_EQ(Run(BuildPriceChangeRecord, Scale(9), 5).code, 1001);
    EXPECT_FALSE(Run(BuildPriceChangeRecord, Scale(7), 5).made);
    EXPECT_FALSE(Run(BuildPriceChangeRecord, Scale(0), 6).made);
}

TEST_F(PluChangeRecordsTest, MarkdownChangeRecordsWriteTheFlagLessOneOutsideFamilies1To3)
{
    const ExpectedRecord cases[] = {
        {0, 0, "32000005200045", 32},     {1, 0, "32000005300045", 32},    {4, 3, "67020000052000045", 67},
        {5, 6, "32010000052000045", 32}, {0, 14, "3201000005000045", 32}, {0, 1, "3201000005200045", 32},
    };
    for (const ExpectedRecord& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " market " << c.market);
        m_frame.m_setup.m_market = c.market;
        const Built built = Run(BuildMarkdownChangeRecord, Scale(c.family), 5);
        ASSERT_TRUE(built.made);
        EXPECT_EQ(built.bytes, c.bytes);
        EXPECT_EQ(built.code, c.code);
    }
    EXPECT_EQ(Run(BuildMarkdownChangeRecord, Scale(8), 5).code, 30);
    EXPECT_EQ(Run(BuildMarkdownChangeRecord, Scale(12), 5).code, 1001);
    // No markdown flag gives a flag of -1, which the one-digit field cannot carry.
    AddPlu(6);
    EXPECT_EQ(Run(BuildMarkdownChangeRecord, Scale(0), 6).refusedField, "MarkFlag");
}

TEST_F(PluChangeRecordsTest, TheWalkGivesOneRecordAtATimeAndSkipsHeldBackPlus)
{
    AddPlu(7, [](CPluDefRec& r) { r.Set(PluCol::CtrlFlag, 1); });
    AddPlu(9);
    m_frame.m_setup.m_pluActiveInactive = 1;
    ScaleRecordOut out = Out();
    KeyCursor cursor = 6;
    KeyCursor key = 0;
    ASSERT_TRUE(Plus().NextPriceChangeRecord(Scale(0), cursor, 100, out, key));
    EXPECT_EQ(key, 9u);
    EXPECT_FALSE(Plus().NextPriceChangeRecord(Scale(0), cursor, 100, out, key));
    cursor = 6;
    EXPECT_FALSE(Plus().NextMarkdownChangeRecord(Scale(0), cursor, 5, out, key));  // above the last
    cursor = 1;
    ASSERT_TRUE(Plus().NextMarkdownChangeRecord(Scale(0), cursor, 5, out, key));
    EXPECT_EQ(key, 5u);
}

TEST_F(PluChangeRecordsTest, DeleteAndChangeRequestsGoToTheDocument)
{
    AddPlu(6);
    AddPlu(20);
    RecordingDocument document(m_frame);
    EXPECT_TRUE(Plus().DeleteRecordRange(5, 10));
    ASSERT_EQ(document.m_sends.size(), 1u);
    const RecordingDocument::Send& deletes = document.m_sends[0];
    EXPECT_FALSE(deletes.now);
    EXPECT_TRUE(deletes.showResult);
    ASSERT_EQ(deletes.requests.size(), 2u);
    EXPECT_EQ(deletes.requests[1].m_kind, SendKeyDeletes);
    EXPECT_EQ(deletes.requests[1].m_tableId, CPluDefTb::kTableNo);
    EXPECT_EQ(deletes.requests[1].m_rangeStart, 6u);
    EXPECT_EQ(deletes.requests[1].m_rangeEnd, 6u);

    EXPECT_TRUE(Plus().DeleteAllRecords(false));
    EXPECT_EQ(document.m_sends[1].requests[0].m_rangeStart, 0u);
    EXPECT_FALSE(document.m_sends[1].showResult);

    EXPECT_FALSE(Plus().QueuePriceSend(11, true));
    EXPECT_EQ(document.m_sends.size(), 2u);
    EXPECT_TRUE(Plus().QueueMarkdownSend(20, true));
    EXPECT_TRUE(document.m_sends[2].now);
    EXPECT_EQ(document.m_sends[2].requests[0].m_kind, SendMarkdownChanges);
    document.m_sendNowResult = 61219;
    EXPECT_FALSE(Plus().QueuePriceSend(20, true));
}

}  // namespace
}  // namespace varnel::test

namespace varnel::test {
namespace {

TEST_F(PluChangeRecordsTest, SendAndDeleteRequestsQueueTheirPlusForThePosUpdateFile)
{
    TempDir dir;
    m_frame.m_setup.m_posUpdateFilePath = dir.File("posupdate.txt");
    AddPlu(6);
    AddPlu(30);
    const SendRequests requests{CSendDataLog(SendRecords, CPluDefTb::kTableNo, 1, 6),
                                CSendDataLog(SendKeyDeletes, CPluDefTb::kTableNo, 30, 40),
                                CSendDataLog(SendPriceChanges, CPluDefTb::kTableNo, 1, 40),
                                CSendDataLog(SendRecords, 4, 1, 40)};
    QueuePosUpdatesForSend(Plus(), requests);
    EXPECT_TRUE(ReadWholeFile(dir.File("posupdate.txt")).empty());  // the option is off

    m_frame.m_setup.m_posUpdateFileOutput = 1;
    QueuePosUpdatesForSend(Plus(), requests);
    const std::string lines = ReadWholeFile(dir.File("posupdate.txt"));
    ASSERT_EQ(lines.size(), 3 * 82u);
    EXPECT_EQ(lines.substr(0, 6), "5     ");
    EXPECT_EQ(lines[82 + 45], 'C');
    EXPECT_EQ(lines.substr(164, 6), "30    ");
    EXPECT_EQ(lines[164 + 45], 'D');
}

}  // namespace
}  // namespace varnel::test
