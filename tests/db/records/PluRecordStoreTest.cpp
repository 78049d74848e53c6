// PLU records received from scales: stored into new and existing PLUs, the sending scale's added day
// taken back, the family-2 conversion undone, price zones, family 9's extra price blocks, short and bad
// records; and the comparison of a scale's PLUs with the database.
#include "PluDecodeFixture.h"
#include "MdbTestDatabase.h"
#include "PriceZoneDatabase.h"

#include "db/records/PluRecordLayouts.h"
#include "platform/ByteOrder.h"

#include <array>
#include <map>


namespace varnel::test {
namespace {

using PluRecordStoreTest = PluDecodeFixture;

CLinkScaleSettings ScaleOf(std::uint16_t family, std::uint16_t addOneDay = 0)
{
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    scale.m_addOneDay = addOneDay;
    return scale;
}

TEST_F(PluRecordStoreTest, ATextRecordFromAScaleThatAddsADayStoresTheShelfLifeOneDayShorter)
{
    const std::pair<std::uint16_t, std::uint16_t> cases[] = {{5, 4},     {1, 0},     {0, 0},
                                                             {997, 996}, {998, 998}, {999, 999}};
    for (const auto& [sent, stored] : cases) {
        AddPlu(1234, [&](CPluDefRec& r) {
            r.Set(PluCol::DateFlag, 3);
            r.Set(PluCol::ShelfLife, sent);
        });
        const std::string record = Sent(ScaleOf(0), 1234);
        ASSERT_TRUE(Receive(ScaleOf(0, 1), record));
        EXPECT_EQ(Find(1234)->Get(PluCol::ShelfLife), stored) << sent;
        ASSERT_TRUE(Receive(ScaleOf(0), record));
        EXPECT_EQ(Find(1234)->Get(PluCol::ShelfLife), sent) << "without the option";
        ASSERT_TRUE(Plus().DeleteKey(1234));
    }
}

TEST_F(PluRecordStoreTest, BcdAndCommaSeparatedRecordsTakeTheAddedDayBackToo)
{
    AddPlu(77, [](CPluDefRec& r) {
        r.Set(PluCol::ShelfLife, 999);
        r.Set(PluCol::BestBefore, 10);
        r.Set(PluCol::DateFlag, 3);
    });
    ASSERT_TRUE(Receive(ScaleOf(6, 1), Sent(ScaleOf(6), 77)));
    EXPECT_EQ(Find(77)->Get(PluCol::ShelfLife), 998);
    EXPECT_EQ(Find(77)->Get(PluCol::BestBefore), 10);
    ASSERT_TRUE(Receive(ScaleOf(10, 1), Sent(ScaleOf(10), 77)));
    EXPECT_EQ(Find(77)->Get(PluCol::ShelfLife), 997);
    EXPECT_EQ(Find(77)->Get(PluCol::BestBefore), 9);
}

TEST_F(PluRecordStoreTest, AReceivedRecordReplacesTheFieldsAndDescriptionOfAnExistingPlu)
{
    AddPlu(55, [](CPluDefRec& r) {
        r.Set(PluCol::UnitPrice, 100);
        r.Set(PluCol::StoreId, 42);  // not carried by the family-0 record: the PLU's default comes back
    });
    std::string record = Sent(ScaleOf(0), 55, true);
    record.replace(10, 6, "000250");  // the unit price of the price block
    record = record.substr(0, 118) + "\x1B" "C3Pears";
    ASSERT_TRUE(Receive(ScaleOf(0), record));
    const CPluDefRec& row = *Find(55);
    EXPECT_EQ(row.Get(PluCol::UnitPrice), 250);
    EXPECT_EQ(row.Get(PluCol::StoreId), 0);
    EXPECT_EQ(row.GetDesc(), "\x1B" "C3Pears");
    EXPECT_EQ(row.Get(PluCol::Name), "Pears");
    EXPECT_EQ(Plus().GetRecordCount(), 1u);
}

TEST_F(PluRecordStoreTest, BadPluNumbersAreRefusedAndExcludedOnesPassedOver)
{
    std::string record = Sent(ScaleOf(0), AddPlu(31).GetKey());
    const auto withNumber = [&](std::string_view digits) {
        return record.substr(0, 2) + std::string(digits) + record.substr(8);
    };
    EXPECT_FALSE(Receive(ScaleOf(0), withNumber("000000")));
    EXPECT_FALSE(Receive(ScaleOf(0), withNumber("x12345")));
    m_frame.m_setup.m_maxPluNo = 30;
    EXPECT_FALSE(Receive(ScaleOf(0), withNumber("000031")));
    m_frame.m_setup.m_maxPluNo = 999999;
    EXPECT_FALSE(Receive(ScaleOf(0), ""));
    EXPECT_EQ(Plus().GetRecordCount(), 0u);

    m_frame.m_access.m_activePluRanges.Append(CPluRange(30, 40, "held back"));
    m_frame.m_invalidRecordFlag = 0;
    EXPECT_TRUE(Receive(ScaleOf(0), withNumber("000031")));
    EXPECT_EQ(m_frame.m_invalidRecordFlag, 1u);
    EXPECT_EQ(Find(31), nullptr);
}

TEST_F(PluRecordStoreTest, ARecordShorterThanItsLayoutIsReadAsFarAsItGoesWithoutADescription)
{
    for (const std::uint16_t family : {0, 6, 10}) {
        AddPlu(88, [](CPluDefRec& r) {
            r.Set(PluCol::UnitPrice, 4321);
            r.Set(PluCol::Tare, 17);
        });
        const std::string record = Sent(ScaleOf(family), 88);
        // Up to the unit price (families 0 and 6), or up to the description's quote (family 10).
        const std::size_t cut = family == 0 ? 16 : family == 6 ? 9 : record.find('"');
        ASSERT_TRUE(Receive(ScaleOf(family), record.substr(0, cut))) << family;
        const CPluDefRec& row = *Find(88);
        EXPECT_EQ(row.Get(PluCol::UnitPrice), family == 10 ? 0 : 4321) << family;
        EXPECT_EQ(row.Get(PluCol::Tare), 0) << family;
        EXPECT_EQ(row.GetDesc(), "") << family;
        ASSERT_TRUE(Plus().DeleteKey(88));
    }
}

TEST_F(PluRecordStoreTest, AFamily2RecordIsConvertedBackWhenTheSetupConvertsForFamily2)
{
    m_frame.m_setup.m_family2Conversion = 1;
    struct Case {
        std::uint8_t dateFlag;
        std::uint16_t shelfLife;
        std::uint8_t posSelect;
        std::uint8_t openPrice;
        std::uint16_t message1;
    } const cases[] = {{0, 0, 1, 1, 99}, {2, 0, 3, 2, 4}, {3, 12, 0, 0, 14}, {4, 9, 3, 1, 1}, {1, 0, 1, 2, 0}};
    for (const Case& c : cases) {
        AddPlu(9, [&](CPluDefRec& r) {
            r.Set(PluCol::DateFlag, c.dateFlag);
            r.Set(PluCol::ShelfLife, c.shelfLife);
            r.Set(PluCol::PosSelect, c.posSelect);
            r.Set(PluCol::OpenPrice, c.openPrice);
            r.Set(PluCol::Message1, c.message1);
            r.Set(PluCol::TimeFlag, 2);
            r.Set(PluCol::MarkFlag, 3);
            r.Set(PluCol::MarkPrice, 40);
            r.Set(PluCol::Posflag, 7);
        });
        ASSERT_TRUE(Receive(ScaleOf(2), Sent(ScaleOf(2), 9)));
        const CPluDefRec& row = *Find(9);
        EXPECT_EQ(row.Get(PluCol::DateFlag), c.dateFlag);
        EXPECT_EQ(row.Get(PluCol::ShelfLife), c.shelfLife);
        EXPECT_EQ(row.Get(PluCol::PosSelect), c.posSelect);
        EXPECT_EQ(row.Get(PluCol::OpenPrice), c.openPrice);
        EXPECT_EQ(row.Get(PluCol::Message1), c.message1);
        EXPECT_EQ(row.Get(PluCol::TimeFlag), 2);
        EXPECT_EQ(row.Get(PluCol::PackTime), 0);
        EXPECT_EQ(row.Get(PluCol::MarkFlag), 3);
        EXPECT_EQ(row.Get(PluCol::Posflag), 7);
        ASSERT_TRUE(Plus().DeleteKey(9));
    }
}

TEST_F(PluRecordStoreTest, CommaSeparatedRecordsJoinTheSplitFlagsAndTakeBackTheTareFormat)
{
    CLinkScaleSettings scale = ScaleOf(11);
    scale.m_tareFormat = 1;
    for (const std::uint8_t flag : {0, 1, 2, 3, 4}) {
        AddPlu(61, [&](CPluDefRec& r) {
            r.Set(PluCol::DateFlag, flag);
            r.Set(PluCol::TimeFlag, flag < 4 ? flag : 0);
            r.Set(PluCol::ExpTimeFlag, flag < 4 ? flag : 0);
            r.Set(PluCol::Tare, 120);
        });
        ASSERT_TRUE(Receive(scale, Sent(scale, 61)));
        const CPluDefRec& row = *Find(61);
        EXPECT_EQ(row.Get(PluCol::DateFlag), flag) << "no date stays no date";
        EXPECT_EQ(row.Get(PluCol::TimeFlag), flag < 4 ? flag : 0);
        EXPECT_EQ(row.Get(PluCol::ExpTimeFlag), flag < 4 ? flag : 0);
        EXPECT_EQ(row.Get(PluCol::Tare), 120);
        ASSERT_TRUE(Plus().DeleteKey(61));
    }
}

// Extra price tables that record what they are handed and hold a record of table 1.
class RecordingRuxTables final : public IRuxPriceTables {
public:
    explicit RecordingRuxTables(CPluDefTb& plus) : m_plus(plus) {}

