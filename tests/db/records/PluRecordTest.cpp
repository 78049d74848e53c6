// PLU scale records: what the family and market choose, the rules that hold a PLU back, the layouts'
// distinguishing fields, and the refusal of a value that does not fit its fixed-width field.
#include "PluRecordFixture.h"

#include "db/text/WrapDescText.h"
#include "support/RecordingRefusals.h"

namespace varnel::test {
namespace {

using namespace std::string_literals;

using PluRecordTest = PluRecordFixture;

TEST_F(PluRecordTest, TheFamilyAndMarketChooseTheOpeningAndCode)
{
    AddPlu(123);
    struct Case {
        std::uint16_t family;
        std::uint16_t market;
        std::uint16_t coupons;
        std::string_view opening;
        std::uint16_t code;
    };
    const Case cases[] = {
        {0, 0, 0, "65000123", 65},   {0, 1, 0, "6502000123", 65}, {4, 3, 0, "6502000123", 65},
        {1, 0, 0, "84000123", 84},   {1, 2, 0, "30000123", 30},   {2, 0, 0, "30000123", 30},
        {2, 0, 1, "30000123", 30},   {2, 3, 1, "39000123", 39},   {3, 0, 0, "30000123", 30},
        {3, 0, 1, "83000123", 83},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " market " << c.market);
        m_frame.m_setup.m_market = c.market;
        m_frame.m_setup.m_couponSupport = c.coupons;
        const Built built = Record(c.family, 123);
        ASSERT_TRUE(built.made);
        EXPECT_EQ(built.bytes.substr(0, c.opening.size()), c.opening);
        EXPECT_EQ(built.code, c.code);
    }
}

TEST_F(PluRecordTest, AFamilyOneScaleWithTheNutritionLayoutGetsTheCode65Layout)
{
    AddPlu(123);
    m_frame.m_setup.m_market = MarketNewZealand;
    m_frame.m_setup.m_nutritionInUse = 1;
    const Built built = Record(1, 123);
    EXPECT_EQ(built.code, 65);
    EXPECT_EQ(built.bytes.substr(0, 8), "65000123");
}

TEST_F(PluRecordTest, NoRecordForFamily7UnknownFamiliesMissingAndInactivePlus)
{
    AddPlu(123, [](CPluDefRec& r) { r.Set(PluCol::CtrlFlag, 1); });
    EXPECT_FALSE(Record(7, 123).made);
    EXPECT_FALSE(Record(13, 123).made);
    EXPECT_FALSE(Record(0, 124).made);
    EXPECT_TRUE(Record(0, 123).made);
    m_frame.m_setup.m_pluActiveInactive = 1;
    for (std::uint16_t family : {0, 6, 9}) {
        const Built built = Record(family, 123);
        EXPECT_FALSE(built.made) << family;
        EXPECT_TRUE(built.bytes.empty());
        EXPECT_TRUE(built.refusedField.empty());
    }
}

TEST_F(PluRecordTest, FamilySixIsPackedBcdAfterTheShortHeader)
{
    AddPlu(123456, [](CPluDefRec& r) {
        r.Set(PluCol::UnitPrice, 1234);
        r.Set(PluCol::MarkPrice, 56);
        r.Set(PluCol::Weight, 789);
    });
    Built built = Record(6, 123456);
    ASSERT_TRUE(built.made);
    EXPECT_EQ(built.code, 30);
    EXPECT_EQ(built.bytes.substr(0, 2), std::string("\x30\x00", 2));
    EXPECT_EQ(static_cast<std::size_t>(static_cast<unsigned char>(built.bytes[6]) + 256 * built.bytes[7]),
              built.bytes.size() - 8);
    EXPECT_EQ(built.bytes.substr(8, 4), "\x00\x12\x34\x56"s);
    EXPECT_EQ(built.bytes.substr(8 + 13, 3), "\x00\x07\x89"s);  // Weight

    m_frame.m_setup.m_market = MarketTurkey;  // wider prices move Weight to offset 16
    built = Record(6, 123456);
    EXPECT_EQ(built.bytes.substr(8 + 5, 5), "\x00\x00\x00\x12\x34"s);
    EXPECT_EQ(built.bytes.substr(8 + 16, 3), "\x00\x07\x89"s);

    ScaleRecordOut out = Out();
    ASSERT_TRUE(BuildKeyRecord(6, 123456, out));
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m_buffer.data()), out.length), "\x00\x12\x34\x56"s);
}

