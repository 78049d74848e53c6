// The advertising message table: the record of each family and market worked out by hand, key
// records, messages received as scales send them, Data Save records and files, and rows in ".pld"
// and ".mdb" files.
#include "ScaleDataFixture.h"

#include "TableFileRoundTrips.h"
#include "scaledata/ScrollMsgTb.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;
using namespace scroll_columns;

struct Message {
    std::string text;
    std::uint16_t mode = 1, day = 0, time = 822, consecutive = 1, isScroll = 1, inverted = 0;
    std::uint16_t size = 0, speed = 0, flash = 0, flashes = 0;
};

class ScrollMsgTableTest : public ScaleDataFixture {
protected:
    CScrollMsgTb& Messages() { return TableOf<CScrollMsgTb>(CScrollMsgTb::kTableNo); }

    void AddMessage(std::uint32_t number, const Message& m)
    {
        auto row = std::make_unique<CScrollMsgRec>();
        row->SetText(m.text);
        row->Set(kDispMode, m.mode);
        row->Set(kDispDate, m.day);
        row->Set(kDispTime, m.time);
        row->Set(kConseqMsg, m.consecutive);
        row->Set(kIsScroll, m.isScroll);
        row->Set(kIntervalMode, m.inverted);
        row->Set(kSize, m.size);
        row->Set(kSpeed, m.speed);
        row->Set(kFlash, m.flash);
        row->Set(kFlashSpeed, m.flashes);
        (void)Messages().DeleteKey(number);
        ASSERT_TRUE(Messages().AddRecord(number, CScrollMsgRec::kSize, std::move(row)));
    }
    const CScrollMsgRec& Row(std::uint32_t number)
    {
        const CScrollMsgRec* row = Messages().FindMessage(number);
        if (!row) throw std::logic_error("no message");
        return *row;
    }
};

TEST_F(ScrollMsgTableTest, TextFamiliesGetTheirOpeningNumberAndTextByMarket)
{
    AddMessage(1, {"SALE"});
    struct Case {
        std::uint16_t family, market;
        std::uint16_t code;
        std::string expected;
    } const cases[] = {
        {0, MarketUsa, 68, "68010100082201SALE"},
        {4, MarketChina, 36, "360101SALE"},
        {5, MarketNewZealand, 36, "36011SALE"},
        {1, MarketNewZealand, 36, "361SALE"},
        {2, MarketUsa, 36, "361SALE"},
        {3, MarketAustralia, 36, "361SALE"},
    };
    for (const Case& c : cases) {
        m_frame.m_setup.m_market = c.market;
        const BuiltRecord built = EncodeRow(Messages(), c.family, 1);
        EXPECT_EQ(built.code, c.code) << c.family;
        EXPECT_EQ(built.bytes, c.expected) << c.family << " " << c.market;
    }
    // A message that is not consecutive ends its settings with "00"; the text stops at 96 bytes.
    m_frame.m_setup.m_market = MarketUsa;
    AddMessage(2, {std::string(100, 'T'), 4, 7, 2024, 0});
    EXPECT_EQ(EncodeRow(Messages(), 0, 2).bytes, "68020407202400" + std::string(96, 'T'));
    m_frame.m_setup.m_market = MarketChina;
    EXPECT_EQ(EncodeRow(Messages(), 0, 2).bytes, "360102" + std::string(100, 'T'));
    for (const std::uint16_t family : {6, 7, 9}) EXPECT_FALSE(EncodeRow(Messages(), family, 2).made) << family;
}

TEST_F(ScrollMsgTableTest, Family1UnderAusNzNutritionAndNationalCharactersInTheTextRecords)
{
    m_frame.m_setup.m_market = MarketAustralia;
    m_frame.m_setup.m_nutritionInUse = 1;
    AddMessage(1, {"SALE"});
    ASSERT_TRUE(IsAusNzNutrition(m_frame.m_setup));
    EXPECT_EQ(EncodeRow(Messages(), 1, 1).bytes, "3601SALE");
    m_frame.m_setup.m_market = MarketSweden;
    AddMessage(1, {"\xC5" "LE"});
    EXPECT_EQ(EncodeRow(Messages(), 0, 1).bytes, "36011]LE");
}