    bool StoreReceivedBlock(int table, const CLinkScaleSettings&, std::uint32_t plu, std::span<char> text,
                            std::size_t& position) override
    {
        addOneDayDuring = m_plus.GetCurrentAddOneDay();
        const std::string_view rest(text.data() + position);
        const std::size_t end = rest.find(';');
        blocks.emplace_back(table, std::string(rest.substr(0, end)));
        position += end == std::string_view::npos ? rest.size() : end + 1;
        if (table == 1) {
            RuxPriceRecordBytes record{};
            StoreLe32(record.data() + 32, 777);  // UnitPrice
            record[86] = 0xFE;                  // PosFlag, -2
            m_records[{table, plu}] = record;
        }
        return true;
    }
    int CompareReceivedBlock(int, const CLinkScaleSettings&, std::uint32_t, std::span<char>, std::size_t&,
                             IPluCompareResults&) override
    {
        return 0;
    }
    std::optional<RuxPriceRecordBytes> FindRecord(int table, std::uint32_t plu) const override
    {
        const auto found = m_records.find({table, plu});
        if (found == m_records.end()) return std::nullopt;
        return found->second;
    }
    void ResetRecord(int table, std::uint32_t plu) override { reset.emplace_back(table, plu); }

    std::map<std::pair<int, std::uint32_t>, RuxPriceRecordBytes> m_records;
    std::vector<std::pair<int, std::string>> blocks;
    std::vector<std::pair<int, std::uint32_t>> reset;
    std::uint32_t addOneDayDuring = 0;

private:
    CPluDefTb& m_plus;
};

TEST_F(PluRecordStoreTest, Family9PriceBlocksGoToTheExtraPriceTablesAndTheFirstGivesThePluItsPrices)
{
    RecordingRuxTables tables(Plus());
    Plus().SetRuxPriceTables(&tables);
    tables.m_records[{4, 5}] = RuxPriceRecordBytes{};
    tables.m_records[{3, 5}] = RuxPriceRecordBytes{};
    const std::string fields = "5,0,1,1,1,0,2,0,0,0,0,0,0,,,,,0,0,,,,,0,0,0,0,0,,,,,,,,,,,,,,0,2,0,,0,0,0,0,0,0,";
    ASSERT_TRUE(Receive(ScaleOf(9, 1), fields + "\"\\x0D\\x03Fig\",one;two;"));
    ASSERT_EQ(tables.blocks.size(), 2u);
    EXPECT_EQ(tables.blocks[0], (std::pair<int, std::string>{1, "one"}));
    EXPECT_EQ(tables.blocks[1], (std::pair<int, std::string>{2, "two"}));
    EXPECT_EQ(tables.reset, (std::vector<std::pair<int, std::uint32_t>>{{3, 5}, {4, 5}}));
    EXPECT_EQ(tables.addOneDayDuring, 1u) << "the sending scale is the table's current scale while it decodes";
    EXPECT_EQ(Plus().GetCurrentAddOneDay(), 0u);
    const CPluDefRec& row = *Find(5);
    EXPECT_EQ(row.Get(PluCol::UnitPrice), 777);
    EXPECT_EQ(row.Get(PluCol::Posflag), 0xFFFE);
    Plus().SetRuxPriceTables(nullptr);
}

TEST_F(PluRecordStoreTest, LumenRecordsOfEveryFamilyAreStoredWithTheScaleDefaults)
{
    for (const std::uint16_t family : {6, 7, 8}) {
        AddPlu(4321, [](CPluDefRec& r) {
            r.Set(PluCol::UnitPrice, 999);
            r.Set(PluCol::ShelfLife, 6);
        });
        std::array<std::uint8_t, 2400> buffer{};
        std::uint16_t length = 0;
        ASSERT_TRUE(Plus().EncodeLumenRecord(family, 4321, buffer, length));
        ASSERT_TRUE(Plus().DeleteKey(4321));
        ASSERT_TRUE(Plus().DecodeLumenRecord(family, std::span(buffer).first(length))) << family;
        EXPECT_EQ(Find(4321)->Get(PluCol::UnitPrice), 999);
        EXPECT_EQ(Find(4321)->Get(PluCol::ShelfLife), 6) << "no day is taken back";
        EXPECT_EQ(Find(4321)->GetDesc(), "\x1B" "C3Apples");
        ASSERT_TRUE(Plus().DeleteKey(4321));
    }
    EXPECT_FALSE(Plus().DecodeLumenRecord(5, {}));
}

class PluRecordCompareTest : public PluDecodeFixture {
protected:
    void SetUp() override
    {
        PluDecodeFixture::SetUp();
        // POS codes of these PLUs are not 13 digits long, so the comparison leaves them out.
        m_frame.m_fieldDefs[0].clear();
        m_frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1005).m_name = "Unit Price";
        m_frame.AddFieldDef(FieldDefMap::Plu, 1010).m_name = "Tare";
    }

