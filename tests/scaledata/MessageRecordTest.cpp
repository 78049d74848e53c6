// The records of numbered texts for each family, market and slot, worked out by hand from the record
// layouts, and read back.
#include "ScaleDataFixture.h"

#include "scaledata/MessageEncoding.h"
#include "scaledata/MessageRules.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel::test {
namespace {

using namespace std::string_literals;

const std::string kHello = "\x1B" "C1HELLO";
// Font code 2 is quoted as font 13 by every comma-separated family outside the double-byte markets.
const std::string kHelloFont2 = "\x1B" "C2HELLO";

class MessageRecordTest : public ScaleDataFixture {
protected:
    void Configure(std::uint16_t market, std::uint32_t maxCoupon = 99, std::uint32_t maxMessage = 99)
    {
        m_frame.m_setup.m_market = market;
        m_frame.m_setup.m_maxCouponNo = maxCoupon;
        m_frame.m_setup.m_maxExMessageNo = maxMessage;
    }
    // The test frame's site for a family.
    MessageSite Site(std::uint16_t family) const
    {
        return MessageSiteOf(m_frame, m_frame.m_setup, m_frame.GetTextRules(), family);
    }
    BuiltRecord Record(std::uint16_t family, std::uint32_t kind, std::uint32_t number, const std::string& text) const
    {
        return BuildInto([&](ScaleRecordOut& out) {
            return EncodeMessageRecord(Site(family), ScaleOf(family), {kind, number, text}, out);
        });
    }
    BuiltRecord Key(std::uint16_t family, std::uint32_t kind, std::uint32_t number) const
    {
        return BuildInto([&](ScaleRecordOut& out) { return EncodeMessageKeyRecord(Site(family), kind, number, out); });
    }
};

struct RecordCase {
    const char* what;
    std::uint16_t family;
    std::uint16_t market;
    std::uint32_t maxCoupon;
    std::uint32_t kind;
    std::uint32_t number;
    std::string text;
    std::string bytes;  // empty: nothing is encoded
    std::uint16_t code;
};

TEST_F(MessageRecordTest, EachFamilyGetsItsRecordLayout)
{
    const RecordCase cases[] = {
        {"text record, market 0", 0, MarketUsa, 99, MsgExtra, 5, kHello, "3505" + kHello + '\0', 35},
        {"text record with the slot tag", 0, MarketNewZealand, 99, MsgExtra, 5, kHello, "350105" + kHello + '\0', 35},
        {"family 4 as family 0", 4, MarketUsa, 99, MsgExtra, 5, kHello, "3505" + kHello + '\0', 35},
        {"coupon under the USA numbering", 0, MarketUsa, 9999, MsgCoupon, 120, kHello, "610120" + kHello + '\0', 61},
        {"coupon above its highest number", 0, MarketUsa, 99, MsgCoupon, 120, kHello, "", 0},
        {"coupon of market 10, 16 bytes", 0, MarketTaiwan, 99, MsgCoupon, 5, "ABCDEFGHIJKLMNOPQRST",
         "610205ABCDEFGHIJKLMNOP"s + '\0', 61},
        {"second set, market 10", 0, MarketTaiwan, 99, MsgExtra2, 5, "AB", "690205AB"s + '\0', 69},
        {"second set, market 0: no slot", 0, MarketUsa, 99, MsgExtra2, 5, "AB", "", 0},
        {"family 1", 1, MarketUsa, 99, MsgExtra, 5, kHello, "350005" + kHello + '\0', 35},
        {"family 1 takes no coupons", 1, MarketUsa, 99, MsgCoupon, 5, kHello, "", 0},
        {"family 3", 3, MarketUsa, 99, MsgExtra, 5, kHello, "3505" + kHello + '\0', 35},
        {"family 6: short header, BCD number, line text", 6, MarketUsa, 99, MsgExtra, 5, kHello,
         ShortHeader(0x32, 14) + "\x00\x00\x00\x05\x08\x00"s + "\r\x08HELLO\0"s, 32},
        {"family 8 coupon", 8, MarketUsa, 99, MsgCoupon, 12, "AB",
         ShortHeader(0x35, 8) + "\x00\x00\x00\x12\x02\x00"s + "AB", 35},
        {"family 9", 9, MarketUsa, 99, MsgExtra, 5, kHelloFont2,
         Header(0x10, 0x03, 18) + R"(5,"\x0D\x0DHELLO",)", 1003},
        {"family 9 free message 2", 9, MarketUsa, 99, MsgFree1 + 1, 7, "AB", Header(0x10, 0x05, 7) + R"(7,"AB",)",
         1005},
        {"family 9, market 10: ingredients", 9, MarketTaiwan, 99, MsgIngredients, 7, "AB",
         Header(0x10, 0x10, 7) + R"(7,"AB",)", 1010},
        {"family 11: comments are no coupons", 11, MarketUsa, 99, MsgComment, 5, "AB", "", 0},
        {"family 7 takes none", 7, MarketUsa, 99, MsgExtra, 5, "AB", "", 0},
        {"family 9 storage temperature", 9, MarketUsa, 99, MsgStorageTemp, 5, "AB",
         Header(0x10, 0x13, 7) + R"(5,"AB",)", 1013},
        {"family 0 storage temperature without a slot", 0, MarketUsa, 99, MsgStorageTemp, 5, "AB", "", 0},
    };
    for (const RecordCase& c : cases) {
        Configure(c.market, c.maxCoupon);
        const BuiltRecord built = Record(c.family, c.kind, c.number, c.text);
        EXPECT_EQ(built.made, !c.bytes.empty()) << c.what;
        EXPECT_EQ(built.bytes, c.bytes) << c.what;
        EXPECT_EQ(built.code, c.code) << c.what;
    }
}

TEST_F(MessageRecordTest, KeyRecordsNameTheNumberForEachFamily)
{
    const RecordCase cases[] = {
        {"market 0", 0, MarketUsa, 99, MsgExtra, 5, "", "1305", 13},
        {"market 0 coupon", 5, MarketUsa, 99, MsgCoupon, 5, "", "2105", 21},
        {"other markets", 0, MarketNewZealand, 99, MsgExtra, 5, "", "130105", 13},
        {"other markets' coupon", 0, MarketSouthAmerica, 99, MsgCoupon, 5, "", "210205", 21},
        {"market 3's coupon", 0, MarketThailand, 99, MsgCoupon, 5, "", "120205", 21},
        {"market 3's third slot", 0, MarketThailand, 99, MsgExtra2, 5, "", "800205", 80},
        {"market 10's third slot", 0, MarketTaiwan, 99, MsgExtra2, 5, "", "110105", 11},
        {"market 10's coupon: none", 0, MarketTaiwan, 99, MsgCoupon, 5, "", "", 0},
        {"six digits for a wide slot", 0, MarketNewZealand, 99999, MsgCoupon, 120, "", "2102000120", 21},
        {"family 1", 1, MarketUsa, 99, MsgExtra, 5, "", "1305", 13},
        {"family 2 coupon: none", 2, MarketUsa, 99, MsgCoupon, 5, "", "", 0},
        {"family 6", 6, MarketUsa, 99, MsgExtra, 5, "", "\x00\x00\x00\x05"s, 2},
        {"family 6 coupon", 6, MarketUsa, 99, MsgCoupon, 5, "", "\x00\x00\x00\x05"s, 5},
        {"family 9", 9, MarketUsa, 99, MsgExtra, 5, "", Header(0x00, 0x03, 2) + "5,", 3},
        {"family 9 storage", 9, MarketUsa, 99, MsgStorageTemp, 5, "", Header(0x00, 0x13, 2) + "5,", 13},
        {"family 11 storage: none", 11, MarketUsa, 99, MsgStorageTemp, 5, "", "", 0},
        {"family 7: none", 7, MarketUsa, 99, MsgExtra, 5, "", "", 0},
    };
    for (const RecordCase& c : cases) {
        Configure(c.market, c.maxCoupon);
        const BuiltRecord built = Key(c.family, c.kind, c.number);
        EXPECT_EQ(built.made, !c.bytes.empty()) << c.what;
        EXPECT_EQ(built.bytes, c.bytes) << c.what;
        EXPECT_EQ(built.code, c.code) << c.what;
    }
}

TEST_F(MessageRecordTest, ANumberWiderThanItsFieldRefusesTheRecordInsteadOfNamingAnotherMessage)
{
    Configure(MarketUsa, 9999, 999);
    // The market-0 key record has two digits; the coupon's record has four.
    EXPECT_TRUE(Record(0, MsgCoupon, 120, "AB").made);
    const BuiltRecord key = Key(0, MsgCoupon, 120);
    EXPECT_FALSE(key.made);
    EXPECT_EQ(key.refusedField, "message number");
    EXPECT_EQ(key.bytes, "");
    // Families 2 and 3 write two digits whatever the highest number.
    const BuiltRecord family2 = Record(2, MsgExtra, 120, "AB");
    EXPECT_FALSE(family2.made);
    EXPECT_EQ(family2.refusedField, "message number");
    EXPECT_EQ(Key(3, MsgExtra, 120).refusedField, "message number");
}

TEST_F(MessageRecordTest, CommentsGoAsCouponsToFamily10InMarket2)
{
    Configure(MarketAustralia);
    EXPECT_FALSE(Record(10, MsgComment, 5, "AB").made);
    AddLinkScale(10);
    const BuiltRecord built = Record(10, MsgComment, 42, "AB");
    EXPECT_TRUE(built.made);
    EXPECT_EQ(built.code, 1006);
    EXPECT_EQ(built.bytes, Header(0x10, 0x06, 8) + R"(42,"AB",)");
    // In the coupon slot a comment's number is held to the coupons' highest.
    EXPECT_FALSE(Record(10, MsgComment, 100, "AB").made);
    EXPECT_FALSE(Record(11, MsgComment, 5, "AB").made);
}

TEST_F(MessageRecordTest, TextsAreCutToTheFamilysLimit)
{
    Configure(MarketUsa);
    const std::string longText(3000, 'x');
    struct Case {
        std::uint16_t family;
        std::uint32_t kind;
        std::size_t textBytes;
    } const cases[] = {
        {0, MsgExtra, 1000},  // without the USA coupon numbering
        {6, MsgCoupon, 510},
        {9, MsgExtra, 1022},
        {10, MsgExtra, 2047},
        {9, MsgStorageTemp, 240},
    };
    for (const Case& c : cases) {
        const BuiltRecord built = Record(c.family, c.kind, 5, longText);
        ASSERT_TRUE(built.made) << c.family;
        EXPECT_EQ(std::count(built.bytes.begin(), built.bytes.end(), 'x'), static_cast<std::ptrdiff_t>(c.textBytes))
            << c.family << " kind " << c.kind;
    }
}

// Every record a family is sent reads back to its number and text.
TEST_F(MessageRecordTest, EveryRecordReadsBackAsItWasWritten)
{
    const std::uint16_t markets[] = {MarketUsa, MarketNewZealand, MarketThailand, MarketTaiwan};
    const std::uint32_t kinds[] = {MsgCoupon, MsgExtra, MsgExtra2, MsgExtra3, MsgFree1, MsgIngredients};
    int read = 0;
    for (const std::uint16_t market : markets) {
        for (const std::uint32_t maxCoupon : {99u, 9999u, 99999u}) {
            Configure(market, maxCoupon, 99999);
            for (std::uint16_t family = 0; family <= 12; ++family) {
                for (const std::uint32_t kind : kinds) {
                    const std::uint32_t number = kind == MsgCoupon && maxCoupon > 99 ? 120 : 42;
                    const BuiltRecord built = Record(family, kind, number, kHelloFont2);
                    if (!built.made) continue;
                    std::string body = built.bytes;
                    if (family >= 6) body.erase(0, 8);
                    const auto received = DecodeMessageRecord(Site(family), ScaleOf(family), kind, BytesOf(body), 2100);
                    ASSERT_TRUE(received) << family << " " << market << " " << kind;
                    EXPECT_EQ(received->number, number) << family << " " << market << " " << kind;
                    EXPECT_EQ(received->text, kHelloFont2) << family << " " << market << " " << kind;
                    ++read;
                }
            }
        }
    }
    EXPECT_GT(read, 100);
}

TEST_F(MessageRecordTest, ABinaryRecordShorterThanItsNumberAndLengthIsRefused)
{
    Configure(MarketUsa);
    for (const std::string& record : {""s, "\x00\x00\x00"s, "\x00\x00\x00\x05\x02"s})
        EXPECT_FALSE(DecodeMessageRecord(Site(6), ScaleOf(6), MsgExtra, BytesOf(record), 2100)) << record.size();
    const auto empty = DecodeMessageRecord(Site(6), ScaleOf(6), MsgExtra, BytesOf("\x00\x00\x00\x05\x00\x00"s), 2100);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, "");
}

