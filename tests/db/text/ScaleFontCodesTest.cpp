#include "db/text/ScaleFontCodes.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(FontToScaleFontCode, FollowsTheMarketsTables)
{
    struct Case {
        std::uint16_t market;
        std::uint8_t font;
        char code;
        bool effect2;
    } const cases[] = {
        {MarketUsa, 3, '0', false},        {MarketUsa, 8, '1', false},         {MarketUsa, 13, '2', false},
        {MarketUsa, 18, '0', true},        {MarketUsa, 19, '1', true},         {MarketUsa, 20, '2', true},
        {MarketUsa, 27, 'E', false},       {MarketUsa, 28, 'E', true},         {MarketUsa, 29, 'F', false},
        {MarketUsa, 30, 'F', true},        {MarketUsa, 240, '3', false},       {MarketUsa, 243, '6', false},
        {MarketUsa, 244, '3', true},       {MarketUsa, 246, '5', true},        {MarketUsa, 21, '8', false},
        {MarketUsa, 22, '9', false},       {MarketUsa, 23, 'A', false},        {MarketUsa, 26, 'D', false},
        {MarketUsa, 1, '7', false},        {MarketUsa, 0, '7', false},         {MarketUsa, 247, '7', false},
        {MarketBaltic, 240, '3', false},   {MarketAustralia, 1, '6', false},   {MarketAustralia, 240, '3', false},
        {MarketAustralia, 242, '5', false}, {MarketAustralia, 243, '7', false}, {MarketAustralia, 244, '7', false},
        {MarketAustralia, 18, '0', true},  {MarketAustralia, 25, 'C', false},  {MarketHongKong, 5, '3', false},
        {MarketHongKong, 14, '1', false},  {MarketTaiwan, 15, '2', false},     {MarketChina, 3, '0', false},
        {MarketChina, 18, '0', false},     {MarketThailand, 225, '4', false},  {MarketThailand, 229, '6', false},
        {MarketThailand, 230, '2', false}, {MarketThailand, 231, '5', false},  {MarketThailand, 232, '1', false},
        {MarketThailand, 233, '3', false}, {MarketThailand, 3, '0', false},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        bool effect2 = !c.effect2;
        EXPECT_EQ(FontToScaleFontCode(CurrentTextRules(), c.font, effect2), c.code) << "market " << c.market << " font " << int{c.font};
        EXPECT_EQ(effect2, c.effect2) << "market " << c.market << " font " << int{c.font};
    }
}

TEST(ScaleFontCodeToFont, FollowsTheMarketsTables)
{
    struct Case {
        std::uint16_t market;
        std::uint8_t nutrition;
        char code;
        std::uint8_t font;
    } const cases[] = {
        {MarketUsa, 0, '0', 3},         {MarketUsa, 0, '1', 8},          {MarketUsa, 0, '2', 13},
        {MarketUsa, 0, '3', 240},       {MarketUsa, 0, '4', 241},        {MarketUsa, 0, '5', 242},
        {MarketUsa, 0, '6', 243},       {MarketUsa, 0, 'E', 27},         {MarketUsa, 0, 'F', 29},
        {MarketUsa, 0, 'G', 3},         {MarketUsa, 0, '7', 20},         {MarketUsa, 0, '8', 21},
        {MarketUsa, 0, '9', 22},        {MarketUsa, 0, 'A', 23},         {MarketUsa, 0, 'D', 26},
        {MarketUsa, 0, 'Z', 3},         {MarketAustralia, 0, '6', 1},    {MarketAustralia, 0, 'G', 243},
        {MarketBaltic, 0, '6', 243},    {MarketBaltic, 0, 'G', 1},       {MarketNewZealand, 0, '6', 243},
        // The nutrition layout folds the code first, then falls to the market's list.
        {MarketNewZealand, 1, '0', 1},  {MarketNewZealand, 1, '7', 1},   {MarketNewZealand, 1, '8', 3},
        {MarketNewZealand, 1, '9', 8},  {MarketNewZealand, 1, 'A', 8},   {MarketNewZealand, 1, 'B', 13},
        {MarketNewZealand, 1, 'C', 240}, {MarketNewZealand, 1, 'D', 241}, {MarketNewZealand, 1, 'E', 242},
        {MarketNewZealand, 1, '6', 242}, {MarketNewZealand, 1, 'F', 29},  {MarketNewZealand, 1, 'G', 3},
        {MarketAustralia, 1, '6', 242}, {MarketAustralia, 1, 'G', 243},  {MarketUsa, 1, '0', 3},
        {MarketHongKong, 0, '1', 14},   {MarketHongKong, 0, '2', 15},    {MarketTaiwan, 0, '3', 5},
        {MarketChina, 0, '0', 6},       {MarketChina, 0, '9', 6},        {MarketThailand, 0, '1', 232},
        {MarketThailand, 0, '2', 230},  {MarketThailand, 0, '3', 233},   {MarketThailand, 0, '4', 225},
        {MarketThailand, 0, '5', 231},  {MarketThailand, 0, '6', 229},   {MarketThailand, 0, '0', 227},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = c.market;
        frame.m_setup.m_nutritionInUse = c.nutrition;
        EXPECT_EQ(ScaleFontCodeToFont(CurrentTextRules(), c.code), c.font)
            << "market " << c.market << " nutrition " << int{c.nutrition} << " code " << c.code;
    }
}

TEST(ScaleFontCodes, DefaultFontFollowsTheDoubleByteMarkets)
{
    for (const std::uint16_t market : {MarketHongKong, MarketTaiwan, MarketChina}) {
        test::TestMainFrame frame;
        frame.m_setup.m_market = market;
        EXPECT_EQ(GetDefaultScaleFont(CurrentTextRules()), 6) << "market " << market;
    }
    test::TestMainFrame frame;
    frame.m_setup.m_market = MarketThailand;
    EXPECT_EQ(GetDefaultScaleFont(CurrentTextRules()), 3);
}

TEST(ScaleFontCodes, EffectDigitsAndAttributeBytesArePairs)
{
    struct Case {
        char digit;
        std::uint8_t attr;
    } const pairs[] = {{'1', 2}, {'2', 6}, {'3', 7}, {'4', 19}, {'5', 21}};
    for (const Case& c : pairs) {
        EXPECT_EQ(EffectDigitToAttr(c.digit), c.attr);
        EXPECT_EQ(AttrToEffectDigit(c.attr), c.digit);
    }
    EXPECT_EQ(EffectDigitToAttr('0'), 2);
    EXPECT_EQ(EffectDigitToAttr('6'), 2);
    EXPECT_EQ(AttrToEffectDigit(3), '\0');
    EXPECT_EQ(AttrToEffectDigit(13), '\0');
    EXPECT_TRUE(IsScaleAttrDigit('1'));
    EXPECT_TRUE(IsScaleAttrDigit('4'));
    EXPECT_FALSE(IsScaleAttrDigit('5'));
    EXPECT_FALSE(IsScaleAttrDigit('0'));
}

TEST(ScaleFontCodes, FontAvailabilityFollowsTheFramesFontList)
{
    EXPECT_FALSE(CScaleFontList().HasCode('0'));  // no fonts built yet
    test::TestMainFrame frame;
    frame.m_setup.m_defaultScaleFamily = 6;
    frame.SelectScaleFontSet();
    EXPECT_TRUE(frame.GetScaleFontList().HasCode('G'));
    EXPECT_FALSE(frame.GetScaleFontList().HasCode('7'));
}

}  // namespace
}  // namespace varnel