TEST_F(ScrollMsgTableTest, Families2And3ShowANonScrollingTextOnTwoLines)
{
    m_frame.m_setup.m_defaultScaleFamily = 2;
    const std::string esc = "\x1B";
    AddMessage(1, {"ABC" + std::string(16, ' ') + "DEF", 1, 0, 0, 0, 0});
    EXPECT_EQ(EncodeRow(Messages(), 2, 1).bytes, "361ABC" + std::string(16, ' ') + esc + "C2DEF");
    AddMessage(2, {std::string(19, 'A') + std::string(25, 'B'), 1, 0, 0, 0, 0});
    EXPECT_EQ(EncodeRow(Messages(), 3, 2).bytes, "362" + std::string(19, 'A') + esc + "C2" + std::string(19, 'B'));
    AddMessage(3, {"SCROLLING", 5, 0, 0, 0, 1});
    EXPECT_EQ(EncodeRow(Messages(), 2, 3).bytes, "363SCROLLING");

    // With default family 0 in market 0 the display mode decides: flash modes are not scrolling.
    m_frame.m_setup.m_defaultScaleFamily = 0;
    EXPECT_EQ(EncodeRow(Messages(), 2, 3).bytes, "363SCROLLING" + esc + "C2");
    AddMessage(3, {"SCROLLING", 3, 0, 0, 0, 0});
    EXPECT_EQ(EncodeRow(Messages(), 2, 3).bytes, "363SCROLLING");
}

TEST_F(ScrollMsgTableTest, Family8AndTheCommaSeparatedFamiliesCarryTheDisplaySettings)
{
    AddMessage(3, {"HI", 4, 0, 822});
    BuiltRecord built = EncodeRow(Messages(), 8, 3);
    EXPECT_EQ(built.code, 21);
    EXPECT_EQ(built.bytes, ShortHeader(0x21, 10) + "\x03\x04\x00\x08\x22\x0D\x03HI\x00"s);

    AddMessage(1, {"SA\"LE", 1, 2, 822, 1, 1, 1, 1, 2, 0, 3});
    const std::string a = "1,1,2,822,\"\\x06SA\"\"LE\",1,";
    const std::string b = "1,,,1,2,0,3,\"\\x0D\\x03\\x06SA\"\"LE\",";
    EXPECT_EQ(EncodeRow(Messages(), 10, 1).bytes, Header(0x10, 0x29, static_cast<std::uint16_t>(a.size())) + a);
    EXPECT_EQ(EncodeRow(Messages(), 12, 1).bytes, Header(0x10, 0x29, static_cast<std::uint16_t>(a.size())) + a);
    EXPECT_EQ(EncodeRow(Messages(), 11, 1).bytes, Header(0x10, 0x29, static_cast<std::uint16_t>(b.size())) + b);
    // The inverted mark goes only in market 0.
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_EQ(EncodeRow(Messages(), 11, 1).bytes.substr(8), "1,,,1,2,0,3,\"\\x0D\\x03SA\"\"LE\",");
    // Texts are cut: 94 characters for families 10 and 12, 102 for family 11, 98 bytes for family 8.
    AddMessage(4, {std::string(100, 'T'), 1, 0, 0});
    EXPECT_EQ(EncodeRow(Messages(), 10, 4).bytes.substr(8), "4,1,0,0,\"" + std::string(94, 'T') + "\",1,");
    EXPECT_EQ(EncodeRow(Messages(), 8, 4).bytes.size(), 8u + 7 + 98 + 1);
    // A time that does not fit its four BCD digits refuses the record.
    AddMessage(5, {"X", 1, 0, 10000});
    EXPECT_EQ(EncodeRow(Messages(), 8, 5).refusedField, "DispTime");
}

TEST_F(ScrollMsgTableTest, KeyRecordsNameTheMessageByFamilyAndMarket)
{
    EXPECT_EQ(EncodeKey(Messages(), 0, 1).bytes, "141");
    EXPECT_EQ(EncodeKey(Messages(), 2, 1).bytes, "141");
    EXPECT_EQ(EncodeKey(Messages(), 8, 3).bytes, "\x03"s);
    EXPECT_EQ(EncodeKey(Messages(), 8, 3).code, 19);
    EXPECT_EQ(EncodeKey(Messages(), 11, 3).bytes, Header(0x00, 0x29, 2) + "3,");
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_EQ(EncodeKey(Messages(), 4, 1).bytes, "14011");
    EXPECT_EQ(EncodeKey(Messages(), 1, 1).bytes, "141");
    for (const std::uint16_t family : {6, 7, 9}) EXPECT_FALSE(EncodeKey(Messages(), family, 1).made) << family;
}

