// The campaign tables: the record of each family, market and date form worked out by hand, key
// records, campaigns received from scales, files and Data Save files, and old campaign records.
#include "ScaleDataFixture.h"

#include "comms/DataSaveFixture.h"
#include "comms/filelink/DataSaveStore.h"
#include "platform/SqliteDatabase.h"
#include "scaledata/CampaignTb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

struct Line {
    std::uint32_t plu;
    std::uint16_t mode;
    std::uint32_t price;
    std::uint32_t oldPrice = 0;
};

class CampaignTableTest : public ScaleDataFixture {
protected:
    CampaignTableTest() { m_frame.m_setup.m_maxCampaignNo = 255; }

    CCampaignTb& Campaigns() { return TableOf<CCampaignTb>(CCampaignTb::kTableNo); }
    CObjDBTable& Lines() { return *Campaigns().GetLineTable(); }

    // Campaign 3 of the examples: 2024-03-09 08:00 to 2024-03-16 20:30.
    void AddCampaign(std::uint32_t number, const std::vector<Line>& lines,
                     DateTimeParts start = {2024, 3, 9, 8, 0, 0}, DateTimeParts end = {2024, 3, 16, 20, 30, 0},
                     std::uint16_t dayOfWeek = 0)
    {
        auto row = std::make_unique<CCampaignRec>();
        row->SetName("Spring");
        ASSERT_TRUE(row->SetStart(start));
        ASSERT_TRUE(row->SetEnd(end));
        row->SetDayOfWeek(dayOfWeek);
        ASSERT_TRUE(Campaigns().AddRecord(number, CCampaignRec::kSize, std::move(row)));
        for (std::size_t i = 0; i < lines.size(); ++i)
            ASSERT_TRUE(Campaigns().AddCampaignLine(number, i, {lines[i].plu, lines[i].mode, lines[i].price, lines[i].oldPrice}));
    }
    BuiltRecord Record(std::uint16_t family, std::uint32_t number = 3)
    {
        return EncodeRow(Campaigns(), family, number);
    }
    BuiltRecord Key(std::uint16_t family, std::uint32_t number = 3)
    {
        return EncodeKey(Campaigns(), family, number);
    }
    std::vector<std::uint32_t> PlusOf(std::uint32_t campaign)
    {
        std::vector<std::uint32_t> plus;
        for (const CCampDataRec* line : Campaigns().GetCampaignPlus(campaign)) plus.push_back(line->GetPluNo());
        return plus;
    }
};

const std::vector<Line> kOneLine{{123, 1, 499}};
const std::string kBinaryBody = "\x03\x00\x00\x00\x20\x24\x03\x09\x08\x00\x00\x00\x00\x00\x20\x24\x03\x16\x20\x30\x00\x01"
                                "\x00\x00\x01\x23\x01\x00\x00\x04\x99"s;
const std::string kDataSaveRecord = "\x03\x00\x00\x08\x09\x03\xE8\x07\x00\x00\x00\x00\x1E\x14\x10\x03\xE8\x07\x00\x00"
                                    "\x00\x01\x00\x01\x23\x01\x00\x00\x04\x99"s;

struct RecordCase {
    const char* what;
    std::uint16_t family;
    std::uint16_t market;
    bool dayOfWeek;
    bool ausNz;
    std::string bytes;  // empty: no record
    std::uint16_t code;
};

