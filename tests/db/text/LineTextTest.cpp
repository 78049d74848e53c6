#include "db/text/LineText.h"

#include "GuardedBuffer.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using namespace std::string_literals;

// Escape-coded pieces, for readable expectations.
std::string Code(char letter, char operand) { return "\x1B"s + letter + operand; }
std::string Line(char code) { return Code('C', code); }
std::string Effect(char digit) { return Code('D', digit); }
// Line-coded pieces.
std::string Cr(std::uint8_t font) { return "\r"s + static_cast<char>(font); }
std::string Attr(std::uint8_t byte) { return std::string(1, static_cast<char>(byte)); }
// The 0 byte that makes an odd length even.
std::string Pad() { return std::string(1, '\0'); }

std::string ToEscapeText(std::string_view lineText, bool* complete = nullptr, std::size_t capacity = 256)
{
    test::GuardedBuffer out(capacity);
    const bool allConverted = LineTextToEscapeText(CurrentTextRules(), out.Span(), lineText);
    EXPECT_TRUE(out.GuardIntact());
    if (complete != nullptr) *complete = allConverted;
    return std::string(out.Text());
}

std::string ToLineText(std::string_view escapeText, std::size_t capacity = 256)
{
    test::GuardedBuffer out(capacity);
    const std::size_t length = EscapeTextToLineText(CurrentTextRules(), out.Span(), escapeText);
    EXPECT_TRUE(out.GuardIntact());
    EXPECT_EQ(length % 2, 0u);
    return out.Bytes(length);
}

TEST(LineTextToEscapeText, ConvertsLinesFontsAndEffects)
{
    struct Case {
        std::uint16_t market;
        std::string lineText;
        std::string escapeText;
        bool complete;
    } const cases[] = {
        // Effect 2 of font 18 is closed when the next line opens.
        {MarketUsa, Cr(18) + "AB" + Cr(3) + "C", Line('0') + Effect('2') + "AB" + Effect('2') + Line('0') + "C", true},
        // Attribute bytes toggle effects 1 to 4; effects still open are closed at the end.
        {MarketUsa, Cr(8) + Attr(2) + "A" + Attr(2) + "B" + Attr(19) + "C",
         Line('1') + Effect('1') + "A" + Effect('1') + "B" + Effect('4') + "C" + Effect('4'), true},
        {MarketUsa, Cr(3) + Attr(6) + Attr(7) + "A",
         Line('0') + Effect('2') + Effect('3') + "A" + Effect('2') + Effect('3'), true},
        // Any other byte below 32 ends the text; so does a CR without its font byte.
        {MarketUsa, Cr(3) + "A" + Attr(1) + "B", Line('0') + "A", false},
        {MarketUsa, Cr(3) + "A" + Attr(21) + "B", Line('0') + "A", false},
        {MarketUsa, Cr(3) + "A" + Attr(0) + "B", Line('0') + "A", false},
        {MarketUsa, "A\r", "A", false},
        {MarketHongKong, Cr(14) + "\xA4\x40", Line('1') + "\xA4\x40", true},
        {MarketThailand, Cr(232) + "A", Line('1') + "A", true},
        // Norway's scales use ASCII punctuation for national letters.
        {MarketNorway, Cr(3) + "[\\$", Line('0') + "\xC6\xD8\xA4", true},
        {MarketSweden, Cr(3) + "[", Line('0') + "[", true},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        bool complete = !c.complete;
        EXPECT_EQ(ToEscapeText(c.lineText, &complete), c.escapeText) << "market " << c.market;
        EXPECT_EQ(complete, c.complete) << "market " << c.market;
    }
}

// Effects written are always closed again, whatever room the output has.
void ExpectBalancedEffects(std::string_view escapeText)
{
    for (const char digit : {'1', '2', '3', '4'}) {
        std::size_t toggles = 0;
        for (std::size_t at = escapeText.find(Effect(digit)); at != std::string_view::npos;
             at = escapeText.find(Effect(digit), at + 1))
            ++toggles;
        EXPECT_EQ(toggles % 2, 0u) << "effect " << digit << " in " << testing::PrintToString(std::string(escapeText));
    }
}

TEST(LineTextToEscapeText, NeverPassesTheOutputAndClosesWhatItOpened)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    const std::string lineText =
        Cr(5) + Attr(2) + "\xA4\x40" + Attr(6) + "AB" + Attr(7) + Cr(14) + Attr(19) + "\xA4\x41" "C";
    const std::string full = ToEscapeText(lineText);
    for (std::size_t capacity = 0; capacity <= full.size() + 1; ++capacity) {
        SCOPED_TRACE(testing::Message() << "capacity " << capacity);
        test::GuardedBuffer out(capacity);
        const bool complete = LineTextToEscapeText(CurrentTextRules(), out.Span(), lineText);
        EXPECT_TRUE(out.GuardIntact());
        EXPECT_EQ(complete, capacity > full.size());
        if (capacity == 0) continue;
        ASSERT_TRUE(out.IsTerminated());
        ExpectBalancedEffects(out.Text());
        // Double-byte characters stay whole: every A4 has its second byte.
        const std::string_view text = out.Text();
        for (std::size_t at = text.find('\xA4'); at != std::string_view::npos; at = text.find('\xA4', at + 1))
            EXPECT_LT(at + 1, text.size());
    }
}