    RecordedCompare m_results;
};

TEST_F(PluRecordCompareTest, AScalePluThatTheDatabaseLacksIsOneLine)
{
    const std::string record = Sent(ScaleOf(0), AddPlu(4711).GetKey());
    ASSERT_TRUE(Plus().ComparePluRecord(ScaleOf(0), Bytes(record), m_results));
    EXPECT_EQ(m_results.lines, (std::vector<std::string>{"4711,\"Scale PLU not in database\""}));
    EXPECT_EQ(m_results.scaleKeys, (std::vector<std::uint32_t>{4711}));
    EXPECT_EQ(m_results.notInDatabase, (std::vector<std::uint32_t>{4711}));
    EXPECT_TRUE(m_results.different.empty());
}

TEST_F(PluRecordCompareTest, ASamePluWritesNothingAndADifferentOneItsFieldsAndText)
{
    AddPlu(20, [](CPluDefRec& r) { r.Set(PluCol::UnitPrice, 150); });
    for (const std::uint16_t family : {0, 2, 6, 10, 11}) {
        const std::string same = Sent(ScaleOf(family), 20, true);
        ASSERT_TRUE(Plus().ComparePluRecord(ScaleOf(family), Bytes(same), m_results)) << family;
        EXPECT_TRUE(m_results.lines.empty()) << family << ": " << testing::PrintToString(m_results.lines);
    }
    Find(20)->Set(PluCol::UnitPrice, 100);
    Find(20)->SetDesc("\x1B" "C3Pears", CharRule{});
    const std::string record = Sent(ScaleOf(0), 20, true);
    Find(20)->Set(PluCol::UnitPrice, 150);
    Find(20)->SetDesc("\x1B" "C3Apples", CharRule{});
    ASSERT_TRUE(Plus().ComparePluRecord(ScaleOf(0), Bytes(record), m_results));
    EXPECT_EQ(m_results.lines, (std::vector<std::string>{"20,\"Scale PLU does not match database\"",
                                                          "\"Unit Price : Scale = 100 DB = 150\"",
                                                          "\"Scale and database PLU description text different\""}));
    EXPECT_EQ(m_results.different, (std::vector<std::uint32_t>{20}));
}

TEST_F(PluRecordCompareTest, EscapesOfTheScalesTextCompareInEitherCase)
{
    AddPlu(21, [](CPluDefRec& r) { r.SetDesc("\x1B" "C3A\x01" "B", CharRule{}); });
    std::string record = Sent(ScaleOf(10), 21, true);
    const std::size_t escape = record.find("\\x01");
    ASSERT_NE(escape, std::string::npos);
    record.replace(escape, 4, "\\X01");
    record.replace(record.find("\\x0D"), 4, "\\x0d");
    ASSERT_TRUE(Plus().ComparePluRecord(ScaleOf(10), Bytes(record), m_results));
    EXPECT_TRUE(m_results.lines.empty()) << testing::PrintToString(m_results.lines);
}

class PluRecordZoneTest : public PriceZoneDatabase {
protected:
    void SetUp() override
    {
        PriceZoneDatabase::SetUp();
        m_frame.AddFieldDef(FieldDefMap::Plu, 1014).m_width = 3;
        m_frame.AddFieldDef(FieldDefMap::Plu, 1015).m_width = 2;
        for (const std::uint16_t field : {kMarkdownFlagField, kMarkdownPriceField, kUnitPriceField})
            m_frame.AddFieldDef(FieldDefMap::Plu, field).m_max = 0x7FFFFFFF;
    }