TEST_F(CampaignTableTest, EachFamilyMarketAndDateFormGetsItsRecord)
{
    AddCampaign(3, kOneLine, {2024, 3, 9, 8, 0, 0}, {2024, 3, 16, 20, 30, 0}, 6);
    const RecordCase cases[] = {
        {"family 0, market 0", 0, MarketUsa, false, false, "6203030920240800031620242030" "00012310000499", 62},
        {"family 4 as family 0", 4, MarketUsa, false, false, "6203030920240800031620242030" "00012310000499", 62},
        {"market 0, day of week", 0, MarketUsa, true, false, "3303608002030" "00012310000499", 33},
        {"other market, day of week", 5, MarketSouthAfrica, true, false, "330203608002030" "00012310000499", 33},
        {"market 3: year first", 0, MarketThailand, false, false, "330203202403090800202403162030" "00012310000499", 33},
        {"Australia/New Zealand: short year", 0, MarketAustralia, false, true, "3302032403090800240316203000012310000499", 33},
        {"other markets: month first", 0, MarketSouthAfrica, false, false, "330203030920240800031620242030" "00012310000499", 33},
        {"market 14: the old price", 0, MarketSweden, false, false,
         "330203030920240800031620242030" "000123100004990000000", 33},
        {"family 1", 1, MarketUsa, false, false, "80032403090800240316203000012300049""9", 80},
        {"family 1, Australia/New Zealand", 1, MarketAustralia, false, true, "6203240309080024031620300001230004" "99", 62},
        {"family 2, market 0: none", 2, MarketUsa, false, false, "", 0},
        {"family 2: no number", 2, MarketSouthAfrica, false, false, "33" "2403090800" "2403162030" "00012300499", 33},
        {"family 3", 3, MarketUsa, false, false, "8003" "2403090800" "2403162030" "00012300499", 80},
        {"family 6: none", 6, MarketUsa, false, false, "", 0},
        {"family 7: none", 7, MarketUsa, false, false, "", 0},
        {"family 8", 8, MarketUsa, false, false, ShortHeader(0x20, 31) + kBinaryBody, 20},
        {"family 9", 9, MarketUsa, false, false, Header(0x10, 0x28, 42) + "3,20240309,0800,20240316,2030,1,123,0,499,", 1028},
        {"family 11, market 1: modes as they are", 11, MarketNewZealand, false, false,
         Header(0x10, 0x28, 42) + "3,20240309,0800,20240316,2030,1,123,1,499,", 1028},
        {"family 10: 100 binary lines", 10, MarketUsa, false, false,
         Header(0x10, 0x28, 933) + "3,2024,3,9,8,0,2024,3,16,20,30,1," + "\x00\x00\x01\x23\x00\x00\x00\x04\x99"s +
             std::string(99 * 9, '\0'),
         1028},
    };
    for (const RecordCase& c : cases) {
        m_frame.m_setup.m_market = c.market;
        m_frame.m_setup.m_campaignDayOfWeek = c.dayOfWeek ? 1 : 0;
        m_frame.m_setup.m_nutritionInUse = c.ausNz ? 1 : 0;
        const BuiltRecord built = Record(c.family);
        EXPECT_EQ(built.made, !c.bytes.empty()) << c.what;
        EXPECT_EQ(built.bytes, c.bytes) << c.what;
        EXPECT_EQ(built.code, c.code) << c.what;
    }
}

TEST_F(CampaignTableTest, KeyRecordsNameTheCampaignForEachFamily)
{
    const RecordCase cases[] = {
        {"family 0, market 0", 0, MarketUsa, false, false, "2203", 22},
        {"other markets", 5, MarketNewZealand, false, false, "160203", 16},
        {"family 1", 1, MarketUsa, false, false, "160203", 16},
        {"family 1, Australia/New Zealand", 1, MarketNewZealand, false, true, "2203", 22},
        {"family 2", 2, MarketUsa, false, false, "1603", 16},
        {"family 3", 3, MarketUsa, false, false, "7103", 71},
        {"family 8", 8, MarketUsa, false, false, "\x03"s, 18},
        {"family 10", 10, MarketUsa, false, false, Header(0x00, 0x28, 2) + "3,", 28},
        {"family 6: none", 6, MarketUsa, false, false, "", 0},
        {"family 7: none", 7, MarketUsa, false, false, "", 0},
    };
    for (const RecordCase& c : cases) {
        m_frame.m_setup.m_market = c.market;
        m_frame.m_setup.m_nutritionInUse = c.ausNz ? 1 : 0;
        const BuiltRecord built = Key(c.family);
        EXPECT_EQ(built.made, !c.bytes.empty()) << c.what;
        EXPECT_EQ(built.bytes, c.bytes) << c.what;
        EXPECT_EQ(built.code, c.code) << c.what;
    }
}