TEST_F(PluRecordTest, KeyRecordsByFamily)
{
    const ExpectedRecord cases[] = {
        {0, 0, "10000123", 10},
        {0, 1, "1001000123", 10},
        {3, 1, "10000123", 10},
        {11, 0, "\x00\x01\x00\x00\x00\x00\x00\x04" "123,"s, 1},
    };
    for (const ExpectedRecord& c : cases) {
        m_frame.m_setup.m_market = c.market;
        ScaleRecordOut out = Out();
        ASSERT_TRUE(BuildKeyRecord(c.family, 123, out)) << c.family;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(m_buffer.data()), out.length), c.bytes) << c.family;
        EXPECT_EQ(out.code, c.code);
    }
    ScaleRecordOut out = Out();
    EXPECT_FALSE(BuildKeyRecord(7, 123, out));
}

// A link's pass builds under the settings it took when it began, whatever the frame's are meanwhile.
TEST_F(PluRecordTest, EachBuilderFollowsTheSettingsItIsHandedNotTheFrames)
{
    AddPlu(123, [](CPluDefRec& r) { r.Set(PluCol::MarkFlag, 1); });
    m_frame.m_setup.m_market = 1;
    ScaleRecordOut handed = Out();
    m_frame.m_setup.m_market = MarketUsa;
    using Builder = bool (*)(CPluDefTb&, const BuildLock&, const CLinkScaleSettings&, std::uint32_t, ScaleRecordOut&);
    const Builder keyRecord = [](CPluDefTb&, const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t plu,
                                 ScaleRecordOut& out) { return BuildKeyRecord(scale.m_scaleType, plu, out); };
    const std::pair<Builder, std::string_view> cases[] = {
        {BuildPluRecord, "6502000123"},
        {BuildPriceChangeRecord, "3101000123"},
        {BuildMarkdownChangeRecord, "3201000123"},
        {keyRecord, "1001000123"},
    };
    for (const auto& [build, opening] : cases) {
        SCOPED_TRACE(opening);
        const BuildLock lock = Plus().LockRecordBuild();
        ASSERT_TRUE(build(Plus(), lock, Scale(0), 123, handed));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(m_buffer.data()), opening.size()), opening);
    }
}

using PluRecordDeathTest = PluRecordFixture;

// No settings handed is a fault of the caller: the build stops instead of guessing a market.
TEST_F(PluRecordDeathTest, ABuildHandedNoSettingsStopsTheProgram)
{
    AddPlu(123);
    ScaleRecordOut none{m_buffer};
    const BuildLock lock = Plus().LockRecordBuild();
    EXPECT_DEATH(BuildPluRecord(Plus(), lock, Scale(0), 123, none), "without the site's settings");
}

TEST_F(PluRecordTest, CommaSeparatedFieldsOfTheMarketsAndOptions)
{
    AddPlu(123, [](CPluDefRec& r) {
        r.Set(PluCol::Tare, 123);
        r.Set(PluCol::Coupon, 1);
        r.Set(PluCol::Message7, 2);
        r.Set(PluCol::ExMessage2, 3);
        r.Set(PluCol::ExMessage3, 4);
    });
    AddPlu(200);

    m_frame.m_setup.m_market = MarketHongKong;
    const std::string family10 = Record(10, 123).bytes;
    EXPECT_EQ(CsvField(family10, 30), "3");  // slot 3
    EXPECT_EQ(CsvField(family10, 32), "1");  // slot 1
    EXPECT_EQ(CsvField(family10, 33), "");
    EXPECT_EQ(CsvField(family10, 34), "");

    m_frame.m_setup.m_market = MarketUsa;
    EXPECT_EQ(CsvField(Record(11, 200).bytes, 47), "0");  // no nutrition record
    EXPECT_EQ(CsvField(Record(11, 123).bytes, 47), "123");
    EXPECT_EQ(CsvField(Record(9, 200).bytes, 43), "2");  // SecondBotPrintFlag 0

    CLinkScaleSettings tenths = Scale(10);
    tenths.m_tareFormat = 1;
    const std::string record = Record(tenths, 123).bytes;
    // The price fields after the description: the twelfth is Tare.
    std::string prices = record.substr(record.find("\",") + 2);
    for (int field = 1; field < 12; ++field) prices.erase(0, prices.find(',') + 1);
    EXPECT_EQ(prices.substr(0, prices.find(',')), "12");
}

}  // namespace
}  // namespace varnel::test