TEST_F(ScrollMsgTableTest, CommaSeparatedRecordsAreReadAsTheScalesSendThem)
{
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(10), BytesOf("2,4,3,812,\"\\x06HI\",1,")));
    EXPECT_EQ(Row(2).GetText(), "HI");
    EXPECT_EQ(Row(2).Get(kIntervalMode), 1);
    EXPECT_EQ(Row(2).Get(kDispMode), 4);
    EXPECT_EQ(Row(2).Get(kDispDate), 3);
    EXPECT_EQ(Row(2).Get(kDispTime), 812);
    EXPECT_EQ(Row(2).Get(kConseqMsg), 1);
    EXPECT_EQ(Row(2).GetLength(), CScrollMsgRec::kSize);

    // Family 11: the settings after two empty fields, the text without its first three characters.
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(11), BytesOf("5,,,1,2,0,3,\"ABCSALE\\x0D\",")));
    EXPECT_EQ(Row(5).GetText(), "SALE");
    EXPECT_EQ(Row(5).Get(kSize), 1);
    EXPECT_EQ(Row(5).Get(kSpeed), 2);
    EXPECT_EQ(Row(5).Get(kFlashSpeed), 3);
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(11), BytesOf("5,,,1,2,0,3,\"AB\",")));
    EXPECT_EQ(Row(5).GetText(), "");

    // Numbers outside 1 to 9 are passed over; a record without one is refused.
    EXPECT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(12), BytesOf("10,1,0,0,\"X\",0,")));
    EXPECT_EQ(Messages().FindMessage(10), nullptr);
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(12), BytesOf("\"X\",")));
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(9), BytesOf("1,1,0,0,\"X\",0,")));
}

TEST_F(ScrollMsgTableTest, BinaryAndTextRecordsAreReadAsTheScalesSendThem)
{
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x03\x04\x01\x08\x22\x0D\x03HI\x00"s)));
    EXPECT_EQ(Row(3).GetText(), "HI");
    EXPECT_EQ(Row(3).Get(kDispMode), 4);
    EXPECT_EQ(Row(3).Get(kDispDate), 1);
    EXPECT_EQ(Row(3).Get(kDispTime), 822);
    // Without the line bytes the text is emptied; numbers 0 and above 9 fail.
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(6), BytesOf("\x03\x04\x01\x08\x22\x00\x03HI"s)));
    EXPECT_EQ(Row(3).GetText(), "");
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x00\x04\x01\x08\x22\x0D\x03HI"s)));
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(8), BytesOf("\x10\x04\x01\x08\x22\x0D\x03HI"s)));
    EXPECT_TRUE(Messages().DecodeLumenRecord(8, BytesOf("\x04\x01\x00\x00\x00\x0D\x03HO"s)));
    EXPECT_EQ(Row(4).GetText(), "HO");
    EXPECT_FALSE(Messages().DecodeLumenRecord(6, BytesOf("\x04\x01\x00\x00\x00\x0D\x03HO"s)));

    // Text records: the number in the third character, the text from the fourth without control
    // characters, as a scrolling message in mode 1.
    AddMessage(1, {"OLD", 5, 3, 812, 1, 0, 1});
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(0), BytesOf("361HEL\x01LO\x00junk"s)));
    EXPECT_EQ(Row(1).GetText(), "HELLO");
    EXPECT_EQ(Row(1).Get(kIsScroll), 1);
    EXPECT_EQ(Row(1).Get(kDispMode), 1);
    EXPECT_EQ(Row(1).Get(kDispTime), 0);
    EXPECT_EQ(Row(1).Get(kIntervalMode), 0);
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(1), BytesOf("361HEL")));
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(1), BytesOf("360HELLO")));
    EXPECT_FALSE(Messages().ReceiveScaleRecord(ScaleOf(2), BytesOf("361HELLO")));
    m_frame.m_setup.m_market = MarketIceland;
    ASSERT_TRUE(Messages().ReceiveScaleRecord(ScaleOf(4), BytesOf("362@LSO")));
    EXPECT_EQ(Row(2).GetText(), "\xC1LSO");
}

const std::string kDataSaveMessage1 = "\x01\x01\x01\x00\x36\x03\x0D\x03SALE"s + std::string(91, '\0');