TEST_F(CampaignTableTest, LinesGoInPluOrderAndEachFamilyCarriesItsCount)
{
    AddCampaign(3, {{500, 1, 1}, {200, 1, 2}, {500, 1, 3}, {100, 1, 4}});
    EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{100, 200, 500, 500}));
    // Lines of one PLU keep their key order.
    const auto lines = Campaigns().GetCampaignPlus(3);
    EXPECT_EQ(lines[2]->GetPrice(), 1u);
    EXPECT_EQ(lines[3]->GetPrice(), 3u);

    std::vector<Line> many;
    for (std::uint32_t plu = 150; plu >= 1; --plu) many.push_back({plu, 1, plu});
    AddCampaign(4, many);
    const std::string family0 = Record(0, 4).bytes;
    EXPECT_EQ(family0.size(), 28u + 100 * 14);
    EXPECT_EQ(family0.substr(28, 14), "00000110000001");
    EXPECT_EQ(family0.substr(28 + 99 * 14, 6), "000100");
    EXPECT_EQ(Record(8, 4).bytes.size(), 8u + 22 + 100 * 9);
    const std::string family9 = Record(9, 4).bytes;
    EXPECT_NE(family9.find(",2030,150,1,0,1,2,0,2,"), std::string::npos);
    EXPECT_TRUE(family9.ends_with(",149,0,149,150,0,150,"));
    EXPECT_EQ(Record(10, 4).bytes.size(), 8 + std::string("4,2024,3,9,8,0,2024,3,16,20,30,100,").size() + 900);

    // No lines: a count of 0, or no line text; families 10 and 12 still carry 100 zero lines.
    AddCampaign(5, {});
    EXPECT_EQ(Record(0, 5).bytes, "6205030920240800031620242030");
    EXPECT_EQ(Record(9, 5).bytes.substr(8), "5,20240309,0800,20240316,2030,0,");
    EXPECT_EQ(Record(12, 5).bytes.substr(8), "5,2024,3,9,8,0,2024,3,16,20,30,0," + std::string(900, '\0'));
}

TEST_F(CampaignTableTest, CampaignsAboveTwoDigitsAndValuesTooWideAreRefusedNotCut)
{
    AddCampaign(120, kOneLine);
    for (const std::uint16_t family : {0, 1, 3, 8}) {
        const BuiltRecord built = Record(family, 120);
        EXPECT_FALSE(built.made) << family;
        EXPECT_EQ(built.refusedField, "Campaign_No") << family;
        EXPECT_FALSE(Key(family, 120).made) << family;
    }
    EXPECT_TRUE(Record(9, 120).made);
    EXPECT_TRUE(Key(9, 120).made);
    std::array<std::uint8_t, 900> buffer{};
    EXPECT_EQ(Campaigns().EncodeItemRecord(*Campaigns().FindRecord(120), buffer), 0u);

    AddCampaign(7, {{1234567, 1, 5}});
    EXPECT_EQ(Record(0, 7).refusedField, "PluNo");
    AddCampaign(8, {{5, 1, 100000}});
    EXPECT_EQ(Record(3, 8).refusedField, "Price");
    EXPECT_TRUE(Record(0, 8).made);
}

TEST_F(CampaignTableTest, TheHighestCampaignIsTheSettingButNeverAbove255)
{
    m_frame.m_setup.m_maxCampaignNo = 300;
    EXPECT_EQ(Campaigns().GetMaxKey(), 255u);
    EXPECT_FALSE(Campaigns().IsKeyAllowed(256));
    // Campaign 257 would take campaign 1's line keys: it is refused when received.
    EXPECT_FALSE(Campaigns().ReceiveScaleRecord(ScaleOf(9), BytesOf("257,20240309,0800,20240316,2030,1,5,0,1,")));
    EXPECT_EQ(Campaigns().GetRecordCount(), 0u);
    EXPECT_EQ(Lines().GetRecordCount(), 0u);
    m_frame.m_setup.m_maxCampaignNo = 20;
    EXPECT_FALSE(Campaigns().ReceiveScaleRecord(ScaleOf(9), BytesOf("21,20240309,0800,20240316,2030,1,5,0,1,")));
    EXPECT_FALSE(Campaigns().ReceiveScaleRecord(ScaleOf(9), BytesOf("0,20240309,0800,20240316,2030,1,5,0,1,")));
    EXPECT_EQ(Campaigns().GetRecordCount(), 0u);
}