namespace varnel::test {
namespace {

using PluRecordRefusalTest = PluRecordFixture;

// A value past its fixed width is never cut or let widen the field: the record is refused and the
// field named.
TEST_F(PluRecordRefusalTest, AValueThatDoesNotFitRefusesTheRecordAndNamesTheField)
{
    AddPlu(12345);
    AddPlu(7, [](CPluDefRec& r) { r.Set(PluCol::UnitPrice, 1000000); });
    AddPlu(8, [](CPluDefRec& r) { r.Set(PluCol::PackQuant, 150); });
    AddPlu(9, [](CPluDefRec& r) { r.Set(PluCol::Posflag, 100); });
    struct Case {
        std::uint16_t family;
        std::uint32_t plu;
        std::string_view field;
    };
    const Case cases[] = {
        {3, 12345, "PLU number"},  // four digits in the "3000" layout
        {0, 7, "UnitPrice"},       {2, 7, "UnitPrice"}, {8, 8, "PackQuant"}, {0, 9, "Posflag"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " PLU " << c.plu);
        const Built built = Record(c.family, c.plu);
        EXPECT_FALSE(built.made);
        EXPECT_TRUE(built.bytes.empty());
        EXPECT_EQ(built.refusedField, c.field);
    }
    // Where the layout has room the value goes as it is.
    EXPECT_TRUE(Record(9, 7).made);
    EXPECT_TRUE(Record(6, 7).made);
}

TEST_F(PluRecordRefusalTest, PosflagOf100AndMoreIsFFInTheLongBlock)
{
    AddPlu(9, [](CPluDefRec& r) { r.Set(PluCol::Posflag, 100); });
    const Built built = Record(2, 9);
    ASSERT_TRUE(built.made);
    EXPECT_EQ(built.bytes.substr(8 + 8, 2), "FF");
}

TEST_F(PluRecordRefusalTest, AWalkReportsARefusedRecordAndGoesOnWithTheNext)
{
    AddPlu(1, [](CPluDefRec& r) { r.Set(PluCol::UnitPrice, 1000000); });
    AddPlu(2);
    RecordingRefusals refusals;
    ScaleRecordOut out = Out();
    out.refusals = &refusals;
    KeyCursor cursor = 1;
    KeyCursor key = 0;
    ASSERT_TRUE(Plus().EncodeNextInRange(Scale(0), cursor, 10, out, key));
    EXPECT_EQ(key, 2u);
    ASSERT_EQ(refusals.m_refused.size(), 1u);
    EXPECT_EQ(refusals.m_refused[0], std::make_pair(1u, std::string("UnitPrice")));

    // Without a listener the refusal goes to the event log.
    ScaleRecordOut unheard = Out();
    cursor = 1;
    CLinkScaleSettings scale = Scale(0);
    scale.m_name = "Deli";
    ASSERT_TRUE(Plus().EncodeNextInRange(scale, cursor, 10, unheard, key));
    ASSERT_EQ(m_frame.m_events.size(), 1u);
    EXPECT_EQ(m_frame.m_events[0].second, "Scale [Deli] : record 1 was not sent: its UnitPrice does not fit the scale's record");
}

// A walk stops at the highest PLU number the family's layout carries: what lies above it in the range
// is counted and reported once, to the listener or in one event-log line.
TEST_F(PluRecordRefusalTest, AWalkStopsAtTheFamilysHighestNumberAndReportsTheRestOnce)
{
    for (const std::uint32_t plu : {9998u, 9999u, 10000u, 10001u, 20000u, 30000u}) AddPlu(plu);
    RecordingRefusals refusals;
    ScaleRecordOut out = Out();
    out.refusals = &refusals;
    KeyCursor cursor = 1;
    KeyCursor key = 0;
    std::vector<KeyCursor> sent;
    while (Plus().EncodeNextInRange(Scale(3), cursor, 20000, out, key)) sent.push_back(key);
    EXPECT_EQ(sent, (std::vector<KeyCursor>{9998, 9999}));
    EXPECT_TRUE(refusals.m_refused.empty());
    EXPECT_EQ(refusals.m_beyondFamily, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{3, 9999}}));
    EXPECT_FALSE(Plus().EncodeNextInRange(Scale(3), cursor, 20000, out, key));
    EXPECT_EQ(refusals.m_beyondFamily.size(), 1u);

