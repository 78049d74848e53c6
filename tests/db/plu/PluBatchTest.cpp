// The PLU database's batch hooks: price-change entries, the user's selection of entries, and what
// follows an applied entry.
#include "db/store/BatchJournalFormat.h"
#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/UnbuiltTable.h"
#include "support/RecordingDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace varnel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Chunk(std::uint16_t kind, std::uint16_t tableNo, std::uint32_t key, const Bytes& data = {})
{
    CByteRowRecord record(data.size());
    std::copy(data.begin(), data.end(), record.GetData());
    const auto size = static_cast<std::uint16_t>(data.size());
    record.SetHeader(tableNo, size, size, key);
    return EncodeRecordChunk(kind, record);
}

// A price-change entry: kind, zone, price and, for markdowns, the mode.
Bytes PriceEntry(std::uint16_t change, std::uint16_t zone, std::uint32_t price, std::uint8_t mode = 0)
{
    Bytes data(12, 0);
    StoreLe16(&data[0], change);
    StoreLe16(&data[2], zone);
    StoreLe32(&data[4], price);
    data[8] = mode;
    return Chunk(kBatchUpdated, CPluDatabase::kPriceChangeTableNo, 0, data);
}

Bytes WithKey(Bytes chunk, std::uint32_t key)
{
    StoreLe32(&chunk[2 + 8], key);
    return chunk;
}

class PluBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db.CreateAllTables();
        ASSERT_TRUE(m_db.Create(m_dir.File("plu.pld")));
        ASSERT_TRUE(m_db.Open(m_dir.File("plu.pld")));
        for (std::uint32_t number : {5u, 6u}) {
            auto row = std::make_unique<CPluDefRec>();
            m_db.GetPluTable()->InitNewPlu(number, *row);
            row->SetDesc("\x1B" "C1Sirloin steak, aged thirty days", m_db.GetPluTable()->GetRoles().Text().chars);
            row->Set(PluCol::UnitPrice, 100);
            const std::uint16_t size = row->CalcDataSize();
            ASSERT_TRUE(m_db.GetPluTable()->AddPlu(number, size, std::move(row)));
        }
    }

    std::string Journal(const std::vector<Bytes>& chunks)
    {
        const std::string path = m_dir.File("b" + std::to_string(m_journals++) + ".bch");
        std::ofstream out(path, std::ios::binary);
        Bytes bytes = EncodeBatchVersion(327);
        for (const Bytes& chunk : chunks) bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    const CPluDefRec& Plu(std::uint32_t number) const
    {
        return *static_cast<const CPluDefRec*>(m_db.GetPluTable()->FindRecord(number));
    }

    TempDir m_dir;
    TestMainFrame m_frame;
    CPluDatabase m_db;
    int m_journals = 0;
};

TEST_F(PluBatchTest, PriceEntriesChangeThePluWhenTheZoneIsTheStoresOwn)
{
    struct Case {
        std::uint16_t zoneMode;
        std::uint16_t localZone;
        std::uint16_t entryZone;
        bool applied;
    };
    const Case cases[] = {{0, 2, 3, false}, {0, 2, 2, true}, {2, 2, 3, true}, {1, 2, 0, true}, {1, 2, 2, false}};
    for (const Case& c : cases) {
        m_frame.m_setup.m_priceZoneMode = c.zoneMode;
        m_frame.m_setup.m_localPriceZone = c.localZone;
        ASSERT_TRUE(m_db.ReadBatchFile(Journal({WithKey(PriceEntry(0, c.entryZone, 555), 5)}), ""));
        EXPECT_EQ(Plu(5).Get(PluCol::UnitPrice), c.applied ? 555 : 100) << c.zoneMode << " " << c.entryZone;
        auto& row = const_cast<CPluDefRec&>(Plu(5));
        row.Set(PluCol::UnitPrice, 100);
    }
}

TEST_F(PluBatchTest, PriceEntriesAreLoggedUnlessLoadedIntoMemoryAndBecomeChangeEntries)
{
    m_db.SetTrackChanges(true);
    ASSERT_TRUE(m_db.ReadBatchFile(Journal({WithKey(PriceEntry(1, 0, 80, 3), 6)}), ""));
    EXPECT_EQ(Plu(6).Get(PluCol::MarkPrice), 80);
    EXPECT_EQ(Plu(6).Get(PluCol::MarkFlag), 3);
    ASSERT_EQ(m_frame.m_events.size(), 1u);
    EXPECT_EQ(m_frame.m_events[0].first, 5);
    EXPECT_EQ(m_frame.m_events[0].second, "Markdown price change for PLU 6 Mode=3 Price=0 -> 80 (Zone=0) "
                                          "(Desc. = \x1B" "C1Sirloin steak, aged thirty)");
    EXPECT_EQ(Plu(6).GetDesc().size(), 34u);  // the row keeps its whole description

    ASSERT_TRUE(m_db.LoadBatchFile(Journal({WithKey(PriceEntry(0, 0, 90), 6)}), ""));
    EXPECT_EQ(Plu(6).Get(PluCol::UnitPrice), 90);
    EXPECT_EQ(m_frame.m_events.size(), 1u);
    ASSERT_EQ(m_db.GetChangeEntries().size(), 2u);
    EXPECT_EQ(m_db.GetChangeEntries()[0].m_kind, SendMarkdownChanges);
    EXPECT_EQ(m_db.GetChangeEntries()[1].m_kind, SendPriceChanges);
    EXPECT_EQ(m_db.GetChangeEntries()[1].m_tableId, 2);
    EXPECT_EQ(m_db.GetChangeEntries()[1].m_rangeStart, 6u);
}