TEST_F(CampaignTableTest, PercentagesAreInWholePercentOnlyForFamily9InMarket0)
{
    AddCampaign(3, {{123, CampMinusPercent, 150}});
    m_frame.m_setup.m_market = MarketUsa;
    EXPECT_EQ(Record(9).bytes.substr(8), "3,20240309,0800,20240316,2030,1,123,2,15,");
    EXPECT_EQ(Record(11).bytes.substr(8), "3,20240309,0800,20240316,2030,1,123,2,150,");
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_EQ(Record(9).bytes.substr(8), "3,20240309,0800,20240316,2030,1,123,2,150,");
    EXPECT_EQ(Record(11).bytes.substr(8), "3,20240309,0800,20240316,2030,1,123,4,150,");

    // And back: whole percent becomes tenths for family 9 in market 0 only.
    m_frame.m_setup.m_market = MarketUsa;
    ASSERT_TRUE(Campaigns().ReceiveScaleRecord(ScaleOf(9), BytesOf("3,20240309,0800,20240316,2030,1,123,2,15,")));
    EXPECT_EQ(Campaigns().GetCampaignPlus(3)[0]->GetSalesMode(), CampMinusPercent);
    EXPECT_EQ(Campaigns().GetCampaignPlus(3)[0]->GetPrice(), 150u);
    m_frame.m_setup.m_market = MarketNewZealand;
    ASSERT_TRUE(Campaigns().ReceiveScaleRecord(ScaleOf(11), BytesOf("3,20240309,0800,20240316,2030,1,123,4,15,")));
    EXPECT_EQ(Campaigns().GetCampaignPlus(3)[0]->GetPrice(), 15u);
}

TEST_F(CampaignTableTest, AReceivedCampaignReplacesItsRowsDatesAndAllItsLines)
{
    m_frame.m_setup.m_maxPluNo = 9999;
    AddCampaign(3, {{1, 2, 10}, {2, 2, 20}, {3, 2, 30}});
    AddCampaign(4, {{9, 2, 90}});
    struct Case {
        const char* what;
        std::uint16_t family;
        std::string record;
    };
    const std::string binary = "\x03\x00\x00\x00\x20\x25\x01\x02\x03\x04\x00\x00\x00\x00\x20\x25\x01\x05\x06\x07\x00\x02"
                               "\x00\x00\x00\x07\x02\x00\x00\x00\x70" "\x00\x01\x00\x00\x03\x00\x00\x00\x01"s;
    const Case cases[] = {
        {"family 9", 9, "3,20250102,0304,20250105,0607,2,7,0,70,10000,1,1,"},
        {"family 11", 11, "3,20250102,0304,20250105,0607,2,7,0,70,10000,1,1,"},
        {"family 10", 10,
         "3,2025,1,2,3,4,2025,1,5,6,7,2,\x00\x00\x00\x07\x00\x00\x00\x00\x70\x00\x01\x00\x00\x00\x00\x00\x00\x01"s +
             std::string(98 * 9, '\0')},
        {"family 8", 8, binary},
        {"family 6", 6, binary},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Campaigns().ReceiveScaleRecord(ScaleOf(c.family), BytesOf(c.record))) << c.what;
        const CCampaignRec* row = Campaigns().FindCampaign(3);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetName(), "Campaign No. 3") << c.what;
        EXPECT_EQ(row->GetStart(), (DateTimeParts{2025, 1, 2, 3, 4, 0})) << c.what;
        EXPECT_EQ(row->GetEnd(), (DateTimeParts{2025, 1, 5, 6, 7, 0})) << c.what;
        // The line of PLU 10000 lies above "Max. PLU No." and is left out.
        EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{7})) << c.what;
        EXPECT_EQ(Campaigns().GetCampaignPlus(3)[0]->GetSalesMode(), 2) << c.what;
        EXPECT_EQ(Campaigns().GetCampaignPlus(3)[0]->GetPrice(), 70u) << c.what;
        EXPECT_EQ(PlusOf(4), (std::vector<std::uint32_t>{9})) << c.what;
    }
    // The file link takes family 8's binary record only.
    EXPECT_TRUE(Campaigns().DecodeLumenRecord(8, BytesOf(binary)));
    EXPECT_FALSE(Campaigns().DecodeLumenRecord(6, BytesOf(binary)));
    // Families 0 to 5 and 7 send none back.
    EXPECT_FALSE(Campaigns().ReceiveScaleRecord(ScaleOf(0), BytesOf("6203030920240800031620242030")));
    EXPECT_FALSE(Campaigns().ReceiveScaleRecord(ScaleOf(2), BytesOf("6203030920240800031620242030")));
}