    ScaleRecordOut unheard = Out();
    CLinkScaleSettings scale = Scale(3);
    scale.m_name = "Deli";
    cursor = 10000;
    EXPECT_FALSE(Plus().EncodeNextInRange(scale, cursor, 30000, unheard, key));
    ASSERT_EQ(m_frame.m_events.size(), 1u);
    EXPECT_EQ(m_frame.m_events[0].second,
              "Scale [Deli] : 4 records above number 9999 were not sent: the scale's family takes no higher number");

    // A family whose layout carries the number walks the whole range.
    cursor = 1;
    std::size_t family0 = 0;
    while (Plus().EncodeNextInRange(Scale(0), cursor, 30000, out, key)) ++family0;
    EXPECT_EQ(family0, 6u);
}

TEST_F(PluRecordRefusalTest, AnUnknownFamily9DateFlagIsSentAsNoDateAndLogged)
{
    AddPlu(5, [](CPluDefRec& r) {
        r.Set(PluCol::DateFlag, 5);
        r.Set(PluCol::ShelfLife, 4);
    });
    const Built built = Record(9, 5);
    ASSERT_TRUE(built.made);
    EXPECT_EQ(CsvField(built.bytes, 3), "0");
    EXPECT_EQ(CsvField(built.bytes, 7), "0");
    ASSERT_EQ(m_frame.m_events.size(), 1u);
    EXPECT_EQ(m_frame.m_events[0].second, "PLU 5 : date flag 5 has no meaning for family-9 scales and was sent as no date");
}

TEST(WrapDescTextTest, LinesBreakAfterBlanksCommasAndParenthesesWithinTheWidth)
{
    TestMainFrame frame;
    frame.m_setup.m_market = MarketChina;  // double-byte text
    struct Case {
        std::string_view text;
        std::size_t width;
        std::size_t maxLength;
        std::string_view wrapped;
    };
    const Case cases[] = {
        {"short", 10, 100, "\x1B" "C1short"},
        {"one two three", 8, 100, "\x1B" "C1one two \x1B" "C1three"},
        {"a,b,c,d", 4, 100, "\x1B" "C1a,b,\x1B" "C1c,d"},
        {"(x)yz", 4, 100, "\x1B" "C1(x)\x1B" "C1yz"},
        {"abcdefgh", 3, 100, "\x1B" "C1abc\x1B" "C1def\x1B" "C1gh"},      // no break character
        {"ab\xC5\xA3xy", 3, 100, "\x1B" "C1ab\x1B" "C1\xC5\xA3x\x1B" "C1y"},  // two columns, kept whole
        {"one two three", 8, 12, "\x1B" "C1one two "},
        {"", 8, 100, "\x1B" "C1"},
    };
    for (const Case& c : cases) {
        std::string out(64, '\0');
        out.resize(WrapDescText('1', c.width, c.maxLength, out, c.text, CurrentTextRules().chars));
        EXPECT_EQ(out, c.wrapped) << c.text;
    }
}

}  // namespace
}  // namespace varnel::test