TEST_F(ScrollMsgTableTest, DataSaveRecordsGoBothWaysByMarket)
{
    AddMessage(1, {"SALE"});
    std::array<std::uint8_t, 200> buffer{};
    ASSERT_EQ(Messages().EncodeItemRecord(Row(1), buffer), 103u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), 103), kDataSaveMessage1);
    m_frame.m_setup.m_market = MarketNewZealand;
    ASSERT_EQ(Messages().EncodeItemRecord(Row(1), buffer), 102u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), 8), "\x01\x01\x00\x36\x03\x0D\x03S"s);

    // Read back in market 0: a message held stays unless overwriting; a late time becomes 0; the text
    // ends at its second carriage return.
    m_frame.m_setup.m_market = MarketUsa;
    AddMessage(2, {"OLD", 2});
    std::string record = "\x02\x05\x01\x03\xC4\x09\x0D\x03NEW\rGONE"s;
    EXPECT_TRUE(Messages().DecodeItemRecord(BytesOf(record)));
    EXPECT_EQ(Row(2).GetText(), "OLD");
    m_frame.m_setup.m_overwriteExisting = 1;
    EXPECT_TRUE(Messages().DecodeItemRecord(BytesOf(record)));
    EXPECT_EQ(Row(2).GetText(), "NEW");
    EXPECT_EQ(Row(2).Get(kDispMode), 5);
    EXPECT_EQ(Row(2).Get(kConseqMsg), 1);
    EXPECT_EQ(Row(2).Get(kDispDate), 3);
    EXPECT_EQ(Row(2).Get(kDispTime), 0);
    EXPECT_EQ(Row(2).Get(kIsScroll), 1);
    // Elsewhere there is no consecutive byte.
    m_frame.m_setup.m_market = MarketNewZealand;
    EXPECT_TRUE(Messages().DecodeItemRecord(BytesOf("\x02\x05\x03\x34\x03\x0D\x03OK"s)));
    EXPECT_EQ(Row(2).GetText(), "OK");
    EXPECT_EQ(Row(2).Get(kDispTime), 820);
    EXPECT_EQ(Row(2).Get(kConseqMsg), 0);

    EXPECT_FALSE(Messages().DecodeItemRecord(BytesOf("\x02\x05\x03\x34\x03\x0D"s)));
    EXPECT_FALSE(Messages().DecodeItemRecord(BytesOf("\x10\x05\x03\x34\x03\x0D\x03OK"s)));
    EXPECT_FALSE(Messages().DecodeItemRecord(BytesOf("\x00\x05\x03\x34\x03\x0D\x03OK"s)));
}

TEST_F(ScrollMsgTableTest, WholeDataSaveFilesOfSeveralMessagesLoadAndWriteBack)
{
    AddMessage(1, {"SALE"});
    AddMessage(9, {std::string(94, 'Z'), 6, 7, 1224, 0});
    LoadAndRewriteDataSaveSection(m_frame, m_database, Messages(), "SCRL", {1, 9}, 103, [&] {
        EXPECT_EQ(Row(9).GetText(), std::string(94, 'Z'));
        EXPECT_EQ(Row(9).Get(kDispTime), 1224);
    });
}

TEST_F(ScrollMsgTableTest, MessagesKeepTheirValuesInPldAndMdbFiles)
{
    ForEachReopenedDatabase(
        [](CPluDatabase& db) {
            auto row = std::make_unique<CScrollMsgRec>();
            row->SetText(std::string(100, 'M'));
            row->Set(kDispTime, 2424);
            row->Set(kFlashSpeed, 9);
            row->Set(kIntervalMode, 1);
            ASSERT_TRUE(db.GetTable(CScrollMsgTb::kTableNo)->AddRecord(9, CScrollMsgRec::kSize, std::move(row)));
        },
        [](CPluDatabase& db) {
            const CScrollMsgRec* row = dynamic_cast<CScrollMsgTb&>(*db.GetTable(CScrollMsgTb::kTableNo)).FindMessage(9);
            ASSERT_NE(row, nullptr);
            EXPECT_EQ(row->GetText(), std::string(100, 'M'));
            EXPECT_EQ(row->Get(kDispTime), 2424);
            EXPECT_EQ(row->Get(kFlashSpeed), 9);
            EXPECT_EQ(row->Get(kIntervalMode), 1);
            EXPECT_EQ(row->GetLength(), CScrollMsgRec::kSize);
        });
}

}  // namespace
}  // namespace varnel::test