TEST_F(CampaignTableTest, AShortOrUnreadableRecordIsRefusedAndChangesNothing)
{
    AddCampaign(3, kOneLine);
    const std::string fullBinary = kBinaryBody.substr(0, 21) + "\x02"s + kBinaryBody.substr(22) + kBinaryBody.substr(22);
    struct Case {
        const char* what;
        std::uint16_t family;
        std::string record;
    };
    const Case cases[] = {
        {"binary: fewer lines than its count", 8, fullBinary.substr(0, fullBinary.size() - 1)},
        {"binary: shorter than its head", 8, kBinaryBody.substr(0, 21)},
        {"binary: an unreadable number", 8, "\xFA"s + kBinaryBody.substr(1)},
        {"binary: no such month", 8, kBinaryBody.substr(0, 6) + "\x13"s + kBinaryBody.substr(7)},
        {"comma-separated: no count", 9, "3,20240309,0800,20240316,2030,"},
        {"comma-separated: a line cut short", 9, "3,20240309,0800,20240316,2030,2,123,0,499,124,0,"},
        {"comma-separated: more than 200 lines", 9, "3,20240309,0800,20240316,2030,201,"},
        {"mixed: lines missing", 10, "3,2024,3,9,8,0,2024,3,16,20,30,2,\x00\x00\x01\x23\x00\x00\x00\x04\x99"s},
        {"mixed: no count", 12, "3,2024,3,9,8,0,2024,3,16,20,30,"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Campaigns().ReceiveScaleRecord(ScaleOf(c.family), BytesOf(c.record))) << c.what;
        EXPECT_EQ(Campaigns().FindCampaign(3)->GetName(), "Spring") << c.what;
        EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{123})) << c.what;
    }
    EXPECT_TRUE(Campaigns().ReceiveScaleRecord(ScaleOf(8), BytesOf(fullBinary)));
    EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{123, 123}));
}

TEST_F(CampaignTableTest, DataSaveRecordsGoBothWays)
{
    AddCampaign(3, kOneLine);
    std::array<std::uint8_t, 900> buffer{};
    const std::size_t length = Campaigns().EncodeItemRecord(*Campaigns().FindRecord(3), buffer);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), length), kDataSaveRecord);
    EXPECT_EQ(Campaigns().EncodeItemRecord(*Campaigns().FindRecord(3), std::span(buffer).first(21)), 0u);

    // A held campaign changes only while the load overwrites existing records.
    std::string changed = kDataSaveRecord;
    changed[22] = 0x01;  // PLU 10123
    EXPECT_TRUE(Campaigns().DecodeItemRecord(BytesOf(changed)));
    EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{123}));
    m_frame.m_setup.m_overwriteExisting = 1;
    EXPECT_TRUE(Campaigns().DecodeItemRecord(BytesOf(changed)));
    EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{10123}));
    EXPECT_EQ(Campaigns().FindCampaign(3)->GetName(), "Campaign No. 3");

    // Count 5 with PLU 0 in the third line: two lines. A count above 100 reads as 100, as far as the
    // record goes.
    std::string five = kDataSaveRecord.substr(0, 22);
    five[21] = 5;
    for (const std::uint8_t plu : {0x11, 0x12, 0x00, 0x14, 0x15}) five += "\x00\x00"s + static_cast<char>(plu) + "\x01\x00\x00\x00\x10"s;
    five[0] = 0x04;
    EXPECT_TRUE(Campaigns().DecodeItemRecord(BytesOf(five)));
    EXPECT_EQ(PlusOf(4), (std::vector<std::uint32_t>{11, 12}));
    five[21] = static_cast<char>(0xC8);
    five[24 + 16] = 0x13;
    EXPECT_TRUE(Campaigns().DecodeItemRecord(BytesOf(five)));
    EXPECT_EQ(PlusOf(4), (std::vector<std::uint32_t>{11, 12, 13, 14, 15}));

    EXPECT_FALSE(Campaigns().DecodeItemRecord(BytesOf(kDataSaveRecord.substr(0, 21))));
    EXPECT_FALSE(Campaigns().DecodeItemRecord(BytesOf("\x00"s + kDataSaveRecord.substr(1))));
}

