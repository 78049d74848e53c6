#include "db/text/TextEscapes.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using namespace std::string_literals;

std::string Escaped(std::string_view text)
{
    std::string out;
    std::size_t position = 0;
    for (const char c : text) position = AppendEscapedChar(out, position, static_cast<std::uint8_t>(c));
    EXPECT_EQ(position, out.size());
    return out;
}

TEST(AppendEscapedChar, EscapesControlBytesDeleteAndTheBackslash)
{
    const struct {
        std::uint8_t byte;
        std::string written;
    } cases[] = {
        {13, "\\x0D"}, {0, "\\x00"},   {31, "\\x1F"}, {127, "\\x7F"}, {'\\', "\\x5C"},
        {32, " "},     {'A', "A"},     {126, "~"},    {128, "\x80"},  {0xFF, "\xFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(Escaped(std::string(1, static_cast<char>(c.byte))), c.written) << int{c.byte};
}

TEST(ReadEscapedChar, ReadsBytesAndEscapesWithinTheText)
{
    const struct {
        std::string text;
        std::uint8_t byte;
        std::size_t position;
    } cases[] = {
        {"\\x0D", 13, 4}, {"\\xff!", 255, 4}, {"A", 'A', 1},    {"", 0, 0},
        {"\\xZZ", 0, 4},  {"\\x4", 4, 3},     {"\\", 0, 1},     {"\\x4G", 4, 4},
        {"\0A"s, 0, 0},
    };
    for (const auto& c : cases) {
        std::size_t position = 0;
        EXPECT_EQ(ReadEscapedChar(c.text, position), c.byte) << testing::PrintToString(c.text);
        EXPECT_EQ(position, c.position) << testing::PrintToString(c.text);
    }
}

TEST(EscapedText, ReadsBackEveryByte)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    std::string text;
    for (int byte = 1; byte < 256; ++byte) text += static_cast<char>(byte);
    text += "C:\\xdata\xB3\\x41";  // a literal "\x" and a Big5 character ending in a backslash byte
    const std::string escaped = Escaped(text);
    std::string back;
    for (std::size_t position = 0; position < escaped.size();) back += static_cast<char>(ReadEscapedChar(escaped, position));
    EXPECT_EQ(back, text);
}

TEST(RemoveHexEscapes, DropsEachEscapeAndItsTwoCharacters)
{
    const struct {
        std::string text, out;
    } cases[] = {
        {"a\\x0Db", "ab"}, {"a\\X1fb", "ab"}, {"a\\yb", "a\\yb"}, {"ab\\x", "ab"}, {"ab\\x1", "ab"},
        {"a\0\\x0D"s, "a"},
    };
    for (const auto& c : cases) EXPECT_EQ(RemoveHexEscapes(c.text, CurrentTextRules().chars), c.out) << testing::PrintToString(c.text);
}

TEST(RemoveHexEscapes, NeverTakesASecondByteForABackslash)
{
    const std::string text = "\xB3\\x41";
    EXPECT_EQ(RemoveHexEscapes(text, CurrentTextRules().chars), "\xB3");  // Western: a byte, then an escape
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    EXPECT_EQ(RemoveHexEscapes(text, CurrentTextRules().chars), text);    // Big5: one character, then "x41"
}

TEST(StripEscCodes, DropsEachEscAndTheTwoBytesAfterIt)
{
    const struct {
        std::string text, out;
    } cases[] = {
        {"\x1B" "C1abc", "abc"}, {"a\x1B" "Fxb", "ab"}, {"ab\x1B", "ab"}, {"ab\x1B" "C", "ab"}, {"plain", "plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(StripEscCodes(c.text, CurrentTextRules().chars), c.out) << testing::PrintToString(c.text);
}

}  // namespace
}  // namespace varnel
