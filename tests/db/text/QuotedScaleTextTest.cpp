#include "db/text/QuotedScaleText.h"

#include "GuardedBuffer.h"
#include "support/TestScales.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using namespace std::string_literals;

std::string Code(char letter, char operand) { return "\x1B"s + letter + operand; }

std::string Encode(std::uint16_t family, std::string_view text, std::size_t maxScaleBytes = 1000,
                   std::size_t capacity = 256)
{
    test::GuardedBuffer out(capacity);
    const std::size_t length = EncodeQuotedScaleText(CurrentTextRules(), test::ScaleOfFamily(family), out.Span(), text, maxScaleBytes);
    EXPECT_TRUE(out.GuardIntact());
    EXPECT_EQ(out.Text().size(), length);
    return std::string(out.Text());
}

struct Decoded {
    std::string text;
    std::size_t consumed;
    std::size_t position;
};

Decoded Decode(std::uint16_t family, std::string_view record, std::size_t position, std::size_t capacity = 256)
{
    test::GuardedBuffer out(capacity);
    const std::size_t consumed = DecodeQuotedScaleText(CurrentTextRules(), test::ScaleOfFamily(family), out.Span(), record, position);
    EXPECT_TRUE(out.GuardIntact());
    return {std::string(out.Text()), consumed, position};
}

TEST(EncodeQuotedScaleText, WritesTheFamilysCodesAndEscapesControlBytes)
{
    struct Case {
        std::uint16_t market;
        std::uint16_t family;
        std::string text;
        std::string field;
    } const cases[] = {
        {MarketUsa, 10, "A\"B", "\"A\"\"B\","},
        {MarketUsa, 10, "\x01\x7F\x80~", "\"\\x01\\x7F\x80~\","},
        {MarketUsa, 10, Code('C', '0') + "AB" + Code('D', '2'), "\"\\x0D\\x03AB\\x06\","},
        {MarketUsa, 10, Code('C', '3'), "\"\\x0D\xF0\","},
        // Family 9 outside Taiwan takes the Alt fonts and the size, E and F codes.
        {MarketUsa, 9,
         Code('C', '1') + Code('E', '2') + Code('F', '3') + Code('H', '5') + Code('I', '1') + Code('G', '0'),
         "\"\\x0D(\\x14\\x0D\\x17\\x03\\x16\\x04\\x05\\x16\\x07\\x01\\x16\\x00\\x00\","},
        {MarketTaiwan, 9, Code('C', '1'), "\"\\x0D\\x0E\","},
        {MarketUsa, 11, Code('E', '2') + Code('F', '3') + Code('G', '1'), "\"\\x14\\x0D\","},
        {MarketUsa, 10, Code('E', '2') + Code('F', '3') + Code('G', '1') + Code('Z', '1') + "A", "\"A\","},
        // Effects 1 and 5 are left out in Hong Kong, Taiwan and China, except on family 9.
        {MarketHongKong, 10, Code('D', '1') + Code('D', '2') + Code('D', '5'), "\"\\x06\","},
        {MarketChina, 12, Code('D', '1') + Code('D', '5'), "\"\","},
        {MarketTaiwan, 9, Code('D', '1') + Code('D', '5'), "\"\\x02\\x15\","},
        // A code cut by the end of the text is left out.
        {MarketUsa, 10,
         "A\x1B"
         "C",
         "\"A\","},
        {MarketHongKong, 10, "\xA4\x40", "\"\xA4\x40\","},
        {MarketUsa, 10, "", "\"\","},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        EXPECT_EQ(Encode(c.family, c.text), c.field) << "market " << c.market << " family " << c.family;
    }
}

TEST(EncodeQuotedScaleText, AScaleOfTheDefaultFamilyConvertsAsThatFamily)
{
    test::TestMainFrame frame;
    frame.m_setup.m_defaultScaleFamily = 9;
    const std::string text = Code('C', '1') + Code('F', '3') + "A";
    const std::string family9 = Encode(9, text);
    EXPECT_EQ(Encode(CLinkScaleSettings::kDefaultFamily, text), family9);
    EXPECT_NE(Encode(10, text), family9);
}

TEST(EncodeQuotedScaleText, StopsAtAWholeCharacterOrCodeWithinTheScaleByteLimit)
{
    test::TestMainFrame frame;
    struct Case {
        std::string text;
        std::size_t maxScaleBytes;
        std::string field;
    } const cases[] = {
        {"ABCDE", 3, "\"ABC\","},
        {"A\"B", 2, "\"A\","},  // the doubled quote takes two scale bytes
        {"A\"B", 3, "\"A\"\"\","},
        {Code('C', '0') + "AB", 1, "\"\","},
        {Code('C', '0') + "AB", 3, "\"\\x0D\\x03A\","},
        {"ABC", 0, "\"\","},
        {"Beef mince", 4, "\"Beef\","},  // a run cut by the limit
    };
    for (const Case& c : cases)
        EXPECT_EQ(Encode(10, c.text, c.maxScaleBytes), c.field) << "limit " << c.maxScaleBytes;
}