TEST_F(CampaignTableTest, AHundredLineCampaignGoesThroughAWholeDataSaveFileAndTheNextFollowsIt)
{
    std::vector<Line> hundred;
    for (std::uint32_t plu = 1; plu <= 100; ++plu) hundred.push_back({plu, 1, plu * 10});
    AddCampaign(3, hundred);
    AddCampaign(4, kOneLine);
    std::array<std::uint8_t, 900> buffer{};
    std::string section;
    for (const std::uint32_t number : {3u, 4u}) {
        const std::size_t length = Campaigns().EncodeItemRecord(*Campaigns().FindRecord(number), buffer);
        section += WithLength(std::string(reinterpret_cast<const char*>(buffer.data()), length));
    }
    ASSERT_EQ(section.size(), 824u + 32);
    TempDir dir;
    const std::string path = dir.File("camp.dsv");
    WriteWholeFile(path, DataSaveBytes({{"CAMP", section}}));
    Campaigns().DeleteCampaignPlus(3);
    Campaigns().DeleteCampaignPlus(4);
    ASSERT_TRUE(Campaigns().DeleteKey(3));
    ASSERT_TRUE(Campaigns().DeleteKey(4));

    CDataSaveStore store(m_database, nullptr, m_frame.m_setup);
    CDataSaveFiles files(store, LinkRoles::Of(m_frame));
    ASSERT_TRUE(files.LoadDataSaveFile(path));
    EXPECT_EQ(Campaigns().GetCampaignPlus(3).size(), 100u);
    EXPECT_EQ(PlusOf(4), (std::vector<std::uint32_t>{123}));
    const std::string rewritten = dir.File("again.dsv");
    ASSERT_TRUE(files.WriteDataSaveFile(rewritten));
    EXPECT_EQ(ReadWholeFile(rewritten), DataSaveBytes({{"CAMP", section}}));
}

TEST_F(CampaignTableTest, CampaignsAndTheirLinesKeepTheirValuesInPldAndMdbFiles)
{
    TempDir dir;
    for (const char* name : {"plu.pld", "plu.mdb"}) {
        const std::string path = dir.File(name);
        {
            const auto db = OpenDatabaseFile(path, true);
            ASSERT_NE(db, nullptr);
            auto& campaigns = dynamic_cast<CCampaignTb&>(*db->GetTable(CCampaignTb::kTableNo));
            auto row = std::make_unique<CCampaignRec>();
            row->SetName("Spring");
            ASSERT_TRUE(row->SetStart({2024, 3, 9, 8, 0, 0}));
            ASSERT_TRUE(row->SetEnd({2024, 3, 16, 20, 30, 0}));
            row->SetDayOfWeek(6);
            ASSERT_TRUE(campaigns.AddRecord(255, CCampaignRec::kSize, std::move(row)));
            ASSERT_TRUE(campaigns.AddCampaignLine(255, 0, {123, 4, 150, 7}));
            ASSERT_TRUE(campaigns.AddCampaignLine(255, 1, {99, 1, 499, 0}));
        }
        const auto reopened = OpenDatabaseFile(path, false);
        ASSERT_NE(reopened, nullptr) << name;
        auto& campaigns = dynamic_cast<CCampaignTb&>(*reopened->GetTable(CCampaignTb::kTableNo));
        const CCampaignRec* row = campaigns.FindCampaign(255);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->GetName(), "Spring") << name;
        EXPECT_EQ(row->GetStart(), (DateTimeParts{2024, 3, 9, 8, 0, 0})) << name;
        EXPECT_EQ(row->GetEnd(), (DateTimeParts{2024, 3, 16, 20, 30, 0})) << name;
        EXPECT_EQ(row->GetDayOfWeek(), 6) << name;
        const auto lines = campaigns.GetCampaignPlus(255);
        ASSERT_EQ(lines.size(), 2u) << name;
        EXPECT_EQ(lines[0]->GetKey(), 0xFF000001u) << name;
        EXPECT_EQ(lines[1]->GetPluNo(), 123u) << name;
        EXPECT_EQ(lines[1]->GetSalesMode(), 4) << name;
        EXPECT_EQ(lines[1]->GetPrice(), 150u) << name;
        EXPECT_EQ(lines[1]->GetOldPrice(), 7u) << name;
    }
    // The ".mdb" file keeps the dates as day counts.
    SqliteDatabase sqlite;
    ASSERT_TRUE(sqlite.Open(dir.File("plu.mdb"), SqliteOpen::ReadOnly));
    auto statement = sqlite.Prepare("SELECT typeof(StartTime), EndTime FROM Campaign");
    ASSERT_TRUE(statement);
    ASSERT_TRUE(*statement->Step());
    EXPECT_EQ(statement->ColumnText(0), "real");
    EXPECT_DOUBLE_EQ(statement->ColumnDouble(1), *PartsToOleDate({2024, 3, 16, 20, 30, 0}));
}

