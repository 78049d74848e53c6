#include "db/text/DoubleByteText.h"

#include "db/site/MainFrame.h"
#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

#include <string>

namespace varnel {
namespace {

using namespace std::string_literals;

TEST(MarketTests, FollowTheGeneralSetup)
{
    struct Case {
        std::uint16_t market;
        std::uint8_t koreanFont;
        bool thai, korean, hongKongTaiwan, china;
        CodePage codePage;
    } const cases[] = {
        {MarketUsa, 0, false, false, false, false, CodePage::Western},
        {MarketUsa, 1, false, true, false, false, CodePage::Korean},
        {MarketThailand, 0, true, false, false, false, CodePage::Thai},
        {MarketHongKong, 0, false, false, true, false, CodePage::TraditionalChinese},
        {MarketTaiwan, 0, false, false, true, false, CodePage::TraditionalChinese},
        {MarketChina, 0, false, false, false, true, CodePage::SimplifiedChinese},
        // The Korean option outside the USA market is not Korean font mode.
        {MarketChina, 1, false, false, false, true, CodePage::SimplifiedChinese},
        {MarketSweden, 0, false, false, false, false, CodePage::Western},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_koreanFont = c.koreanFont;
        SCOPED_TRACE(testing::Message() << "market " << c.market << " korean " << int{c.koreanFont});
        const TextRules rules = CurrentTextRules();
        EXPECT_EQ(rules.IsThai(), c.thai);
        EXPECT_EQ(rules.koreanFontMode, c.korean);
        EXPECT_EQ(rules.IsHongKongTaiwan(), c.hongKongTaiwan);
        EXPECT_EQ(rules.IsChina(), c.china);
        EXPECT_EQ(StoreCodePage(frame.m_setup), c.codePage);
    }
}

TEST(MarketTests, AreAllFalseBeforeTheMainFrameExists)
{
    ASSERT_EQ(GetMainFrame(), nullptr);
    const TextRules rules = CurrentTextRules();
    EXPECT_FALSE(rules.IsThai());
    EXPECT_FALSE(rules.koreanFontMode);
    EXPECT_FALSE(rules.IsHongKongTaiwan());
    EXPECT_FALSE(rules.IsChina());
}

TEST(GetCharLength, FollowsTheMarketAndTheKoreanOption)
{
    struct Case {
        std::uint16_t market;
        std::uint8_t koreanFont;
        std::string text;
        std::size_t length;
    } const cases[] = {
        {MarketTaiwan, 0, "\xA4\x40", 2},
        {MarketTaiwan, 0, "\x9F\x40", 1},   // below 160: a byte of its own
        {MarketTaiwan, 0, "\xA0\x40", 2},
        {MarketTaiwan, 0, "\xFE\x40", 2},
        {MarketTaiwan, 0, "\xFF\x40", 1},
        {MarketTaiwan, 0, "A\x40", 1},
        {MarketChina, 0, "\xB0\xA1", 2},
        {MarketChina, 0, "\x81\x40", 1},    // the scales' fonts start at 160, not at GBK's 129
        {MarketHongKong, 0, "\xA4\x40", 2},
        {MarketTaiwan, 1, "\x9F\x40", 2},   // the Korean option counts in any market
        {MarketTaiwan, 1, "\x80\x40", 2},
        {MarketTaiwan, 1, "\xFF\x40", 1},
        {MarketUsa, 1, "\x9F\x40", 2},
        {MarketUsa, 0, "\xA4\x40", 1},      // Western text is single-byte
        {MarketThailand, 0, "\xA4\x40", 1},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_koreanFont = c.koreanFont;
        EXPECT_EQ(GetCharLength(c.text, CurrentTextRules().chars), c.length)
            << "market " << c.market << " korean " << int{c.koreanFont} << " byte " << int{std::uint8_t(c.text[0])};
        // Code that is handed the settings steps the same characters.
        EXPECT_EQ(GetCharLength(c.text, CharRuleOf(frame.m_setup, frame.GetSystemDoubleByteFlag())), c.length);
    }
}

TEST(GetCharLength, IsSingleByteBeforeTheMainFrameExists)
{
    EXPECT_EQ(GetCharLength("\xA4\x40", CurrentTextRules().chars), 1u);
    EXPECT_EQ(GetCharLength("\x81\x40", CurrentTextRules().chars), 1u);
}

TEST(GetCharLength, NeverCountsPastTheEndOfTheText)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    for (const std::string& text : {""s, "\0"s, "\0A"s, "\xA4"s, "\xA4\0"s, "\xA4\0\x40"s}) {
        EXPECT_EQ(GetCharLength(text, CurrentTextRules().chars), 0u) << testing::PrintToString(text);
    }
}

TEST(NextChar, StepsByWholeCharactersAndStopsAtTheEnd)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketTaiwan;
    const std::string text = "A\xA4\x40" "B\xA5";  // the last lead byte has no second byte
    const CharRule chars = CurrentTextRules().chars;
    std::size_t position = 0;
    std::vector<std::size_t> visited;
    for (std::size_t next = NextChar(text, position, chars); next != position; next = NextChar(text, position, chars)) {
        visited.push_back(position = next);
    }
    EXPECT_EQ(visited, (std::vector<std::size_t>{1, 3, 4}));
    EXPECT_EQ(NextChar(text, 99, chars), 99u);
}

TEST(CopyOneChar, AppendsTheWholeCharacterOrNothingAtTheEnd)
{
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketChina;
    const CharRule chars = CurrentTextRules().chars;
    std::string out = "x";
    EXPECT_EQ(CopyOneChar(out, "\xB0\xA1rest", chars), 2u);
    EXPECT_EQ(CopyOneChar(out, "r", chars), 1u);
    EXPECT_EQ(CopyOneChar(out, "\xB0", chars), 0u);
    EXPECT_EQ(CopyOneChar(out, "", chars), 0u);
    EXPECT_EQ(out, "x\xB0\xA1r");
}

}  // namespace
}  // namespace varnel