TEST_F(PluBatchTest, MalformedOrUnknownPriceEntriesChangeNothing)
{
    const std::vector<Bytes> entries{
        WithKey(PriceEntry(2, 0, 80), 5),                                       // no such change kind
        WithKey(PriceEntry(0, 0, 80), 99),                                      // no such PLU
        Chunk(kBatchUpdated, CPluDatabase::kPriceChangeTableNo, 5, {0, 0, 0, 0, 80, 0, 0}),  // cut short
        Chunk(kBatchUpdated, CPluDatabase::kPriceChangeTableNo, 5, {1, 0, 0, 0, 80, 0, 0, 0}),  // no mode
        Chunk(kBatchDeleted, CPluDatabase::kPriceChangeTableNo, 5),
        Chunk(kBatchUpdated, 16, 5, {1, 2, 3}),                                  // a number without a table
    };
    ASSERT_TRUE(m_db.ReadBatchFile(Journal(entries), ""));
    EXPECT_EQ(Plu(5).Get(PluCol::UnitPrice), 100);
    EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), 0);
    EXPECT_TRUE(m_frame.m_events.empty());
}

TEST_F(PluBatchTest, OnlySelectedEntriesAreAppliedAndLinesFollowTheirParent)
{
    m_db.SetBatchSelection({{1, 3, 10}, {0, 10, 1}, {1, 10, 2}, {0, 3, 11}});
    const std::vector<Bytes> entries{
        Chunk(kBatchAdded, 3, 10, {'a'}), Chunk(kBatchAdded, 10, 1, {'c'}), Chunk(kBatchAdded, 11, 1u << 24, {'l'}),
        Chunk(kBatchAdded, 10, 2, {'c'}), Chunk(kBatchAdded, 11, 2u << 24, {'l'}), Chunk(kBatchAdded, 3, 11, {'b'}),
        Chunk(kBatchAdded, 3, 12, {'x'}),  // not in the selection
    };
    ASSERT_TRUE(m_db.ReadBatchFile(Journal(entries), ""));
    EXPECT_NE(m_db.GetTable(3)->FindRecord(10), nullptr);
    EXPECT_EQ(m_db.GetTable(10)->FindRecord(1), nullptr);
    EXPECT_EQ(m_db.GetTable(11)->FindRecord(1u << 24), nullptr);
    EXPECT_NE(m_db.GetTable(10)->FindRecord(2), nullptr);
    EXPECT_NE(m_db.GetTable(11)->FindRecord(2u << 24), nullptr);
    EXPECT_EQ(m_db.GetTable(3)->FindRecord(11), nullptr);
    EXPECT_EQ(m_db.GetTable(3)->FindRecord(12), nullptr);
}

TEST_F(PluBatchTest, AppliedEntriesReplaceDependentRowsAndBecomeChangeEntries)
{
    RecordingDocument document(m_frame);
    ASSERT_TRUE(m_db.ReadBatchFile(Journal({Chunk(kBatchAdded, 13, (4u << 16) + 1, {'k'}),
                                            Chunk(kBatchAdded, 13, (4u << 16) + 2, {'k'}),
                                            Chunk(kBatchAdded, 13, (5u << 16) + 1, {'k'})}),
                                   ""));
    m_frame.m_events.clear();
    m_db.SetTrackChanges(true);
    ASSERT_TRUE(m_db.ReadBatchFile(Journal({Chunk(kBatchAdded, 12, 4, {'K'}),         // keyboard 4
                                            Chunk(kBatchUpdated, 15, 0x07000005, {'z'}),  // PLU 5's zones
                                            Chunk(kBatchAdded, 3, 10, {'a'}), Chunk(kBatchDeleted, 3, 10),
                                            Chunk(kBatchAdded, 11, 1u << 24, {'l'})}),
                                   ""));
    EXPECT_EQ(m_db.GetTable(13)->GetRecordCount(), 1u);  // keyboard 4's old keys are gone
    const std::vector<std::tuple<std::uint32_t, std::uint16_t, std::uint32_t>> expected{
        {SendKeyDeletes, 12, 4}, {SendRecords, 12, 4}, {SendRecords, 2, 5}, {SendRecords, 3, 10},
        {SendKeyDeletes, 3, 10}};
    std::vector<std::tuple<std::uint32_t, std::uint16_t, std::uint32_t>> entries;
    for (const CSendDataLog& entry : m_db.GetChangeEntries())
        entries.emplace_back(entry.m_kind, entry.m_tableId, entry.m_rangeStart);
    EXPECT_EQ(entries, expected);
    const std::vector<std::pair<std::uint16_t, std::string>> lines{
        {4, " Op: <Batch file import> : Added Keyboards No. 4"},
        {4, " Op: <Batch file import> : Added Advertising Message No. 10"},
        {4, " Op: <Batch file import> : Deleted Advertising Message No. 10"}};
    EXPECT_EQ(m_frame.m_events, lines);

    ASSERT_TRUE(m_db.SendChangeEntries(m_frame, true));
    ASSERT_EQ(document.m_sends.size(), 1u);
    EXPECT_EQ(document.m_sends[0].requests.size(), 5u);
}

}  // namespace
}  // namespace varnel::test
