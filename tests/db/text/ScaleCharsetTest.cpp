#include "db/text/ScaleCharset.h"

#include "db/text/NationalChars.h"
#include "GuardedBuffer.h"
#include "support/TestScales.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using namespace std::string_literals;

std::string Code(char letter, char operand) { return "\x1B"s + letter + operand; }

std::string ToScale(std::uint16_t family, std::string_view text, std::size_t capacity = 256)
{
    test::GuardedBuffer out(capacity);
    const std::size_t length = ConvertTextToScaleCharset(CurrentTextRules(), test::ScaleOfFamily(family), text, out.Span());
    EXPECT_TRUE(out.GuardIntact());
    EXPECT_EQ(out.Text().size(), length);
    return std::string(out.Text());
}

std::string FromScale(std::uint16_t family, std::string_view text, std::size_t capacity = 256)
{
    test::GuardedBuffer out(capacity);
    const std::size_t length = ConvertTextFromScaleCharset(CurrentTextRules(), test::ScaleOfFamily(family), out.Span(), text);
    EXPECT_TRUE(out.GuardIntact());
    EXPECT_EQ(out.Text().size(), length);
    return std::string(out.Text());
}

TEST(ScaleCharset, NationalCharactersGoToTheScaleAndBack)
{
    struct Case {
        std::uint16_t market;
        std::string database;
        std::string scale;
    } const cases[] = {
        {MarketIceland, "\xC1\xD0\xC9\xCD\xD3\xDA\xDD\xDE\xC6\xD6" "A", "@[\\]^`{|}~A"},
        {MarketSouthAmerica, "\xD1\xF1" "A", "^~A"},
        {MarketSweden, "\xA4\xC9\xC4\xD6\xC5\xDC\xE9\xE4\xF6\xE5\xFC", "$@[\\]^`{|}~"},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        for (const std::uint16_t family : {0, 1, 4, 5, 6, 8}) {
            EXPECT_EQ(ToScale(family, c.database), c.scale) << "market " << c.market << " family " << family;
            EXPECT_EQ(FromScale(family, c.scale), c.database) << "market " << c.market << " family " << family;
        }
    }
}

TEST(ScaleCharset, IcelandKeepsOnlyLinesAndTheFirstThreeEffects)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketIceland;
    const std::string text = Code('C', '0') + Code('E', '1') + "\xC1" + Code('D', '3') + Code('D', '4') + "B";
    EXPECT_EQ(ToScale(0, text), Code('C', '0') + "@" + Code('D', '3') + "B");
    EXPECT_EQ(ToScale(0, text, 6), Code('C', '0') + "@");  // the code that would pass the end is left out whole
}

TEST(ScaleCharset, EachMarketKeepsTheCodesItsScalesKnow)
{
    struct Case {
        std::uint16_t market;
        std::uint8_t taiwanExtended;
        std::string code;
        std::string written;
    } const cases[] = {
        {MarketUsa, 0, Code('C', '5'), Code('C', '5')},     {MarketUsa, 0, Code('D', '1'), Code('D', '1')},
        {MarketUsa, 0, Code('D', '3'), Code('D', '3')},     {MarketUsa, 0, Code('D', '4'), Code('D', '4')},
        {MarketUsa, 0, Code('D', '5'), ""},                 {MarketUsa, 0, Code('E', '1'), ""},
        {MarketNorway, 0, Code('D', '3'), Code('D', '3')},  {MarketThailand, 0, Code('D', '3'), ""},
        {MarketThailand, 0, Code('D', '1'), Code('D', '1')}, {MarketHongKong, 0, Code('D', '1'), ""},
        {MarketHongKong, 0, Code('C', '5'), Code('C', '5')}, {MarketTaiwan, 0, Code('D', '1'), ""},
        {MarketTaiwan, 0, Code('C', '4'), Code('C', '0')},  {MarketTaiwan, 0, Code('C', 'G'), Code('C', '0')},
        {MarketTaiwan, 0, Code('C', '3'), Code('C', '3')},  {MarketTaiwan, 1, Code('D', '1'), Code('D', '1')},
        {MarketTaiwan, 1, Code('D', '5'), ""},              {MarketTaiwan, 1, Code('E', '1'), ""},
        {MarketTaiwan, 1, Code('C', '7'), Code('C', '0')},  {MarketChina, 0, Code('C', '5'), Code('C', '5')},
        {MarketChina, 0, Code('D', '2'), Code('D', '1')},   {MarketChina, 0, Code('D', '4'), Code('D', '4')},
        {MarketChina, 0, Code('D', '1'), ""},               {MarketChina, 0, Code('D', '3'), ""},
        {MarketChina, 0, Code('E', '1'), ""},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_taiwanExtendedChars = c.taiwanExtended;
        EXPECT_EQ(ToScale(6, "A" + c.code + "B"), "A" + c.written + "B")
            << "market " << c.market << " code " << testing::PrintToString(c.code);
    }
}

