// Reading, counting and measuring escape-coded descriptions.
#include "db/text/DescText.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

using namespace std::string_literals;

const std::string kTwoLines = "\x1B" "C1ABC\x1B" "D2DE\x1B" "C2F"s;

TEST(DescTextTest, ReadsLinesWithFontsAndSkipsEffectCodesInsideALine)
{
    DescLine line;
    const std::size_t next = GetDescLine(kTwoLines, 0, 100, line, CurrentTextRules().chars);
    EXPECT_EQ(line.text, "ABCDE");
    EXPECT_EQ(line.font, '1');
    EXPECT_EQ(line.attributes, (std::array<bool, 5>{}));
    EXPECT_EQ(next, 11u);  // the second ESC 'C'

    EXPECT_EQ(GetDescLine(kTwoLines, next, 100, line, CurrentTextRules().chars), 0u);
    EXPECT_EQ(line.text, "F");
    EXPECT_EQ(line.font, '2');
}

TEST(DescTextTest, EffectCodesRightAfterTheLineCodeToggleTheLineAttributes)
{
    const std::string desc = "\x1B" "C2\x1B" "D1\x1B" "D3\x1B" "D1xyz\x1B" "C1q"s;
    DescLine line;
    EXPECT_EQ(GetDescLine(desc, 0, 100, line, CurrentTextRules().chars), 15u);
    EXPECT_EQ(line.text, "xyz");
    EXPECT_EQ(line.font, '2');
    EXPECT_EQ(line.attributes, (std::array<bool, 5>{false, false, true, false, false}));
}

TEST(DescTextTest, ALineCutByTheMaximumGoesOnFromTheNextLine)
{
    DescLine line;
    EXPECT_EQ(GetDescLine(kTwoLines, 0, 2, line, CurrentTextRules().chars), 11u);
    EXPECT_EQ(line.text, "AB");
    EXPECT_EQ(GetDescLine(kTwoLines, 11, 0, line, CurrentTextRules().chars), 0u);
    EXPECT_EQ(line.text, "");
}

TEST(DescTextTest, AMissingOrCutLineCodeGivesNoLine)
{
    for (const std::string& desc : {""s, "\x1B" "C"s, "\x1B\0" "1AB"s, "\x1B" "C1"s}) {
        DescLine line;
        EXPECT_EQ(GetDescLine(desc, 0, 10, line, CurrentTextRules().chars), 0u);
        EXPECT_EQ(line.font, desc.size() == 3 ? '1' : 0);
        EXPECT_EQ(line.text, "");
    }
}

TEST(DescTextTest, DoubleByteCharactersAreNeverSplit)
{
    TestMainFrame frame;
    frame.m_setup.m_market = MarketChina;
    const std::string desc = "\x1B" "C1A\xB0\xA1\xB0\xA2"s;
    DescLine line;
    GetDescLine(desc, 0, 4, line, CurrentTextRules().chars);
    EXPECT_EQ(line.text, "A\xB0\xA1");
    EXPECT_EQ(ExtractDescLine(desc, 0, 4, CurrentTextRules().chars), "A\xB0\xA1");
}

TEST(DescTextTest, CountsLinesAndExtractsOneByNumber)
{
    EXPECT_EQ(CountDescLines(kTwoLines), 2u);
    EXPECT_EQ(CountDescLines(""), 0u);
    std::size_t stop = 0;
    EXPECT_EQ(ExtractDescLineEx(kTwoLines, 0, 100, CurrentTextRules().chars, stop), "ABCDE");
    EXPECT_EQ(stop, 11u);
    EXPECT_EQ(ExtractDescLine(kTwoLines, 1, 100, CurrentTextRules().chars), "F");
    EXPECT_EQ(ExtractDescLine(kTwoLines, 2, 100, CurrentTextRules().chars), "");
    EXPECT_EQ(ExtractDescLine(kTwoLines, 0, 3, CurrentTextRules().chars), "ABC");
}

TEST(DescTextTest, MeasuresCodesAsTheDefaultFamilyCountsThem)
{
    TestMainFrame frame;
    const std::string desc = "\x1B" "C1AB"s;
    EXPECT_EQ(GetDescTextLength(desc, CurrentGeneralSetup().m_defaultScaleFamily), 5u);
    frame.m_setup.m_defaultScaleFamily = 8;
    EXPECT_EQ(GetDescTextLength(desc, CurrentGeneralSetup().m_defaultScaleFamily), 4u);
    EXPECT_EQ(GetDescTextLength("AB\x1B" "C"s, CurrentGeneralSetup().m_defaultScaleFamily), 4u);  // a cut code counts whole
}

TEST(DescTextTest, NameComesFromTheFirstLineWithinItsLimit)
{
    EXPECT_EQ(NameFromDesc(kTwoLines, 29, CurrentTextRules().chars), "ABCDE");
    EXPECT_EQ(NameFromDesc(kTwoLines, 4, CurrentTextRules().chars), "ABCD");
    EXPECT_EQ(NameFromDesc("\x1B" "C"s, 29, CurrentTextRules().chars), "");
    EXPECT_EQ(NameFromDesc("\x1B" "C1" + std::string(40, 'x'), 29, CurrentTextRules().chars), std::string(29, 'x'));
}

}  // namespace
}  // namespace varnel::test
