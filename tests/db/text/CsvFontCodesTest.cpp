#include "db/text/CsvFontCodes.h"

#include "support/TestMainFrame.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

// The settings that choose a quoted-text font map.
const CGeneralSetup kHongKong{.m_market = MarketHongKong};
const CGeneralSetup kChina{.m_market = MarketChina};
const CGeneralSetup kKorean{.m_market = MarketUsa, .m_koreanFont = 1};
const CGeneralSetup kAustralia{.m_market = MarketAustralia};
const CGeneralSetup kAustraliaNutrition{.m_market = MarketAustralia, .m_nutritionInUse = 1};
const CGeneralSetup kNewZealandNutrition{.m_market = MarketNewZealand, .m_nutritionInUse = 1};
const CGeneralSetup kUsa{};
const CGeneralSetup kUsaFamily10{.m_defaultScaleFamily = 10};

TEST(CsvFontCodes, FontCodeToFontNumber)
{
    struct Case {
        CGeneralSetup setup;
        char code;
        std::uint8_t plain;
        std::uint8_t alt;
    } const cases[] = {
        {kHongKong, '0', 6, 6},   {kHongKong, '1', 14, 14}, {kHongKong, '3', 5, 5},    {kHongKong, '4', 12, 12},
        {kChina, '5', 10, 10},    {kChina, '6', 251, 251},  {kChina, 'E', 6, 6},       {kHongKong, 'Z', 6, 6},
        {kKorean, '0', 3, 3},     {kKorean, '3', 240, 240}, {kKorean, 'E', 27, 27},    {kKorean, 'J', 36, 36},
        {kKorean, 'L', 5, 5},     {kKorean, 'M', 6, 6},     {kKorean, 'N', 14, 14},    {kKorean, 'O', 15, 15},
        {kKorean, 'Z', 3, 3},     {kAustralia, '0', 39, 39}, {kAustralia, '2', 36, 36}, {kAustralia, '5', 43, 43},
        {kAustralia, '6', 1, 1},  {kAustralia, 'G', 44, 44}, {kAustralia, 'H', 39, 39}, {kAustralia, 'Z', 39, 39},
        // Australia goes before the nutrition layout.
        {kAustraliaNutrition, '0', 39, 39},
        {kNewZealandNutrition, '0', 1, 1},   {kNewZealandNutrition, '7', 1, 1},   {kNewZealandNutrition, '8', 3, 3},
        {kNewZealandNutrition, 'E', 242, 242}, {kNewZealandNutrition, 'F', 29, 29}, {kNewZealandNutrition, 'J', 38, 38},
        {kNewZealandNutrition, 'K', 39, 39}, {kNewZealandNutrition, 'L', 3, 3},   {kNewZealandNutrition, 'Z', 3, 3},
        {kUsa, '0', 3, 3},        {kUsa, '1', 8, 40},       {kUsa, '2', 13, 13},       {kUsa, '6', 243, 243},
        {kUsa, '7', 3, 3},        {kUsa, 'E', 27, 42},      {kUsa, 'F', 29, 45},       {kUsa, 'G', 1, 1},
        {kUsa, 'H', 26, 40},      {kUsa, 'I', 10, 10},      {kUsa, 'J', 36, 43},       {kUsa, 'K', 37, 44},
        {kUsa, 'L', 3, 3},        {kUsaFamily10, '1', 8, 8}, {kUsaFamily10, 'H', 26, 40},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup = c.setup;
        SCOPED_TRACE(testing::Message() << "market " << c.setup.m_market << " code " << c.code);
        EXPECT_EQ(FontCodeToCsvFont(CurrentTextRules(), c.code), c.plain);
        EXPECT_EQ(FontCodeToCsvFontAlt(CurrentTextRules(), c.code), c.alt);
    }
}

TEST(CsvFontCodes, FontNumberToFontCode)
{
    struct Case {
        CGeneralSetup setup;
        std::uint8_t font;
        char plain;
        char alt;
    } const cases[] = {
        {kHongKong, 5, '3', '3'},
        {kHongKong, 10, '5', '5'},
        {kHongKong, 12, '4', '4'},
        {kHongKong, 251, '6', '6'},
        {kHongKong, 6, '0', '0'},
        {kKorean, 1, 'G', 'G'},
        {kKorean, 5, 'L', 'L'},
        {kKorean, 15, 'O', 'O'},
        {kKorean, 243, '6', '6'},
        {kKorean, 3, '0', '0'},
        {kAustralia, 1, '6', '6'},
        {kAustralia, 36, '2', '2'},
        {kAustralia, 44, 'G', 'G'},
        {kAustralia, 39, '0', '0'},
        {kNewZealandNutrition, 3, '1', '1'},
        {kNewZealandNutrition, 27, 'E', 'E'},
        {kNewZealandNutrition, 38, 'J', 'J'},
        {kNewZealandNutrition, 243, '7', '7'},
        {kNewZealandNutrition, 1, '0', '0'},
        {kUsa, 1, 'G', 'G'},
        {kUsa, 8, '1', '1'},
        {kUsa, 26, 'H', '0'},
        {kUsa, 36, 'J', '0'},
        {kUsa, 40, '0', '1'},
        {kUsa, 42, '0', 'E'},
        {kUsa, 43, '0', 'J'},
        {kUsa, 44, '0', 'K'},
        {kUsa, 45, '0', 'F'},
        {kUsa, 240, '3', '3'},
        {kUsa, 3, '0', '0'},
        {kUsaFamily10, 40, '0', 'H'},
    };
    for (const Case& c : cases) {
        test::TestMainFrame frame;
        frame.m_setup = c.setup;
        SCOPED_TRACE(testing::Message() << "market " << c.setup.m_market << " font " << int{c.font});
        EXPECT_EQ(CsvFontToFontCode(CurrentTextRules(), c.font), c.plain);
        EXPECT_EQ(CsvFontToFontCodeAlt(CurrentTextRules(), c.font), c.alt);
    }
}

TEST(CsvFontCodes, AltMapsServeFamily11AndFamily9OutsideTaiwan)
{
    test::TestMainFrame frame;
    EXPECT_TRUE(UsesAltCsvFonts(CurrentTextRules(), 11));
    EXPECT_TRUE(UsesAltCsvFonts(CurrentTextRules(), 9));
    EXPECT_FALSE(UsesAltCsvFonts(CurrentTextRules(), 10));
    EXPECT_FALSE(UsesAltCsvFonts(CurrentTextRules(), 12));
    frame.m_setup.m_market = MarketTaiwan;
    EXPECT_FALSE(UsesAltCsvFonts(CurrentTextRules(), 9));
    EXPECT_TRUE(UsesAltCsvFonts(CurrentTextRules(), 11));
}

}  // namespace
}  // namespace varnel