TEST_F(CampaignTableTest, OldCampaignRecordsBecomeCampaignsWithTheirLines)
{
    auto& old = TableOf<CTable5Tb>(CCampaignTb::kOldTableNo);
    const auto oldRecord = [&](std::uint32_t key, std::uint8_t month, const std::vector<Line>& lines, bool older) {
        auto record = std::make_unique<CTable5Rec>();
        std::uint8_t* data = record->GetData();
        std::memcpy(data, "Old", 3);
        const std::uint8_t when[] = {9, 8, 0, month, 0xE8, 0x07, 16, 20, 30, month, 0xE8, 0x07};
        std::memcpy(data + 40, when, sizeof when);
        const std::size_t stride = older ? 12 : 16;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            StoreLe32(data + 64 + i * stride, lines[i].plu);
            StoreLe32(data + 68 + i * stride, lines[i].price);
            StoreLe16(data + 72 + i * stride, lines[i].mode);
        }
        const auto size = static_cast<std::uint16_t>(older ? 1264 : CTable5Rec::kSize);
        ASSERT_TRUE(old.AddRecord(key, size, std::move(record)));
    };
    oldRecord(3, 11, {{123, 1, 499}, {124, 2, 599}}, false);
    oldRecord(4, 2, {}, false);
    oldRecord(5, 0, {{7, 1, 70}, {8, 1, 80}}, true);
    AddCampaign(6, kOneLine);
    oldRecord(6, 0, {{9, 1, 90}}, false);
    // As an old ".pld" file's records convert themselves when it is opened.
    for (const auto& entry : old.GetIndex()) entry.record->ConvertOldLayout();
    ConvertOldCampaigns(m_database);

    EXPECT_EQ(old.GetRecordCount(), 0u);
    const CCampaignRec* three = Campaigns().FindCampaign(3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->GetName(), "Old");
    EXPECT_EQ(three->GetStart(), (DateTimeParts{2024, 12, 9, 8, 0, 0}));  // month byte 11: December
    EXPECT_EQ(three->GetEnd(), (DateTimeParts{2024, 12, 16, 20, 30, 0}));
    EXPECT_EQ(PlusOf(3), (std::vector<std::uint32_t>{123, 124}));
    EXPECT_EQ(Campaigns().GetCampaignPlus(3)[1]->GetSalesMode(), 2);
    EXPECT_EQ(Campaigns().GetCampaignPlus(3)[1]->GetPrice(), 599u);
    EXPECT_TRUE(PlusOf(4).empty());
    EXPECT_EQ(PlusOf(5), (std::vector<std::uint32_t>{7, 8}));  // 12-byte lines spread out
    EXPECT_EQ(Campaigns().FindCampaign(6)->GetName(), "Spring");
    EXPECT_EQ(PlusOf(6), (std::vector<std::uint32_t>{123}));
}

}  // namespace
}  // namespace varnel::test