TEST_F(MessageRecordTest, FileAndDataSaveRecordsCarryTheNumberInTheirFormsWidth)
{
    Configure(MarketUsa);
    std::array<std::uint8_t, 64> buffer{};
    std::uint16_t length = 0;
    ASSERT_TRUE(EncodeMessageFileRecord(Site(7), {MsgExtra, 5, "AB"}, buffer, length));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), length), "\x05\x00\x00\x02" "AB"s);
    ASSERT_TRUE(EncodeMessageFileRecord(Site(8), {MsgExtra, 5, "AB"}, buffer, length));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), length), "\x00\x00\x00\x05\x00\x02" "AB"s);
    const auto file = DecodeMessageFileRecord(Site(8), MsgExtra, std::span(buffer).first(length), 2100);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->number, 5u);
    EXPECT_EQ(file->text, "AB");
    EXPECT_FALSE(EncodeMessageFileRecord(Site(5), {MsgExtra, 5, "AB"}, buffer, length));

    struct Case {
        std::uint16_t form;  // the general setup's switch
        std::string bytes;
    } const cases[] = {
        {0, "\x01\x23\x08\x00\r\x08HELLO\0"s},
        {1, "\x23\r\x08HELLO\0"s},
    };
    for (const Case& c : cases) {
        m_frame.m_setup.m_itemRecordExtension = c.form;
        const std::size_t written = EncodeMessageDataSaveRecord(Site(0), 123 % (c.form ? 100 : 10000), kHello, buffer);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), written), c.bytes) << c.form;
        const auto back = DecodeMessageDataSaveRecord(Site(0), BytesOf(c.bytes), 2100);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->text, kHello);
        EXPECT_EQ(back->number, c.form ? 23u : 123u);
    }
    m_frame.m_setup.m_itemRecordExtension = 1;
    EXPECT_EQ(EncodeMessageDataSaveRecord(Site(0), 123, kHello, buffer), 0u);  // three digits in a 2-digit field
}

}  // namespace
}  // namespace varnel::test