TEST(ScaleCharset, TaiwanDropsLinesWithExtendedCharactersWhenAsked)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    frame.m_setup.m_taiwanExtendedChars = 1;
    const std::string extendedLine = Code('C', '1') + "A\xC6\xE7" "B";
    const std::string text = "\xA4\x40" + extendedLine + Code('C', '2') + "C\xC7\x40" + Code('C', '1') + "D";
    EXPECT_EQ(ToScale(0, text), "\xA4\x40" + Code('C', '1') + "D");
}

TEST(ScaleCharset, StopsBeforeTheCharacterThatWouldPassTheLimit)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    EXPECT_EQ(ToScale(0, "\xA4\x40" "B", 2), "");
    EXPECT_EQ(ToScale(0, "\xA4\x40" "B", 3), "\xA4\x40");
    EXPECT_EQ(ToScale(0, "\xA4\x40" "B", 4), "\xA4\x40" "B");
    EXPECT_EQ(ToScale(0, "A\xA4", 8), "A");  // a lead byte at the end ends the text
    EXPECT_EQ(ToScale(0, "A", 0), "");
}

// Plain runs are copied in bulk: at every capacity the output is still the longest prefix of the whole
// conversion that ends at a whole character or code and leaves room for the 0 byte.
TEST(ScaleCharset, RunsOfPlainCharactersStopAtTheLastWholeCharacterThatFits)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketHongKong;
    struct Case {
        std::uint16_t family;
        std::string text;
        std::string whole;
        std::vector<std::size_t> cuts;  // where the whole output may end
    } const cases[] = {
        {0, "Beef\xA4\x40mince" + Code('C', '2') + "NZ", "Beef\xA4\x40mince" + Code('C', '2') + "NZ",
         {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 14, 15, 16}},
        {2, "Lamb<WD-1234>\xA4\x40rack", "Lamb\x1BW1234\xA4\x40rack", {0, 1, 2, 3, 4, 10, 12, 13, 14, 15, 16}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(ToScale(c.family, c.text), c.whole);
        for (std::size_t capacity = 0; capacity <= c.whole.size() + 2; ++capacity) {
            SCOPED_TRACE(testing::Message() << "family " << c.family << ", capacity " << capacity);
            std::size_t expected = 0;
            for (const std::size_t cut : c.cuts)
                if (cut < capacity) expected = cut;
            EXPECT_EQ(ToScale(c.family, c.text, capacity), c.whole.substr(0, expected));
        }
    }
}

TEST(ScaleCharset, Families2And3UseWdMarkersAndFontCodesOnly)
{
    test::TestMainFrame frame;
    for (const std::uint16_t family : {2, 3}) {
        SCOPED_TRACE(testing::Message() << "family " << family);
        EXPECT_EQ(ToScale(family, Code('C', '2') + "A<WD-1234>B" + Code('D', '1') + "<WD-12"),
                  Code('C', '2') + "A\x1BW1234B\x1BW12");
        EXPECT_EQ(ToScale(family, "<WD-1234X"), "\x1BW1234X");
        EXPECT_EQ(FromScale(family, Code('C', '2') + "A\x1BW1234B\x1BW12"), Code('C', '2') + "A<WD-1234>B<WD-12>");
        // The marker is written whole or not at all.
        EXPECT_EQ(FromScale(family, "A\x1BW1234", 10), "A");
        EXPECT_EQ(FromScale(family, "A\x1BW1234", 11), "A<WD-1234>");
    }
}

TEST(ScaleCharset, ChinaSwapsEffects1And2FromTheScale)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketChina;
    EXPECT_EQ(FromScale(0, Code('C', '1') + Code('D', '1') + "\xB0\xA1" + Code('D', '2') + Code('D', '4')),
              Code('C', '1') + Code('D', '2') + "\xB0\xA1" + Code('D', '1') + Code('D', '4'));
    frame.m_setup.m_market = MarketUsa;
    EXPECT_EQ(FromScale(0, Code('D', '1') + "A"), Code('D', '1') + "A");
}

TEST(ScaleCharset, FamiliesWithoutAConversionWriteNothing)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketIceland;
    for (const std::uint16_t family : {7, 9, 10, 11, 12, 13, 65534}) {
        test::GuardedBuffer out(16);
        out.Span()[0] = 'x';
        EXPECT_EQ(ConvertTextToScaleCharset(CurrentTextRules(), test::ScaleOfFamily(family), "\xC1", out.Span()), 0u)
            << "family " << family;
        EXPECT_EQ(ConvertTextFromScaleCharset(CurrentTextRules(), test::ScaleOfFamily(family), out.Span(), "@"), 0u) << "family " << family;
        EXPECT_EQ(out.Span()[0], 'x');
    }
}

TEST(TranslateText, StopsAtTheEndOfTheOutput)
{
    const NationalCharTable& norway = NorwayChars();
    test::GuardedBuffer out(3);
    EXPECT_EQ(TranslateText(out.Span(), "[\\]x", norway.scale, norway.database), 2u);
    EXPECT_EQ(out.Text(), "\xC6\xD8");
    EXPECT_TRUE(out.GuardIntact());
}

}  // namespace
}  // namespace varnel
