// Price and markdown changes of PLUs: in the row or a zone, journaled in batch mode, sent to the
// scales, with the extra price tables and with zone lists.
#include "PriceZoneDatabase.h"
#include "db/store/BatchJournalFormat.h"
#include "db/plu/PriceChangeEntry.h"
#include "db/plu/RuxPriceRecord.h"
#include "platform/ByteOrder.h"
#include "support/RecordingDocument.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using Entries = PriceZoneEntries;

class PriceChangeTest : public PriceZoneDatabase {
protected:
    void SetUp() override
    {
        PriceZoneDatabase::SetUp();
        m_frame.m_setup.m_localPriceZone = 2;
        AddPlu(5, 100);
    }

    Entries ZoneValues(std::uint32_t pluNumber) const
    {
        Entries entries;
        EXPECT_TRUE(Zones().LoadAllEntries(pluNumber, entries));
        return entries;
    }
    // The journal's chunks after its version word and department chunk.
    std::vector<BatchChunk> JournalChunks(const std::string& path, std::vector<std::uint8_t>& bytes) const
    {
        const std::string text = ReadWholeFile(path);
        bytes.assign(text.begin(), text.end());
        BatchJournalReader reader(bytes);
        EXPECT_TRUE(reader.ReadVersion());
        std::vector<BatchChunk> chunks;
        for (;;) {
            auto next = reader.Next();
            if (!next || !*next) break;
            if ((*next)->kind != kBatchDepartment) chunks.push_back(**next);
        }
        return chunks;
    }

    RecordingDocument m_document{m_frame};
};

TEST_F(PriceChangeTest, InBatchModeAPriceChangeIsOneJournalEntryAndNoSend)
{
    const std::string journal = m_dir.File("changes.bch");
    ASSERT_TRUE(m_db.BeginBatch(journal, "Meat", false));
    ASSERT_TRUE(Plus().ChangePrice(5, 250, 2, true, true));
    EXPECT_EQ(Plu(5).Get(PluCol::UnitPrice), 100);  // 1005 is a zone field: zone 2 holds the price
    EXPECT_EQ(ZoneValues(5), (Entries{{2, kUnitPriceField, 250}}));
    ASSERT_TRUE(m_db.EndBatch());

    std::vector<std::uint8_t> bytes;
    const std::vector<BatchChunk> chunks = JournalChunks(journal, bytes);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].kind, kBatchUpdated);
    EXPECT_EQ(chunks[0].GetTableNo(), 14);
    EXPECT_EQ(chunks[0].GetKey(), 5u);
    EXPECT_EQ(LoadLe16(&chunks[0].header[2]), 12);
    EXPECT_EQ(LoadLe16(&chunks[0].header[4]), 12);
    EXPECT_EQ(std::vector<std::uint8_t>(chunks[0].data.begin(), chunks[0].data.end()),
              (std::vector<std::uint8_t>{0, 0, 2, 0, 250, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(m_document.m_sends.empty());

    // The batch left the database as it was; applying the journal makes the change.
    EXPECT_TRUE(ZoneValues(5).empty());
    ASSERT_TRUE(m_db.ReadBatchFile(journal, ""));
    EXPECT_EQ(ZoneValues(5), (Entries{{2, kUnitPriceField, 250}}));
}

TEST_F(PriceChangeTest, TheZoneDecidesWhereThePriceGoesAndWhetherItIsSent)
{
    struct Case {
        const char* name;
        std::uint16_t mode;
        int zone;
        std::vector<std::uint16_t> zoneFields;
        std::int32_t rowPrice;
        Entries zoneValues;
        bool sent;
    };
    const Case cases[] = {
        {"the store's own zone", 0, -1, {kUnitPriceField}, 100, {{2, kUnitPriceField, 300}}, true},
        {"another zone", 0, 3, {kUnitPriceField}, 100, {{3, kUnitPriceField, 300}}, false},
        {"another zone from the head office", 2, 3, {kUnitPriceField}, 100, {{3, kUnitPriceField, 300}}, true},
        {"zone 0", 0, 0, {kUnitPriceField}, 300, {}, false},
        {"the price no zone field", 0, 2, {}, 300, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame.m_setup.m_priceZoneMode = c.mode;
        m_frame.m_priceZoneFields = c.zoneFields;
        m_document.m_sends.clear();
        ASSERT_TRUE(Plus().ChangePrice(5, 300, c.zone, true, true));
        EXPECT_EQ(Plu(5).Get(PluCol::UnitPrice), c.rowPrice);
        EXPECT_EQ(ZoneValues(5), c.zoneValues);
        ASSERT_EQ(m_document.m_sends.size(), c.sent ? 1u : 0u);
        if (c.sent) {
            ASSERT_EQ(m_document.m_sends[0].requests.size(), 1u);
            const CSendDataLog& request = m_document.m_sends[0].requests[0];
            EXPECT_EQ(request.m_kind, SendPriceChanges);
            EXPECT_EQ(request.m_tableId, CPluDefTb::kTableNo);
            EXPECT_EQ(request.m_rangeStart, 5u);
            EXPECT_EQ(request.m_rangeEnd, 5u);
        }
        ASSERT_TRUE(Zones().DeletePlu(5));
        ASSERT_TRUE(Plus().ChangePrice(5, 100, 0, false, true));
    }
}

TEST_F(PriceChangeTest, AMarkdownSplitsBetweenZoneAndRowByTheZoneFields)
{
    struct Case {
        const char* name;
        std::vector<std::uint16_t> zoneFields;
        std::int32_t rowPrice;
        std::uint8_t rowFlag;
        Entries zoneValues;
    };
    const Case cases[] = {
        {"both", {kMarkdownPriceField, kMarkdownFlagField}, 0, 0,
         {{3, kMarkdownPriceField, 75}, {3, kMarkdownFlagField, 2}}},
        {"the price only", {kMarkdownPriceField}, 0, 2, {{3, kMarkdownPriceField, 75}}},
        {"the flag only", {kMarkdownFlagField}, 75, 0, {{3, kMarkdownFlagField, 2}}},
        {"neither", {}, 75, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame.m_priceZoneFields = c.zoneFields;
        ASSERT_TRUE(Plus().ChangeMarkdownPrice(5, 75, 3, 2, false, true));
        EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), c.rowPrice);
        EXPECT_EQ(Plu(5).Get(PluCol::MarkFlag), c.rowFlag);
        EXPECT_EQ(ZoneValues(5), c.zoneValues);
        Reopen();
        EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), c.rowPrice);
        EXPECT_EQ(ZoneValues(5), c.zoneValues);
        ASSERT_TRUE(Zones().DeletePlu(5));
        ASSERT_TRUE(Plus().ChangeMarkdownPrice(5, 0, 0, 0, false, true));
    }
}