    // The family-10 record of the PLU as `change` makes it; the row stays as it is.
    template <class Change>
    std::string RecordWith(const CLinkScaleSettings& scale, std::uint32_t plu, Change change)
    {
        CPluDefRec& row = Plu(plu);
        const CPluDefRec stored = row;
        change(row);
        std::array<std::uint8_t, 2400> buffer{};
        const SiteSettingsPtr settings = m_frame.GetSiteSettings();
        ScaleRecordOut out{buffer};
        out.settings = settings.get();
        {
            const BuildLock lock = Plus().LockRecordBuild();
            EXPECT_TRUE(BuildPluRecord(Plus(), lock, scale, plu, out));
        }
        row.CopyDataFrom(stored);
        return std::string(reinterpret_cast<const char*>(buffer.data()) + 8, out.length - 8u);
    }

    // The family-10 record of the PLU at another price.
    std::string RecordAtPrice(const CLinkScaleSettings& scale, std::uint32_t plu, std::int32_t price)
    {
        return RecordWith(scale, plu, [&](CPluDefRec& row) { row.Set(PluCol::UnitPrice, price); });
    }

    std::int32_t ZonePrice(std::uint32_t plu, std::uint16_t zone)
    {
        PriceZoneEntries entries;
        EXPECT_TRUE(Zones().LoadZoneEntries(plu, zone, entries));
        for (const PriceZoneEntry& entry : entries)
            if (entry.fieldNo == kUnitPriceField) return entry.value;
        return -1;
    }
};

TEST_F(PluRecordZoneTest, TheReceivedPricesGoToTheScalesZoneInHeadOfficeModeElseToTheStoresOwn)
{
    struct Case {
        std::uint16_t mode;
        std::uint16_t localZone;
        std::int32_t rowPrice;
        std::uint16_t zone;  // that takes the price; 0 none
    } const cases[] = {{2, 5, 100, 3}, {0, 5, 100, 5}, {1, 5, 250, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        m_frame.m_setup.m_priceZoneMode = c.mode;
        m_frame.m_setup.m_localPriceZone = c.localZone;
        AddPlu(70, 100);
        CLinkScaleSettings scale = ScaleOf(10);
        scale.m_priceZone = 3;
        ASSERT_TRUE(Plus().ReceiveScaleRecord(scale, Bytes(RecordAtPrice(scale, 70, 250))));
        EXPECT_EQ(Plu(70).Get(PluCol::UnitPrice), c.rowPrice);
        for (const std::uint16_t zone : {3, 5}) EXPECT_EQ(ZonePrice(70, zone), zone == c.zone ? 250 : -1) << zone;
        ASSERT_TRUE(Zones().DeletePlu(70));
        ASSERT_TRUE(Plus().DeleteKey(70));
    }
}

class PluRecordZoneMdbTest : public PluRecordZoneTest {
protected:
    PluRecordZoneMdbTest() { m_fileName = "plu.mdb"; }
};

// A received PLU is one operation on an ".mdb" database: its zone's old values taken out, the row
// rewritten and the zone's new values written. When the last step fails, none of it is kept, in the
// database or in memory.
TEST_F(PluRecordZoneMdbTest, AReceivedPluThatFailsPartWayKeepsNoneOfItsChanges)
{
    m_frame.m_setup.m_priceZoneMode = 2;  // head office: the received prices go to the scale's zone
    CLinkScaleSettings scale = ScaleOf(10);
    scale.m_priceZone = 3;
    AddPlu(70, 100, "Sirloin");
    const std::string received = RecordWith(scale, 70, [](CPluDefRec& row) {
        row.Set(PluCol::UnitPrice, 250);
        row.SetDesc("\x1B" "C3Rump", CharRule{});
    });
    ASSERT_TRUE(Zones().SetZoneValue(70, kUnitPriceField, 3, 120, &Plu(70)));
    ASSERT_TRUE(m_db.Close());
    // Another program's rule refuses the zone row holding zone 3's unit price 250.
    RunSql(Path(), "CREATE TRIGGER refuse BEFORE UPDATE ON \"PluPriceZone\""
                   " WHEN instr(NEW.\"PriceZoneInfo\", X'0300ED03FA') > 0"
                   " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END;");
    m_db.CreateAllTables();
    ASSERT_TRUE(m_db.Open(Path())) << m_db.GetLastErrorText();

    EXPECT_FALSE(Plus().ReceiveScaleRecord(scale, Bytes(received)));
    EXPECT_EQ(m_db.GetLastErrorText(), "refused by the test");
    const auto unchanged = [&](const char* where) {
        SCOPED_TRACE(where);
        EXPECT_EQ(Plu(70).GetDesc(), "");
        EXPECT_EQ(Plu(70).Get(PluCol::Name), "Sirloin");
        EXPECT_EQ(Plu(70).Get(PluCol::UnitPrice), 100);
        EXPECT_EQ(ZonePrice(70, 3), 120);
    };
    unchanged("memory");
    Reopen();
    unchanged("the database");

    // Without the rule the same record goes in whole.
    ASSERT_TRUE(m_db.Close());
    RunSql(Path(), "DROP TRIGGER refuse");
    m_db.CreateAllTables();
    ASSERT_TRUE(m_db.Open(Path()));
    ASSERT_TRUE(Plus().ReceiveScaleRecord(scale, Bytes(received))) << m_db.GetLastErrorText();
    EXPECT_EQ(Plu(70).GetDesc(), "\x1B" "C3Rump");
    EXPECT_EQ(ZonePrice(70, 3), 250);
}

}  // namespace
}  // namespace varnel::test
