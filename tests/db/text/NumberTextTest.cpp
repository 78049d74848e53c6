#include "db/text/NumberText.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

TEST(CountDigits, CountsDecimalDigits)
{
    const struct {
        std::uint32_t value;
        std::size_t digits;
    } cases[] = {{0, 0}, {9, 1}, {10, 2}, {999999, 6}, {1000000, 7}, {4294967295u, 10}};
    for (const auto& c : cases) EXPECT_EQ(CountDigits(c.value), c.digits) << c.value;
}

TEST(PadLeft, FillsOnTheLeftOrKeepsTheRightmostBytes)
{
    const struct {
        std::string text;
        char fill;
        std::size_t width;
        std::string out;
    } cases[] = {
        {"12", '0', 5, "00012"}, {"12345", ' ', 3, "345"}, {"abc", 'x', 3, "abc"}, {"abc", 'x', 0, ""}, {"", '*', 2, "**"},
    };
    for (const auto& c : cases) EXPECT_EQ(PadLeft(c.text, c.fill, c.width), c.out) << c.text << "/" << c.width;
    EXPECT_EQ(FormatLongPadded(-5, ' ', 4), "  -5");
    EXPECT_EQ(FormatLongPadded(123, '0', 6), "000123");
}

TEST(InsertDecimalPoint, PutsThePointBeforeTheLastDigits)
{
    const struct {
        std::string digits;
        std::size_t decimals;
        std::string out;
    } cases[] = {
        {"5", 2, "0.05"}, {"12", 2, "0.12"}, {"123", 2, "1.23"}, {"12345", 2, "123.45"}, {"", 2, "0.00"},
        {"123", 0, "123"}, {"7", 1, "0.7"},
    };
    for (const auto& c : cases) EXPECT_EQ(InsertDecimalPoint(c.digits, c.decimals), c.out) << c.digits;
}

TEST(AddNumericStrings, WritesTheRoundedSumOrRefusesWhatDoesNotFit)
{
    const struct {
        std::string a, b;
        std::size_t n;
        bool ok;
        std::string out;
    } cases[] = {
        {"12", "30", 5, true, "42"},
        {"1.5", "1", 5, true, "3"},
        {"0.4", "", 5, true, "0"},
        {"-0.4", "0", 5, true, "0"},
        {" 7", "x", 5, true, "7"},  // no number reads as 0
        {"12345678901234", "1", 20, true, "12345678901235"},
        {"999", "1", 3, false, "999"},  // 1000 does not fit 3 characters: nothing is cut
    };
    for (const auto& c : cases) {
        std::string a = c.a;
        EXPECT_EQ(AddNumericStrings(a, c.b, c.n), c.ok) << c.a << "+" << c.b;
        EXPECT_EQ(a, c.ok ? c.out : c.a) << c.a << "+" << c.b;
    }
}

TEST(FormatPluNumber, PadsToTheDigitsOfTheHighestPluNumber)
{
    const struct {
        std::uint32_t maxPluNo;
        std::uint32_t number;
        std::size_t width;
        std::string out;
    } cases[] = {
        {999999, 42, 6, "000042  "},   {999, 42, 8, "00000042  "},  {9999, 42, 4, "0042  "},
        {9999999, 42, 7, "0000042  "}, {99999999, 42, 8, "00000042  "}, {0, 42, 8, "00000042  "},
        {9999, 123456, 4, "123456  "},  // a wider number is written whole
    };
    for (const auto& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_maxPluNo = c.maxPluNo;
        std::string out;
        EXPECT_EQ(FormatPluNumber(c.number, CurrentGeneralSetup().m_maxPluNo, out), c.width) << c.maxPluNo;
        EXPECT_EQ(out, c.out) << c.maxPluNo;
    }
}

TEST(FormatPluNumber, UsesTheDefaultHighestNumberBeforeTheMainFrameExists)
{
    std::string out;
    EXPECT_EQ(FormatPluNumber(7, CurrentGeneralSetup().m_maxPluNo, out), 6u);
    EXPECT_EQ(out, "000007  ");
}

}  // namespace
}  // namespace varnel