TEST(EscapeTextToLineText, WritesLinesAndEffectsAndPadsToAnEvenLength)
{
    struct Case {
        std::uint16_t market;
        std::string escapeText;
        std::string lineText;
    } const cases[] = {
        {MarketUsa, Line('0') + "A", Cr(3) + "A" + Pad()},
        {MarketUsa, Line('0') + "AB", Cr(3) + "AB"},
        {MarketUsa, Line('3') + Effect('1') + "A" + Effect('3') + "B" + Effect('5') + Effect('4'),
         Cr(240) + Attr(2) + "A" + Attr(7) + "B" + Attr(19) + Pad()},
        // Codes that are not lines or effects are left out; a code cut by the end ends the text.
        {MarketUsa, Code('E', '1') + "A" + Line('1') + "B\x1B" "D", "A" + Cr(8) + "B"},
        {MarketUsa, "", ""},
        // Effect 3 is not written in the Baltic market's font 1 lines.
        {MarketBaltic, Line('G') + Effect('3') + "A", Cr(1) + "A" + Pad()},
        {MarketBaltic, Line('0') + Effect('3') + "A", Cr(3) + Attr(7) + "A"},
        {MarketNorway, Line('0') + "\xC6\xE5", Cr(3) + "[}"},
        {MarketTaiwan, Line('1') + "\xA4\x40", Cr(14) + "\xA4\x40"},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        EXPECT_EQ(ToLineText(c.escapeText), c.lineText) << "market " << c.market;
    }
}

TEST(EscapeTextToLineText, DropsTaiwanLinesWithExtendedCharactersWhenAsked)
{
    const std::string text = Line('0') + "\xA4\x40" + Line('1') + "A\xC7\x41" "B" + Line('2') + "C" + Line('1') +
                             "\xC6\xE7" + Line('1') + "\xC6\xE6";
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    EXPECT_EQ(ToLineText(text), Cr(6) + "\xA4\x40" + Cr(14) + "A\xC7\x41" "B" + Cr(15) + "C" + Cr(14) + "\xC6\xE7" +
                                    Cr(14) + "\xC6\xE6" + Pad());
    frame.m_setup.m_taiwanExtendedChars = 1;
    EXPECT_EQ(ToLineText(text), Cr(6) + "\xA4\x40" + Cr(15) + "C" + Cr(14) + "\xC6\xE6" + Pad());
}

TEST(EscapeTextToLineText, LeavesOutEffects1And3WhereTheFamilyAndMarketDoNotPrintThem)
{
    const std::string text = Line('0') + Effect('1') + Effect('2') + Effect('3') + Effect('4') + "A";
    struct Case {
        std::uint16_t market;
        std::uint16_t family;
        bool kept;
    } const cases[] = {
        {MarketUsa, 6, true},       {MarketThailand, 6, false}, {MarketThailand, 8, true},
        {MarketHongKong, 8, false}, {MarketTaiwan, 8, false},   {MarketChina, 6, false},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        test::GuardedBuffer out(64);
        const std::size_t length = EscapeTextToLineTextForType(CurrentTextRules(), c.family, out.Span(), text);
        const std::string lineText = out.Bytes(length);
        const char font = lineText.size() > 1 ? lineText[1] : '\0';
        const std::string effects = c.kept ? Attr(2) + Attr(6) + Attr(7) + Attr(19) : Attr(6) + Attr(19);
        const std::string expected = "\r"s + font + effects + "A" + Pad();
        EXPECT_EQ(lineText, expected) << "market " << c.market << " family " << c.family;
    }
}

TEST(EscapeTextToLineText, StopsAtAWholeCharacterWithinTheOutput)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    const std::string text = Line('0') + "A\xA4\x40" "B" + Effect('2') + "\xA4\x41";
    for (std::size_t capacity = 0; capacity <= 12; ++capacity) {
        SCOPED_TRACE(testing::Message() << "capacity " << capacity);
        test::GuardedBuffer out(capacity);
        const std::size_t length = EscapeTextToLineText(CurrentTextRules(), out.Span(), text);
        EXPECT_TRUE(out.GuardIntact());
        EXPECT_EQ(length % 2, 0u);
        EXPECT_LE(length, capacity);
        // The written text is a whole-piece prefix of "\r\x06" "A" A4 40 "B" 06 A4 41.
        const std::string full = "\r\x06" "A\xA4\x40" "B\x06\xA4\x41";
        const std::string written = out.Bytes(length);
        const std::string textPart = written.substr(0, written.find('\0'));
        EXPECT_EQ(full.substr(0, textPart.size()), textPart);
        EXPECT_NE(textPart.size(), 1u);  // the line start is never split
        EXPECT_NE(textPart.size(), 4u);  // nor is a double-byte character
        EXPECT_NE(textPart.size(), 8u);
    }
}

}  // namespace
}  // namespace varnel