TEST(EncodeQuotedScaleText, NeverPassesTheOutputAndAlwaysClosesTheField)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketHongKong;
    const std::string text = Code('C', '1') + "Abc\xA4\x40\"" + Code('D', '2') + "\x01" "B";
    const std::string full = Encode(10, text);
    ASSERT_EQ(full, "\"\\x0D\\x0EAbc\xA4\x40\"\"\\x06\\x01B\",");
    // The field's pieces end at these lengths (after the opening quote).
    const std::size_t pieceEnds[] = {1, 9, 10, 11, 12, 14, 16, 20, 24, 25};
    for (std::size_t capacity = 0; capacity <= full.size() + 1; ++capacity) {
        SCOPED_TRACE(testing::Message() << "capacity " << capacity);
        test::GuardedBuffer out(capacity);
        const std::size_t length = EncodeQuotedScaleText(CurrentTextRules(), test::ScaleOfFamily(10), out.Span(), text, 1000);
        EXPECT_TRUE(out.GuardIntact());
        if (capacity < 4) {
            EXPECT_EQ(length, 0u);
            continue;
        }
        const std::string field(out.Text());
        ASSERT_EQ(field.size(), length);
        ASSERT_GE(length, 3u);
        EXPECT_EQ(field.substr(length - 2), "\",");
        const std::size_t body = length - 2;
        EXPECT_EQ(full.substr(0, body), field.substr(0, body));
        EXPECT_NE(std::find(std::begin(pieceEnds), std::end(pieceEnds), body), std::end(pieceEnds));
    }
}

TEST(DecodeQuotedScaleText, GivesBackTheEncodedText)
{
    struct Case {
        std::uint16_t market;
        std::uint16_t family;
        std::string text;
    } const cases[] = {
        {MarketUsa, 10, "A\"B"},
        {MarketUsa, 10, Code('C', '0') + "AB" + Code('D', '2') + "C" + Code('D', '2') + Code('C', '3') + "D"},
        {MarketUsa, 9, Code('C', '1') + Code('E', '2') + Code('F', '3') + Code('H', '5') + Code('I', '1') + "x"},
        {MarketUsa, 11, Code('C', 'K') + Code('E', 'F') + Code('D', '4')},
        {MarketTaiwan, 10, Code('C', '1') + "\xA4\x5C" "x41" + Code('D', '3')},
        {MarketAustralia, 12, Code('C', 'G') + "\"\"" + Code('D', '5')},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        const std::string record = "12," + Encode(c.family, c.text) + "34,";
        const Decoded decoded = Decode(c.family, record, 3);
        EXPECT_EQ(decoded.text, c.text) << "market " << c.market << " family " << c.family;
        EXPECT_EQ(record.substr(decoded.position), "34,");
        EXPECT_EQ(decoded.consumed, decoded.position - 3);
    }
}

TEST(DecodeQuotedScaleText, ReadsFieldsAsTheScalesWriteThem)
{
    test::TestMainFrame frame;
    struct Case {
        std::string record;
        std::size_t position;
        std::string text;
        std::size_t consumed;
        std::size_t positionAfter;
    } const cases[] = {
        {"12,\"AB\",34", 3, "AB", 5, 8},
        // Lower-case hex, a backslash that starts no escape, and bytes after the closing quote.
        {"\"\\x0d\\x03A\\x06\\q\" x,Z", 0, Code('C', '0') + "A" + Code('D', '2') + "\\q", 20, 20},
        // Values that stand for no code are left out, as is a code whose operand is missing.
        {"\"A\\x01\\x41B\\x0D\",", 0, "AB", 17, 17},
        // No comma after the field: the position goes to the end.
        {"\"AB\"", 0, "AB", 4, 4},
        {"\"AB", 0, "AB", 3, 3},
        // An unquoted field gives empty text, and the position moves past it and its comma.
        {"12,34,56", 3, "", 0, 6},
        {"12,,56", 3, "", 0, 4},
        {"12", 0, "", 0, 2},
        {"12,", 3, "", 0, 3},
        {"12,", 7, "", 0, 7},
        {"\"AB\0\",CD\","s, 4, "", 0, 4},  // past a 0 byte that ends the text
    };
    for (const Case& c : cases) {
        const Decoded decoded = Decode(10, c.record, c.position);
        SCOPED_TRACE(testing::PrintToString(c.record));
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.consumed, c.consumed);
        EXPECT_EQ(decoded.position, c.positionAfter);
    }
}

TEST(DecodeQuotedScaleText, TextBeyondTheOutputIsLeftOutButTheFieldIsStillRead)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    const std::string record = "\"AB\xA4\x40,C\\x06D\",next";
    struct Case {
        std::size_t capacity;
        std::string text;
    } const cases[] = {
        {0, ""}, {1, ""}, {3, "AB"}, {4, "AB"}, {5, "AB\xA4\x40"}, {6, "AB\xA4\x40,"}, {9, "AB\xA4\x40,C"}};
    for (const Case& c : cases) {
        const Decoded decoded = Decode(10, record, 0, c.capacity);
        EXPECT_EQ(decoded.text, c.text) << "capacity " << c.capacity;
        EXPECT_EQ(record.substr(decoded.position), "next") << "capacity " << c.capacity;
    }
}

}  // namespace
}  // namespace varnel