TEST_F(PriceChangeTest, AChangeThatIsRefusedIsFalseAndSendsNothing)
{
    m_frame.m_setup.m_localPriceZone = 0;
    AddPlu(50, 100);
    m_frame.m_access.m_sitePluRanges.Append(CPluRange(40, 60, "excluded"));
    m_frame.m_access.ResetPluRanges();
    EXPECT_FALSE(Plus().ChangePrice(50, 300, -1, true, true));
    EXPECT_FALSE(Plus().ChangeMarkdownPrice(50, 30, -1, 1, true, true));
    EXPECT_FALSE(Plus().ChangePrice(77, 300, -1, true, true));  // no such PLU
    EXPECT_EQ(Plu(50).Get(PluCol::UnitPrice), 100);
    EXPECT_TRUE(m_document.m_sends.empty());
    EXPECT_EQ(m_frame.GetInvalidRecordFlag(), 1u);
}

TEST_F(PriceChangeTest, ExtraPriceTablesTakeTheirPrices)
{
    m_frame.m_setup.m_localPriceZone = 0;
    CObjDBTable& second = *m_db.GetTable(88);
    auto record = second.CreateRecord(kRuxPriceRecordSize);
    ASSERT_TRUE(second.AddRecord(5, kRuxPriceRecordSize, std::move(record)));
    Plu(5).Set(PluCol::PosCode, "4711");

    const CPluDefTb::RuxPrices prices{300, 301, 302, 303, 304, 305};
    ASSERT_TRUE(Plus().ChangePriceWithRuxPrices(5, prices, -1, false, true));
    EXPECT_EQ(Plu(5).Get(PluCol::UnitPrice), 300);
    const auto column = [](std::string_view name) { return FindColumn(kRuxPriceColumns, name); };
    const auto value = [&](std::uint16_t table, std::string_view name) {
        std::int32_t v = 0;
        const CDBRecord* r = m_db.GetTable(table)->FindRecord(5);
        EXPECT_NE(r, nullptr);
        if (r) (void)ReadNumber({r->GetData(), kRuxPriceRecordSize}, column(name), v);
        return v;
    };
    // The first table had no record: one is made from the PLU, in use.
    EXPECT_EQ(value(87, "PriceNo"), 1);
    EXPECT_EQ(value(87, "UnitPrice"), 301);
    const CDBRecord& first = *m_db.GetTable(87)->FindRecord(5);
    EXPECT_EQ(ReadColumn({first.GetData(), kRuxPriceRecordSize}, AsText(column("PosCode"))), "4711");
    EXPECT_EQ(value(88, "UnitPrice"), 302);
    EXPECT_EQ(m_db.GetTable(89)->FindRecord(5), nullptr);

    const CPluDefTb::RuxMarkdownFlags flags{1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(Plus().ChangeMarkdownWithRuxPrices(5, prices, flags, -1, false, true));
    EXPECT_EQ(value(88, "MarkPrice"), 302);
    EXPECT_EQ(value(88, "MarkFlag"), 3);
    EXPECT_EQ(m_db.GetTable(89)->FindRecord(5), nullptr);

    AddPlu(6, 100);
    m_frame.m_setup.m_noAutoRuxPriceRecord = 1;
    ASSERT_TRUE(Plus().ChangePriceWithRuxPrices(6, prices, -1, false, true));
    EXPECT_EQ(m_db.GetTable(87)->FindRecord(6), nullptr);
}

TEST_F(PriceChangeTest, ZoneListsAreWrittenWithTheRowAndOnlyChangesJournaled)
{
    ASSERT_TRUE(
        Plus().ChangePriceWithZones(5, 120, false, true, {{2, kUnitPriceField, 130}, {3, kUnitPriceField, 140}}));
    EXPECT_EQ(Plu(5).Get(PluCol::UnitPrice), 120);
    EXPECT_EQ(ZoneValues(5), (Entries{{2, kUnitPriceField, 130}, {3, kUnitPriceField, 140}}));

    const std::string journal = m_dir.File("zones.bch");
    ASSERT_TRUE(m_db.BeginBatch(journal, "", false));
    ASSERT_TRUE(
        Plus().ChangePriceWithZones(5, 120, true, true, {{2, kUnitPriceField, 130}, {3, kUnitPriceField, 145}}));
    ASSERT_TRUE(Plus().ChangeMarkdownWithZones(5, 60, 1, true, true, {{4, kMarkdownFlagField, 2}},
                                               {{3, kMarkdownPriceField, 50}}));
    ASSERT_TRUE(m_db.EndBatch());
    std::vector<std::uint8_t> bytes;
    std::vector<std::tuple<std::uint16_t, std::uint16_t, std::int32_t, std::uint8_t>> entries;
    for (const BatchChunk& chunk : JournalChunks(journal, bytes)) {
        const auto entry = DecodePriceChangeEntry(chunk.data);
        ASSERT_TRUE(entry);
        entries.emplace_back(entry->kind, entry->zone, entry->price, entry->markdownFlag);
    }
    const decltype(entries) expected{{0, 0, 120, 0}, {0, 3, 145, 0}, {1, 0, 60, 1}, {1, 4, 60, 2}, {1, 3, 50, 1}};
    EXPECT_EQ(entries, expected);
    EXPECT_TRUE(m_document.m_sends.empty());

    ASSERT_TRUE(m_db.ReadBatchFile(journal, ""));
    m_frame.m_setup.m_priceZoneMode = 2;  // the head office applies every zone's entries
    ASSERT_TRUE(m_db.ReadBatchFile(journal, ""));
    EXPECT_EQ(Plu(5).Get(PluCol::MarkPrice), 60);
    // Zone 3's flag is the PLU's own and is not stored.
    EXPECT_EQ(ZoneValues(5), (Entries{{2, kUnitPriceField, 130}, {3, kUnitPriceField, 145}, {4, kMarkdownFlagField, 2},
                                      {3, kMarkdownPriceField, 50}}));
}

}  // namespace
}  // namespace varnel::test
